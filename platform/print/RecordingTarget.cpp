#include "platform/print/RecordingTarget.h"
#include "platform/units/Units.h"

namespace print {

namespace {

int pixels(double twips, double twipsPerPixel)
{
    return units::twipsToPixels(twips, twipsPerPixel);
}

} // namespace

RecordingTarget::RecordingTarget(double twipsPerPixel, const QSizeF& areaTwips, const QPointF& offsetTwips,
                                 const QSizeF& paperTwips)
    : m_metrics(1, 1, QImage::Format_RGB32)
{
    const double dpi = units::TwipsPerInch / twipsPerPixel;
    m_geometry.dpiX = dpi;
    m_geometry.dpiY = dpi;
    m_geometry.area = QSize(pixels(areaTwips.width(), twipsPerPixel), pixels(areaTwips.height(), twipsPerPixel));
    m_geometry.offset = QPoint(pixels(offsetTwips.x(), twipsPerPixel), pixels(offsetTwips.y(), twipsPerPixel));
    const QSizeF paper = paperTwips.isEmpty() ? areaTwips + 2 * QSizeF(offsetTwips.x(), offsetTwips.y()) : paperTwips;
    m_geometry.paper = QSize(pixels(paper.width(), twipsPerPixel), pixels(paper.height(), twipsPerPixel));
    const int dotsPerMeter = units::toWholePixels(dpi / 0.0254);
    m_metrics.setDotsPerMeterX(dotsPerMeter);
    m_metrics.setDotsPerMeterY(dotsPerMeter);
}

void RecordingTarget::render(const DrawCall& call)
{
    m_calls.append(call);
}

QList<DrawCall> RecordingTarget::calls(DrawOp op) const
{
    QList<DrawCall> found;
    for (const DrawCall& call : m_calls) {
        if (call.op == op)
            found.append(call);
    }
    return found;
}

QStringList RecordingTarget::texts() const
{
    QStringList found;
    for (const DrawCall& call : m_calls) {
        if (call.op == DrawOp::Text)
            found.append(call.text);
    }
    return found;
}

QString RecordingTarget::dump() const
{
    QStringList lines;
    for (const DrawCall& call : m_calls)
        lines.append(call.toString());
    return lines.join(u'\n');
}

} // namespace print
