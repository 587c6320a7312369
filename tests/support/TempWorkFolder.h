#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

namespace testing_support {

// Points $XDG_CACHE_HOME, and with it the program's work folder, at a fresh temporary folder
// for its lifetime, so that no test sees the temporary files of another.
class TempWorkFolder
{
public:
    TempWorkFolder() : m_previous(qgetenv("XDG_CACHE_HOME"))
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.path()));
    }
    ~TempWorkFolder() { qputenv("XDG_CACHE_HOME", m_previous); }
    TempWorkFolder(const TempWorkFolder&) = delete;
    TempWorkFolder& operator=(const TempWorkFolder&) = delete;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

} // namespace testing_support
