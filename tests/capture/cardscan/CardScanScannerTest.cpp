#include "capture/modCardScan.h"
#include "common/modRegistryLow.h"
#include "platform/scanner/FakeImageSource.h"
#include "platform/ui/MessageService.h"

#include "QtPrinters.h"
#include "RunningCardScan.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using testing_support::ScriptedMessages;
using testing_support::TempConfig;

namespace {

const QString Question = QStringLiteral("CardScan is set to automatically detect and capture\n  cards, and Quorvane "
                                        "cannot process them.\n\nDisable 'Detect Cards Automatically' in CardScan?\n");
const QString CloseFirst = QStringLiteral("CardScan must not be running for your changes to take effect.\n\n"
                                          "To continue, first close CardScan and then press OK.");
const QString CloseAndPlaceCard = QStringLiteral(
    "CardScan must not be running for your changes to take effect.\n\n"
    "To continue, first close CardScan and then place card in scanner.\nWhen you are finished press OK.");

// Answers each box through a function of the test, and records it.
class AnsweringMessages : public ui::MessageService
{
public:
    explicit AnsweringMessages(std::function<ui::Answer(const ui::Message&)> answer)
        : m_installed(ui::messageService.replace(*this)), m_answer(std::move(answer))
    {
    }

    ui::Answer show(const ui::Message& message) override
    {
        texts.append(message.text);
        return m_answer(message);
    }

    QStringList texts;

private:
    service::Service<ui::MessageService>::Override m_installed;
    std::function<ui::Answer(const ui::Message&)> m_answer;
};

class CardScanScanner : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ui::setProgramTitle(QStringLiteral("Quorvane"));
        ASSERT_TRUE(folder.isValid());
    }

    void TearDown() override
    {
        modCardScan::shutdownCardScan();
        ui::setProgramTitle(QString());
    }

    static void setAutoSense(qint32 value)
    {
        modRegistryLow::createKey(modCardScan::AutoSenseKey, modRegistryLow::Root::CurrentUser);
        ASSERT_TRUE(modRegistryLow::setDWordValueHKCU(modCardScan::AutoSenseKey, modCardScan::AutoSenseValue, value));
    }

    static qint32 autoSense()
    {
        return modRegistryLow::getDWordValueHKCU(modCardScan::AutoSenseKey, modCardScan::AutoSenseValue, -1);
    }

    TempConfig config;
    QTemporaryDir folder;
};

QImage card()
{
    QImage image(64, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 64; x += 4)
        for (int y = 0; y < 40; ++y)
            image.setPixel(x, y, qRgb(0, 0, 0));
    return image;
}

} // namespace

TEST_F(CardScanScanner, AScanWritesTheCardAsABitmapAndAFailureLeavesNoOldOne)
{
    const QString bitmap = folder.filePath(QStringLiteral("tmpsymbol.bmp"));
    QFile old(bitmap);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older scan");
    old.close();

    scanner::FakeImageSource source(card());
    ScriptedMessages messages; // the guard asks nothing while detection is off
    EXPECT_TRUE(modCardScan::scanCardImage(bitmap));
    const QImage written(bitmap, "BMP");
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), card());
    EXPECT_TRUE(modCardScan::scanCardImage(bitmap)); // the same session again
    EXPECT_EQ(source.calls(), 2);

    source.setResult(scanner::Acquired::failed(QStringLiteral("paper jam")));
    EXPECT_FALSE(modCardScan::scanCardImage(bitmap));
    EXPECT_FALSE(QFile::exists(bitmap));
    source.setResult(scanner::Acquired::cancelled());
    EXPECT_FALSE(modCardScan::scanCardImage(bitmap));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(CardScanScanner, TheGuardAsksOnOpeningTheScannerAndOnEveryScan)
{
    setAutoSense(1);
    scanner::FakeImageSource source(card());
    const QString bitmap = folder.filePath(QStringLiteral("card.bmp"));
    ScriptedMessages messages;
    messages.answer(ui::Answer::No).answer(ui::Answer::No);
    EXPECT_TRUE(modCardScan::scanCardImage(bitmap));
    ASSERT_EQ(messages.shown().size(), 2);
    const ui::Message& question = messages.shown()[0];
    EXPECT_EQ(question.text, Question);
    EXPECT_EQ(question.buttons, ui::Buttons::YesNo);
    EXPECT_EQ(question.icon, ui::Icon::Exclamation);
    EXPECT_EQ(question.title, QStringLiteral("Quorvane - Warning"));
    EXPECT_EQ(question.helpTopic, modCardScan::AutoSenseHelpTopic);

    messages.answer(ui::Answer::No);
    EXPECT_TRUE(modCardScan::scanCardImage(bitmap));
    EXPECT_EQ(messages.shown().size(), 3);
    EXPECT_EQ(autoSense(), 1);

    // After shutdown the scanner opens again, and the guard with it.
    modCardScan::shutdownCardScan();
    messages.answer(ui::Answer::No).answer(ui::Answer::Yes); // CardScan is not running: switched off
    EXPECT_TRUE(modCardScan::scanCardImage(bitmap));
    EXPECT_EQ(messages.shown().size(), 5);
    EXPECT_EQ(autoSense(), 0);
    EXPECT_TRUE(modCardScan::scanCardImage(bitmap));
    EXPECT_EQ(messages.shown().size(), 5);
}

TEST_F(CardScanScanner, DetectionIsSwitchedOffOnlyOnceCardScanIsClosed)
{
    setAutoSense(1);
    auto cardScan = std::make_unique<RunningCardScan>();
    ASSERT_TRUE(cardScan->isReady());
    EXPECT_TRUE(modCardScan::isCardScanRunning());

    int closeRequests = 0;
    AnsweringMessages messages([&](const ui::Message& message) {
        if (message.text == Question)
            return ui::Answer::Yes;
        EXPECT_EQ(message.icon, ui::Icon::Critical);
        EXPECT_EQ(message.buttons, ui::Buttons::Ok);
        EXPECT_EQ(autoSense(), 1);
        // The user closes CardScan only when told the second time.
        if (++closeRequests == 2) {
            EXPECT_TRUE(cardScan->finish());
        }
        return ui::Answer::Ok;
    });
    modCardScan::checkAutoSense(true);
    EXPECT_EQ(messages.texts, QStringList({Question, CloseAndPlaceCard, Question, CloseAndPlaceCard}));
    EXPECT_FALSE(modCardScan::isCardScanRunning());
    EXPECT_EQ(autoSense(), 0);
}

TEST_F(CardScanScanner, AnsweringNoWhileCardScanRunsKeepsDetection)
{
    setAutoSense(1);
    RunningCardScan cardScan;
    ASSERT_TRUE(cardScan.isReady());
    ScriptedMessages messages;
    messages.answer(ui::Answer::Yes).ok().answer(ui::Answer::No);
    modCardScan::checkAutoSense(false);
    EXPECT_EQ(messages.texts(), QStringList({Question, CloseFirst, Question}));
    EXPECT_EQ(autoSense(), 1);
}

TEST_F(CardScanScanner, AScannerLibraryThatCannotStartIsReportedAndTriedAgain)
{
    scanner::FakeImageSource source(card());
    source.setOpenError(QStringLiteral("The scanner library could not start: Out of memory"));
    const QString bitmap = folder.filePath(QStringLiteral("card.bmp"));
    ScriptedMessages messages;
    messages.ok();
    EXPECT_FALSE(modCardScan::scanCardImage(bitmap));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("CardScan initialization failure.\rPlease ensure that CardScan is installed correctly."));
    EXPECT_EQ(messages.last().icon, ui::Icon::Critical);
    EXPECT_EQ(messages.last().buttons, ui::Buttons::Ok);
    EXPECT_EQ(source.calls(), 0); // nothing is scanned without the SDK
    EXPECT_FALSE(QFile::exists(bitmap));

    // The next scan tries again; once open, the SDK stays open for the later scans.
    source.setOpenError(QString());
    EXPECT_TRUE(modCardScan::scanCardImage(bitmap));
    EXPECT_TRUE(modCardScan::scanCardImage(bitmap));
    EXPECT_EQ(source.opens(), 2);
    EXPECT_EQ(messages.shown().size(), 1);
}
