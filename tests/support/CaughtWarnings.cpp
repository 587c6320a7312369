#include "CaughtWarnings.h"

namespace testing_support {

namespace {

CaughtWarnings* g_current = nullptr;

} // namespace

CaughtWarnings::CaughtWarnings() : m_previous(qInstallMessageHandler(&CaughtWarnings::handler)), m_outer(g_current)
{
    g_current = this;
}

CaughtWarnings::~CaughtWarnings()
{
    g_current = m_outer;
    qInstallMessageHandler(m_previous);
}

bool CaughtWarnings::contains(const QString& text) const
{
    for (const QString& m : m_messages)
        if (m.contains(text))
            return true;
    return false;
}

void CaughtWarnings::handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && g_current) {
        g_current->m_messages += message;
        return;
    }
    if (g_current && g_current->m_previous)
        g_current->m_previous(type, context, message);
}

} // namespace testing_support
