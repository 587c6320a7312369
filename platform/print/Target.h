#pragma once

#include "platform/print/PrintTypes.h"

#include <QFontMetricsF>
#include <QRect>

#include <optional>

class QPaintDevice;

namespace print {

// A surface the programs draw on as they drew on the Printer object and on picture boxes:
// positions and sizes in scale units (twips unless a user scale is set) from the top-left
// corner of the drawable area, a current position, one font, text measured on the device
// itself, lines and boxes, pictures stretched without smoothing so that symbol bars stay
// sharp, a clip region in device pixels, pages and documents. The device-context calls
// (startDoc, moveTo, lineTo, textOut, selectFont, deviceCaps) work on the same surface in
// device pixels.
//
// Operations that need the device raise vb::Error where the device cannot be used: a
// printer target without an installed printer raises 482 (Printer error) from every one.
class Target
{
public:
    virtual ~Target();
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    // The device's name: the printer's name for a printer, empty for a picture box.
    virtual QString deviceName();

    // Twips per device pixel.
    double twipsPerPixelX();
    double twipsPerPixelY();
    int deviceCaps(DeviceCap cap);

    // The scale: twips from the drawable area's corner until setScale is called.
    double scaleLeft();
    double scaleTop();
    double scaleWidth();
    double scaleHeight();
    // A user scale: the drawable area runs from (left, top) to (left + width, top + height).
    void setScale(double left, double top, double width, double height);
    // Back to twips from the drawable area's corner.
    void setScaleTwips();

    double currentX();
    double currentY();
    void setCurrentX(double x);
    void setCurrentY(double y);

    QString fontName();
    void setFontName(const QString& name);
    double fontSize();
    void setFontSize(double points);
    bool fontBold();
    void setFontBold(bool bold);
    bool fontItalic();
    void setFontItalic(bool italic);
    bool fontUnderline();
    void setFontUnderline(bool underline);
    bool fontStrikethru();
    void setFontStrikethru(bool strikethru);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color) { m_foreColor = color; }

    // The font as it is drawn on this device (its size in device pixels).
    QFont font();

    // Extent of `text` in the current font, scale units, measured on the device as it
    // will be drawn. Text with line breaks measures its widest line and all its lines.
    double textWidth(const QString& text);
    double textHeight(const QString& text);

    // Draws `text` with its top-left corner at the current position. With a line break the
    // current position then moves to the start of the next line, otherwise to the end of
    // the text.
    void print(const QString& text, bool lineBreak = true);

    // A line, a box or a filled box between two corners in scale units, in the fore colour
    // or the colour given; the current position moves to the second corner.
    void line(double x1, double y1, double x2, double y2, LineStyle style = LineStyle::Line);
    void line(double x1, double y1, double x2, double y2, const QColor& color, LineStyle style = LineStyle::Line);

    // Stretches `picture` into the rectangle, pixel for pixel, without smoothing.
    void paintPicture(const QImage& picture, double x, double y, double width, double height);

    // Selects a rectangular clip region in device pixels (right and bottom exclusive), or
    // removes it. Nothing is drawn outside a selected region. Ending or abandoning the
    // document removes it as well.
    void setClipRegion(int left, int top, int right, int bottom);
    void releaseClipRegion();
    // The selected region; a null rectangle when there is none.
    QRect clipRegion() const { return m_clip.value_or(QRect()); }
    bool hasClipRegion() const { return m_clip.has_value(); }

    // The document: it starts with the first drawing; newPage ends the page, endDoc hands
    // the document over (prints it, writes the file), killDoc abandons it.
    void newPage();
    void endDoc();
    void killDoc();

    // Device-context calls, device pixels. startDoc begins the document at once (an empty
    // document still gives one empty page); startPage after endPage begins the next page.
    void startDoc(const QString& docName);
    void startPage();
    void endPage();
    // Selects a font, returning the one it replaces. The same font serves print().
    LogFont selectFont(const LogFont& font);
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    QPoint currentPosition() const { return m_position; }
    // Draws `text` with its top-left corner at (x, y), in the direction of the font's escapement.
    void textOut(int x, int y, const QString& text);

    // Converts between scale units and device pixels, rounding halves to even.
    QPoint toPixels(double x, double y);
    QPointF toUnits(const QPoint& pixels);

protected:
    Target();

    // Raises vb::Error when the device cannot be used.
    virtual void requireDevice() {}
    virtual DeviceGeometry geometry() = 0;
    // A device whose font metrics are those of the drawing.
    virtual const QPaintDevice& metricsDevice() = 0;
    virtual void render(const DrawCall& call) = 0;
    // Forgets what was measured on the device, after it changed resolution.
    void deviceChanged();

private:
    double unitsPerPixelX();
    double unitsPerPixelY();
    const QFontMetricsF& metrics();
    void fontChanged();
    DrawCall textCall(const QPoint& at, const QString& text);
    void endDocument(DrawOp op);

    std::optional<QRectF> m_userScale;
    double m_currentX = 0;
    double m_currentY = 0;
    QString m_fontName;
    double m_fontSize;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethru = false;
    int m_escapement = 0;
    QColor m_foreColor = Qt::black;
    std::optional<QRect> m_clip;
    QPoint m_position;
    std::optional<QFont> m_font;
    std::optional<QFontMetricsF> m_metrics;
};

} // namespace print
