#pragma once

// The memory a process holds in RAM (its resident set), for benchmarks that start programs.
#include <QByteArray>
#include <QFile>
#include <QString>

// Megabytes resident for process `pid`; -1 when it cannot be read.
inline double residentMegabytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}
