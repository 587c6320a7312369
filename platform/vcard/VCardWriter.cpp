#include "platform/vcard/VCardWriter.h"

#include "platform/vcard/VCardText.h"

namespace vcard {

namespace {

const QString kVersion = QStringLiteral("VERSION");

QString parameterValue(const QString& value)
{
    QString v = value;
    v.remove(u'"').remove(u'\r').remove(u'\n'); // cannot stand in a parameter value
    if (v.contains(u',') || v.contains(u';') || v.contains(u':'))
        return u'"' + v + u'"';
    return v;
}

QString head(const Property& p)
{
    return p.group().isEmpty() ? p.name() : p.group() + u'.' + p.name();
}

// A content line of vCard 3.0 (and 4.0, whose syntax is the same for what is written here).
QString contentLine(const Property& p)
{
    QString line = head(p);
    for (const Parameter& param : p.parameters()) {
        line += u';' + param.name + u'=';
        for (qsizetype i = 0; i < param.values.size(); ++i) {
            if (i > 0)
                line += u',';
            line += parameterValue(param.values[i]);
        }
    }
    return line + u':' + escapeLineBreaks(p.value());
}

// Appends the line folded: at most 75 octets per physical line, continuation lines
// starting with one blank, never a cut inside a UTF-8 sequence.
void appendFolded(QByteArray& out, const QByteArray& line, const QByteArray& lineEnd)
{
    qsizetype pos = 0;
    qsizetype room = Writer::MaxLineOctets;
    while (line.size() - pos > room) {
        qsizetype cut = pos + room;
        while (cut > pos + 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out += QByteArrayView(line).sliced(pos, cut - pos);
        out += lineEnd + ' ';
        pos = cut;
        room = Writer::MaxLineOctets - 1;
    }
    out += QByteArrayView(line).sliced(pos);
    out += lineEnd;
}

// vCard 2.1 text of a 3.0 value: only ";" inside a part is escaped; line breaks are real.
QString text21(const QString& rawValue)
{
    QStringList parts = splitRaw(rawValue, u';');
    for (QString& part : parts)
        part = unescapeText(part).replace(u';', QStringLiteral("\\;"));
    return parts.join(u';');
}

bool needsQuotedPrintable(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return true;
    return text.endsWith(u' ') || text.endsWith(u'\t');
}

// Quoted-printable UTF-8 with CR LF line breaks, in lines of at most 76 characters after
// `used` characters of the first line.
QByteArray quotedPrintable(const QString& text, qsizetype used, const QByteArray& lineEnd)
{
    QString withCrLf = text;
    withCrLf.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    withCrLf.replace(u'\n', QStringLiteral("\r\n"));
    const QByteArray bytes = withCrLf.toUtf8();
    QByteArray out;
    qsizetype column = used;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const bool last = i + 1 == bytes.size();
        QByteArray piece;
        if ((b >= 33 && b <= 126 && b != '=') || (b == ' ' && !last))
            piece = QByteArray(1, char(b));
        else
            piece = '=' + QByteArray::number(b, 16).toUpper().rightJustified(2, '0');
        if (column + piece.size() > 75) {
            out += '=' + lineEnd;
            column = 0;
        }
        out += piece;
        column += piece.size();
    }
    return out;
}

void appendLine21(QByteArray& out, const Property& p, const QByteArray& lineEnd)
{
    QString line = head(p);
    for (const Parameter& param : p.parameters()) {
        for (QString value : param.values) {
            value.remove(u'"').remove(u'\r').remove(u'\n').remove(u';').remove(u':');
            if (param.name == u"TYPE")
                line += u';' + value;
            else if (param.name == u"ENCODING" && value.compare(QLatin1String("b"), Qt::CaseInsensitive) == 0)
                line += QStringLiteral(";ENCODING=BASE64");
            else
                line += u';' + param.name + u'=' + value;
        }
    }
    const QString text = text21(p.value());
    if (!needsQuotedPrintable(text)) {
        out += (line + u':' + text).toUtf8() + lineEnd;
        return;
    }
    line += QStringLiteral(";CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:");
    const QByteArray headBytes = line.toUtf8();
    out += headBytes + quotedPrintable(text, headBytes.size(), lineEnd) + lineEnd;
}

void appendProperty(QByteArray& out, const Property& p, const QString& version, const QByteArray& lineEnd)
{
    if (!p.source().isEmpty())
        out += p.source();
    else if (version == u"2.1" && p.name() != kVersion)
        appendLine21(out, p, lineEnd);
    else
        appendFolded(out, contentLine(p).toUtf8(), lineEnd);
}

} // namespace

QByteArray Writer::write(const Card& card)
{
    const CardLayout& layout = card.layout();
    const QByteArray& lineEnd = layout.lineEnd;
    const QString version = card.version();
    QByteArray out = layout.before;
    out += layout.isFromFile() ? layout.begin : "BEGIN:VCARD" + lineEnd;
    if (layout.isFromFile()) {
        for (const Property& p : card.properties())
            appendProperty(out, p, version, lineEnd);
    } else {
        for (const Property& p : card.properties())
            if (p.name() == kVersion)
                appendProperty(out, p, version, lineEnd);
        for (const Property& p : card.properties())
            if (p.name() != kVersion)
                appendProperty(out, p, version, lineEnd);
    }
    out += layout.end.isEmpty() ? "END:VCARD" + lineEnd : layout.end;
    out += layout.after;
    return out;
}

QByteArray Writer::write(const QList<Card>& cards)
{
    QByteArray out;
    for (const Card& card : cards)
        out += write(card);
    return out;
}

SaveResult Writer::saveFile(const QString& fileName, const QByteArray& data, files::Durability durability)
{
    SaveResult result;
    const files::WriteResult written = files::writeFile(fileName, data, durability);
    if (!written) {
        result.error = written.isReadOnly() ? SaveResult::Error::ReadOnly : SaveResult::Error::CannotWrite;
        result.reason = written.error();
    }
    return result;
}

} // namespace vcard
