// A test that prints, scans, starts a program or opens a web page without scripting the
// service it reaches fails, and the failure names the service; nothing leaves the process.
#include "capture/modPrinterRoutines.h"
#include "common/MainHelper.h"
#include "common/frmAbout.h"
#include "platform/print/Printer.h"
#include "platform/scanner/Twain.h"
#include "platform/vb/VbError.h"

#include "InstalledEdition.h"
#include "TempConfig.h"
#include "WidgetDriver.h"

#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

// The windows under test are Quorvane's.
const auto* const g_edition = ::testing::AddGlobalTestEnvironment(new testing_support::QuorvaneEdition);

namespace {

void printALine()
{
    try {
        print::Target& printer = print::printer();
        modPrinterRoutines::printWithPrinterWidths(printer, QStringLiteral("Acme"));
        printer.endDoc();
    } catch (const vb::Error&) {
        // no printer to print on: the failure above is the point
    }
}

void scanACard()
{
    QTemporaryDir dir;
    scanner::TWAIN_AcquireToFilename(nullptr, dir.filePath(QStringLiteral("tmpsymbol.bmp")));
}

void startTheFullProgram()
{
    testing_support::TempConfig config;
    modMainHelper::launchTessaline();
}

void openTheMakersSite()
{
    auto* about = new frmAbout;
    ui::load(*about);
    Q_EMIT testing_support::control<QLabel>(about, QStringLiteral("Label3"))->linkActivated(QString());
    ui::unload(*about);
}

// The failures `work` adds to the test, taken away from it.
QStringList failuresOf(void (*work)())
{
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        work();
    }
    QStringList messages;
    for (int i = 0; i < results.size(); ++i)
        messages << QString::fromStdString(results.GetTestPartResult(i).message());
    return messages;
}

void expectFailuresNaming(void (*work)(), const QString& service)
{
    const QStringList failures = failuresOf(work);
    EXPECT_FALSE(failures.isEmpty()) << "no failure for " << service.toStdString();
    for (const QString& failure : failures)
        EXPECT_TRUE(failure.contains(QStringLiteral("unscripted use of ") + service)) << failure.toStdString();
}

} // namespace

TEST(UnscriptedServices, FailTheTestNamingTheService)
{
    expectFailuresNaming(printALine, QStringLiteral("the printer spooler"));
    expectFailuresNaming(scanACard, QStringLiteral("the image source: acquiring an image"));
    expectFailuresNaming(startTheFullProgram, QStringLiteral("program launch"));
    expectFailuresNaming(openTheMakersSite, QStringLiteral("the browser: https://www.tessaline.com/"));
}
