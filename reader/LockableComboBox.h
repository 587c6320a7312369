#pragma once

#include <QComboBox>

// An editable drop-down combo box that can be locked: its text can then be selected and
// copied but not changed, neither by typing nor by choosing from its list, whose drop-down
// does not open. Its text has no length limit.
class LockableComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit LockableComboBox(QWidget* parent = nullptr);

    void setLocked(bool locked);
    bool isLocked() const { return m_locked; }

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool m_locked = false;
};
