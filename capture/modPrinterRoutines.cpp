#include "capture/modPrinterRoutines.h"

#include "capture/frmHelper.h"
#include "capture/modSymbolRoutines.h"
#include "common/ProgramEdition.h"
#include "model/CImpressionDoc.h"
#include "platform/print/Printer.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbNumber.h"

#include <QCoreApplication>
#include <QTextBoundaryFinder>

namespace modPrinterRoutines {

namespace {

std::array<std::int16_t, 256> g_printerCharWidths{};

QString programFile(const QString& name)
{
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

// The clip region of one card: made for a band, selected into the target, removed from it, and
// gone when the drawing ends, whichever way it ends.
class CardRegion
{
public:
    explicit CardRegion(print::Target& target) : m_target(target) {}
    ~CardRegion() { remove(); }
    CardRegion(const CardRegion&) = delete;
    CardRegion& operator=(const CardRegion&) = delete;

    // Makes the region from (left, top) to (right, bottom) in device pixels and selects it.
    void select(int left, int top, int right, int bottom)
    {
        m_made = {left, top, right, bottom};
        m_isMade = true;
        reselect();
    }
    // Selects the region made last again, if any.
    void reselect()
    {
        if (m_isMade)
            m_target.setClipRegion(m_made.left, m_made.top, m_made.right, m_made.bottom);
    }
    void remove() { m_target.releaseClipRegion(); }

private:
    struct Corners
    {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };

    print::Target& m_target;
    Corners m_made;
    bool m_isMade = false;
};

// Paints a symbol-sized picture as the symbol is placed: centred across the box and in a band
// of 1656 twips that is itself centred in the box.
void paintSymbolPicture(print::Target& target, const PictureHolder& picture, int x, int y, int width, int height)
{
    std::int16_t printWidth = 0;
    std::int16_t printHeight = 0;
    std::int16_t left = 0;
    std::int16_t top = 0;
    modSymbolRoutines::computeSymbolPrintSize(width, SymbolBandHeight, picture.Width(), picture.Height(), printWidth,
                                              printHeight, left, top);
    target.paintPicture(picture.picture(), x + left, vb::toInt32((height - SymbolBandHeight) * 0.5 + y + top),
                        printWidth, printHeight);
}

// A line of words centred in the box on the printer's measure, printed as the printer prints it.
void printWordLine(print::Target& target, const QString& line, int x, double top, int width, bool isPreview)
{
    const std::int32_t lineWidth = vb::toInt32(print::printer().textWidth(line));
    target.setCurrentX(x + (width - lineWidth) * 0.5);
    target.setCurrentY(top);
    if (isPreview)
        printWithPrinterWidths(target, line);
    else
        target.print(line);
}

bool drawCard(print::Target& target, const CImpressionDoc& doc, int x, int y, int width, int height, bool isPreview,
              float zoom, bool encodeWords, bool quiet, CardRegion& region)
{
    print::Target& printer = print::printer();
    // Twips per device pixel, for the clip bands.
    const double sx = isPreview ? ui::twipsPerPixelX() / zoom : printer.twipsPerPixelX();
    const double sy = isPreview ? ui::twipsPerPixelY() / zoom : printer.twipsPerPixelY();

    const QString symbolFile = modSymbolRoutines::getTempSymbolBitmapName();
    bool drawn = modSymbolRoutines::makeSymbolBitmap(doc, symbolFile, encodeWords, quiet);
    if (!drawn) {
        const modMainHelper::SymbolBadges& badges = modMainHelper::programEdition().symbolBadges;
        modSymbolRoutines::copyFile(programFile(encodeWords ? badges.wordsIncluded : badges.wordsExcluded), symbolFile);
    }

    // A change of size makes the printer realise the font anew.
    printer.setFontSize(36);
    printer.setFontSize(6);
    target.setFontName(doc.CwFontName());
    target.setFontSize(doc.CwFontSize() * zoom);
    printer.setFontName(doc.CwFontName());
    printer.setFontSize(doc.CwFontSize());

    for (int code = 0; code < int(g_printerCharWidths.size()); ++code)
        g_printerCharWidths[code] = vb::toInt16(printer.textWidth(QString(QChar(code))));
    const std::int32_t lineHeight = vb::toInt32(printer.textHeight(QString()));

    region.select(vb::toInt32(x / sx), vb::toInt32(y / sy), vb::toInt32((x + WordBandWidth) / sx),
                  vb::toInt32((y + WordBandHeight) / sy));
    for (int k = 0; k < 3; ++k)
        printWordLine(target, doc.CwLines(k), x, y + double(k) * lineHeight, width, isPreview);

    // The bottom band reaches two device pixels below the box.
    region.remove();
    region.select(vb::toInt32(x / sx), vb::toInt32((y + height - WordBandHeight) / sy),
                  vb::toInt32((x + WordBandWidth) / sx), vb::toInt32((y + height + 2 * sy) / sy));
    const double bottomTop = double(y) + height - 3.0 * lineHeight;
    for (int k = 0; k < 3; ++k)
        printWordLine(target, doc.CwLines(3 + k), x, bottomTop + double(k) * lineHeight, width, isPreview);
    region.remove();

    PictureHolder& picture = frmHelper::instance().Pic;
    picture.loadPicture(symbolFile);
    paintSymbolPicture(target, picture, x, y, width, height);
    return drawn;
}

// Without a printer the card shows the no-printer picture where the symbol would be, inside
// the region made so far. Without that picture, or on a target that cannot draw either, it
// shows nothing.
void drawNoPrinterPicture(print::Target& target, int x, int y, int width, int height, CardRegion& region)
{
    try {
        const QString symbolFile = modSymbolRoutines::getTempSymbolBitmapName();
        modSymbolRoutines::copyFile(programFile(NoPrinterPicture), symbolFile);
        PictureHolder& picture = frmHelper::instance().Pic;
        picture.loadPicture(symbolFile);
        region.reselect();
        paintSymbolPicture(target, picture, x, y, width, height);
    } catch (const vb::Error&) {
    }
}

} // namespace

bool drawImpressionCard(print::Target& target, const CImpressionDoc& doc, int x, int y, int width, int height,
                        bool isPreview, float zoom, bool encodeWords, bool quiet)
{
    CardRegion region(target);
    try {
        return drawCard(target, doc, x, y, width, height, isPreview, zoom, encodeWords, quiet, region);
    } catch (const vb::Error& error) {
        if (error.number() == vb::err::NoPrinter) {
            drawNoPrinterPicture(target, x, y, width, height, region);
        } else {
            ui::msgBox(QStringLiteral("Error %1:\r\n%2").arg(error.number()).arg(error.description()), ui::Buttons::Ok,
                       ui::Icon::Critical);
        }
        return false;
    }
}

void printWithPrinterWidths(print::Target& target, const QString& text)
{
    double x = target.currentX();
    // Each character as it is drawn: a letter with its combining marks, a surrogate pair.
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = characters.toNextBoundary(); end > 0; start = end, end = characters.toNextBoundary()) {
        const QString ch = text.mid(start, end - start);
        target.print(ch, false);
        const bool inTable = ch.size() == 1 && ch.at(0).unicode() < g_printerCharWidths.size();
        x += inTable ? g_printerCharWidths[ch.at(0).unicode()] : vb::toInt16(print::printer().textWidth(ch));
        target.setCurrentX(x);
    }
}

const std::array<std::int16_t, 256>& printerCharWidths()
{
    return g_printerCharWidths;
}

} // namespace modPrinterRoutines
