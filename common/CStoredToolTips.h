#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

// Remembers the tool tips of a window's controls so that the "ToolTips" preference can
// empty them all and put them all back while the window is open. The tips are captured
// once, by SetOwner; clearing and restoring never change what was captured. Each tip is
// kept with its own control (a toolbar's buttons count as controls), so a control added
// after the capture never receives another control's tip: it is emptied by a clear and
// left alone by a restore.
class CStoredToolTips
{
public:
    // `bWithToolbarButtons` false: the toolbar buttons are left alone (the panel's edition).
    explicit CStoredToolTips(bool bWithToolbarButtons = true);
    ~CStoredToolTips();

    // Keeps `frm` as the owner and captures its tool tips; call it after the window has
    // set its own tips.
    void SetOwner(QWidget* frm);
    // Empties the tip of every control of the owner.
    void ClearAllToolTips();
    // Gives every captured control its captured tip again.
    void RestoreAllToolTips();
    // Releases the owner.
    void Class_Terminate();

private:
    struct Slot
    {
        QPointer<QObject> control;
        QString text;
    };

    void captureToolTips();
    int countToolTipSlots() const;
    QList<QObject*> controls() const;

    QPointer<QWidget> m_owner;
    bool m_withToolbarButtons;
    QList<Slot> m_store;
};
