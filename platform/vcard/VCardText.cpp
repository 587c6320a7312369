#include "platform/vcard/VCardText.h"

#include <QStringDecoder>

namespace vcard {

QString escapeText(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        if (c == u'\\' || c == u';' || c == u',')
            out += u'\\';
        out += c;
    }
    return escapeLineBreaks(out);
}

bool unescapeCharacter(QChar escaped, QString& out)
{
    switch (escaped.unicode()) {
    case u'n':
    case u'N':
        out += u'\n';
        return true;
    case u'\\':
    case u';':
    case u',':
    case u':':
        out += escaped;
        return true;
    default:
        return false;
    }
}

QString unescapeText(QStringView raw)
{
    return unescapeWith(raw, unescapeCharacter);
}

QString unescapeWith(QStringView raw, bool (*translate)(QChar escaped, QString& out))
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c != u'\\' || i + 1 == raw.size()) {
            out += c;
            continue;
        }
        const QChar next = raw[++i];
        if (!translate(next, out)) {
            out += c;
            out += next;
        }
    }
    return out;
}

QString escapeLineBreaks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += QLatin1String("\\n");
        } else {
            out += text[i];
        }
    }
    return out;
}

QStringList splitRaw(QStringView raw, QChar separator)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == u'\\') {
            ++i; // the escaped character never separates
        } else if (raw[i] == separator) {
            parts += raw.mid(start, i - start).toString();
            start = i + 1;
        }
    }
    parts += raw.mid(start).toString();
    return parts;
}

QString joinRaw(const QStringList& parts, QChar separator)
{
    return parts.join(separator);
}

bool isValidUtf8(const QByteArray& bytes)
{
    return QByteArrayView(bytes).isValidUtf8();
}

QString fromWindows1252(const QByteArray& bytes)
{
    // 0x80..0x9F; the unassigned 0x81, 0x8D, 0x8F, 0x90 and 0x9D stay C1 controls.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out += (b >= 0x80 && b < 0xA0) ? QChar(high[b - 0x80]) : QChar(b);
    }
    return out;
}

QString decodeBytes(const QByteArray& bytes, const QString& charset)
{
    const QString name = charset.trimmed().toLower();
    if (name == u"windows-1252" || name == u"cp1252" || name == u"iso-8859-1" || name == u"latin1" ||
        name == u"us-ascii" || name == u"ascii")
        return fromWindows1252(bytes);
    if (!name.isEmpty() && name != u"utf-8" && name != u"utf8") {
        QStringDecoder decoder(name.toLatin1().constData(), QStringDecoder::Flag::Stateless);
        if (decoder.isValid()) {
            const QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return fromWindows1252(bytes);
}

QByteArray decodeQuotedPrintable(QStringView text)
{
    auto hexValue = [&text](qsizetype i) -> int {
        if (i >= text.size())
            return -1;
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9')
            return c - u'0';
        if (c >= u'A' && c <= u'F')
            return c - u'A' + 10;
        if (c >= u'a' && c <= u'f')
            return c - u'a' + 10;
        return -1;
    };
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'=') {
            const int hi = hexValue(i + 1);
            const int lo = hexValue(i + 2);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        if (c.unicode() < 0x80) {
            out += static_cast<char>(c.unicode());
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && text[end].unicode() >= 0x80)
            ++end;
        out += text.mid(i, end - i).toUtf8();
        i = end - 1;
    }
    return out;
}

} // namespace vcard
