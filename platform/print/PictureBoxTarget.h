#pragma once

#include "platform/print/PainterTarget.h"

#include <functional>

namespace print {

// A picture box's persistent picture: an image at the screen's 15 twips per pixel. A zoom
// is a user scale of 15 / zoom twips per pixel, as the print preview sets it. There are no
// pages or documents: newPage, endDoc, killDoc and the document calls raise vb::Error 438.
class PictureBoxTarget : public PainterTarget
{
public:
    explicit PictureBoxTarget(const QSize& pixels = QSize(), const QColor& backColor = Qt::white);
    ~PictureBoxTarget() override;

    // Resizes the picture, keeping what it shows at its top-left; new parts get the back colour.
    void resize(const QSize& pixels);
    QSize size() const { return m_image.size(); }

    // Sets the scale to twips divided by `zoom`, from the top-left corner.
    void setZoom(double zoom);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);
    // Clears the picture to the back colour and puts the current position at the scale's corner.
    void cls();

    // The picture as drawn so far.
    const QImage& image();

    // Called after every change of the picture (a widget showing it repaints).
    void setChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }

protected:
    DeviceGeometry geometry() override;
    const QPaintDevice& metricsDevice() override { return m_image; }
    void render(const DrawCall& call) override;
    QPaintDevice* beginDocument(const QString& docName) override { return &m_image; }
    void finishDocument(bool keep) override {}

private:
    QImage m_image;
    QColor m_backColor;
    std::function<void()> m_changed;
};

} // namespace print
