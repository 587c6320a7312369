#include "common/DesktopEntries.h"

#include "icons/PanelPictures.h"
#include "icons/ProgramIcon.h"

#include <QDebug>

namespace desktopEntries {

namespace {

// The file of the type's description in the user's mime/packages folder.
constexpr auto MimePackage = "corvel-impression";

struct Program
{
    const char* executable;
    const char* name;
    const char* genericName;
    const char* comment;
    bool opensImpressions;
};

constexpr Program Programs[] = {
    {"quorvane", "Quorvane", "Business Card Reader", "Read the contact data printed on business cards as symbols",
     true},
    {"brindlemark", "Brindlemark", "Business Card Designer",
     "Print contact data as symbols on sheets of business cards", false},
    {"zephlorin", "Zephlorin", "Business Card Panel",
     "Scan business cards into your contacts and start the family programs", false},
};

const Program* find(const QString& strProgram)
{
    for (const Program& program : Programs) {
        if (strProgram == QLatin1String(program.executable))
            return &program;
    }
    return nullptr;
}

bool succeeded(const files::WriteResult& result, const QString& what)
{
    if (!result)
        qWarning().noquote() << "Cannot write" << what << "-" << result.error();
    return bool(result);
}

} // namespace

shell::MimeType impressionType()
{
    shell::MimeType type;
    type.name = QString::fromLatin1(ImpressionMimeType);
    type.comment = QStringLiteral("Corvel impression");
    // An impression is a vCard: contact programs may read it too.
    type.subClassOf = QStringLiteral("text/vcard");
    type.icon = QStringLiteral("quorvane");
    type.glob = QStringLiteral("*.imf");
    // The card's first line, and the file version that only impressions carry; the first line
    // alone would claim every vCard.
    type.firstLine = "BEGIN:VCARD";
    type.marker = "X-CORVEL-FILE-VERSION:";
    type.markerRange = 16384;
    return type;
}

QStringList programs()
{
    QStringList names;
    for (const Program& program : Programs)
        names << QString::fromLatin1(program.executable);
    return names;
}

shell::DesktopEntry programEntry(const QString& strProgram, const QString& strExecutable)
{
    shell::DesktopEntry entry;
    entry.id = strProgram;
    entry.program = strExecutable;
    entry.icon = strProgram;
    entry.categories = {QStringLiteral("Office"), QStringLiteral("ContactManagement")};
    if (const Program* program = find(strProgram)) {
        entry.name = QString::fromLatin1(program->name);
        entry.genericName = QString::fromLatin1(program->genericName);
        entry.comment = QString::fromLatin1(program->comment);
        entry.takesFile = program->opensImpressions;
        if (program->opensImpressions)
            entry.mimeTypes = {QString::fromLatin1(ImpressionMimeType)};
    } else {
        entry.name = strProgram;
    }
    return entry;
}

QIcon programIcon(const QString& strProgram)
{
    if (strProgram == QLatin1String("quorvane"))
        return icons::quorvaneIcon();
    if (strProgram == QLatin1String("brindlemark"))
        return icons::brindlemarkIcon();
    if (strProgram == QLatin1String("zephlorin"))
        return icons::zephlorinIcon();
    return {};
}

bool installProgram(const QString& strDataFolder, const QString& strProgram, const QString& strExecutable)
{
    const shell::DesktopEntry entry = programEntry(strProgram, strExecutable);
    bool ok = true;
    if (const QIcon icon = programIcon(strProgram); !icon.isNull())
        ok = succeeded(shell::writeThemeIcon(strDataFolder, entry.icon, icon),
                       QStringLiteral("the icon of ") + strProgram);
    return succeeded(shell::writeDesktopEntry(strDataFolder, entry), entry.fileName()) && ok;
}

bool uninstallProgram(const QString& strDataFolder, const QString& strProgram)
{
    const bool removed = shell::removeDesktopEntry(strDataFolder, strProgram);
    return shell::removeThemeIcon(strDataFolder, strProgram) && removed;
}

bool associateImpressionFiles(const QString& strProgram, const QString& strExecutable)
{
    const QString data = shell::userDataFolder();
    const shell::MimeType type = impressionType();
    bool ok = succeeded(shell::writeMimePackage(data, QString::fromLatin1(MimePackage), type),
                        QStringLiteral("the impression file type"));
    ok = installProgram(data, strProgram, strExecutable) && ok;
    ok = succeeded(shell::setDefaultApplication(shell::userConfigFolder(), type.name,
                                                strProgram + QStringLiteral(".desktop")),
                   QStringLiteral("the default application of impressions")) &&
         ok;
    if (!ok)
        return false;
    QString error;
    if (!shell::refreshMimeDatabase(data, &error) || !shell::refreshDesktopDatabase(data, &error)) {
        qWarning().noquote() << error;
        return false;
    }
    return true;
}

} // namespace desktopEntries
