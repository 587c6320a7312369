// Where the card renderer draws: recorded on a 600 dpi printer and on picture boxes.
#include "capture/modPrinterRoutines.h"

#include "capture/modSymbolRoutines.h"
#include "platform/print/RecordingTarget.h"
#include "platform/ui/Screen.h"
#include "platform/units/Units.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbNumber.h"

#include "CardTests.h"
#include "InstalledEdition.h"
#include "QtPrinters.h"
#include "ScriptedMessages.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace card_tests;
using modPrinterRoutines::drawImpressionCard;
using print::DrawCall;
using print::DrawOp;
using print::RecordingTarget;
using testing_support::ScriptedMessages;

namespace {

constexpr double printerTwipsPerPixel = 2.4; // 600 dpi
constexpr int boxX = 90;
constexpr int boxY = 90;
constexpr int boxWidth = 4680;
constexpr int boxHeight = 2513;

// A picture box showing its picture at `zoom`, as the previews set it up.
std::unique_ptr<RecordingTarget> pictureBox(double zoom)
{
    auto box = std::make_unique<RecordingTarget>(units::TwipsPerScreenPixel);
    box->setScale(0, 0, box->scaleWidth() / zoom, box->scaleHeight() / zoom);
    return box;
}

QList<DrawOp> ops(const RecordingTarget& target)
{
    QList<DrawOp> found;
    for (const DrawCall& call : target.calls())
        found.append(call.op);
    return found;
}

// The printer's measures of the sample impression's font.
struct PrinterMeasure
{
    PrinterMeasure()
    {
        printer.setFontName(QStringLiteral("Arial"));
        printer.setFontSize(6);
        lineHeight = vb::toInt32(printer.textHeight(QString()));
    }
    double lineLeft(double x, const QString& line)
    {
        return x + (boxWidth - vb::toInt32(printer.textWidth(line))) * 0.5;
    }
    int charWidth(const QString& ch) { return vb::toInt16(printer.textWidth(ch)); }

    RecordingTarget printer{printerTwipsPerPixel};
    int lineHeight = 0;
};

class CardGeometry : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(ui::twipsPerPixelX(), 15.0) << "the tests assume a 96 dpi screen"; }

    testing_support::InstalledEdition edition; // the card reader's
    RecordingTarget printer{printerTwipsPerPixel};
    PrinterInstalled installed{printer};
    ScriptedMessages messages; // any box fails the test unless it is scripted
    CImpressionDoc doc = sampleImpression();
};

} // namespace

TEST_F(CardGeometry, ClipBandsKeepTheirSizeInTwipsAtZoomOneAndTwo)
{
    struct Case
    {
        double zoom;
        QRect top; // device pixels, right and bottom exclusive
        QRect bottom;
    };
    // Zoom 1: 15 twips a pixel; zoom 2: 7.5. The bottom band ends two pixels below the box,
    // whose bottom edge lies at 2603 / 15 = 173.5 and 2603 / 7.5 = 347.1 pixels.
    const Case cases[] = {
        {1.0, QRect(QPoint(6, 6), QPoint(318, 35)), QRect(QPoint(6, 145), QPoint(318, 176))},
        {2.0, QRect(QPoint(12, 12), QPoint(636, 70)), QRect(QPoint(12, 289), QPoint(636, 349))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        auto box = pictureBox(c.zoom);
        EXPECT_TRUE(drawImpressionCard(*box, doc, boxX, boxY, boxWidth, boxHeight, true, c.zoom, true, true));
        const QList<DrawCall> clips = box->calls(DrawOp::SetClip);
        ASSERT_EQ(clips.size(), 2) << box->dump().toStdString();
        EXPECT_EQ(QRect(clips[0].fromPx, clips[0].toPx), c.top);
        EXPECT_EQ(QRect(clips[1].fromPx, clips[1].toPx), c.bottom);
        EXPECT_EQ(clips[1].toPx.y(), vb::toInt32((boxY + boxHeight) * c.zoom / 15) + 2);
        // In twips the bands are 4680 wide and about 432 high at either zoom.
        EXPECT_NEAR(clips[0].to.x() - clips[0].from.x(), 4680, 15);
        EXPECT_NEAR(clips[0].to.y() - clips[0].from.y(), 432, 15);
        // The words are drawn in the font scaled by the zoom.
        EXPECT_DOUBLE_EQ(box->fontSize(), 6 * c.zoom);
        EXPECT_FALSE(box->hasClipRegion());
    }
}

TEST_F(CardGeometry, PrintedLinesAreCentredOnThePrintersMeasureAndPlacedFromTheLineHeight)
{
    const int x = 1260;
    const int y = 900;
    EXPECT_TRUE(drawImpressionCard(printer, doc, x, y, boxWidth, boxHeight, false, 1.0f, true, false));

    // Top band, three lines, bottom band, three lines, then the symbol outside any band.
    using enum DrawOp;
    EXPECT_EQ(ops(printer),
              QList<DrawOp>({SetClip, Text, Text, Text, ReleaseClip, SetClip, Text, Text, Text, ReleaseClip, Picture}))
        << printer.dump().toStdString();
    const QList<DrawCall> clips = printer.calls(SetClip);
    EXPECT_EQ(QRect(clips[0].fromPx, clips[0].toPx), QRect(QPoint(525, 375), QPoint(2475, 555)));
    EXPECT_EQ(QRect(clips[1].fromPx, clips[1].toPx), QRect(QPoint(525, 1242), QPoint(2475, 1424)));

    PrinterMeasure measure;
    ASSERT_GT(measure.lineHeight, 100);
    const QStringList lines = sampleLines();
    const QList<DrawCall> texts = printer.calls(Text);
    ASSERT_EQ(texts.size(), 6);
    const double bottomTop = y + boxHeight - 3.0 * measure.lineHeight;
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(texts[k].text, lines[k]);
        EXPECT_DOUBLE_EQ(texts[k].from.x(), measure.lineLeft(x, lines[k]));
        EXPECT_DOUBLE_EQ(texts[k].from.y(),
                         k < 3 ? y + k * measure.lineHeight : bottomTop + (k - 3) * measure.lineHeight);
    }
    EXPECT_FALSE(printer.hasClipRegion());
}

TEST_F(CardGeometry, APreviewSpacesEachCharacterByItsWidthOnThePrinter)
{
    // Letters beyond the first 256 code points, a letter with a combining accent and a
    // character outside the basic plane, each measured on the printer as it is drawn.
    const QString unusual = QStringLiteral("Łódź e\u0301 \U0001F600 end");
    doc.setCwLines(1, unusual);
    auto box = pictureBox(1.0);
    EXPECT_TRUE(drawImpressionCard(*box, doc, boxX, boxY, boxWidth, boxHeight, true, 1.0f, true, true));

    PrinterMeasure measure;
    for (int code : {int('A'), int(' '), 0xE9, 0xFF})
        EXPECT_EQ(modPrinterRoutines::printerCharWidths()[code], measure.charWidth(QString(QChar(code)))) << code;

    // The characters of line 1, one text call each, in order, on the line's baseline.
    QList<DrawCall> line;
    for (const DrawCall& call : box->calls(DrawOp::Text)) {
        if (call.from.y() == boxY + measure.lineHeight)
            line.append(call);
    }
    const QStringList characters = {"Ł", "ó", "d", "ź", " ", "e\u0301", " ", "\U0001F600", " ", "e", "n", "d"};
    ASSERT_EQ(line.size(), characters.size()) << box->dump().toStdString();
    double x = measure.lineLeft(boxX, unusual);
    for (int i = 0; i < characters.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(line[i].text, characters[i]);
        EXPECT_DOUBLE_EQ(line[i].from.x(), x);
        x += measure.charWidth(characters[i]);
    }
}

TEST_F(CardGeometry, TheSymbolIsCentredAsComputeSymbolPrintSizeSays)
{
    auto box = pictureBox(1.0);
    EXPECT_TRUE(drawImpressionCard(*box, doc, boxX, boxY, boxWidth, boxHeight, true, 1.0f, true, true));

    const QImage symbol = picture(modSymbolRoutines::getTempSymbolBitmapName());
    ASSERT_FALSE(symbol.isNull());
    std::int16_t printWidth = 0;
    std::int16_t printHeight = 0;
    std::int16_t left = 0;
    std::int16_t top = 0;
    modSymbolRoutines::computeSymbolPrintSize(boxWidth, 1656, symbol.width() * 15.0, symbol.height() * 15.0, printWidth,
                                              printHeight, left, top);
    // Each bitmap pixel is printed as 12 twips.
    EXPECT_EQ(printWidth, symbol.width() * 12);
    EXPECT_EQ(printHeight, symbol.height() * 12);

    const QList<DrawCall> pictures = box->calls(DrawOp::Picture);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].picture.convertToFormat(QImage::Format_RGB32), symbol);
    EXPECT_EQ(pictures[0].from, QPointF(boxX + left, vb::toInt32((boxHeight - 1656) * 0.5 + boxY + top)));
    EXPECT_EQ(pictures[0].to - pictures[0].from, QPointF(printWidth, printHeight));
    // Centred in the box within a twip.
    EXPECT_NEAR(pictures[0].from.x() + printWidth / 2.0, boxX + boxWidth / 2.0, 1.0);
    EXPECT_NEAR(pictures[0].from.y() + printHeight / 2.0, boxY + boxHeight / 2.0, 1.0);
}

TEST_F(CardGeometry, TheCardReadersBadgeStandsInQuietlyForASymbolThatDoesNotFit)
{
    const CImpressionDoc big = oversizedImpression();
    for (bool encodeWords : {true, false}) {
        SCOPED_TRACE(encodeWords);
        auto box = pictureBox(1.0);
        EXPECT_FALSE(drawImpressionCard(*box, big, boxX, boxY, boxWidth, boxHeight, true, 1.0f, encodeWords, true));
        const QString badge = programFile(QStringLiteral("QVN-Corvel-Words-Excluded.bmp"));
        const QList<DrawCall> pictures = box->calls(DrawOp::Picture);
        ASSERT_EQ(pictures.size(), 1);
        EXPECT_EQ(pictures[0].picture.convertToFormat(QImage::Format_RGB32), picture(badge));
        // The badge fills the symbol band: 390 x 138 pixels at 12 twips each.
        EXPECT_EQ(pictures[0].from, QPointF(boxX, 518));
        EXPECT_EQ(pictures[0].to, QPointF(boxX + 4680, 518 + 1656));
        // It was copied over the symbol bitmap, and the words are still drawn.
        QFile copied(modSymbolRoutines::getTempSymbolBitmapName());
        QFile original(badge);
        ASSERT_TRUE(copied.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
        EXPECT_EQ(copied.readAll(), original.readAll());
        EXPECT_FALSE(box->texts().isEmpty());
        EXPECT_FALSE(box->hasClipRegion());
    }
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(CardGeometry, TheSampleCardProgramsBadgeSaysWhetherTheWordsWereEncoded)
{
    testing_support::InstalledEdition edition(sampleCardEdition());
    const CImpressionDoc big = oversizedImpression();
    messages.ok(2);
    for (bool encodeWords : {true, false}) {
        SCOPED_TRACE(encodeWords);
        auto box = pictureBox(1.0);
        EXPECT_FALSE(drawImpressionCard(*box, big, boxX, boxY, boxWidth, boxHeight, true, 1.0f, encodeWords, false));
        const QList<DrawCall> pictures = box->calls(DrawOp::Picture);
        ASSERT_EQ(pictures.size(), 1);
        const QString badge = encodeWords ? QStringLiteral("TSN-Corvel-Words-Included.bmp")
                                          : QStringLiteral("TSN-Corvel-Words-Excluded.bmp");
        EXPECT_EQ(pictures[0].picture.convertToFormat(QImage::Format_RGB32), picture(programFile(badge)));
    }
    // Not quiet: the encoder's capacity message came first, each time.
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_TRUE(messages.texts()[0].startsWith(QStringLiteral("Data capacity exceeded.")));
}

TEST_F(CardGeometry, WithoutAPrinterTheCardShowsTheNoPrinterPictureAndNoLines)
{
    AbsentPrinter absent;
    const QImage noPrinter = picture(programFile(QStringLiteral("No-Printer.bmp")));
    ASSERT_FALSE(noPrinter.isNull());

    auto box = pictureBox(1.0);
    EXPECT_FALSE(drawImpressionCard(*box, doc, boxX, boxY, boxWidth, boxHeight, true, 1.0f, true, true));
    EXPECT_TRUE(box->texts().isEmpty());
    EXPECT_TRUE(box->calls(DrawOp::SetClip).isEmpty()); // the printer failed before the first band
    const QList<DrawCall> pictures = box->calls(DrawOp::Picture);
    ASSERT_EQ(pictures.size(), 1) << box->dump().toStdString();
    EXPECT_EQ(pictures[0].picture.convertToFormat(QImage::Format_RGB32), noPrinter);
    EXPECT_EQ(pictures[0].from, QPointF(boxX, 518));
    EXPECT_FALSE(box->hasClipRegion());

    // Printing on the missing printer itself draws nothing and tells nothing.
    EXPECT_FALSE(drawImpressionCard(absent.target(), doc, 1260, 900, boxWidth, boxHeight, false, 1.0f, true, false));
    EXPECT_TRUE(messages.shown().isEmpty());
}

namespace {

// A device that fails with error `number` when asked to draw its first text.
class FailingTarget : public RecordingTarget
{
public:
    explicit FailingTarget(long number) : RecordingTarget(units::TwipsPerScreenPixel), m_number(number) {}

protected:
    void render(const DrawCall& call) override
    {
        RecordingTarget::render(call);
        if (call.op == DrawOp::Text)
            throw vb::Error::runtime(m_number, QStringLiteral("Printer"));
    }

private:
    long m_number;
};

} // namespace

TEST_F(CardGeometry, AnErrorWhileDrawingIsReportedAndTheRegionReleased)
{
    FailingTarget box(vb::err::InvalidProcedureCall);
    messages.ok();
    EXPECT_FALSE(drawImpressionCard(box, doc, boxX, boxY, boxWidth, boxHeight, true, 1.0f, true, true));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("Error 5:\r\nInvalid procedure call or argument"));
    EXPECT_EQ(messages.last().icon, ui::Icon::Critical);
    EXPECT_EQ(messages.last().buttons, ui::Buttons::Ok);
    EXPECT_TRUE(messages.last().title.isEmpty());
    EXPECT_TRUE(box.calls(DrawOp::Picture).isEmpty());
    EXPECT_EQ(box.calls().last().op, DrawOp::ReleaseClip);
    EXPECT_FALSE(box.hasClipRegion());
}

TEST_F(CardGeometry, APrinterLostWhileDrawingShowsTheNoPrinterPictureInsideTheBandMadeSoFar)
{
    FailingTarget box(vb::err::NoPrinter);
    EXPECT_FALSE(drawImpressionCard(box, doc, boxX, boxY, boxWidth, boxHeight, true, 1.0f, true, true));
    using enum DrawOp;
    EXPECT_EQ(ops(box), QList<DrawOp>({SetClip, Text, SetClip, Picture, ReleaseClip})) << box.dump().toStdString();
    const QList<DrawCall> clips = box.calls(SetClip);
    EXPECT_EQ(QRect(clips[1].fromPx, clips[1].toPx), QRect(QPoint(6, 6), QPoint(318, 35)));
    EXPECT_FALSE(box.hasClipRegion());
    EXPECT_TRUE(messages.shown().isEmpty());
}
