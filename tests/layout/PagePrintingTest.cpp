// The page routines, the device-context page and the calibration page on recording printers.
#include "LayoutFixture.h"

#include "common/modRegistryHigh.h"
#include "layout/CGDIPrinter.h"
#include "layout/frmPrinterSetup.h"
#include "layout/modPrinterRoutines.h"
#include "platform/print/Printer.h"
#include "platform/print/RecordingTarget.h"
#include "platform/ui/MessageService.h"

#include "QtPrinters.h"

#include <QFile>
#include <QPushButton>

using print::DrawOp;
using print::RecordingTarget;

namespace {

// The top-left corner of each card's impression box, in paper twips: where its top word band's
// clip region starts on a printer of `tpp` twips per pixel whose printable area starts at `margin`.
QList<QPointF> boxCorners(const RecordingTarget& printer, const QPointF& margin = QPointF())
{
    QList<QPointF> corners;
    const QList<print::DrawCall> clips = printer.calls(DrawOp::SetClip);
    for (qsizetype i = 0; i < clips.size(); i += 2)
        corners << clips[i].from + margin;
    return corners;
}

QList<QRectF> outlines(const RecordingTarget& target)
{
    QList<QRectF> boxes;
    for (const print::DrawCall& call : target.calls(DrawOp::Box))
        boxes << QRectF(call.from, call.to);
    return boxes;
}

} // namespace

class PagePrintingTest : public LayoutTest
{
protected:
    PagePrintingTest()
    {
        const QString path = writeImpression(QStringLiteral("card"), impression(QStringLiteral("Card")));
        for (QString& file : sheet.files)
            file = path;
    }

    TestSheet sheet;
};

TEST_F(PagePrintingTest, SheetsPlaceTheirCardsAndPreviewsOutlineThem)
{
    RecordingTarget printer(1.0); // 1440 dots per inch: one twip per pixel
    auto installed = print::printer.replace(printer);

    // The standard sheet on the printer: ten boxes, no outlines, one page of one job.
    modPrinterRoutines::printLayout(printer, sheet, false, 1.0f);
    QList<QPointF> corners = boxCorners(printer);
    ASSERT_EQ(corners.size(), 10);
    EXPECT_EQ(corners[0], QPointF(1260, 900));
    EXPECT_EQ(corners[1], QPointF(6300, 900));
    EXPECT_EQ(corners[9], QPointF(6300, 12420));
    EXPECT_TRUE(printer.calls(DrawOp::Box).isEmpty());
    EXPECT_EQ(printer.calls(DrawOp::EndDoc).size(), 1);
    EXPECT_EQ(printer.calls().last().op, DrawOp::EndDoc);

    // The Corvel labels.
    printer.clear();
    sheet.mode = 1;
    modPrinterRoutines::printLayout(printer, sheet, false, 1.0f);
    corners = boxCorners(printer);
    ASSERT_EQ(corners.size(), 10);
    EXPECT_EQ(corners[0], QPointF(1012, 1256));
    EXPECT_EQ(corners[2], QPointF(1012, 3949));

    // Previews outline the cards and end no document.
    RecordingTarget preview;
    sheet.mode = 0;
    sheet.printable[3] = false;
    modPrinterRoutines::printLayout(preview, sheet, true, 1.0f);
    QList<QRectF> boxes = outlines(preview);
    ASSERT_EQ(boxes.size(), 10) << "a hidden position keeps its outline";
    EXPECT_EQ(boxes[0], QRectF(QPointF(1080, 720), QPointF(6120, 3600)));
    EXPECT_EQ(preview.calls(DrawOp::SetClip).size(), 18) << "the hidden position is not drawn";
    EXPECT_TRUE(preview.calls(DrawOp::EndDoc).isEmpty());

    preview.clear();
    sheet.mode = 1;
    modPrinterRoutines::printLayout(preview, sheet, true, 1.0f);
    boxes = outlines(preview);
    ASSERT_EQ(boxes.size(), 10);
    EXPECT_EQ(boxes[0].size(), QSizeF(4860, 2693));
    EXPECT_EQ(boxes[0].topLeft(), QPointF(922, 1166));

    preview.clear();
    sheet.mode = 2;
    modPrinterRoutines::printLayout(preview, sheet, true, 1.0f);
    boxes = outlines(preview);
    ASSERT_EQ(boxes.size(), 6);
    const QList<int> used = {0, 1, 4, 5, 8, 9};
    for (int k = 0; k < used.size(); ++k) {
        const modPrinterRoutines::CardPosition p = modPrinterRoutines::cardPosition(2, used[k]);
        EXPECT_EQ(boxes[k].topLeft(), QPointF(qRound(p.x), qRound(p.y))) << "position " << used[k];
    }
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(PagePrintingTest, FilesAreReadFromTheirWindowsOrSkippedOrReported)
{
    RecordingTarget printer(2.4);
    auto installed = print::printer.replace(printer);

    // Position 1 is open in a window with unsaved changes, 2 was deleted, 4 is unreadable.
    auto* window = new TestImpressionFileWindow;
    window->fileName = writeImpression(QStringLiteral("open"), impression(QStringLiteral("Saved")));
    window->content = impression(QStringLiteral("Unsaved"));
    ui::load(*window);
    sheet.files[1] = window->fileName;
    sheet.files[2] = writeImpression(QStringLiteral("gone"), impression(QStringLiteral("Gone")));
    QFile::remove(sheet.files[2]);
    sheet.files[4] = m_dir.filePath(QStringLiteral("broken.imf"));
    writeFile(sheet.files[4], QByteArray("\x01\x02 not an impression", 21));

    m_messages.ok();
    modPrinterRoutines::printLayout(printer, sheet, false, 1.0f);
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Error: unable to read\r") + sheet.files[4]);
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(boxCorners(printer).size(), 8) << "the deleted and the unreadable files leave blanks";
    const QStringList texts = printer.texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Unsaved line 1"))) << texts.join(u'|').toStdString();
    EXPECT_FALSE(texts.contains(QStringLiteral("Saved line 1"))) << texts.join(u'|').toStdString();
}

TEST_F(PagePrintingTest, OffsetsAndMarginsKeepThePaperPlaces)
{
    // The same sheet on a printer without margins and on one whose printable area starts
    // 360 and 240 twips in: the boxes land on the same paper coordinates.
    RecordingTarget plain(2.4, QSizeF(12240, 15840));
    RecordingTarget margined(2.4, QSizeF(12240 - 720, 15840 - 480), QPointF(360, 240), QSizeF(12240, 15840));
    QList<QPointF> placed[2];
    for (int k = 0; k < 2; ++k) {
        RecordingTarget& printer = k == 0 ? plain : margined;
        printer.setDeviceName(QStringLiteral("Desk"));
        auto installed = print::printer.replace(printer);
        modPrinterRoutines::printLayout(printer, sheet, false, 1.0f);
        placed[k] = boxCorners(printer, k == 0 ? QPointF() : QPointF(360, 240));
    }
    EXPECT_EQ(placed[0], placed[1]);

    auto installed = print::printer.replace(margined);
    std::int32_t left = 0, top = 0;
    double farX = 0, farY = 0;
    modPrinterRoutines::getPrinterMargins(left, top, farX, farY);
    EXPECT_EQ(left, 360);
    EXPECT_EQ(top, 240);
    EXPECT_DOUBLE_EQ(farX, 360);
    EXPECT_DOUBLE_EQ(farY, 240);

    // Stored offsets are measured from the paper's edge, per printer and layout type.
    modRegistryHigh::setPrintOffsets(100, 50, QStringLiteral("Desk"), 0);
    std::int32_t offX = 0, offY = 0;
    modPrinterRoutines::getPageOffsets(offX, offY, margined, sheet);
    EXPECT_EQ(offX, -260);
    EXPECT_EQ(offY, -190);
    RecordingTarget preview;
    modPrinterRoutines::getPageOffsets(offX, offY, preview, sheet);
    EXPECT_EQ(offX, 0);
    EXPECT_EQ(offY, 0);
    sheet.mode = 1;
    modPrinterRoutines::getPageOffsets(offX, offY, margined, sheet);
    EXPECT_EQ(offX, -360) << "each layout type has its own offsets";

    // An offset that takes a card beyond the 16-bit range fails mid-sheet: the job is abandoned.
    margined.clear();
    sheet.mode = 0;
    modRegistryHigh::setPrintOffsets(0, 32767 - 900 - 2 * 2880 + 240 + 1, QStringLiteral("Desk"), 0);
    try {
        modPrinterRoutines::printLayout(margined, sheet, false, 1.0f);
        ADD_FAILURE() << "no overflow";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::err::Overflow);
    }
    EXPECT_EQ(boxCorners(margined).size(), 4) << "two rows were drawn first";
    EXPECT_TRUE(margined.calls(DrawOp::EndDoc).isEmpty());
    EXPECT_EQ(margined.calls().last().op, DrawOp::KillDoc);
}

TEST_F(PagePrintingTest, TheDeviceContextPageDrawsInTwipsOnWholePixels)
{
    RecordingTarget printer(10.0); // 144 dots per inch
    auto installed = print::printer.replace(printer);
    {
        CGDIPrinter page;
        EXPECT_NE(page.GetDC(), 0);
        page.drawLine(0, 0, 1440, 720);
        std::int32_t font = page.makeFont(QStringLiteral("Arial"), 10, 900);
        const std::int32_t previous = page.selectObj(font);
        page.drawText(QStringLiteral("Up ™ ∑"), 144, 288);
        page.selectObj(previous);
        page.deleteObj(font);
        EXPECT_EQ(font, 0);
    }
    const QList<print::DrawCall> calls = printer.calls();
    ASSERT_GE(calls.size(), 6) << printer.dump().toStdString();
    EXPECT_EQ(calls[0].op, DrawOp::StartDoc);
    EXPECT_EQ(calls[0].text, QStringLiteral("Brindlemark"));
    EXPECT_EQ(calls[1].op, DrawOp::StartPage);
    EXPECT_EQ(calls[2].op, DrawOp::Line);
    EXPECT_EQ(calls[2].fromPx, QPoint(0, 0));
    EXPECT_EQ(calls[2].toPx, QPoint(144, 72));
    EXPECT_EQ(calls[3].op, DrawOp::Text);
    EXPECT_EQ(calls[3].fromPx, QPoint(14, 29));
    EXPECT_EQ(calls[3].font.pixelSize(), 20) << "height -20";
    EXPECT_EQ(calls[3].angle, 90);
    EXPECT_EQ(calls[3].text, QStringLiteral("Up ™ ?")) << "the ANSI code page";
    EXPECT_EQ(calls[calls.size() - 2].op, DrawOp::EndPage);
    EXPECT_EQ(calls.last().op, DrawOp::EndDoc);

    // Positions come back in whole pixels; a page released without drawing is still one page.
    RecordingTarget coarse(15.0); // 96 dots per inch
    auto second = print::printer.replace(coarse);
    {
        CGDIPrinter page;
        page.drawLine(0, 0, 1445, 0);
        EXPECT_EQ(page.getX(), 1440);
        EXPECT_EQ(page.getY(), 0);
        EXPECT_THROW(page.makeFont(QStringLiteral("Arial"), 200000000, 0), vb::Error);
        page.release();
        EXPECT_EQ(page.GetDC(), 0);
    }
    EXPECT_EQ(coarse.calls(DrawOp::EndDoc).size(), 1);
}

TEST_F(PagePrintingTest, TheCalibrationGridsLandOnThePaperWhateverTheMargins)
{
    for (const QPointF margin : {QPointF(), QPointF(360, 240)}) {
        RecordingTarget printer(2.4, QSizeF(12240 - 2 * margin.x(), 15840 - 2 * margin.y()), margin,
                                QSizeF(12240, 15840));
        auto installed = print::printer.replace(printer);
        auto* setup = new frmPrinterSetup;
        ui::load(*setup);
        setup->setLayoutIndex(0);
        m_messages.ok();
        setup->cmdPrintTest->click();
        ASSERT_EQ(m_messages.shown().size(), 1);
        EXPECT_EQ(m_messages.last().text, QStringLiteral("Calibration printing enqueued"));
        EXPECT_EQ(m_messages.last().icon, ui::Icon::Information);
        m_messages.clear();
        ui::unload(*setup);

        // Paper twips of each device-context line.
        const double tpp = 2.4;
        auto paper = [&](const QPoint& px) { return QPointF(px) * tpp + margin; };
        auto near = [&](const QPointF& a, const QPointF& b) {
            return std::abs(a.x() - b.x()) <= tpp && std::abs(a.y() - b.y()) <= tpp;
        };
        bool horizontalZero = false;
        bool verticalZero = false;
        for (const print::DrawCall& call : printer.calls(DrawOp::Line)) {
            if (near(paper(call.fromPx), QPointF(6120, 1390)) && near(paper(call.toPx), QPointF(6120, 1490)))
                horizontalZero = true;
            if (near(paper(call.fromPx), QPointF(1390, 7920)) && near(paper(call.toPx), QPointF(1490, 7920)))
                verticalZero = true;
        }
        EXPECT_TRUE(horizontalZero) << "margin " << margin.x();
        EXPECT_TRUE(verticalZero) << "margin " << margin.x();

        QStringList horizontal;
        QStringList vertical;
        QStringList other;
        for (const print::DrawCall& call : printer.calls(DrawOp::Text)) {
            bool number = false;
            call.text.toInt(&number);
            (number ? (call.angle == 270 ? horizontal : vertical) : other) << call.text;
        }
        QStringList labels;
        for (int v = -2000; v <= 2000; v += 200)
            labels << QString::number(v);
        EXPECT_EQ(horizontal, labels);
        EXPECT_EQ(vertical, labels);
        ASSERT_EQ(other.size(), 8);
        EXPECT_EQ(other[2], QStringLiteral("the numbers into the offset fields in Brindlemark™"));
        EXPECT_EQ(other[6], QStringLiteral("Horizontal Grid"));
        EXPECT_EQ(other[7], QStringLiteral("Vertical Grid"));
        EXPECT_EQ(printer.calls(DrawOp::EndDoc).size(), 1);
    }
}
