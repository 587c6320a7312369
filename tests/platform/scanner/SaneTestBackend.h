#pragma once

#include "platform/scanner/SaneSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <dlfcn.h>
#include <ostream>

#include <sane/sane.h>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// SANE's own "test" backend (devices "test:0" and "test:1"), enabled in a private configuration
// folder: every SANE session of the test process loads only the backends named here, with the
// test backend's defaults written to test.conf.
class SaneTestBackend
{
public:
    static SaneTestBackend& instance()
    {
        static SaneTestBackend backend;
        return backend;
    }

    // Enables the test backend (or no backend at all) with these extra test.conf lines.
    void configure(const QStringList& testConf = {}, bool enabled = true, bool restart = true)
    {
        write(QStringLiteral("dll.conf"), enabled ? QStringLiteral("test\n") : QString());
        // Every setting a test may change is written each time: the backend stays loaded, and a
        // setting missing from test.conf would keep the value an earlier test gave it.
        const QStringList lines = {
            QStringLiteral("number_of_devices 2"),
            QStringLiteral("test-picture \"Grid\""),
            QStringLiteral("br_x 40.0"),
            QStringLiteral("br_y 30.0"),
            QStringLiteral("hand-scanner false"),
            QStringLiteral("three-pass false"),
            QStringLiteral("three-pass-order RGB"),
            QStringLiteral("read-limit false"),
            QStringLiteral("read-delay false"),
            QStringLiteral("non-blocking false"),
            QStringLiteral("select-fd false"),
        };
        write(QStringLiteral("test.conf"), (lines + testConf).join(u'\n') + u'\n');
        held = false;
        if (restart)
            scanner::SaneSession::end(); // the next SANE call starts SANE again, reading the files
    }

    // The test program's stand-in for sane_get_devices (SaneScanTest.cpp) holds each listing while
    // `held` is set, 5 s at most, as a listing that looks for network scanners takes seconds.
    std::atomic_bool held = false, listing = false;

private:
    SaneTestBackend()
    {
        keepBackendLoaded();
        // Read once, at the first SANE initialisation of the process.
        qputenv("SANE_CONFIG_DIR", QFile::encodeName(m_dir.path()));
        configure();
    }

    // The test backend leaks the picture buffer of a scan cancelled midway (its reader thread is
    // stopped before freeing it). Kept loaded, the leak is reported under the backend's name,
    // which the leak checker is told to ignore below, instead of under an unloaded module.
    static void keepBackendLoaded()
    {
        Dl_info info{};
        if (::dladdr(reinterpret_cast<void*>(&sane_init), &info) && info.dli_fname) {
            const QString backend =
                QFileInfo(QString::fromLocal8Bit(info.dli_fname)).path() + QStringLiteral("/sane/libsane-test.so.1");
            ::dlopen(QFile::encodeName(backend).constData(), RTLD_NOW | RTLD_NODELETE);
        }
    }

    void write(const QString& name, const QString& text)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }

    QTemporaryDir m_dir;
};
