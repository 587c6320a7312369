#pragma once

// CPU time spent by this process and by the processes it started that are still running (the
// symbol-reader helper), for benchmarks whose work is partly done in a helper: Google
// Benchmark's own CPU time counts this process's benchmark thread only.
#include <QDir>
#include <QFile>
#include <QString>

#include <ctime>
#include <unistd.h>

class CpuTime
{
public:
    // Seconds of CPU time so far: this process's, plus that of its running children.
    static double now()
    {
        timespec own{};
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &own);
        double seconds = double(own.tv_sec) + double(own.tv_nsec) / 1e9;
        for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            if (parentOf(pid) == ::getpid())
                seconds += threadsTime(pid);
        }
        return seconds;
    }

private:
    static qint64 parentOf(const QString& pid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return -1;
        // "pid (name) state ppid ...": the name may hold blanks and parentheses.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        return fields.size() > 1 ? fields[1].toLongLong() : -1;
    }

    // The time on a CPU of every thread, in nanoseconds in the first field of schedstat.
    static double threadsTime(const QString& pid)
    {
        double seconds = 0;
        const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
        for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile schedstat(tasks.filePath(tid + QStringLiteral("/schedstat")));
            if (schedstat.open(QIODevice::ReadOnly))
                seconds += schedstat.readAll().split(' ').value(0).toDouble() / 1e9;
        }
        return seconds;
    }
};
