// Sheets, the template and the calibration page printed through the Printer object onto a
// printer whose spooler keeps each job's PDF, read back with poppler and the symbol decoder.
#include "LayoutFixture.h"

#include "capture/frmHelper.h"
#include "common/modRegistryHigh.h"
#include "layout/frmLabelLayout.h"
#include "layout/frmPrinterSetup.h"
#include "layout/modPrinterRoutines.h"
#include "platform/pdf417/Pdf417.h"
#include "platform/print/Printer.h"

#include "KeepingSpooler.h"
#include "PdfTools.h"
#include "PrivateCups.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "ScriptedForms.h"
#include "WhenShown.h"
#include "WidgetDriver.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>

#include <cups/cups.h>

using testing_support::KeepingSpooler;
using testing_support::ScriptedDialogs;

namespace {

// The smallest rectangle holding every dark pixel of `image` inside `within` (all of it when null).
QRect darkBox(const QImage& image, QRect within = QRect())
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    if (within.isNull())
        within = grey.rect();
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = within.left(); x <= within.right(); ++x) {
            if (row[x] < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// How many of the pixels from `from` to `to` (a row or a column) are dark.
int darkRun(const QImage& grey, QPoint from, QPoint to)
{
    int dark = 0;
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
    for (QPoint p = from;; p += step) {
        dark += qGray(grey.pixel(p)) < 160;
        if (p == to)
            break;
    }
    return dark;
}

} // namespace

class PrintJobTest : public LayoutTest
{
protected:
    PrintJobTest() : m_previousTmp(qgetenv("TMPDIR"))
    {
        // Spool files of this test only.
        qputenv("TMPDIR", QFile::encodeName(m_tmp.path()));
    }
    ~PrintJobTest() override { qputenv("TMPDIR", m_previousTmp); }

    // A layout window with five impressions, each in two positions side by side.
    frmLabelLayout* fiveCardSheet()
    {
        frmLabelLayout* w = newWindow();
        for (int k = 0; k < 5; ++k) {
            const QString tag = QString(QChar(u'A' + k)) + QStringLiteral("nna");
            docs << impression(tag);
            const QString path = writeImpression(tag, docs.last());
            for (int i = 2 * k; i < 2 * k + 2; ++i) {
                bool ok = false;
                w->setImage(path, qint16(i), ok);
                EXPECT_TRUE(ok);
            }
        }
        return w;
    }

    // Prints the sheet through the printer dialog; the page of the job, rasterised at 300 dpi.
    QImage printSheet(frmLabelLayout& w)
    {
        const qsizetype before = spooler.jobs.size();
        dialogs.answerPrinter();
        w.mnuFilePrint_Click();
        EXPECT_EQ(spooler.jobs.size(), before + 1);
        if (spooler.jobs.size() != before + 1)
            return QImage();
        EXPECT_EQ(pdf_tools::pageCount(spooler.jobs.last().copy), 1);
        return pdf_tools::rasterise(spooler.jobs.last().copy, 300);
    }

    // The page read by the several-symbols decoder gives the ten placed cards in reading order:
    // each impression twice.
    void expectTheTenCards(const QImage& page)
    {
        const QString bmp = m_dir.filePath(QStringLiteral("page.bmp"));
        ASSERT_TRUE(page.save(bmp, "BMP"));
        const QString vcf = m_dir.filePath(QStringLiteral("page.vcf"));
        std::int16_t count = 0;
        QList<QByteArray> read;
        for (int index = 1; index <= 11; ++index) {
            const std::int16_t result = pdf417::pdfDecodeBMPSymbolToFileMultiple(bmp, vcf, index, count);
            if (result < 1)
                break;
            read << readFile(vcf);
            if (result > 1)
                break;
        }
        ASSERT_EQ(read.size(), 10);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(read[i], encodedText(docs[i / 2], true)) << "symbol " << i;
    }

    // Prints the calibration page of the first layout type from printer setup, which says so.
    frmPrinterSetup* printCalibrationPage()
    {
        auto* setup = new frmPrinterSetup;
        ui::load(*setup);
        setup->setLayoutIndex(1);
        m_messages.ok();
        setup->cmdPrintTest->click();
        EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("Calibration printing enqueued")});
        return setup;
    }

    // The calibration page's 0 ticks where the paper's edges put them, and its numbers.
    void expectCalibrationTicks(const QString& pdf)
    {
        // At 600 dpi a twip is 1/2.4 pixel: the horizontal grid's 0 tick at (2550, 600) reaching
        // about 21 pixels up and down, the vertical grid's at (600, 3300) reaching 21 left and right.
        const QString pgm = m_dir.filePath(QStringLiteral("tick.pgm"));
        ASSERT_TRUE(pdf_tools::rasteriseToFile(pdf, pgm, 600, QRect(2500, 550, 100, 100)));
        QImage crop(pgm);
        int tick = 0;
        for (int x = 49; x <= 51; ++x)
            tick = std::max(tick, darkRun(crop, QPoint(x, 31), QPoint(x, 69)));
        EXPECT_GE(tick, 36) << "the horizontal grid's 0 tick";
        ASSERT_TRUE(pdf_tools::rasteriseToFile(pdf, pgm, 600, QRect(550, 3250, 100, 100)));
        crop = QImage(pgm);
        tick = 0;
        for (int y = 49; y <= 51; ++y)
            tick = std::max(tick, darkRun(crop, QPoint(31, y), QPoint(69, y)));
        EXPECT_GE(tick, 36) << "the vertical grid's 0 tick";
    }

    QByteArray m_previousTmp;
    QTemporaryDir m_tmp;
    KeepingSpooler spooler{{QStringLiteral("Desk")}};
    ScriptedDialogs dialogs;
    QList<CImpressionDoc> docs;
};

TEST_F(PrintJobTest, ASheetPrintsAsOnePageThatReadsBackAndMovesWithTheOffsets)
{
    frmLabelLayout* w = fiveCardSheet();
    const QImage page = printSheet(*w);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(spooler.jobs[0].printer, QStringLiteral("Desk"));
    EXPECT_EQ(spooler.jobs[0].title, QStringLiteral("Brindlemark"));
    EXPECT_TRUE(KeepingSpooler::spoolFiles().isEmpty());

    // Ten symbols in reading order: each impression twice.
    expectTheTenCards(page);
    const QString text = pdf_tools::text(spooler.jobs[0].copy);
    for (const CImpressionDoc& doc : docs)
        for (int k = 0; k < CImpressionDoc::LineCount; ++k)
            EXPECT_EQ(text.count(doc.CwLines(qint16(k))), 2) << doc.CwLines(qint16(k)).toStdString();

    // Offsets of 0.1 and 0.05 in move everything 30 and 15 pixels at 300 dpi.
    modRegistryHigh::setPrintOffsets(144, 72, QStringLiteral("Desk"), w->getPrintingMode());
    const QImage moved = printSheet(*w);
    ASSERT_FALSE(moved.isNull());
    const QRect before = darkBox(page);
    const QRect after = darkBox(moved);
    EXPECT_NEAR(after.left() - before.left(), 30, 1);
    EXPECT_NEAR(after.top() - before.top(), 15, 1);
    EXPECT_NEAR(after.right() - before.right(), 30, 1);
    EXPECT_NEAR(after.bottom() - before.bottom(), 15, 1);
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(PrintJobTest, ACancelledDialogOrAFailureMidSheetLeavesNoJob)
{
    frmLabelLayout* w = fiveCardSheet();
    dialogs.cancel();
    w->mnuFilePrint_Click();
    dialogs.cancel();
    w->mnuPrintTemplate_Click();
    EXPECT_TRUE(spooler.jobs.isEmpty());

    // The third row would lie beyond the 16-bit range: the job is abandoned, quietly.
    modRegistryHigh::setPrintOffsets(0, 30000, QStringLiteral("Desk"), w->getPrintingMode());
    dialogs.answerPrinter();
    w->mnuFilePrint_Click();
    EXPECT_TRUE(spooler.jobs.isEmpty());
    EXPECT_TRUE(KeepingSpooler::spoolFiles().isEmpty());
    EXPECT_TRUE(m_messages.shown().isEmpty());

    // The next print starts afresh.
    modRegistryHigh::setPrintOffsets(0, 0, QStringLiteral("Desk"), w->getPrintingMode());
    EXPECT_FALSE(printSheet(*w).isNull());
}

TEST_F(PrintJobTest, TheTemplatePrintsOnePageWithItsCornerOnThePapers)
{
    frmLabelLayout* w = newWindow();
    dialogs.answerPrinter();
    w->mnuPrintTemplate_Click();
    ASSERT_EQ(spooler.jobs.size(), 1);
    EXPECT_EQ(pdf_tools::pageCount(spooler.jobs[0].copy), 1);
    // The picture is 100 dots per inch: rendered at 100 its drawing lies where it lies in the file.
    const QImage picture(QCoreApplication::applicationDirPath() + QStringLiteral("/The-Corvel-Template.gif"));
    ASSERT_FALSE(picture.isNull());
    const QRect expected = darkBox(picture);
    const QRect printed = darkBox(pdf_tools::rasterise(spooler.jobs[0].copy, 100));
    EXPECT_NEAR(printed.left(), expected.left(), 1);
    EXPECT_NEAR(printed.top(), expected.top(), 1);
    EXPECT_NEAR(printed.right(), expected.right(), 1);
    EXPECT_NEAR(printed.bottom(), expected.bottom(), 1);
}

TEST_F(PrintJobTest, TheCalibrationPageMeasuresFromThePapersEdges)
{
    frmPrinterSetup* setup = printCalibrationPage();
    ASSERT_EQ(spooler.jobs.size(), 1);
    EXPECT_EQ(pdf_tools::pageCount(spooler.jobs[0].copy), 1);

    expectCalibrationTicks(spooler.jobs[0].copy);
    const QString text = pdf_tools::text(spooler.jobs[0].copy);
    for (int v = -2000; v <= 2000; v += 200)
        EXPECT_TRUE(text.contains(QString::number(v))) << v;
    EXPECT_TRUE(text.contains(QStringLiteral("Brindlemark™")));

    // A spooler that refuses the job.
    spooler.refusal = QStringLiteral("The printer is stopped");
    m_messages.clear();
    m_messages.ok();
    setup->cmdPrintTest->click();
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("Error printing calibration")});
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(spooler.jobs.size(), 2) << "handed over and refused";
    EXPECT_TRUE(KeepingSpooler::spoolFiles().isEmpty());
}

// The same sheet and calibration page through a real print server: the PDFs cups-pdf writes.
class CupsPrintJobTest : public PrintJobTest
{
protected:
    void SetUp() override
    {
        PrintJobTest::SetUp();
        if (!cups)
            GTEST_SKIP() << "no private print server: " << cups.error().toStdString();
    }

    testing_support::PrivateCups cups;
};

TEST_F(CupsPrintJobTest, ATenCardSheetArrivesAsAPdfThatReadsBackAndAnAbortedOneLeavesNone)
{
    frmLabelLayout* w = fiveCardSheet();
    dialogs.answerPrinter(cups.queue());
    w->mnuFilePrint_Click();
    ASSERT_TRUE(cups.waitUntilIdle()) << cups.log().toStdString();
    ASSERT_EQ(cups.outputs().size(), 1) << cups.log().toStdString();
    EXPECT_EQ(pdf_tools::pageCount(cups.outputs()[0]), 1);
    expectTheTenCards(pdf_tools::rasterise(cups.outputs()[0], 300));

    // The third row would lie beyond the 16-bit range: the job is abandoned mid-sheet.
    QFile::remove(cups.outputs()[0]);
    modRegistryHigh::setPrintOffsets(0, 30000, cups.queue(), w->getPrintingMode());
    dialogs.answerPrinter(cups.queue());
    w->mnuFilePrint_Click();
    ASSERT_TRUE(cups.waitUntilIdle());
    EXPECT_TRUE(cups.outputs().isEmpty());
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(CupsPrintJobTest, AServerNoOneServesOrAQueueRemovedWhileTheProgramRunsIsNoPrinter)
{
    frmLabelLayout* w = fiveCardSheet();
    testing_support::ScriptedForms forms;
    // Print Setup names the printer, or none; Select Printer opens the printer dialog, or says there is none.
    auto setupShows = [&](const QString& printer) {
        forms.then([&](ui::Form& form) {
            EXPECT_EQ(dynamic_cast<frmPrinterSetup&>(form).txtCurrentPrinterName->text(), printer);
            testing_support::click(form.widget(), QStringLiteral("cmdSelectPrinter"));
            testing_support::click(form.widget(), QStringLiteral("cmdCancel"));
        });
        testing_support::trigger(w, QStringLiteral("mnuFilePrintSetup"));
    };
    // The real printer dialog: there it only chooses, so its accept button reads "OK".
    QString accept;
    whenShown<QPrintDialog>([&](QPrintDialog* dialog) {
        accept = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
        dialog->reject();
    });
    {
        const auto real = ui::dialogs.replace(ui::dialogs.fallback());
        setupShows(cups.queue());
    }
    EXPECT_EQ(accept, QStringLiteral("OK"));

    // A print server no one serves: Select Printer and Print Layout each say so once, and how to add one.
    const QByteArray served = qgetenv("CUPS_SERVER");
    cupsSetServer(QFile::encodeName(m_dir.filePath(QStringLiteral("nobody.sock"))).constData());
    QCoreApplication::processEvents(); // a user's next command comes from the event loop
    m_messages.ok(3);
    setupShows(QString());
    EXPECT_EQ(m_messages.shown().size(), 1);
    testing_support::trigger(w, QStringLiteral("mnuFilePrint"));
    ASSERT_EQ(m_messages.shown().size(), 2);
    EXPECT_TRUE(m_messages.last().text.contains(QStringLiteral("cups-pdf")));
    EXPECT_EQ(m_messages.texts().first(), m_messages.last().text);

    // The server again, and its queue removed while the program runs: no printer either.
    cupsSetServer(served.constData());
    ASSERT_TRUE(cups.removeQueue());
    QCoreApplication::processEvents();
    forms.then([](ui::Form& form) { testing_support::click(form.widget(), QStringLiteral("cmdClose")); });
    testing_support::trigger(w, QStringLiteral("mnuFilePrintPreview"));
    const QImage noPrinter(QCoreApplication::applicationDirPath() + u'/' + modPrinterRoutines::NoPrinterPicture);
    EXPECT_TRUE(frmHelper::instance().Pic.picture() == noPrinter);
    setupShows(QString());
    EXPECT_EQ(m_messages.shown().size(), 3);
}

TEST_F(CupsPrintJobTest, TheCalibrationPageArrivesWithItsTicksInPlace)
{
    printCalibrationPage();
    ASSERT_TRUE(cups.waitUntilIdle()) << cups.log().toStdString();
    ASSERT_EQ(cups.outputs().size(), 1) << cups.log().toStdString();
    EXPECT_EQ(pdf_tools::pageCount(cups.outputs()[0]), 1);
    expectCalibrationTicks(cups.outputs()[0]);
}

TEST_F(PrintJobTest, SheetTemplateCalibrationAndCardAllGoOutOnLetterFromAnA4Queue)
{
    testing_support::PrivateCups cups(QStringLiteral("A4"));
    if (!cups)
        GTEST_SKIP() << "no private print server: " << cups.error().toStdString();
    KeepingSpooler a4{{cups.queue()}}; // the queue's jobs, kept instead of printed
    // A Corvel sheet whose column 1 holds a line wider than its band: the band's left edge, the box's, clips it.
    frmLabelLayout* w = newWindow();
    CImpressionDoc wide = impression(QStringLiteral("Wide"));
    wide.setCwLines(0, QString(120, u'W'));
    const QString path = writeImpression(QStringLiteral("wide"), wide);
    bool ok = false;
    w->setImage(path, 1, ok);
    dialogs.answerPrinter(cups.queue()).answerPrinter(cups.queue());
    w->mnuFilePrint_Click();
    w->mnuPrintTemplate_Click();
    printCalibrationPage();
    modPrinterRoutines::drawImpressionFile(print::printer(), path, 1260, 900, 4680, 2513, false, 1.0f, true);
    print::printer().endDoc();
    ASSERT_EQ(a4.jobs.size(), 4);
    for (const KeepingSpooler::Job& job : a4.jobs) {
        EXPECT_EQ(job.media, QStringLiteral("Letter"));
        EXPECT_EQ(pdf_tools::rasterise(job.copy, 72).size(), QSize(612, 792)) << "points";
    }
    // At 300 dpi a pixel is 4.8 twips; row 0's top band runs from 1256 to 1688 twips.
    EXPECT_NEAR(darkBox(pdf_tools::rasterise(a4.jobs[0].copy, 300), QRect(1250, 265, 1300, 80)).left() * 4.8, 6541, 5);
}
