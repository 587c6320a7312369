// Closing the main window: the windows are asked first, then everything goes, and the work
// files with it; a window that refuses keeps all of it.
#include "FrameFixture.h"

#include "capture/frmHelper.h"
#include "common/frmNoToAll.h"

#include "QtPrinters.h"
#include "WidgetDriver.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

namespace {

class ExitTest : public FrameFixture
{
protected:
    QStringList workFiles()
    {
        return QDir(QFileInfo(workFile(QStringLiteral("x"))).path()).entryList(QDir::Files, QDir::Name);
    }
    void makeWorkFiles()
    {
        for (const QString& name :
             {QStringLiteral("tmpsymbol.bmp"), QStringLiteral("tmpsymbol.vcf"), QStringLiteral("SmallBMP1.bmp"),
              QStringLiteral("SmallBMP2.vcf"), QStringLiteral("BigBMP.bmp"), QStringLiteral("temp_multiple.bmp"),
              QStringLiteral("BigBMP.vcf"), QStringLiteral("notes.txt")}) {
            QFile f(workFile(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
    }
    static QStringList dirtyWindows(int count)
    {
        QStringList names;
        for (int i = 0; i < count; ++i) {
            auto* w = static_cast<TestImpressionWindow*>(frmMDIMain::instance().openNewImpressionWindow());
            w->dirty = true;
            names << w->name();
        }
        return names;
    }
};

TEST_F(ExitTest, ExitUnloadsEverythingAndDeletesTheWorkFilesOnly)
{
    makeWorkFiles();
    m_frame->openNewImpressionWindow();
    frmHelper::instance();
    EXPECT_TRUE(m_frame->isServingCommandLines());
    testing_support::trigger(m_frame, QStringLiteral("mnuFileExit"));
    EXPECT_TRUE(ui::forms().isEmpty());
    EXPECT_EQ(workFiles(), (QStringList{QStringLiteral("BigBMP.vcf"), QStringLiteral("notes.txt"),
                                        QStringLiteral("temp_multiple.bmp")}));
}

TEST_F(ExitTest, AWindowThatRefusesKeepsTheProgramAsItWas)
{
    makeWorkFiles();
    m_frame->openNewImpressionWindow();
    static_cast<TestImpressionWindow*>(m_frame->openNewImpressionWindow())->refuseToClose = true;
    m_frame->openNewImpressionWindow();
    m_frame->close();
    EXPECT_TRUE(ui::isLoaded(*m_frame));
    EXPECT_EQ(TestImpressionWindow::loaded().size(), 3);
    EXPECT_FALSE(m_frame->boolExiting);
    EXPECT_FALSE(m_frame->boolSaveChangesNoToAll);
    EXPECT_TRUE(m_frame->isServingCommandLines());
    EXPECT_EQ(workFiles().size(), 8);
}

TEST_F(ExitTest, SeveralChangedWindowsOfferNoToAllAndThenAnswerNoUnasked)
{
    // Outside the exit, and during it with one changed window: the plain question.
    const QStringList one = dirtyWindows(1);
    m_messages.answer(ui::Answer::No);
    EXPECT_EQ(m_frame->CloseDirtyImpression(*TestImpressionWindow::loaded().first()), 7);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Save changes to %1?").arg(one.first()));
    EXPECT_EQ(m_messages.last().buttons, ui::Buttons::YesNoCancel);
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Exclamation);

    const QStringList more = dirtyWindows(2);
    m_modals.then([&](ui::Form& form) {
        auto& prompt = dynamic_cast<frmNoToAll&>(form);
        EXPECT_EQ(prompt.lblMsg->text(), QStringLiteral("Save changes to %1?").arg(one.first()));
        prompt.cmdNoToAll->click();
    });
    testing_support::trigger(m_frame, QStringLiteral("mnuFileExit"));
    EXPECT_EQ(m_modals.shown(), QStringList{QStringLiteral("frmNoToAll")});
    EXPECT_EQ(m_messages.shown().size(), 1) << "the other two answered No without asking";
    EXPECT_TRUE(ui::forms().isEmpty());
}

TEST_F(ExitTest, CancellingTheSavePromptCancelsTheExit)
{
    dirtyWindows(2);
    m_modals.then([](ui::Form& form) { dynamic_cast<frmNoToAll&>(form).cmdCancel->click(); });
    testing_support::trigger(m_frame, QStringLiteral("mnuFileExit"));
    EXPECT_TRUE(ui::isLoaded(*m_frame));
    EXPECT_EQ(TestImpressionWindow::loaded().size(), 2);
    EXPECT_FALSE(m_frame->boolExiting);

    // The next attempt asks again: a No to All of an exit that was cancelled does not carry over.
    m_modals.then([](ui::Form& form) { dynamic_cast<frmNoToAll&>(form).cmdNo->click(); });
    m_modals.then([](ui::Form& form) { dynamic_cast<frmNoToAll&>(form).cmdNo->click(); });
    testing_support::trigger(m_frame, QStringLiteral("mnuFileExit"));
    EXPECT_TRUE(ui::forms().isEmpty());
}

} // namespace
