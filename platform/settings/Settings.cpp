#include "platform/settings/Settings.h"

#include "platform/settings/SettingsFile.h"

#include <QStandardPaths>

namespace settings {

namespace {

SettingsFile& fileOf(const QString& app)
{
    return SettingsFile::shared(settingsFilePath(app),
                                {QStringLiteral("Settings of %1, written by the program.").arg(app),
                                 QStringLiteral("[section] then key=value; blanks count; \\\\ \\n \\r \\t \\xHH "
                                                "\\uHHHH are escapes.")});
}

} // namespace

QString configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/corvel");
}

QString settingsFilePath(const QString& app)
{
    // Application names match without regard to case, like the other names.
    QString name = app.toCaseFolded();
    name.replace(u'/', u'_').replace(QChar(0), u'_');
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        name = QStringLiteral("_") + name;
    return configFolder() + u'/' + name + QStringLiteral(".conf");
}

QString getSetting(const QString& app, const QString& section, const QString& key, const QString& defaultValue)
{
    return fileOf(app).document().value(section, key).value_or(defaultValue);
}

bool saveSetting(const QString& app, const QString& section, const QString& key, const QString& value)
{
    return fileOf(app).modify([&](SettingsDocument& doc) { doc.setValue(section, key, value); });
}

bool saveSettings(const QString& app, const QString& section, const QList<std::pair<QString, QString>>& values)
{
    return fileOf(app).modify([&](SettingsDocument& doc) {
        for (const auto& [key, value] : values)
            doc.setValue(section, key, value);
    });
}

QString lastWriteError(const QString& app)
{
    const SettingsFile& file = fileOf(app);
    return file.lastError().isEmpty() ? QString() : file.path() + QStringLiteral(": ") + file.lastError();
}

bool deleteSetting(const QString& app, const QString& section, const QString& key)
{
    SettingsFile& file = fileOf(app);
    if (!file.document().value(section, key))
        return false;
    bool removed = false;
    return file.modify([&](SettingsDocument& doc) { removed = doc.removeValue(section, key); }) && removed;
}

bool deleteSetting(const QString& app, const QString& section)
{
    SettingsFile& file = fileOf(app);
    if (!file.document().section(section))
        return false;
    bool removed = false;
    return file.modify([&](SettingsDocument& doc) { removed = doc.removeSection(section); }) && removed;
}

QList<std::pair<QString, QString>> getAllSettings(const QString& app, const QString& section)
{
    QList<std::pair<QString, QString>> out;
    if (const auto* s = fileOf(app).document().section(section))
        for (const auto& e : s->entries)
            out.append({e.key, e.value});
    return out;
}

} // namespace settings
