// The helper form's own services: its controls, the deferred calls, the file prompts and the
// picture holder.
#include "capture/ITimerClient.h"
#include "capture/frmHelper.h"
#include "platform/serial/CommPort.h"
#include "platform/ui/Timer.h"
#include "platform/vb/VbError.h"

#include "FakeClock.h"
#include "ScriptedDialogs.h"

#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testing_support::ScriptedDialogs;

class TimerClient : public QWidget, public ui::Form, public ITimerClient
{
public:
    void OnTimer(ui::Timer& timer) override
    {
        ++ticks;
        EXPECT_EQ(timer.interval(), 150);
    }
    int ticks = 0;
};

class HelperFormTest : public ::testing::Test
{
protected:
    void SetUp() override { m_helper = &frmHelper::instance(); }
    void TearDown() override { ui::unload(*m_helper); }

    testing_support::FakeClock m_clock;
    frmHelper* m_helper = nullptr;
};

TEST_F(HelperFormTest, OneHiddenFormHoldsTheSharedControls)
{
    EXPECT_EQ(&frmHelper::instance(), m_helper);
    EXPECT_TRUE(ui::isLoaded(*m_helper));
    EXPECT_FALSE(m_helper->isVisible());
    EXPECT_EQ(m_helper->findChild<ui::Timer*>(QStringLiteral("tmrScan")), m_helper->tmrScan);
    EXPECT_EQ(m_helper->findChild<ui::Timer*>(QStringLiteral("Timer1")), m_helper->Timer1);
    EXPECT_EQ(m_helper->findChild<serial::CommPort*>(QStringLiteral("MSComm1")), m_helper->MSComm1);
    EXPECT_EQ(m_helper->tmrScan->interval(), 200);
    EXPECT_EQ(m_helper->Timer1->interval(), 150);
    EXPECT_FALSE(m_helper->tmrScan->isEnabled());
    EXPECT_FALSE(m_helper->Timer1->isEnabled());
    EXPECT_EQ(m_helper->Label1->text(),
              QStringLiteral("The only purpose of this form is to provide some global controls. It is always hidden."));
    EXPECT_TRUE(m_helper->cdlHelp.HelpFile.endsWith(QStringLiteral("/Tessaline.hlp")));
}

TEST_F(HelperFormTest, DeferredCallsRunUntilKilled)
{
    TimerClient first;
    TimerClient second;
    m_helper->startTimer(&first);
    m_clock.advance(450);
    EXPECT_EQ(first.ticks, 3);

    // Only one client is remembered: a second start replaces the first.
    m_helper->startTimer(&second);
    m_clock.advance(300);
    EXPECT_EQ(first.ticks, 3);
    EXPECT_EQ(second.ticks, 2);

    m_helper->killTimer(&first); // whoever asks, the calls stop
    m_clock.advance(600);
    EXPECT_EQ(second.ticks, 2);
    EXPECT_FALSE(m_helper->Timer1->isEnabled());
}

struct Prompt
{
    bool (frmHelper::*call)(QString&, QString&);
    ScriptedDialogs::Kind kind;
    QString title;
    QString filter;
};

TEST_F(HelperFormTest, FilePromptsAskWithTheirKindsFilterAndTitle)
{
    const QString imf = QStringLiteral("Tessaline Impression (*.imf)|*.imf|All files (*.*)|*.*");
    const QString lyt = QStringLiteral("Tessaline Layout (*.lyt)|*.lyt|All files (*.*)|*.*");
    const QString vcf = QStringLiteral("vCard (*.vcf)|*.vcf|All files (*.*)|*.*");
    const QString bmp = QStringLiteral("Windows Bitmap (*.bmp)|*.bmp|All files (*.*)|*.*");
    using K = ScriptedDialogs::Kind;
    const QList<Prompt> prompts = {
        {&frmHelper::promptForImpressionFileToOpen, K::Open, QStringLiteral("Open Tessaline Impression"), imf},
        {&frmHelper::promptForImpressionFileToCreate, K::Save, QStringLiteral("Save Tessaline Impression"), imf},
        {&frmHelper::promptForLayoutFileToOpen, K::Open, QStringLiteral("Open Tessaline Layout"), lyt},
        {&frmHelper::promptForLayoutFileToCreate, K::Save, QStringLiteral("Save Tessaline Layout"), lyt},
        {&frmHelper::promptForVCardFileToOpen, K::Open, QStringLiteral("Open vCard"), vcf},
        {&frmHelper::promptForVCardFileToCreate, K::Save, QStringLiteral("Save vCard"), vcf},
        {&frmHelper::promptForBitmapFileToOpen, K::Open, QStringLiteral("Open Bitmap"), bmp},
        {&frmHelper::promptForBitmapFileToCreate, K::Save, QStringLiteral("Save Bitmap"), bmp},
    };
    frmHelper& helper = *m_helper;
    for (const Prompt& p : prompts) {
        SCOPED_TRACE(p.title.toStdString());
        ScriptedDialogs dialogs;
        dialogs.answerFile(QStringLiteral("/data/cards/Jane Q. Doe.any")).cancel();
        QString strLong = QStringLiteral("/home/jane/Suggested Name.any");
        QString strShort = QStringLiteral("before");
        ASSERT_TRUE((helper.*p.call)(strLong, strShort));
        EXPECT_EQ(strLong, QStringLiteral("/data/cards/Jane Q. Doe.any"));
        EXPECT_EQ(strShort, QStringLiteral("Jane Q. Doe.any"));

        // Cancelled: false, and the names stay as they were.
        QString strKeptLong = QStringLiteral("/home/jane/kept.any");
        QString strKeptShort = QStringLiteral("kept.any");
        EXPECT_FALSE((helper.*p.call)(strKeptLong, strKeptShort));
        EXPECT_EQ(strKeptLong, QStringLiteral("/home/jane/kept.any"));
        EXPECT_EQ(strKeptShort, QStringLiteral("kept.any"));

        ASSERT_EQ(dialogs.requests().size(), 2);
        const ui::FileDialogRequest& r = dialogs.requests().first().file;
        EXPECT_EQ(dialogs.requests().first().kind, p.kind);
        EXPECT_EQ(r.title, p.title);
        EXPECT_EQ(r.filter, p.filter);
        // Saving offers the suggested name and asks before replacing a file; opening starts empty.
        if (p.kind == K::Save) {
            EXPECT_EQ(r.fileName, QStringLiteral("/home/jane/Suggested Name.any"));
            EXPECT_TRUE(r.confirmOverwrite);
        } else {
            EXPECT_EQ(r.fileName, QString());
        }
    }
}

TEST_F(HelperFormTest, PictureHolderTellsTheSizeInScreenTwips)
{
    QTemporaryDir dir;
    QImage symbol(390, 138, QImage::Format_Mono);
    symbol.fill(1);
    ASSERT_TRUE(symbol.save(dir.filePath(QStringLiteral("symbol.bmp"))));
    m_helper->Pic.loadPicture(dir.filePath(QStringLiteral("symbol.bmp")));
    EXPECT_EQ(m_helper->Pic.picture().size(), QSize(390, 138));
    EXPECT_DOUBLE_EQ(m_helper->Pic.Width(), 390 * 15.0);
    EXPECT_DOUBLE_EQ(m_helper->Pic.Height(), 138 * 15.0);

    const auto errorOf = [&](const QString& file) -> long {
        try {
            m_helper->Pic.loadPicture(file);
        } catch (const vb::Error& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf(dir.filePath(QStringLiteral("missing.bmp"))), 53);
    QFile junk(dir.filePath(QStringLiteral("junk.bmp")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("BM not a picture");
    junk.close();
    EXPECT_EQ(errorOf(junk.fileName()), 481);
    EXPECT_EQ(m_helper->Pic.picture().size(), QSize(390, 138)); // the picture before stays
}

} // namespace
