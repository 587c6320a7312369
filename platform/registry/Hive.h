#pragma once

#include "platform/registry/RegistryValue.h"

#include <QStringList>

namespace settings {
class SettingsFile;
}

namespace registry {

// One root of the registry as files: the user's own hive file, which is read and
// written, over the read-only hive files of the system (an installation's entries).
// Keys are sections of a settings document, named by their path below the root
// ("SOFTWARE\Microsoft\..."); values are its entries, the default value under the
// empty name. Key paths and value names match without regard to case.
class Hive
{
public:
    Hive(const QString& userFile, const QStringList& systemFiles);

    // A key exists when it or a key below it is stored in any layer; the root always does.
    bool keyExists(const QString& path) const;
    // The value from the user's layer, else from the first system layer that has it.
    std::optional<RegistryValue> value(const QString& path, const QString& name) const;

    // Whether the user's layer can be written.
    bool isWritable() const;
    bool createKey(const QString& path);
    bool setValue(const QString& path, const QString& name, const RegistryValue& value);

private:
    QList<settings::SettingsFile*> m_layers; // the user's first
};

} // namespace registry
