// The card renderer run from a program folder without its pictures.
#include "capture/modPrinterRoutines.h"

#include "platform/print/RecordingTarget.h"

#include "CardTests.h"
#include "InstalledEdition.h"
#include "QtPrinters.h"
#include "ScriptedMessages.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace card_tests;
using modPrinterRoutines::drawImpressionCard;
using print::DrawOp;
using testing_support::ScriptedMessages;

TEST(MissingPictures, WithoutTheNoPrinterPictureTheCardStaysEmptyAndTheCallFails)
{
    ASSERT_FALSE(QFile::exists(programFile(QStringLiteral("No-Printer.bmp"))));
    AbsentPrinter absent;
    ScriptedMessages messages; // no box expected
    print::RecordingTarget box;
    EXPECT_FALSE(drawImpressionCard(box, sampleImpression(), 90, 90, 4680, 2513, true, 1.0f, true, true));
    EXPECT_TRUE(box.calls().isEmpty()) << box.dump().toStdString();
    EXPECT_FALSE(box.hasClipRegion());
}

TEST(MissingPictures, AMissingBadgeIsReportedAsTheFileError)
{
    ASSERT_FALSE(QFile::exists(programFile(QStringLiteral("QVN-Corvel-Words-Excluded.bmp"))));
    testing_support::InstalledEdition edition;
    print::RecordingTarget printer(2.4);
    PrinterInstalled installed(printer);
    ScriptedMessages messages;
    messages.ok();
    print::RecordingTarget box;
    EXPECT_FALSE(drawImpressionCard(box, oversizedImpression(), 90, 90, 4680, 2513, true, 1.0f, true, true));
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("Error 53:\r\nFile not found")}));
    EXPECT_TRUE(box.calls(DrawOp::Picture).isEmpty());
    EXPECT_FALSE(box.hasClipRegion());
}
