#include "platform/registry/Hive.h"

#include "platform/settings/SettingsFile.h"

namespace registry {

namespace {

const QStringList& hiveHeader()
{
    static const QStringList header{
        QStringLiteral("Registry hive of the Corvel programs: [key path] then value name=type:data."),
        QStringLiteral("The default value of a key has the empty name (its line starts with \"=\").")};
    return header;
}

bool layerHasKey(settings::SettingsFile& layer, const QString& path)
{
    const QString prefix = path + u'\\';
    for (const auto& section : layer.document().sections())
        if (section.name.compare(path, Qt::CaseInsensitive) == 0 ||
            section.name.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

Hive::Hive(const QString& userFile, const QStringList& systemFiles)
{
    m_layers.append(&settings::SettingsFile::shared(userFile, hiveHeader()));
    for (const QString& file : systemFiles)
        m_layers.append(&settings::SettingsFile::shared(file, hiveHeader()));
}

bool Hive::keyExists(const QString& path) const
{
    if (path.isEmpty())
        return true;
    for (auto* layer : m_layers)
        if (layerHasKey(*layer, path))
            return true;
    return false;
}

std::optional<RegistryValue> Hive::value(const QString& path, const QString& name) const
{
    for (auto* layer : m_layers) {
        const auto text = layer->document().value(path, name);
        if (!text)
            continue;
        auto value = RegistryValue::fromText(*text);
        if (!value)
            qWarning("Registry file %s: value \"%s\" of key \"%s\" is damaged and reads as missing.",
                     qPrintable(layer->path()), qPrintable(name), qPrintable(path));
        return value;
    }
    return std::nullopt;
}

bool Hive::isWritable() const
{
    return m_layers.first()->isWritable();
}

bool Hive::createKey(const QString& path)
{
    if (path.isEmpty() || layerHasKey(*m_layers.first(), path))
        return true;
    return m_layers.first()->modify([&](settings::SettingsDocument& doc) { doc.ensureSection(path); });
}

bool Hive::setValue(const QString& path, const QString& name, const RegistryValue& value)
{
    return m_layers.first()->modify([&](settings::SettingsDocument& doc) { doc.setValue(path, name, value.toText()); });
}

} // namespace registry
