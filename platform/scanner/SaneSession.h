#pragma once

#include <QList>
#include <QString>

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

// Keeps SANE initialised while at least one session lives: the first session initialises it,
// the last one to end shuts it down again, so that no backend stays loaded (or a device
// claimed) between scans. Sessions nest, e.g. listing devices while an acquisition runs.
class SaneSession
{
public:
    SaneSession();
    ~SaneSession();
    SaneSession(const SaneSession&) = delete;
    SaneSession& operator=(const SaneSession&) = delete;

    explicit operator bool() const { return m_ok; }
    const QString& error() const { return m_error; }

    // Every scanner found, network scanners included. Blocks while the backends look.
    QList<SaneDevice> devices();

private:
    bool m_ok = false;
    QString m_error;
};

} // namespace scanner
