#pragma once

// The child's side of a ChildProcess: lines out on stdout, lines in from stdin. Header-only, so
// that helper programs link nothing of the test support.
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QString>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace testing_support {

// Prints one line and flushes it at once, so that the test sees it before anything that follows.
inline void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Hands each line that arrives on stdin (without its line end) to `onLine`; the end of input
// quits the application.
inline void watchInputLines(std::function<void(const QByteArray&)> onLine)
{
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier, onLine = std::move(onLine)] {
        static QByteArray pending;
        char chunk[256];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n <= 0) {
            notifier->setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        pending.append(chunk, n);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0;) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            onLine(line);
        }
    });
}

} // namespace testing_support
