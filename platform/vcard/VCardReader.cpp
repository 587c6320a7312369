#include "platform/vcard/VCardReader.h"

#include "platform/vcard/VCardText.h"

#include <QFile>

namespace vcard {

namespace {

const QString kType = QStringLiteral("TYPE");
const QString kEncoding = QStringLiteral("ENCODING");
const QString kCharset = QStringLiteral("CHARSET");

bool isNameChar(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
}

bool isName(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!isNameChar(c))
            return false;
    return true;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines += text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines += text.mid(start);
    return lines;
}

// The physical line at `i` with the continuation lines that follow it (those that
// start with a blank or a tab); `i` moves to the last line used.
QString takeFolded(const QStringList& lines, qsizetype& i)
{
    QString line = lines[i];
    while (i + 1 < lines.size() && !lines[i + 1].isEmpty() && (lines[i + 1][0] == u' ' || lines[i + 1][0] == u'\t'))
        line += QStringView(lines[++i]).mid(1);
    return line;
}

// Parameters without "=" are 2.1 shorthand: encodings name the encoding, the rest are types.
Parameter normalizedBareParameter(const QString& word)
{
    static const QStringList encodings = {QStringLiteral("QUOTED-PRINTABLE"), QStringLiteral("BASE64"),
                                          QStringLiteral("8BIT"), QStringLiteral("7BIT"), QStringLiteral("B")};
    const QString upper = word.toUpper();
    return Parameter{encodings.contains(upper) ? kEncoding : kType, {word}};
}

// Parses "[group.]NAME *(;param) :" of a content line into `p`; returns the position
// just after the colon, or -1 when the line is not a content line.
qsizetype parseHead(const QString& line, Property& p)
{
    qsizetype pos = 0;
    const qsizetype n = line.size();
    while (pos < n && line[pos] != u';' && line[pos] != u':')
        ++pos;
    if (pos == n)
        return -1;
    const QStringView nameToken = QStringView(line).left(pos);
    const qsizetype dot = nameToken.lastIndexOf(u'.');
    const QStringView name = dot < 0 ? nameToken : nameToken.mid(dot + 1);
    if (!isName(name))
        return -1;
    if (dot >= 0) {
        const QStringView group = nameToken.left(dot);
        if (!isName(group))
            return -1;
        p.setGroup(group.toString());
    }
    p.setName(name.toString());

    while (line[pos] == u';') {
        const qsizetype nameStart = ++pos;
        while (pos < n && line[pos] != u'=' && line[pos] != u';' && line[pos] != u':')
            ++pos;
        if (pos == n)
            return -1;
        const QString paramName = line.mid(nameStart, pos - nameStart).trimmed();
        if (line[pos] != u'=') {
            if (paramName.isEmpty())
                continue; // ";;" and a trailing ";" carry nothing
            if (!isName(paramName))
                return -1;
            const Parameter bare = normalizedBareParameter(paramName);
            p.addParameter(bare.name, bare.values);
            continue;
        }
        if (!isName(paramName))
            return -1;
        QStringList values;
        do {
            ++pos; // past "=" or ","
            if (pos < n && line[pos] == u'"') {
                const qsizetype close = line.indexOf(u'"', pos + 1);
                if (close < 0)
                    return -1;
                values += line.mid(pos + 1, close - pos - 1);
                pos = close + 1;
            } else {
                const qsizetype start = pos;
                while (pos < n && line[pos] != u',' && line[pos] != u';' && line[pos] != u':' && line[pos] != u'"')
                    ++pos;
                values += line.mid(start, pos - start);
            }
            if (pos == n)
                return -1;
        } while (line[pos] == u',');
        if (line[pos] == u'"')
            return -1;
        p.addParameter(paramName, values);
    }
    return line[pos] == u':' ? pos + 1 : -1;
}

bool isQuotedPrintable(const Property& p)
{
    return p.parameterValues(kEncoding).contains(QStringLiteral("QUOTED-PRINTABLE"), Qt::CaseInsensitive);
}

// Brings a property read from a 2.1 or 3.0 card into 3.0 form.
void normalize(Property& p)
{
    const QStringList charsets = p.parameterValues(kCharset);
    if (isQuotedPrintable(p)) {
        const QByteArray bytes = decodeQuotedPrintable(p.value());
        p.setValue(escapeLineBreaks(decodeBytes(bytes, charsets.value(0)))); // line breaks in 3.0 form
        p.removeParameter(kEncoding);
    } else {
        const QStringList encodings = p.parameterValues(kEncoding);
        if (encodings.contains(QStringLiteral("BASE64"), Qt::CaseInsensitive)) {
            p.removeParameter(kEncoding);
            p.addParameter(kEncoding, {QStringLiteral("b")});
        } else if (!encodings.isEmpty() && !encodings.contains(QStringLiteral("b"), Qt::CaseInsensitive)) {
            p.removeParameter(kEncoding); // 7BIT / 8BIT: the text is already decoded
        }
    }
    p.removeParameter(kCharset); // text is written back as UTF-8
}

bool isCardMarker(const Property& p, const char* name)
{
    return p.name() == QLatin1String(name) &&
           p.value().trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0;
}

} // namespace

QList<Card> Reader::parse(const QByteArray& data)
{
    QByteArray bytes = data;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QStringList lines = splitLines(decodeBytes(bytes));

    QList<Card> cards;
    Card current;
    int depth = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = takeFolded(lines, i);
        Property p;
        const qsizetype valueStart = parseHead(line, p);
        if (valueStart < 0)
            continue;
        QString value = line.mid(valueStart);
        if (isQuotedPrintable(p)) {
            while (value.endsWith(u'=') && i + 1 < lines.size()) {
                value.chop(1); // soft line break
                ++i;
                value += takeFolded(lines, i);
            }
        }
        p.setValue(value);

        if (isCardMarker(p, "BEGIN")) {
            if (depth++ == 0)
                current.clear();
        } else if (isCardMarker(p, "END")) {
            if (depth == 1)
                cards += current;
            if (depth > 0)
                --depth;
        } else if (depth == 1) {
            normalize(p);
            current.append(p);
        }
    }
    return cards;
}

ReadResult Reader::readFile(const QString& fileName)
{
    ReadResult result;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = ReadResult::Error::CannotOpen;
        return result;
    }
    if (file.size() > MaxFileBytes) {
        result.error = ReadResult::Error::TooLarge;
        return result;
    }
    const QByteArray data = file.read(MaxFileBytes + 1);
    if (data.size() > MaxFileBytes) {
        result.error = ReadResult::Error::TooLarge;
        return result;
    }
    result.cards = parse(data);
    if (result.cards.isEmpty())
        result.error = ReadResult::Error::NoCard;
    return result;
}

} // namespace vcard
