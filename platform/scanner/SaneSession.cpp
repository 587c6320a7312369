#include "platform/scanner/SaneSession.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QThread>

#include <sane/sane.h>

namespace scanner {

namespace {

// The SANE thread, and the object on the interface thread that its replies are queued to.
struct SaneThread
{
    SaneThread()
    {
        thread.setObjectName(QStringLiteral("SANE"));
        jobs.moveToThread(&thread);
        thread.start();
    }

    QThread thread;
    QObject jobs; // lives on the SANE thread: each job is a call queued to it
    QObject replies;
    bool started = false; // SANE is initialised; used on the SANE thread only
};

SaneThread* s_thread = nullptr;

// At the application's end: SANE ends and its thread with it.
void stopAtExit()
{
    if (!s_thread)
        return;
    SaneSession::end();
    s_thread->thread.quit();
    s_thread->thread.wait();
    delete s_thread;
    s_thread = nullptr;
}

SaneThread& saneThread()
{
    if (!s_thread) {
        s_thread = new SaneThread;
        qAddPostRoutine(&stopAtExit);
    }
    return *s_thread;
}

} // namespace

QString SaneDevice::displayName() const
{
    QString shown = (vendor + u' ' + model).trimmed();
    return shown.isEmpty() ? name : shown;
}

void SaneSession::run(std::function<void(const QString& startError)> job)
{
    SaneThread& sane = saneThread();
    QMetaObject::invokeMethod(
        &sane.jobs,
        [&sane, job = std::move(job)] {
            QString error;
            if (!sane.started) {
                SANE_Int version = 0;
                const SANE_Status status = sane_init(&version, nullptr);
                if (status == SANE_STATUS_GOOD)
                    sane.started = true;
                else
                    error = QStringLiteral("The scanner library could not start: %1").arg(sane_strstatus(status));
            }
            job(error);
        },
        Qt::QueuedConnection);
}

void SaneSession::reply(std::function<void()> work)
{
    QMetaObject::invokeMethod(&s_thread->replies, std::move(work), Qt::QueuedConnection);
}

void SaneSession::end()
{
    if (!s_thread)
        return;
    QSemaphore ended;
    QMetaObject::invokeMethod(
        &s_thread->jobs,
        [&ended, &sane = *s_thread] {
            if (sane.started)
                sane_exit();
            sane.started = false;
            ended.release();
        },
        Qt::QueuedConnection);
    ended.acquire();
}

QList<SaneDevice> SaneSession::devices()
{
    QList<SaneDevice> found;
    const SANE_Device** list = nullptr;
    if (sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
        return found;
    for (; *list; ++list) {
        const SANE_Device& d = **list;
        found.append({QString::fromUtf8(d.name), QString::fromUtf8(d.vendor), QString::fromUtf8(d.model),
                      QString::fromUtf8(d.type)});
    }
    return found;
}

} // namespace scanner
