#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace pdf417 {

// One request of the symbol-reader helper (see ReaderProcess): the image file is read and its
// symbols are read with SymbolDecoder, all in the helper. Also what the fuzzers call, so that
// they exercise exactly the helper's work.
class ReaderJob
{
public:
    enum Kind : quint8
    {
        Easy = 1, // one plain pass over the image
        Hard = 2, // the thorough read a scanned card needs
        All = 3,  // every symbol of a page
    };

    // What the helper is asked. The fault is for tests of the helper's failures: it crashes or
    // hangs instead of reading.
    struct Request
    {
        enum Fault : quint8
        {
            NoFault = 0,
            Crash = 1,
            Hang = 2,
        };
        Kind kind = Easy;
        QString imageFile;
        Fault fault = NoFault;
    };

    struct Answer
    {
        bool readable = false;     // the file could be read as an image
        QList<QByteArray> symbols; // the decoded symbols in reading order (Easy, Hard: at most one)
        qint32 identified = 0;     // All: the symbols found, read or not
        bool operator==(const Answer&) const = default;
    };

    static Answer run(Kind kind, const QString& imageFile);

    // Requests and answers as they pass between the program and the helper, and back; nothing
    // for bytes that are not one.
    static QByteArray pack(const Request& request);
    static QByteArray pack(const Answer& answer);
    static std::optional<Request> unpackRequest(const QByteArray& bytes);
    static std::optional<Answer> unpackAnswer(const QByteArray& bytes);
};

} // namespace pdf417
