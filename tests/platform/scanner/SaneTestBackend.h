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
#include <semaphore>

#include <sane/sane.h>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// SANE's own "test" backend (devices "test:0" and "test:1"), enabled in a private configuration
// folder: SANE, started afresh by configure(), loads only the backends named here, with the test
// backend's defaults written to test.conf.
//
// The test program puts stand-ins in front of sane_init and sane_get_devices (SaneScanTest.cpp):
// they note the calls and hold a device listing as long as a test needs, as a listing that looks
// for network scanners takes seconds.
class SaneTestBackend
{
public:
    static SaneTestBackend& instance()
    {
        static SaneTestBackend backend;
        return backend;
    }

    // Enables the test backend (or no backend at all) with these extra test.conf lines.
    void configure(const QStringList& testConf = {}, bool enabled = true)
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
        releaseListing();
        scanner::SaneSession::end(); // the next SANE call starts SANE again, reading the files
        starts = 0;
        callsOnInterfaceThread = 0;
    }

    // From now on device listings wait until released, 5 s at most; `listing` is true meanwhile.
    void holdListing()
    {
        while (released.try_acquire()) {
        }
        held = true;
    }
    void releaseListing()
    {
        if (held.exchange(false))
            released.release();
    }

    // What the stand-ins note: sane_init calls since configure(), SANE calls made on the
    // interface thread, a listing held.
    std::atomic_int starts = 0;
    std::atomic_int callsOnInterfaceThread = 0;
    std::atomic_bool held = false;
    std::atomic_bool listing = false;
    std::binary_semaphore released{0};

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
        if (::dladdr(reinterpret_cast<void*>(&sane_strstatus), &info) && info.dli_fname) {
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
