#include "platform/print/Target.h"
#include "platform/units/Units.h"

#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbNumber.h"

#include <QPaintDevice>

#include <algorithm>

namespace print {

namespace {

constexpr double defaultFontSize = 8.25;
constexpr int boldWeight = 700;
constexpr int normalWeight = 400;

// The faces the programs name, mapped to the metric-compatible faces of this system
// where the named face itself is not installed.
void installFontSubstitutes()
{
    static const bool installed = [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

Target::Target() : m_fontName(QStringLiteral("Arial")), m_fontSize(defaultFontSize)
{
    installFontSubstitutes();
}

Target::~Target() = default;

QString Target::deviceName()
{
    requireDevice();
    return QString();
}

double Target::twipsPerPixelX()
{
    requireDevice();
    return units::twipsPerPixel(geometry().dpiX);
}

double Target::twipsPerPixelY()
{
    requireDevice();
    return units::twipsPerPixel(geometry().dpiY);
}

int Target::deviceCaps(DeviceCap cap)
{
    requireDevice();
    const DeviceGeometry g = geometry();
    switch (cap) {
    case DeviceCap::HorzRes:
        return g.area.width();
    case DeviceCap::VertRes:
        return g.area.height();
    case DeviceCap::LogPixelsX:
        return vb::toInt32(g.dpiX);
    case DeviceCap::LogPixelsY:
        return vb::toInt32(g.dpiY);
    case DeviceCap::PhysicalWidth:
        return g.paper.width();
    case DeviceCap::PhysicalHeight:
        return g.paper.height();
    case DeviceCap::PhysicalOffsetX:
        return g.offset.x();
    case DeviceCap::PhysicalOffsetY:
        return g.offset.y();
    }
    return 0;
}

double Target::scaleLeft()
{
    requireDevice();
    return m_userScale ? m_userScale->left() : 0.0;
}

double Target::scaleTop()
{
    requireDevice();
    return m_userScale ? m_userScale->top() : 0.0;
}

double Target::scaleWidth()
{
    requireDevice();
    return m_userScale ? m_userScale->width() : geometry().area.width() * units::twipsPerPixel(geometry().dpiX);
}

double Target::scaleHeight()
{
    requireDevice();
    return m_userScale ? m_userScale->height() : geometry().area.height() * units::twipsPerPixel(geometry().dpiY);
}

void Target::setScale(double left, double top, double width, double height)
{
    requireDevice();
    m_userScale = QRectF(left, top, width, height);
    m_currentX = left;
    m_currentY = top;
}

void Target::setScaleTwips()
{
    requireDevice();
    m_userScale.reset();
    m_currentX = 0;
    m_currentY = 0;
}

double Target::currentX()
{
    requireDevice();
    return m_currentX;
}

double Target::currentY()
{
    requireDevice();
    return m_currentY;
}

void Target::setCurrentX(double x)
{
    requireDevice();
    m_currentX = x;
}

void Target::setCurrentY(double y)
{
    requireDevice();
    m_currentY = y;
}

QString Target::fontName()
{
    requireDevice();
    return m_fontName;
}

void Target::setFontName(const QString& name)
{
    requireDevice();
    m_fontName = name;
    fontChanged();
}

double Target::fontSize()
{
    requireDevice();
    return m_fontSize;
}

void Target::setFontSize(double points)
{
    requireDevice();
    if (!(points > 0))
        throw vb::Error(380, ui::programTitle(), QStringLiteral("Invalid property value"));
    m_fontSize = points;
    fontChanged();
}

bool Target::fontBold()
{
    requireDevice();
    return m_bold;
}

void Target::setFontBold(bool bold)
{
    requireDevice();
    m_bold = bold;
    fontChanged();
}

bool Target::fontItalic()
{
    requireDevice();
    return m_italic;
}

void Target::setFontItalic(bool italic)
{
    requireDevice();
    m_italic = italic;
    fontChanged();
}

bool Target::fontUnderline()
{
    requireDevice();
    return m_underline;
}

void Target::setFontUnderline(bool underline)
{
    requireDevice();
    m_underline = underline;
    fontChanged();
}

bool Target::fontStrikethru()
{
    requireDevice();
    return m_strikethru;
}

void Target::setFontStrikethru(bool strikethru)
{
    requireDevice();
    m_strikethru = strikethru;
    fontChanged();
}

// A change of a font property realises the font anew, upright as the properties describe it.
void Target::fontChanged()
{
    m_escapement = 0;
    deviceChanged();
}

void Target::deviceChanged()
{
    m_font.reset();
    m_metrics.reset();
}

QFont Target::font()
{
    requireDevice();
    if (!m_font) {
        QFont font(m_fontName);
        // Fonts are realised in whole device pixels, as the device-context fonts are.
        font.setPixelSize(std::max(1, vb::toInt32(m_fontSize * geometry().dpiY / units::PointsPerInch)));
        font.setBold(m_bold);
        font.setItalic(m_italic);
        font.setUnderline(m_underline);
        font.setStrikeOut(m_strikethru);
        // Characters advance by their own widths, so a line measures the sum of its characters.
        font.setKerning(false);
        m_font = QFont(font, &metricsDevice());
    }
    return *m_font;
}

const QFontMetricsF& Target::metrics()
{
    if (!m_metrics)
        m_metrics.emplace(font(), &metricsDevice());
    return *m_metrics;
}

double Target::textWidth(const QString& text)
{
    requireDevice();
    double widest = 0;
    for (const QString& line : textLines(text))
        widest = std::max(widest, metrics().horizontalAdvance(line));
    return widest * unitsPerPixelX();
}

double Target::textHeight(const QString& text)
{
    requireDevice();
    return textLines(text).size() * metrics().height() * unitsPerPixelY();
}

DrawCall Target::textCall(const QPoint& at, const QString& text)
{
    DrawCall call;
    call.op = DrawOp::Text;
    call.fromPx = at;
    call.text = text;
    call.font = font();
    call.angle = m_escapement / 10.0;
    call.color = m_foreColor;
    return call;
}

void Target::print(const QString& text, bool lineBreak)
{
    requireDevice();
    const double width = textWidth(text);
    const double height = textHeight(text);
    DrawCall call = textCall(toPixels(m_currentX, m_currentY), text);
    call.from = QPointF(m_currentX, m_currentY);
    call.to = QPointF(m_currentX + width, m_currentY + height);
    render(call);
    if (lineBreak) {
        m_currentX = scaleLeft();
        m_currentY += height;
    } else {
        m_currentX += width;
    }
}

void Target::line(double x1, double y1, double x2, double y2, LineStyle style)
{
    line(x1, y1, x2, y2, m_foreColor, style);
}

void Target::line(double x1, double y1, double x2, double y2, const QColor& color, LineStyle style)
{
    requireDevice();
    DrawCall call;
    call.op = style == LineStyle::Line ? DrawOp::Line : style == LineStyle::Box ? DrawOp::Box : DrawOp::FilledBox;
    call.from = QPointF(x1, y1);
    call.to = QPointF(x2, y2);
    call.fromPx = toPixels(x1, y1);
    call.toPx = toPixels(x2, y2);
    call.color = color;
    render(call);
    m_currentX = x2;
    m_currentY = y2;
}

void Target::paintPicture(const QImage& picture, double x, double y, double width, double height)
{
    requireDevice();
    if (picture.isNull())
        throw vb::Error(481, ui::programTitle(), QStringLiteral("Invalid picture"));
    DrawCall call;
    call.op = DrawOp::Picture;
    call.from = QPointF(x, y);
    call.to = QPointF(x + width, y + height);
    call.fromPx = toPixels(x, y);
    call.toPx = toPixels(x + width, y + height);
    call.picture = picture;
    render(call);
}

void Target::setClipRegion(int left, int top, int right, int bottom)
{
    requireDevice();
    m_clip = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    DrawCall call;
    call.op = DrawOp::SetClip;
    call.deviceContext = true;
    call.fromPx = QPoint(left, top);
    call.toPx = QPoint(right, bottom);
    call.from = toUnits(call.fromPx);
    call.to = toUnits(call.toPx);
    render(call);
}

// Never raises: it is what error paths call to clean up.
void Target::releaseClipRegion()
{
    if (!m_clip)
        return;
    m_clip.reset();
    DrawCall call;
    call.op = DrawOp::ReleaseClip;
    call.deviceContext = true;
    render(call);
}

void Target::newPage()
{
    requireDevice();
    DrawCall call;
    call.op = DrawOp::NewPage;
    render(call);
    m_currentX = scaleLeft();
    m_currentY = scaleTop();
}

void Target::endDoc()
{
    requireDevice();
    endDocument(DrawOp::EndDoc);
}

void Target::killDoc()
{
    requireDevice();
    endDocument(DrawOp::KillDoc);
}

// A finished document leaves a fresh device behind: no clip region, the position at the corner.
void Target::endDocument(DrawOp op)
{
    m_clip.reset();
    m_currentX = scaleLeft();
    m_currentY = scaleTop();
    m_position = QPoint();
    DrawCall call;
    call.op = op;
    render(call);
}

void Target::startDoc(const QString& docName)
{
    requireDevice();
    DrawCall call;
    call.op = DrawOp::StartDoc;
    call.deviceContext = true;
    call.text = docName;
    render(call);
}

void Target::startPage()
{
    requireDevice();
    DrawCall call;
    call.op = DrawOp::StartPage;
    call.deviceContext = true;
    render(call);
}

void Target::endPage()
{
    requireDevice();
    DrawCall call;
    call.op = DrawOp::EndPage;
    call.deviceContext = true;
    render(call);
}

LogFont Target::selectFont(const LogFont& logFont)
{
    requireDevice();
    const double dpiY = geometry().dpiY;
    LogFont previous;
    previous.faceName = m_fontName;
    previous.height = -font().pixelSize();
    previous.escapement = m_escapement;
    previous.weight = m_bold ? boldWeight : normalWeight;
    previous.italic = m_italic;
    previous.underline = m_underline;
    previous.strikeOut = m_strikethru;

    if (!logFont.faceName.isEmpty())
        m_fontName = logFont.faceName;
    m_bold = logFont.weight >= 600;
    m_italic = logFont.italic;
    m_underline = logFont.underline;
    m_strikethru = logFont.strikeOut;
    if (logFont.height < 0) {
        m_fontSize = -logFont.height * units::PointsPerInch / dpiY;
    } else if (logFont.height > 0) {
        // A cell height: find the character height whose cell is that high.
        QFont probe(m_fontName);
        probe.setPixelSize(logFont.height);
        const double cell = QFontMetricsF(probe, &metricsDevice()).height();
        m_fontSize = logFont.height * (logFont.height / cell) * units::PointsPerInch / dpiY;
    } else {
        m_fontSize = 12;
    }
    fontChanged();
    m_escapement = logFont.escapement;
    return previous;
}

void Target::moveTo(int x, int y)
{
    requireDevice();
    m_position = QPoint(x, y);
}

void Target::lineTo(int x, int y)
{
    requireDevice();
    DrawCall call;
    call.op = DrawOp::Line;
    call.deviceContext = true;
    call.fromPx = m_position;
    call.toPx = QPoint(x, y);
    call.from = toUnits(call.fromPx);
    call.to = toUnits(call.toPx);
    call.color = m_foreColor;
    render(call);
    m_position = call.toPx;
}

void Target::textOut(int x, int y, const QString& text)
{
    requireDevice();
    DrawCall call = textCall(QPoint(x, y), text);
    call.deviceContext = true;
    call.from = toUnits(call.fromPx);
    call.to = call.from + QPointF(textWidth(text), textHeight(text));
    render(call);
}

double Target::unitsPerPixelX()
{
    const DeviceGeometry g = geometry();
    if (m_userScale && g.area.width() > 0)
        return m_userScale->width() / g.area.width();
    return units::twipsPerPixel(g.dpiX);
}

double Target::unitsPerPixelY()
{
    const DeviceGeometry g = geometry();
    if (m_userScale && g.area.height() > 0)
        return m_userScale->height() / g.area.height();
    return units::twipsPerPixel(g.dpiY);
}

QPoint Target::toPixels(double x, double y)
{
    requireDevice();
    return QPoint(vb::toInt32((x - scaleLeft()) / unitsPerPixelX()), vb::toInt32((y - scaleTop()) / unitsPerPixelY()));
}

QPointF Target::toUnits(const QPoint& pixels)
{
    requireDevice();
    return QPointF(scaleLeft() + pixels.x() * unitsPerPixelX(), scaleTop() + pixels.y() * unitsPerPixelY());
}

} // namespace print
