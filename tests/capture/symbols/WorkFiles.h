#pragma once

#include "TempWorkFolder.h"

#include <QByteArray>
#include <QFile>

#include <gtest/gtest.h>

using testing_support::TempWorkFolder;

// A file's bytes, or "<missing>".
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}
