#pragma once

#include <QObject>
#include <QPointer>

class frmZephlorin;

// Hooks the panel into the events of one of its widgets: each event goes to the panel's
// WindowProc before the widget sees it, and stops there when WindowProc says so. It holds the
// panel weakly: once the panel is gone, every event goes on as if unhooked.
class SubclassFilter : public QObject
{
    Q_OBJECT

public:
    // Installs itself on `watched`, which owns it; deleting it unhooks.
    SubclassFilter(frmZephlorin& form, QObject& watched);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<frmZephlorin> m_form;
};
