#include "platform/vcard/VCardWriter.h"

#include "platform/vcard/VCardText.h"

#include <QFileInfo>

namespace vcard {

namespace {

QString parameterValue(const QString& value)
{
    QString v = value;
    v.remove(u'"').remove(u'\r').remove(u'\n'); // cannot stand in a parameter value
    if (v.contains(u',') || v.contains(u';') || v.contains(u':'))
        return u'"' + v + u'"';
    return v;
}

QString contentLine(const Property& p)
{
    QString line;
    if (!p.group().isEmpty())
        line += p.group() + u'.';
    line += p.name();
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
void appendFolded(QByteArray& out, const QByteArray& line)
{
    qsizetype pos = 0;
    qsizetype room = Writer::MaxLineOctets;
    while (line.size() - pos > room) {
        qsizetype cut = pos + room;
        while (cut > pos + 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out += QByteArrayView(line).sliced(pos, cut - pos);
        out += "\r\n ";
        pos = cut;
        room = Writer::MaxLineOctets - 1;
    }
    out += QByteArrayView(line).sliced(pos);
    out += "\r\n";
}

bool hasWritePermission(const QFileInfo& info)
{
    // isWritable() alone says yes to root for any file; the permission bits keep a
    // file marked read-only read-only for everyone.
    const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isWritable() && (info.permissions() & anyWrite);
}

} // namespace

QByteArray Writer::write(const Card& card)
{
    QByteArray out = "BEGIN:VCARD\r\n";
    const auto version = QStringLiteral("VERSION");
    for (const Property& p : card.properties())
        if (p.name() == version)
            appendFolded(out, contentLine(p).toUtf8());
    for (const Property& p : card.properties())
        if (p.name() != version)
            appendFolded(out, contentLine(p).toUtf8());
    out += "END:VCARD\r\n";
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
    const QFileInfo info(fileName);
    if (info.exists() && !info.isDir() && !hasWritePermission(info)) {
        result.error = SaveResult::Error::ReadOnly;
        return result;
    }
    if (info.isDir() || !files::writeFile(fileName, data, durability))
        result.error = SaveResult::Error::CannotWrite;
    return result;
}

} // namespace vcard
