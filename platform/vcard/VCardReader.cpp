#include "platform/vcard/VCardReader.h"

#include "platform/vcard/VCardText.h"

#include <QFile>
#include <QUrl>

namespace vcard {

namespace {

const QString kType = QStringLiteral("TYPE");
const QString kEncoding = QStringLiteral("ENCODING");
const QString kCharset = QStringLiteral("CHARSET");
const QString kValue = QStringLiteral("VALUE");

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

// One line of the file: its text from `start` to `textEnd`, its line end up to `end`.
struct PhysicalLine
{
    qsizetype start = 0;
    qsizetype textEnd = 0;
    qsizetype end = 0;
};

QList<PhysicalLine> splitLines(const QByteArray& bytes)
{
    QList<PhysicalLine> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        const qsizetype textEnd = i;
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        lines += PhysicalLine{start, textEnd, i + 1};
        start = i + 1;
    }
    if (start < n)
        lines += PhysicalLine{start, n, n};
    return lines;
}

// A content line with its continuation lines (those that start with a blank or a tab),
// unfolded: `text` without the line ends and the first blank of each continuation, and the
// range of the file it came from.
struct LogicalLine
{
    QByteArray text;
    qsizetype start = 0;
    qsizetype end = 0;
    QByteArray lineEnd;
};

class LineCursor
{
public:
    explicit LineCursor(const QByteArray& bytes) : m_bytes(bytes), m_lines(splitLines(bytes)) {}

    bool atEnd() const { return m_next >= m_lines.size(); }

    LogicalLine peek() const
    {
        qsizetype next = m_next;
        return take(next);
    }
    LogicalLine next() { return take(m_next); }

private:
    LogicalLine take(qsizetype& i) const
    {
        const PhysicalLine& first = m_lines[i++];
        LogicalLine line;
        line.start = first.start;
        line.end = first.end;
        line.text = m_bytes.mid(first.start, first.textEnd - first.start);
        line.lineEnd = m_bytes.mid(first.textEnd, first.end - first.textEnd);
        while (i < m_lines.size()) {
            const PhysicalLine& more = m_lines[i];
            if (more.textEnd == more.start || (m_bytes[more.start] != ' ' && m_bytes[more.start] != '\t'))
                break;
            line.text += m_bytes.mid(more.start + 1, more.textEnd - more.start - 1);
            line.end = more.end;
            ++i;
        }
        return line;
    }

    const QByteArray& m_bytes;
    QList<PhysicalLine> m_lines;
    qsizetype m_next = 0;
};

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
        // A quoted type list ("voice,cell", as vCard 4.0 writes it) is a list of types.
        if (paramName.compare(kType, Qt::CaseInsensitive) == 0) {
            QStringList types;
            for (const QString& v : values)
                for (const QString& type : v.split(u','))
                    if (!type.trimmed().isEmpty())
                        types += type.trimmed();
            values = types;
        }
        p.addParameter(paramName, values);
    }
    return line[pos] == u':' ? pos + 1 : -1;
}

bool hasEncoding(const Property& p, const char* encoding)
{
    return p.parameterValues(kEncoding).contains(QLatin1String(encoding), Qt::CaseInsensitive);
}

bool isQuotedPrintable(const Property& p)
{
    return hasEncoding(p, "QUOTED-PRINTABLE");
}

bool isBase64(const Property& p)
{
    return hasEncoding(p, "BASE64") || hasEncoding(p, "B");
}

bool isUtf8Name(const QString& charset)
{
    const QString name = charset.trimmed().toLower();
    return name.isEmpty() || name == u"utf-8" || name == u"utf8";
}

// A line of a 2.1 base64 value that follows the first one without a leading blank.
bool isBase64Continuation(const QByteArray& text)
{
    if (text.trimmed().isEmpty())
        return false;
    for (char c : text) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
                        c == '/' || c == '=' || c == ' ' || c == '\t';
        if (!ok)
            return false;
    }
    return true;
}

// A telephone number written as a "tel:" address (vCard 4.0) as the number itself.
void readTelephoneAddress(Property& p)
{
    if (p.name() != u"TEL")
        return;
    const QString value = p.value().trimmed();
    if (!value.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
        return;
    p.setValue(escapeText(QUrl::fromPercentEncoding(value.mid(4).toUtf8())));
    const QStringList kinds = p.parameterValues(kValue);
    if (kinds.contains(QStringLiteral("uri"), Qt::CaseInsensitive))
        p.removeParameter(kValue);
}

// Brings a property read from a 2.1, 3.0 or 4.0 card into 3.0 form.
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
    readTelephoneAddress(p);
}

bool isCardMarker(const Property& p, const char* name)
{
    return p.name() == QLatin1String(name) &&
           p.value().trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0;
}

// Reads one property from the cursor: the content line with whatever continues it. Returns
// false (with `source` set to the bytes taken) for a line that is no content line.
bool readProperty(LineCursor& lines, const QByteArray& bytes, Property& p, QByteArray& source)
{
    const LogicalLine first = lines.next();
    qsizetype end = first.end;
    // A byte-order mark stays in the source of the first line.
    QByteArray text = first.text;
    if (first.start == 0 && text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QString line = decodeBytes(text);
    qsizetype valueStart = parseHead(line, p);
    if (valueStart >= 0) {
        // A value in another character set: the line again in that set.
        const QString charset = p.parameterValues(kCharset).value(0);
        if (!isUtf8Name(charset) && !isQuotedPrintable(p)) {
            line = decodeBytes(text, charset);
            p = Property();
            valueStart = parseHead(line, p);
        }
    }
    if (valueStart < 0) {
        source = bytes.mid(first.start, end - first.start);
        return false;
    }
    QString value = line.mid(valueStart);
    if (isQuotedPrintable(p)) {
        while (value.endsWith(u'=') && !lines.atEnd()) {
            value.chop(1); // soft line break
            const LogicalLine more = lines.next();
            value += decodeBytes(more.text);
            end = more.end;
        }
    } else if (isBase64(p)) {
        while (!lines.atEnd() && isBase64Continuation(lines.peek().text)) {
            const LogicalLine more = lines.next();
            value += QString::fromLatin1(more.text.trimmed());
            end = more.end;
        }
        // The blank line that ends a 2.1 base64 value belongs to it.
        if (!lines.atEnd() && lines.peek().text.isEmpty())
            end = lines.next().end;
    }
    p.setValue(value);
    normalize(p);
    source = bytes.mid(first.start, end - first.start);
    return true;
}

} // namespace

QList<Card> Reader::parse(const QByteArray& bytes)
{
    QList<Card> cards;
    Card current;
    CardLayout layout;
    int depth = 0;
    qsizetype outside = 0; // where the text outside the cards began
    qsizetype nestedStart = 0;
    LineCursor lines(bytes);
    while (!lines.atEnd()) {
        const LogicalLine next = lines.peek();
        Property p;
        QByteArray source;
        const bool isProperty = readProperty(lines, bytes, p, source);
        const qsizetype start = next.start;
        const qsizetype end = start + source.size();

        if (isProperty && isCardMarker(p, "BEGIN")) {
            if (depth++ == 0) {
                current.clear();
                layout = CardLayout();
                layout.before = bytes.mid(outside, start - outside);
                layout.begin = source;
                if (!next.lineEnd.isEmpty())
                    layout.lineEnd = next.lineEnd;
            } else if (depth == 2) {
                nestedStart = start;
            }
        } else if (isProperty && isCardMarker(p, "END") && depth > 0) {
            if (--depth == 0) {
                layout.end = source;
                current.setLayout(layout);
                cards += current;
                outside = end;
            } else if (depth == 1) {
                current.append(Property::verbatim(bytes.mid(nestedStart, end - nestedStart)));
            }
        } else if (depth == 1) {
            if (isProperty)
                p.setSource(source);
            current.append(isProperty ? p : Property::verbatim(source));
        }
    }
    if (!cards.isEmpty()) {
        CardLayout last = cards.last().layout();
        last.after = bytes.mid(outside);
        cards.last().setLayout(last);
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
    if (file.error() != QFileDevice::NoError) {
        result.error = ReadResult::Error::CannotOpen;
        return result;
    }
    result.cards = parse(data);
    if (result.cards.isEmpty())
        result.error = ReadResult::Error::NoCard;
    return result;
}

} // namespace vcard
