#include "platform/print/PrinterTarget.h"
#include "platform/print/PrintSpooler.h"
#include "platform/print/Printer.h"
#include "platform/print/RecordingTarget.h"
#include "platform/ui/MessageService.h"
#include "platform/units/Units.h"
#include "platform/vb/VbError.h"

#include "KeepingSpooler.h"
#include "PdfTools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

using namespace print;

namespace {

using FakeSpooler = testing_support::KeepingSpooler;

void expectNoPrinter(const std::function<void()>& use, const char* what)
{
    try {
        use();
        ADD_FAILURE() << what << ": no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::err::NoPrinter) << what;
        EXPECT_EQ(error.description(), QStringLiteral("Printer error")) << what;
    }
}

QStringList spoolFiles()
{
    return FakeSpooler::spoolFiles();
}

} // namespace

TEST(PrinterTarget, WithoutAPrinterEveryUseRaises482)
{
    FakeSpooler none({});
    PrinterTarget target;
    expectNoPrinter([&] { target.twipsPerPixelX(); }, "TwipsPerPixelX");
    expectNoPrinter([&] { target.setFontName(QStringLiteral("Arial")); }, "FontName");
    expectNoPrinter([&] { target.setFontSize(36); }, "FontSize");
    expectNoPrinter([&] { target.textWidth(QStringLiteral("W")); }, "TextWidth");
    expectNoPrinter([&] { target.textHeight(QString()); }, "TextHeight");
    expectNoPrinter([&] { target.print(QStringLiteral("x")); }, "Print");
    expectNoPrinter([&] { target.paintPicture(QImage(1, 1, QImage::Format_Mono), 0, 0, 15, 15); }, "PaintPicture");
    expectNoPrinter([&] { target.setClipRegion(0, 0, 1, 1); }, "clip region");
    expectNoPrinter([&] { target.deviceCaps(DeviceCap::PhysicalOffsetX); }, "GetDeviceCaps");
    expectNoPrinter([&] { target.deviceName(); }, "DeviceName");
    expectNoPrinter([&] { target.endDoc(); }, "EndDoc");
    // Cleaning up on an error path never raises.
    EXPECT_NO_THROW(target.releaseClipRegion());

    // A printer chosen by name that is gone is forgotten: the default serves.
    FakeSpooler other({QStringLiteral("Desk")});
    PrinterTarget gone(QStringLiteral("Hall"));
    EXPECT_EQ(gone.deviceName(), QStringLiteral("Desk"));
}

TEST(PrinterTarget, ThePrinterObjectIsTheSystemPrinterUnlessReplaced)
{
    FakeSpooler none({});
    EXPECT_EQ(&printer(), &systemPrinter());
    expectNoPrinter([&] { printer().twipsPerPixelY(); }, "Printer");

    RecordingTarget recorder;
    {
        auto installed = printer.replace(recorder);
        EXPECT_EQ(&printer(), &recorder);
        EXPECT_NO_THROW(printer().twipsPerPixelY());
    }
    EXPECT_EQ(&printer(), &systemPrinter());
}

TEST(PrinterTarget, AJobStartsAtTheFirstDrawingAndIsSpooledByEndDoc)
{
    FakeSpooler desk({QStringLiteral("Desk")});
    PrinterTarget target;
    EXPECT_EQ(target.deviceName(), QStringLiteral("Desk"));
    EXPECT_DOUBLE_EQ(target.twipsPerPixelX(), units::twipsPerPixel(PrinterTarget::defaultResolution));
    // The drawable area and the margins around it make up the sheet.
    const int dpi = target.deviceCaps(DeviceCap::LogPixelsX);
    EXPECT_EQ(dpi, PrinterTarget::defaultResolution);
    EXPECT_GE(target.deviceCaps(DeviceCap::PhysicalWidth),
              target.deviceCaps(DeviceCap::HorzRes) + target.deviceCaps(DeviceCap::PhysicalOffsetX));
    EXPECT_NEAR(target.scaleWidth(), target.deviceCaps(DeviceCap::HorzRes) * units::twipsPerPixel(dpi), 1e-6);

    // Measuring and moving start nothing.
    target.setFontSize(6);
    target.textWidth(QStringLiteral("The Corvel Words"));
    target.setCurrentX(1440);
    EXPECT_FALSE(target.isPainting());

    target.print(QStringLiteral("Printed on the desk printer"));
    EXPECT_TRUE(target.isPainting());
    EXPECT_TRUE(desk.jobs.isEmpty());
    target.endDoc();
    EXPECT_FALSE(target.isPainting());

    ASSERT_EQ(desk.jobs.size(), 1);
    const FakeSpooler::Job& job = desk.jobs.first();
    EXPECT_EQ(job.printer, QStringLiteral("Desk"));
    EXPECT_EQ(job.title, ui::programTitle());
    EXPECT_FALSE(job.media.isEmpty());
    EXPECT_FALSE(QFile::exists(job.file)); // the spool file is gone once handed over
    EXPECT_TRUE(pdf_tools::text(job.copy).contains(QStringLiteral("Printed on the desk printer")));

    // Ending a document that has nothing in it hands nothing over.
    target.endDoc();
    EXPECT_EQ(desk.jobs.size(), 1);
}

TEST(PrinterTarget, KillDocAbandonsTheJob)
{
    // Spool files go to the temporary folder; a private one keeps other tests' jobs out of sight.
    QTemporaryDir temporary;
    const QByteArray previousTemporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    FakeSpooler desk({QStringLiteral("Desk")});
    const QStringList before = spoolFiles();
    EXPECT_TRUE(before.isEmpty());
    {
        PrinterTarget target;
        target.setClipRegion(0, 0, 100, 100);
        target.print(QStringLiteral("abandoned"));
        EXPECT_EQ(spoolFiles().size(), before.size() + 1);
        target.killDoc();
        EXPECT_FALSE(target.hasClipRegion());
        EXPECT_EQ(spoolFiles(), before);

        // A job still open when the printer object goes away is abandoned as well.
        target.print(QStringLiteral("dropped"));
    }
    EXPECT_EQ(spoolFiles(), before);
    EXPECT_TRUE(desk.jobs.isEmpty());
    if (previousTemporary.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", previousTemporary);
}

TEST(PrinterTarget, DeviceContextDocumentsSpoolEvenWhenEmpty)
{
    FakeSpooler desk({QStringLiteral("Desk")});
    PrinterTarget target;
    target.startDoc(QStringLiteral("Calibration"));
    target.startPage();
    target.endPage();
    target.endDoc();
    ASSERT_EQ(desk.jobs.size(), 1);
    EXPECT_EQ(desk.jobs.first().title, QStringLiteral("Calibration"));
    EXPECT_EQ(pdf_tools::pageCount(desk.jobs.first().copy), 1);
}

TEST(PrinterTarget, AnotherPrinterTakesTheNextDocument)
{
    FakeSpooler printers({QStringLiteral("Desk"), QStringLiteral("Hall")});
    PrinterTarget target;
    target.print(QStringLiteral("first"));
    target.setDeviceName(QStringLiteral("Hall"));
    target.print(QStringLiteral("still on the desk"));
    target.endDoc();
    EXPECT_EQ(target.deviceName(), QStringLiteral("Hall"));
    target.print(QStringLiteral("second"));
    target.endDoc();
    ASSERT_EQ(printers.jobs.size(), 2);
    EXPECT_EQ(printers.jobs[0].printer, QStringLiteral("Desk"));
    EXPECT_TRUE(pdf_tools::text(printers.jobs[0].copy).contains(QStringLiteral("still on the desk")));
    EXPECT_EQ(printers.jobs[1].printer, QStringLiteral("Hall"));
}

TEST(PrinterTarget, ARefusedJobRaises482WithTheReason)
{
    FakeSpooler desk({QStringLiteral("Desk")});
    desk.refusal = QStringLiteral("queue stopped");
    PrinterTarget target;
    target.print(QStringLiteral("x"));
    try {
        target.endDoc();
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::err::NoPrinter);
        EXPECT_TRUE(error.description().contains(QStringLiteral("queue stopped")));
    }
    EXPECT_FALSE(target.isPainting());
}
