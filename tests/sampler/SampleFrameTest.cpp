// Brindlemark's main window: its menus, the sample command, the files it opens, the layout
// window it hands out and its exit.
#include "SampleFixture.h"

#include "capture/modSymbolRoutines.h"
#include "common/frmNoToAll.h"
#include "layout/frmLabelLayout.h"
#include "model/CImpressionDoc.h"
#include "platform/ipc/DdeLink.h"
#include "platform/ui/MessageService.h"

#include "WidgetDriver.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using SampleFrameTest = SampleTest;

QAction* item(QWidget* form, const char* name)
{
    if (auto* menu = form->findChild<QMenu*>(QString::fromLatin1(name)))
        return menu->menuAction();
    return testing_support::control<QAction>(form, QString::fromLatin1(name));
}

CImpressionDoc contact(const QString& name)
{
    CImpressionDoc doc;
    doc.setField(CImpressionDoc::slotNamFormattedName, name);
    doc.setField(CImpressionDoc::slotBusCompany, QStringLiteral("Orrin Tool Works"));
    return doc;
}

TEST_F(SampleFrameTest, TheMenusOfTheFrameAndTheSampleCommand)
{
    EXPECT_TRUE(item(m_frame, "mnuFileImpressionSample")->isVisible());
    EXPECT_FALSE(item(m_frame, "mnuFileNewImpression")->isEnabled());
    EXPECT_FALSE(item(m_frame, "mnuFileOpenImpression")->isEnabled());
    EXPECT_TRUE(item(m_frame, "mnuFileLayout")->isEnabled());
    EXPECT_FALSE(item(m_frame, "mnuFileNewLayout")->isEnabled());
    EXPECT_FALSE(item(m_frame, "mnuFileOpenLayout")->isEnabled());
    EXPECT_FALSE(item(m_frame, "mnuFileScanCard")->isEnabled());
    EXPECT_FALSE(item(m_frame, "mnuFileScannerport")->isVisible());
    for (const char* import : {"mnuFileImportContactMenu(0)", "mnuFileImportContactMenu(3)"})
        EXPECT_FALSE(item(m_frame, import)->isEnabled()) << import;
    EXPECT_FALSE(item(m_frame, "mnuWindowGotobrindlemark")->isVisible());
    EXPECT_FALSE(item(m_frame, "mnuWindowGotokelvadon")->isVisible());
    // Not installed: greyed, not hidden.
    EXPECT_TRUE(item(m_frame, "mnuWindowGotoquorvane")->isVisible());
    EXPECT_FALSE(item(m_frame, "mnuWindowGotoquorvane")->isEnabled());
    EXPECT_EQ(item(m_frame, "mnuHelpAbout")->text(), QStringLiteral("About Brindlemark..."));

    // Sample twice: two new windows, each with the sample contact and its lines.
    SampleImpression* first = newSample();
    SampleImpression* second = newSample();
    ASSERT_NE(first, second);
    EXPECT_EQ(impressionWindows().size(), 2);
    for (SampleImpression* w : {first, second}) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral(" Impression - Sample"));
        EXPECT_FALSE(field(w, "txtNamFormattedName")->text().isEmpty());
        EXPECT_FALSE(field(w, "txtBusCompany")->text().isEmpty());
        EXPECT_TRUE(field(w, "txtNamEmail")->text().contains(u'@'));
        EXPECT_FALSE(w->txtLabBottom[2]->text().isEmpty());
        EXPECT_TRUE(w->getFileName().isEmpty());
        EXPECT_TRUE(w->isDirty()) << "the sample was never saved";
    }
    // The drop handler of this program opens nothing and shows the notice instead.
    EXPECT_TRUE(m_messages.shown().isEmpty());

    // Every menu path the help pages name for this program, in the frame, a sample or a layout window.
    const std::unique_ptr<frmLabelLayout> layout(m_frame->getEmptyLayout()); // made, never loaded
    const QList<const QWidget*> menus{m_frame->menus(), first->menus(), layout->menus()};
    EXPECT_EQ(testing_support::helpMenuPathsMissing(QStringLiteral("Brindlemark"), menus, 16), QStringList());
}

TEST_F(SampleFrameTest, OnlyImpressionFilesOpen)
{
    const QString bmp = path(QStringLiteral("cards.bmp"));
    const QString txt = path(QStringLiteral("notes.txt"));
    for (const QString& name : {bmp, txt}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    m_messages.ok(2);
    m_frame->openFile(bmp);
    m_frame->openFile(txt);
    EXPECT_EQ(m_messages.texts(), (QStringList{bmp + QStringLiteral("\r is not in a recognizable format."),
                                               txt + QStringLiteral("\r is not in a recognizable format.")}));
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Information);
    EXPECT_TRUE(impressionWindows().isEmpty());

    // An impression file in capitals opens, into a new window.
    const QString imf = writeImpression(QStringLiteral("ORRIN.IMF"), contact(QStringLiteral("Ada Orrin")));
    m_frame->openFile(imf);
    ASSERT_EQ(impressionWindows().size(), 1);
    SampleImpression* w = impressionWindows().first();
    EXPECT_EQ(w->getFileName(), imf);
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" Impression - ORRIN.IMF"));
    EXPECT_EQ(field(w, "txtNamFormattedName")->text(), QStringLiteral("Ada Orrin"));
    EXPECT_FALSE(w->isDirty());
    EXPECT_EQ(m_messages.shown().size(), 2) << "opened without a message: no recently-used list to fail on";
}

TEST_F(SampleFrameTest, ACommandLineExecuteOverTheSocketOpensTheFile)
{
    const QString imf = writeImpression(QStringLiteral("handed.imf"), contact(QStringLiteral("Bo Handed")));
    ASSERT_TRUE(m_frame->isServingCommandLines());
    ipc::DdeLink link;
    link.setLinkTopic(QStringLiteral("Brindlemark|MDI"));
    link.setLinkMode(ipc::DdeLink::Manual);
    link.linkExecute(QStringLiteral("cmdline=") + imf);
    link.setLinkMode(ipc::DdeLink::None);
    m_clock.advance(150 * 2);
    ASSERT_EQ(impressionWindows().size(), 1);
    EXPECT_EQ(impressionWindows().first()->getFileName(), imf);
    EXPECT_EQ(field(impressionWindows().first(), "txtNamFormattedName")->text(), QStringLiteral("Bo Handed"));
}

// A card dragged in a layout window runs the drag's own event loop, which only a window system
// runs (offscreen a drag ends at once); the test runs on Xvfb as test_sampler_x11.
TEST_F(SampleFrameTest, AHandOverDuringACardDragOpensOnceTheDragHasEnded)
{
    if (QGuiApplication::platformName() == QStringLiteral("offscreen"))
        GTEST_SKIP() << "a drag runs no event loop without a window system";
    const QString imf = writeImpression(QStringLiteral("handed.imf"), contact(QStringLiteral("Bo Handed")));
    frmLabelLayout* layout = m_frame->getEmptyLayout();
    ui::show(*layout);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(layout));
    QTimer::singleShot(0, [&] {
        bool Cancel = true;
        m_frame->MDIForm_LinkExecute(QStringLiteral("cmdline=") + imf, Cancel);
        m_clock.advance(150 * 3);
        EXPECT_TRUE(impressionWindows().isEmpty()) << "opened during the drag";
        QTest::keyClick(layout, Qt::Key_Escape); // ends the drag
    });
    QWidget* card = layout->fraImpression[3];
    QTest::mousePress(card, Qt::LeftButton);
    QTest::mouseMove(card, card->rect().center() + QPoint(20, 20));
    QTest::mouseRelease(card, Qt::LeftButton);
    m_clock.advance(150);
    ASSERT_EQ(impressionWindows().size(), 1);
    EXPECT_EQ(impressionWindows().first()->getFileName(), imf);
}

TEST_F(SampleFrameTest, TheEmptyLayoutWindowIsReusedOnlyWhenItIsTheOnlyOne)
{
    QPointer<frmLabelLayout> fresh = m_frame->getEmptyLayout();
    EXPECT_FALSE(ui::isLoaded(*fresh)) << "none open: a new window, not loaded yet";
    ui::show(*fresh);
    EXPECT_EQ(m_frame->getEmptyLayout(), fresh.data());

    QPointer<frmLabelLayout> other = m_frame->getEmptyLayout();
    EXPECT_EQ(other.data(), fresh.data());
    frmLabelLayout* second = new frmLabelLayout;
    ui::show(*second);
    QPointer<frmLabelLayout> third = m_frame->getEmptyLayout();
    EXPECT_NE(third.data(), fresh.data());
    EXPECT_NE(third.data(), second);
    EXPECT_FALSE(ui::isLoaded(*third));
    delete third;
}

class SampleExitTest : public SampleTest
{
protected:
    QString workFolder() const { return QFileInfo(modSymbolRoutines::getTempFileName(QStringLiteral("x"))).path(); }
    QStringList workFiles() const { return QDir(workFolder()).entryList(QDir::Files, QDir::Name); }
    void makeWorkFiles()
    {
        for (const char* name :
             {"tmpsymbol.bmp", "tmpsymbol.vcf", "SmallBMP1.bmp", "SmallBMP1.vcf", "BigBMP.bmp", "notes.txt"}) {
            QFile f(modSymbolRoutines::getTempFileName(QString::fromLatin1(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
    }
    // A sample window with an edit the user typed.
    SampleImpression* changedSample(const QString& name)
    {
        SampleImpression* w = newSample();
        testing_support::type(w, QStringLiteral("txtNamFormattedName"), name);
        EXPECT_TRUE(w->isDirty());
        return w;
    }
};

TEST_F(SampleExitTest, CancelKeepsEverythingAndAFinishedExitDeletesTheWorkFiles)
{
    changedSample(QStringLiteral("One"));
    changedSample(QStringLiteral("Two"));
    QPointer<frmLabelLayout> layout = new frmLabelLayout;
    ui::show(*layout);
    ASSERT_TRUE(ui::isLoaded(*layout));
    makeWorkFiles();
    const QStringList before = workFiles();

    m_modals.then([](ui::Form& form) {
        auto& prompt = dynamic_cast<frmNoToAll&>(form);
        EXPECT_EQ(prompt.lblMsg->text(), QStringLiteral("Save changes to  Impression - Sample?"));
        prompt.cmdCancel->click();
    });
    m_frame->mnuFileExit->trigger();
    EXPECT_TRUE(ui::isLoaded(*m_frame));
    EXPECT_EQ(impressionWindows().size(), 2);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(ui::isLoaded(*layout));
    EXPECT_FALSE(m_frame->boolExiting);
    EXPECT_EQ(workFiles(), before);

    // No to All: the second window is not asked; everything goes, the work files with it.
    m_modals.then([](ui::Form& form) { dynamic_cast<frmNoToAll&>(form).cmdNoToAll->click(); });
    m_frame->mnuFileExit->trigger();
    EXPECT_TRUE(ui::forms().isEmpty());
    EXPECT_EQ(workFiles(), QStringList{QStringLiteral("notes.txt")});
}

} // namespace
