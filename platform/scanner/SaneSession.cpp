#include "platform/scanner/SaneSession.h"

#include <sane/sane.h>

namespace scanner {

namespace {

int s_sessions = 0;

} // namespace

QString SaneDevice::displayName() const
{
    QString shown = (vendor + u' ' + model).trimmed();
    return shown.isEmpty() ? name : shown;
}

SaneSession::SaneSession()
{
    if (s_sessions == 0) {
        SANE_Int version = 0;
        const SANE_Status status = sane_init(&version, nullptr);
        if (status != SANE_STATUS_GOOD) {
            m_error = QStringLiteral("The scanner library could not start: %1").arg(sane_strstatus(status));
            return;
        }
    }
    ++s_sessions;
    m_ok = true;
}

SaneSession::~SaneSession()
{
    if (m_ok && --s_sessions == 0)
        sane_exit();
}

QList<SaneDevice> SaneSession::devices()
{
    QList<SaneDevice> found;
    const SANE_Device** list = nullptr;
    if (!m_ok || sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
        return found;
    for (; *list; ++list) {
        const SANE_Device& d = **list;
        found.append({QString::fromUtf8(d.name), QString::fromUtf8(d.vendor), QString::fromUtf8(d.model),
                      QString::fromUtf8(d.type)});
    }
    return found;
}

} // namespace scanner
