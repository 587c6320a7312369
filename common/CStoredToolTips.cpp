#include "common/CStoredToolTips.h"

#include "platform/ui/ToolTips.h"

CStoredToolTips::CStoredToolTips(bool bWithToolbarButtons) : m_withToolbarButtons(bWithToolbarButtons) {}

CStoredToolTips::~CStoredToolTips()
{
    Class_Terminate();
}

void CStoredToolTips::SetOwner(QWidget* frm)
{
    m_owner = frm;
    captureToolTips();
}

QList<QObject*> CStoredToolTips::controls() const
{
    return m_owner ? ui::toolTipControls(m_owner, m_withToolbarButtons) : QList<QObject*>();
}

int CStoredToolTips::countToolTipSlots() const
{
    return static_cast<int>(controls().size());
}

void CStoredToolTips::captureToolTips()
{
    m_store.clear();
    m_store.reserve(countToolTipSlots());
    for (QObject* c : controls())
        m_store.append(Slot{c, ui::toolTipOf(c)});
}

void CStoredToolTips::ClearAllToolTips()
{
    for (QObject* c : controls())
        ui::setToolTipOf(c, QString());
}

void CStoredToolTips::RestoreAllToolTips()
{
    for (const Slot& s : m_store)
        if (s.control)
            ui::setToolTipOf(s.control, s.text);
}

void CStoredToolTips::Class_Terminate()
{
    m_owner = nullptr;
}
