#include "layout/modPrinterRoutines.h"

#include "capture/frmHelper.h"
#include "common/IImpressionFileWindow.h"
#include "common/MainHelper.h"
#include "common/MainHelperText.h"
#include "common/modRegistryHigh.h"
#include "layout/IPrintableSheet.h"
#include "layout/LayoutTypes.h"
#include "model/CImpressionDoc.h"
#include "platform/print/Printer.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbNumber.h"

#include <QCoreApplication>

namespace modPrinterRoutines {

namespace {

constexpr double TwipsPerInch = 1440.0;

// The standard sheet: 3.5 x 2 in cards, the first 0.75 in from the left edge in the first
// column and 4.25 in in the second, 0.5 in from the top; each position 1/16 in inside its card.
constexpr float StandardLeft[2] = {float((0.75 + 1.0 / 16) * TwipsPerInch), float((4.25 + 1.0 / 16) * TwipsPerInch)};
constexpr float StandardTop = float((0.5 + 1.0 / 16) * TwipsPerInch);
constexpr float StandardRowPitch = 2880;
// The Corvel sheets.
constexpr float CorvelLeft[2] = {921.6f, 6451.2f};
constexpr float CorvelTop = 1166.4f;
constexpr float CorvelRowPitch = 2693;

bool isPrinterObject(const print::Target& target)
{
    return &target == &print::printer();
}

// Abandons the job open on the Printer object, so that nothing drawn so far is spooled and the
// next print starts afresh.
void abandonJob(print::Target& target)
{
    try {
        target.killDoc();
    } catch (const vb::Error&) {
    }
}

// Runs `draw` on target; when it fails on the Printer object, the job is abandoned before the
// error goes on to the caller.
template <class Draw> void drawJob(print::Target& target, Draw draw)
{
    try {
        draw();
    } catch (...) {
        if (isPrinterObject(target))
            abandonJob(target);
        throw;
    }
}

// Whether a preview outlines card i of the sheet.
bool hasOutline(bool bCorvel, qint16 nMode, int i)
{
    return !bCorvel || nMode != modLayoutTypes::TemplateLayout ||
           modLayoutTypes::isPositionInUse(modLayoutTypes::TemplateLayout, qint16(i));
}

void drawOutline(print::Target& target, bool bCorvel, const CardPosition& position, std::int32_t offX,
                 std::int32_t offY)
{
    const double inset = bCorvel ? 0 : ImpressionInset;
    const double left = double(position.x) + offX - inset;
    const double top = double(position.y) + offY - inset;
    const double width = bCorvel ? CorvelCardWidth : StandardCardWidth;
    const double height = bCorvel ? CorvelCardHeight : StandardCardHeight;
    target.line(vb::toInt16(left), vb::toInt16(top), vb::toInt16(left + width), vb::toInt16(top + height), Qt::black,
                print::LineStyle::Box);
}

void printSheet(print::Target& target, const IPrintableSheet& layoutForm, bool isPreview, float zoom, bool bCorvel)
{
    drawJob(target, [&] {
        const qint16 mode = layoutForm.getPrintingMode();
        std::int32_t offX = 0;
        std::int32_t offY = 0;
        getPageOffsets(offX, offY, target, layoutForm);
        for (int i = 0; i < modLayoutTypes::PositionCount; ++i) {
            const CardPosition position = cardPosition(bCorvel ? mode : modLayoutTypes::AveryLayout, i);
            if (isPreview && hasOutline(bCorvel, mode, i))
                drawOutline(target, bCorvel, position, offX, offY);
            if (!layoutForm.isPositionPrintable(qint16(i)))
                continue;
            const QString fileName = layoutForm.getPositionFileName(qint16(i));
            const bool encodeWords = modRegistryHigh::getEncodeCorvelWords();
            drawImpressionFile(target, fileName, vb::toInt16(double(position.x) + ImpressionInset + offX),
                               vb::toInt16(double(position.y) + ImpressionInset + offY), ImpressionWidth,
                               ImpressionHeight, isPreview, zoom, encodeWords);
        }
        // The whole sheet is one page of one job.
        if (isPrinterObject(target))
            target.endDoc();
    });
}

} // namespace

CardPosition cardPosition(qint16 nMode, int i)
{
    const bool corvel = nMode != modLayoutTypes::AveryLayout;
    // Built as a table is: each position copies the one two places before and moves a row down.
    CardPosition position{corvel ? CorvelLeft[i % 2] : StandardLeft[i % 2], corvel ? CorvelTop : StandardTop};
    for (int row = 0; row < i / 2; ++row)
        position.y += corvel ? CorvelRowPitch : StandardRowPitch;
    return position;
}

void printLayout(print::Target& target, const IPrintableSheet& layoutForm, bool isPreview, float zoom)
{
    if (layoutForm.getPrintingMode() == modLayoutTypes::AveryLayout)
        printStandardSheet(target, layoutForm, isPreview, zoom);
    else
        printCorvelSheet(target, layoutForm, isPreview, zoom);
}

void printStandardSheet(print::Target& target, const IPrintableSheet& layoutForm, bool isPreview, float zoom)
{
    printSheet(target, layoutForm, isPreview, zoom, false);
}

void printCorvelSheet(print::Target& target, const IPrintableSheet& layoutForm, bool isPreview, float zoom)
{
    printSheet(target, layoutForm, isPreview, zoom, true);
}

void drawImpressionFile(print::Target& target, const QString& fileName, qint16 x, qint16 y, qint16 width, qint16 height,
                        bool isPreview, float zoom, bool encodeWords)
{
    if (!modMainHelper::fileExists(fileName))
        return;
    CImpressionDoc doc;
    if (IImpressionFileWindow* window = modMainHelper::findImpressionWindow(fileName)) {
        if (!window->writeDoc(doc))
            return;
    } else if (!doc.readFile(fileName)) {
        ui::msgBox(QStringLiteral("Error: unable to read\r") + fileName, ui::Buttons::Ok, ui::Icon::Exclamation);
        return;
    }
    drawImpressionCard(target, doc, x, y, width, height, isPreview, zoom, encodeWords, false);
}

void getPageOffsets(std::int32_t& offX, std::int32_t& offY, print::Target& target, const IPrintableSheet& layoutForm)
{
    if (!isPrinterObject(target)) {
        offX = 0;
        offY = 0;
        return;
    }
    const QString deviceName = target.deviceName();
    const qint16 mode = layoutForm.getPrintingMode();
    qint32 storedX = 0;
    qint32 storedY = 0;
    modRegistryHigh::getPrintOffsets(storedX, storedY, deviceName, mode, 0, 0);
    std::int32_t left = 0;
    std::int32_t top = 0;
    double farX = 0;
    double farY = 0;
    getPrinterMargins(left, top, farX, farY);
    // The stored offsets are measured from the paper's edge; drawing starts at the printable area's.
    offX = vb::toInt32(double(storedX) - left);
    offY = vb::toInt32(double(storedY) - top);
}

void getPrinterMargins(std::int32_t& left, std::int32_t& top, double& farX, double& farY)
{
    print::Target& printer = print::printer();
    const double dpiX = printer.deviceCaps(print::DeviceCap::LogPixelsX);
    const double dpiY = printer.deviceCaps(print::DeviceCap::LogPixelsY);
    const double offsetX = printer.deviceCaps(print::DeviceCap::PhysicalOffsetX);
    const double offsetY = printer.deviceCaps(print::DeviceCap::PhysicalOffsetY);
    const double areaWidth = printer.deviceCaps(print::DeviceCap::HorzRes);
    const double areaHeight = printer.deviceCaps(print::DeviceCap::VertRes);
    const double paperWidth = printer.deviceCaps(print::DeviceCap::PhysicalWidth);
    const double paperHeight = printer.deviceCaps(print::DeviceCap::PhysicalHeight);
    left = vb::toInt32(offsetX / dpiX * TwipsPerInch);
    top = vb::toInt32(offsetY / dpiY * TwipsPerInch);
    farX = (paperWidth - areaWidth - offsetX) / dpiX * TwipsPerInch;
    farY = (paperHeight - areaHeight - offsetY) / dpiY * TwipsPerInch;
}

void printTemplate()
{
    print::Target& printer = print::printer();
    drawJob(printer, [&] {
        PictureHolder& picture = frmHelper::instance().Pic;
        picture.loadPicture(QCoreApplication::applicationDirPath() + u'/' + TemplatePicture);
        std::int32_t left = 0;
        std::int32_t top = 0;
        double farX = 0;
        double farY = 0;
        getPrinterMargins(left, top, farX, farY);
        // The picture's corner on the paper's corner; no print offsets.
        printer.paintPicture(picture.picture(), -left, -top, print::letterWidthTwips, print::letterHeightTwips);
        printer.endDoc();
    });
}

} // namespace modPrinterRoutines
