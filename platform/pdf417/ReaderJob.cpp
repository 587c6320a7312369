#include "platform/pdf417/ReaderJob.h"

#include "platform/pdf417/Pdf417.h"
#include "platform/pdf417/SymbolDecoder.h"

#include <QDataStream>
#include <QIODevice>

namespace pdf417 {

ReaderJob::Answer ReaderJob::run(Kind kind, const QString& imageFile)
{
    Answer answer;
    const QImage grey = readGrey(imageFile);
    if (grey.isNull())
        return answer;
    answer.readable = true;
    switch (kind) {
    case Easy:
    case Hard:
        if (const std::optional<QByteArray> bytes =
                kind == Easy ? SymbolDecoder::readEasy(grey) : SymbolDecoder::readHard(grey))
            answer.symbols << *bytes;
        break;
    case All:
        for (const SymbolDecoder::Symbol& symbol : SymbolDecoder::readAll(grey)) {
            ++answer.identified;
            if (symbol.decoded)
                answer.symbols << symbol.bytes;
        }
        break;
    }
    return answer;
}

QByteArray ReaderJob::pack(const Request& request)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << quint8(request.kind) << request.imageFile << quint8(request.fault);
    return bytes;
}

std::optional<ReaderJob::Request> ReaderJob::unpackRequest(const QByteArray& bytes)
{
    quint8 kind = 0;
    quint8 fault = 0;
    Request request;
    QDataStream in(bytes);
    in >> kind >> request.imageFile >> fault;
    if (in.status() != QDataStream::Ok || !in.atEnd() || kind < Easy || kind > All || fault > Request::Hang)
        return std::nullopt;
    request.kind = Kind(kind);
    request.fault = Request::Fault(fault);
    return request;
}

QByteArray ReaderJob::pack(const Answer& answer)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << answer.readable << answer.identified << answer.symbols;
    return bytes;
}

std::optional<ReaderJob::Answer> ReaderJob::unpackAnswer(const QByteArray& bytes)
{
    Answer answer;
    QDataStream in(bytes);
    in >> answer.readable >> answer.identified >> answer.symbols;
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return answer;
}

} // namespace pdf417
