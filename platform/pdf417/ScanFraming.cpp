#include "platform/pdf417/ScanFraming.h"

namespace pdf417 {

namespace {

constexpr char Stx = 0x02;
constexpr char Etx = 0x03;
const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray Begin = QByteArrayLiteral("BEGIN:VCARD");
const QByteArray End = QByteArrayLiteral("END:VCARD");

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigitOrLetter(char c)
{
    return isLetter(c) || (c >= '0' && c <= '9');
}

bool isTrailer(char c)
{
    return c == '\r' || c == '\n' || c == Etx || c == '\0';
}

} // namespace

std::optional<QByteArray> ScanFraming::vCardOf(const QByteArray& raw)
{
    qsizetype first = 0;
    if (raw.startsWith(Stx))
        ++first;
    if (raw.size() >= first + 3 && raw[first] == ']' && isLetter(raw[first + 1]) && isDigitOrLetter(raw[first + 2]))
        first += 3;
    qsizetype end = raw.size();
    while (end > first && isTrailer(raw[end - 1]))
        --end;
    QByteArray card = raw.mid(first, end - first);

    const qsizetype bom = card.startsWith(Bom) ? Bom.size() : 0;
    if (card.mid(bom, Begin.size()).toUpper() != Begin)
        return std::nullopt;
    const qsizetype lineEnd = bom + Begin.size();
    QByteArray lineBreak;
    if (card.mid(lineEnd, 2) == "\r\n")
        lineBreak = "\r\n";
    else if (card.mid(lineEnd, 1) == "\n" || card.mid(lineEnd, 1) == "\r")
        lineBreak = card.mid(lineEnd, 1);
    else
        return std::nullopt; // "BEGIN:VCARDS" and the like, or nothing after BEGIN
    // END:VCARD must be a line of its own, after the BEGIN line.
    if (card.size() < lineEnd + lineBreak.size() + End.size() || card.right(End.size()).toUpper() != End)
        return std::nullopt;
    const char before = card[card.size() - End.size() - 1];
    if (before != '\n' && before != '\r')
        return std::nullopt;
    return card + lineBreak;
}

} // namespace pdf417
