#pragma once

#include "platform/print/PictureBoxTarget.h"

#include <QWidget>

namespace print {

// A picture box control: shows the picture of its target, which is as large as the control.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    PictureBoxTarget& target() { return m_target; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    PictureBoxTarget m_target;
};

} // namespace print
