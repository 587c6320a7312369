#include "platform/print/PainterTarget.h"

#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"

#include <QPagedPaintDevice>

#include <cstdlib>

namespace print {

namespace {

// Above this many device pixels a picture is stretched by the device instead of beforehand
// (a whole-page picture on a fine printer); the devices do not smooth it either.
constexpr qint64 maxPrescaledPixels = 16 * 1024 * 1024;

} // namespace

PainterTarget::~PainterTarget()
{
    Q_ASSERT(!m_painter.isActive());
}

void PainterTarget::beginPainting(const QString& docName)
{
    if (m_painter.isActive())
        return;
    QPaintDevice* device = beginDocument(docName);
    if (!device || !m_painter.begin(device)) {
        finishDocument(false);
        throw vb::Error::runtime(vb::err::NoPrinter, ui::programTitle());
    }
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_pageEnded = false;
    applyClip();
}

void PainterTarget::pausePainting()
{
    if (m_painter.isActive())
        m_painter.end();
}

void PainterTarget::abandonDocument()
{
    if (!m_painter.isActive())
        return;
    m_painter.end();
    finishDocument(false);
}

void PainterTarget::applyClip()
{
    if (hasClipRegion())
        m_painter.setClipRect(clipRegion());
    else
        m_painter.setClipping(false);
}

void PainterTarget::render(const DrawCall& call)
{
    switch (call.op) {
    case DrawOp::SetClip:
    case DrawOp::ReleaseClip:
        if (m_painter.isActive())
            applyClip();
        return;
    case DrawOp::StartDoc:
        beginPainting(call.text);
        return;
    case DrawOp::StartPage:
        beginPainting();
        if (m_pageEnded) {
            static_cast<QPagedPaintDevice*>(m_painter.device())->newPage();
            applyClip();
        }
        m_pageEnded = false;
        return;
    case DrawOp::EndPage:
        m_pageEnded = true;
        return;
    case DrawOp::NewPage:
        beginPainting();
        static_cast<QPagedPaintDevice*>(m_painter.device())->newPage();
        m_pageEnded = false;
        applyClip();
        return;
    case DrawOp::EndDoc:
    case DrawOp::KillDoc:
        if (m_painter.isActive()) {
            m_painter.end();
            finishDocument(call.op == DrawOp::EndDoc);
        }
        return;
    default:
        break;
    }

    beginPainting();
    switch (call.op) {
    case DrawOp::Text:
        drawText(call);
        break;
    case DrawOp::Line: {
        // A line covers the pixels of both ends; a device-context line stops short of its last pixel.
        QPen pen(call.color, 1, Qt::SolidLine, call.deviceContext ? Qt::FlatCap : Qt::SquareCap);
        m_painter.setPen(pen);
        m_painter.drawLine(QPointF(call.fromPx) + QPointF(0.5, 0.5), QPointF(call.toPx) + QPointF(0.5, 0.5));
        break;
    }
    case DrawOp::Box: {
        m_painter.setPen(QPen(call.color, 1));
        m_painter.setBrush(Qt::NoBrush);
        const QRect pixels = QRect(call.fromPx, call.toPx).normalized();
        m_painter.drawRect(QRectF(pixels.left() + 0.5, pixels.top() + 0.5, pixels.width() - 1, pixels.height() - 1));
        break;
    }
    case DrawOp::FilledBox:
        m_painter.fillRect(QRect(call.fromPx, call.toPx).normalized(), call.color);
        break;
    case DrawOp::Picture:
        drawPicture(call);
        break;
    default:
        break;
    }
}

void PainterTarget::drawText(const DrawCall& call)
{
    if (call.text.isEmpty())
        return;
    m_painter.save();
    m_painter.setFont(call.font);
    m_painter.setPen(call.color);
    m_painter.translate(call.fromPx);
    if (call.angle != 0)
        m_painter.rotate(-call.angle);
    const QFontMetricsF metrics(call.font, m_painter.device());
    const QStringList lines = textLines(call.text);
    for (int i = 0; i < lines.size(); ++i)
        m_painter.drawText(QPointF(0, metrics.ascent() + i * metrics.height()), lines[i]);
    m_painter.restore();
}

// The picture is stretched to whole device pixels by repeating or dropping pixels, never by
// blending them, so that the bars of a symbol keep hard edges at every size (a 1-bit picture
// stays 1-bit doing so).
void PainterTarget::drawPicture(const DrawCall& call)
{
    const int width = std::abs(call.toPx.x() - call.fromPx.x());
    const int height = std::abs(call.toPx.y() - call.fromPx.y());
    if (width == 0 || height == 0)
        return;
    const bool flipX = call.toPx.x() < call.fromPx.x();
    const bool flipY = call.toPx.y() < call.fromPx.y();
    QImage picture = flipX || flipY ? call.picture.mirrored(flipX, flipY) : call.picture;
    // A 1-bit picture (a card symbol) is line art: a PDF, and the printer that is sent one,
    // keeps it losslessly instead of as a JPEG whose ringing around the bars a printer or a
    // later raster would see. Other pictures keep the device's own compression.
    m_painter.setRenderHint(QPainter::LosslessImageRendering, picture.depth() == 1);
    const QPoint topLeft(std::min(call.fromPx.x(), call.toPx.x()), std::min(call.fromPx.y(), call.toPx.y()));
    if (qint64(width) * height <= maxPrescaledPixels) {
        if (picture.size() != QSize(width, height))
            picture = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        m_painter.drawImage(topLeft, picture);
    } else {
        m_painter.drawImage(QRect(topLeft, QSize(width, height)), picture);
    }
}

} // namespace print
