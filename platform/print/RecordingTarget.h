#pragma once

#include "platform/print/Target.h"
#include "platform/units/Units.h"

#include <QList>

namespace print {

// A target that keeps every call instead of drawing it, with its arguments in scale units
// and in device pixels, and measures text as a real device of its resolution would. It
// stands for a printer or a picture box in tests of what is drawn where.
class RecordingTarget : public Target
{
public:
    // A device of `twipsPerPixel` (15: a picture box; 2.4: a 600 dpi printer) whose drawable
    // area is `areaTwips`, lying `offsetTwips` from the corner of a sheet of `paperTwips`
    // (empty: the drawable area and the offsets on every side).
    explicit RecordingTarget(double twipsPerPixel = units::TwipsPerScreenPixel,
                             const QSizeF& areaTwips = QSizeF(letterWidthTwips, letterHeightTwips),
                             const QPointF& offsetTwips = QPointF(), const QSizeF& paperTwips = QSizeF());

    QString deviceName() override { return m_name; }
    void setDeviceName(const QString& name) { m_name = name; }

    const QList<DrawCall>& calls() const { return m_calls; }
    // The calls of one kind, in order.
    QList<DrawCall> calls(DrawOp op) const;
    // The texts printed, in order.
    QStringList texts() const;
    // Every call, one per line.
    QString dump() const;
    void clear() { m_calls.clear(); }

protected:
    DeviceGeometry geometry() override { return m_geometry; }
    const QPaintDevice& metricsDevice() override { return m_metrics; }
    void render(const DrawCall& call) override;

private:
    QString m_name = QStringLiteral("Recorder");
    DeviceGeometry m_geometry;
    QImage m_metrics;
    QList<DrawCall> m_calls;
};

} // namespace print
