#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace testing_support {

// Points $XDG_CONFIG_HOME (settings, registry hives) at a fresh temporary folder for its
// lifetime, so that each test starts from an empty store.
class TempConfig
{
public:
    TempConfig();
    ~TempConfig();
    TempConfig(const TempConfig&) = delete;
    TempConfig& operator=(const TempConfig&) = delete;

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

} // namespace testing_support
