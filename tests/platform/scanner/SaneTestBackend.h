#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

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
    void configure(const QStringList& testConf = {}, bool enabled = true)
    {
        write(QStringLiteral("dll.conf"), enabled ? QStringLiteral("test\n") : QString());
        QStringList lines = {QStringLiteral("number_of_devices 2"), QStringLiteral("test-picture \"Grid\""),
                             QStringLiteral("br_x 40.0"), QStringLiteral("br_y 30.0")};
        write(QStringLiteral("test.conf"), (lines + testConf).join(u'\n') + u'\n');
    }

private:
    SaneTestBackend()
    {
        // Read once, at the first SANE initialisation of the process.
        qputenv("SANE_CONFIG_DIR", QFile::encodeName(m_dir.path()));
        configure();
    }

    void write(const QString& name, const QString& text)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }

    QTemporaryDir m_dir;
};
