#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace scanner {

// A scanner SANE knows of.
struct SaneDevice
{
    QString name; // what sane_open takes, e.g. "genesys:libusb:001:004"
    QString vendor;
    QString model;
    QString type;

    // "Vendor Model" for a list shown to the user.
    QString displayName() const;
};

// SANE for the whole run of the program, on a thread of its own. SANE calls block (listing the
// devices looks for network scanners for seconds) and a device must be used from one thread only,
// so every SANE call of the program runs on this one thread, in the order asked for, while the
// interface thread goes on. SANE starts with the first job, stays started, and ends when the
// application ends.
class SaneSession
{
public:
    // Queues `job` for the SANE thread; it runs after the jobs queued before it, with SANE started.
    // When SANE could not start, `startError` says why (the next job tries again).
    static void run(std::function<void(const QString& startError)> job);
    // From a job: runs `work` on the interface thread (the one that queued the first job), from
    // its event loop.
    static void reply(std::function<void()> work);
    // Ends SANE once the jobs queued before have run, and waits for that; the next job starts it
    // again. The application's end calls it.
    static void end();

    // On the SANE thread: every scanner found, network scanners included. Blocks while the
    // backends look.
    static QList<SaneDevice> devices();
};

} // namespace scanner
