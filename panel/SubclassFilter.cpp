#include "panel/SubclassFilter.h"

#include "panel/frmZephlorin.h"

SubclassFilter::SubclassFilter(frmZephlorin& form, QObject& watched) : QObject(&watched), m_form(&form)
{
    setObjectName(QStringLiteral("SubclassFilter"));
    watched.installEventFilter(this);
}

bool SubclassFilter::eventFilter(QObject* watched, QEvent* event)
{
    return m_form && m_form->WindowProc(watched, event);
}
