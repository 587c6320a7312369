#pragma once

#include "platform/units/Units.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>

// Value types shared by the drawing targets.
namespace print {

// A US Letter sheet, the page every layout is drawn on.
constexpr double letterWidthTwips = 12240.0;
constexpr double letterHeightTwips = 15840.0;

// The device capabilities the page routines ask for, numbered as the device-context API numbers them.
enum class DeviceCap
{
    HorzRes = 8,           // width of the drawable area, device pixels
    VertRes = 10,          // height of the drawable area, device pixels
    LogPixelsX = 88,       // pixels per inch across
    LogPixelsY = 90,       // pixels per inch down
    PhysicalWidth = 110,   // width of the whole sheet, device pixels
    PhysicalHeight = 111,  // height of the whole sheet, device pixels
    PhysicalOffsetX = 112, // left edge of the drawable area on the sheet, device pixels
    PhysicalOffsetY = 113, // top edge of the drawable area on the sheet, device pixels
};

// The shape of a device: its resolution, its drawable area and where that area lies on the sheet.
struct DeviceGeometry
{
    double dpiX = units::NominalScreenDpi;
    double dpiY = units::NominalScreenDpi;
    QSize area;    // drawable area, device pixels; drawing coordinates start at its top-left corner
    QSize paper;   // the whole sheet, device pixels
    QPoint offset; // the drawable area's top-left corner on the sheet, device pixels
};

// A font as the device-context calls describe it.
struct LogFont
{
    QString faceName;
    int height = 0;     // < 0: character height in device pixels; > 0: cell height; 0: a 12-point default
    int escapement = 0; // direction of the text, tenths of a degree counter-clockwise
    int weight = 0;     // 0 or 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// How `Target::line` draws between its two corners.
enum class LineStyle
{
    Line,      // a line from the first corner to the second
    Box,       // the outline of the rectangle
    FilledBox, // the rectangle filled with the colour
};

// Everything a target does to its device, as one record: what the back-ends paint and
// what the recording target keeps.
enum class DrawOp
{
    Text,        // text at a position
    Line,        // a line
    Box,         // a rectangle outline
    FilledBox,   // a filled rectangle
    Picture,     // a picture stretched into a rectangle
    SetClip,     // the clip region selected
    ReleaseClip, // the clip region removed
    StartDoc,    // a document begun explicitly
    StartPage,   // a page begun explicitly
    EndPage,     // a page ended explicitly
    NewPage,     // the next page of the document
    EndDoc,      // the document finished and handed over
    KillDoc,     // the document abandoned
};

struct DrawCall
{
    DrawOp op = DrawOp::Text;
    bool deviceContext = false; // issued through the device-context calls in device pixels
    QPointF from;               // scale units: text start, first corner, picture's top-left
    QPointF to;                 // scale units: text's far corner, second corner, picture's bottom-right
    QPoint fromPx;              // device pixels: as `from`; a clip region's left and top
    QPoint toPx;                // device pixels: as `to` (exclusive for pictures); a clip region's right and bottom
    QString text;               // the text drawn; the document name for StartDoc
    QFont font;                 // the text's font, its size in device pixels
    double angle = 0;           // text direction, degrees counter-clockwise
    QColor color;
    QImage picture; // the picture painted, at its own size

    // One line for test diagnostics: "Text (1170,900)-(3000,1038) [78,60]-[125,69] 'Acme'".
    QString toString() const;
};

// The lines of a text broken at CR LF, CR or LF.
QStringList textLines(const QString& text);

} // namespace print
