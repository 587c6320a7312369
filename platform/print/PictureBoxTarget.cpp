#include "platform/print/PictureBoxTarget.h"
#include "platform/units/Units.h"

#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"

#include <QPainter>

#include <cmath>

namespace print {

namespace {

constexpr double inchesPerMeter = 1 / 0.0254;

QImage blankImage(const QSize& pixels, const QColor& color)
{
    QImage image(pixels.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    const int dotsPerMeter = units::toWholePixels(units::NominalScreenDpi * inchesPerMeter);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(color);
    return image;
}

} // namespace

PictureBoxTarget::PictureBoxTarget(const QSize& pixels, const QColor& backColor)
    : m_image(blankImage(pixels, backColor)), m_backColor(backColor)
{
}

PictureBoxTarget::~PictureBoxTarget()
{
    abandonDocument();
}

void PictureBoxTarget::resize(const QSize& pixels)
{
    if (pixels == m_image.size())
        return;
    pausePainting();
    QImage resized = blankImage(pixels, m_backColor);
    QPainter painter(&resized);
    painter.drawImage(0, 0, m_image);
    painter.end();
    m_image = resized;
    deviceChanged();
    if (m_changed)
        m_changed();
}

void PictureBoxTarget::setZoom(double zoom)
{
    const double unitsPerPixel = units::TwipsPerScreenPixel / zoom;
    setScale(0, 0, m_image.width() * unitsPerPixel, m_image.height() * unitsPerPixel);
}

void PictureBoxTarget::setBackColor(const QColor& color)
{
    m_backColor = color;
    cls();
}

void PictureBoxTarget::cls()
{
    pausePainting();
    m_image.fill(m_backColor);
    setCurrentX(scaleLeft());
    setCurrentY(scaleTop());
    if (m_changed)
        m_changed();
}

const QImage& PictureBoxTarget::image()
{
    pausePainting();
    return m_image;
}

DeviceGeometry PictureBoxTarget::geometry()
{
    DeviceGeometry g;
    g.area = m_image.size();
    g.paper = m_image.size();
    return g;
}

void PictureBoxTarget::render(const DrawCall& call)
{
    switch (call.op) {
    case DrawOp::StartDoc:
    case DrawOp::StartPage:
    case DrawOp::EndPage:
    case DrawOp::NewPage:
    case DrawOp::EndDoc:
    case DrawOp::KillDoc:
        throw vb::Error::runtime(vb::err::ObjectDoesNotSupport, ui::programTitle());
    default:
        break;
    }
    PainterTarget::render(call);
    if (m_changed && call.op != DrawOp::SetClip && call.op != DrawOp::ReleaseClip)
        m_changed();
}

} // namespace print
