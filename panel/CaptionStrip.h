#pragma once

#include <QPoint>
#include <QWidget>

#include <optional>

class QToolButton;

// The caption of a frameless window, drawn by the window itself so that it looks and works
// alike on every desktop: the window's title, a close box, and dragging the window by it.
class CaptionStrip : public QWidget
{
    Q_OBJECT

public:
    // Holds the close box, "cmdCaptionClose": it closes the window as its own close box would.
    explicit CaptionStrip(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Where a drag with the left button began: the pointer on the screen and the window's place.
    struct Drag
    {
        QPoint pointerFrom;
        QPoint windowFrom;
    };

    QToolButton* m_close;
    std::optional<Drag> m_drag;
};
