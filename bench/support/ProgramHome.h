#pragma once

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

// A private home for the program processes of one benchmark: settings, registry, cache, data
// and runtime folders of their own, the offscreen platform, and the settings of a program that
// has run this version before (no wizard).
class ProgramHome
{
public:
    explicit ProgramHome(const QString& settingsName)
    {
        for (const char* folder : {"config", "cache", "data", "runtime"})
            QDir(m_dir.path()).mkpath(QString::fromLatin1(folder));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(m_dir.path()).mkpath(QStringLiteral("config/corvel"));
        QFile settings(m_dir.filePath(QStringLiteral("config/corvel/%1.conf").arg(settingsName)));
        if (settings.open(QIODevice::WriteOnly))
            settings.write("[Startup]\nLast Version=1.5.0\n");
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const char* folder : {"config", "cache", "data"})
            m_env.insert(QStringLiteral("XDG_%1_HOME").arg(QString::fromLatin1(folder).toUpper()),
                         m_dir.filePath(QString::fromLatin1(folder)));
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder());
        m_env.remove(QStringLiteral("DISPLAY"));
    }
    const QProcessEnvironment& environment() const { return m_env; }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString runtimeFolder() const { return m_dir.filePath(QStringLiteral("runtime")); }

private:
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
};
