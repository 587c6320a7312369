#include "LayoutFixture.h"

#include "common/frmGetTSN.h"
#include "common/modRegistryHigh.h"
#include "layout/frmLabelLayout.h"
#include "platform/settings/Settings.h"
#include "platform/ui/ToolTips.h"

#include "QtPrinters.h"
#include "RecordingHelp.h"
#include "ScriptedForms.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QUrl>

using testing_support::control;
using testing_support::trigger;

namespace {

QList<int> filled(const frmLabelLayout& w)
{
    QList<int> list;
    for (int i = 0; i < 10; ++i)
        if (!w.fraImpression[i]->title().isEmpty())
            list << i;
    return list;
}

QList<int> visible(const frmLabelLayout& w)
{
    QList<int> list;
    for (qint16 i = 0; i < 10; ++i)
        if (w.getImageVisibility(i))
            list << i;
    return list;
}

bool enabled(frmLabelLayout* w, const char* name)
{
    return control<QAction>(w, QString::fromLatin1(name))->isEnabled();
}

} // namespace

class LayoutEditingTest : public LayoutTest
{
protected:
    LayoutEditingTest()
    {
        settings::saveSetting(QStringLiteral("Brindlemark"), QStringLiteral("Preferences"),
                              QStringLiteral("LayoutDefault"), QStringLiteral(" 0"));
        a = writeImpression(QStringLiteral("a"), impression(QStringLiteral("A")));
        b = writeImpression(QStringLiteral("b"), impression(QStringLiteral("B")));
        w = newWindow();
    }

    void place(const QString& path, qint16 i)
    {
        bool ok = false;
        w->setImage(path, i, ok);
        ASSERT_TRUE(ok);
        w->setImageVisibility(i, true);
    }

    QString a, b;
    frmLabelLayout* w = nullptr;
};

TEST_F(LayoutEditingTest, ColumnAndSheetCopiesFillTheirTargetsAndShowThem)
{
    for (qint16 i = 0; i < 10; ++i)
        w->setImageVisibility(i, false);
    place(a, 3);
    place(b, 1);
    w->selectPosition(3);
    trigger(w, QStringLiteral("mnuEditCopyLeft"));
    EXPECT_EQ(filled(*w), (QList<int>{0, 1, 2, 3, 4, 6, 8}));
    EXPECT_EQ(visible(*w), (QList<int>{0, 1, 2, 3, 4, 6, 8}));
    EXPECT_EQ(w->fraImpression[1]->title(), QStringLiteral("b"));
    for (int i : {0, 2, 4, 6, 8}) {
        EXPECT_EQ(w->getPositionFileName(qint16(i)), a);
        EXPECT_EQ(w->lblCardTop[i]->text(), w->lblCardTop[3]->text());
        EXPECT_EQ(w->imgEncoding[i]->geometry(), w->imgEncoding[3]->geometry());
        EXPECT_EQ(w->cardContent(qint16(i)).picture.cacheKey(), w->cardContent(3).picture.cacheKey());
        EXPECT_EQ(w->fraImpression[i]->toolTip(), QStringLiteral("Right click to edit"));
    }

    // The template hides 2, 3, 6, 7; a copy to all still fills them.
    w->cboLayout->setCurrentIndex(2);
    ASSERT_EQ(w->workingPosition(), 1);
    w->mnuEditHide_Click(); // the working position stays hidden, every other one is shown
    control<QAction>(w, QStringLiteral("mnuPopupAll10"))->trigger();
    EXPECT_EQ(filled(*w).size(), 10);
    EXPECT_EQ(visible(*w), (QList<int>{0, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(w->fraImpression[7]->isHidden());
    EXPECT_FALSE(w->isPositionPrintable(7));
    EXPECT_FALSE(w->isPositionPrintable(1));
    w->cboLayout->setCurrentIndex(0);
    EXPECT_FALSE(w->fraImpression[7]->isHidden());
    EXPECT_EQ(w->fraImpression[7]->title(), QStringLiteral("b"));
    EXPECT_TRUE(w->isPositionPrintable(7));

    // Copy to the right column from position 6, then delete the working position.
    w->selectPosition(6);
    place(a, 6);
    control<QAction>(w, QStringLiteral("mnuPopupRightOnly"))->trigger();
    for (int i : {1, 3, 5, 7, 9})
        EXPECT_EQ(w->fraImpression[i]->title(), QStringLiteral("a")) << i;
    control<QAction>(w, QStringLiteral("mnuDeleteImage"))->trigger();
    EXPECT_TRUE(w->fraImpression[6]->title().isEmpty());
    EXPECT_TRUE(w->getPositionFileName(6).isEmpty());
    EXPECT_TRUE(w->imgEncoding[6]->pixmap().isNull());
    EXPECT_TRUE(w->lblCardTop[6]->text().isEmpty());
    EXPECT_TRUE(w->fraImpression[6]->toolTip().isEmpty());
    EXPECT_FALSE(w->getImageVisibility(6));
    // A copy onto it gives the frame its tip back.
    w->copyPosition(6, 5);
    EXPECT_EQ(w->fraImpression[6]->toolTip(), QStringLiteral("Right click to edit"));
}

TEST_F(LayoutEditingTest, TheEditMenuAndThePopupsFollowTheWorkingPosition)
{
    place(a, 2);
    w->selectPosition(2);
    QMenu* edit = control<QMenu>(w, QStringLiteral("mnuEdit"));
    Q_EMIT edit->aboutToShow();
    EXPECT_TRUE(enabled(w, "mnuEditHide"));
    EXPECT_FALSE(enabled(w, "mnuEditShow"));
    EXPECT_TRUE(enabled(w, "mnuEditEditimpression"));
    trigger(w, QStringLiteral("mnuEditHide"));
    Q_EMIT edit->aboutToShow();
    EXPECT_FALSE(enabled(w, "mnuEditHide"));
    EXPECT_TRUE(enabled(w, "mnuEditShow"));
    w->selectPosition(5);
    Q_EMIT edit->aboutToShow();
    for (const char* name : {"mnuEditHide", "mnuEditShow", "mnuEditEditimpression"})
        EXPECT_FALSE(enabled(w, name)) << name;
    for (const char* name : {"mnuEditDelete", "mnuEditCopyLeft", "mnuEditCopyRight", "mnuEditCopyAll", "mnuEditImport"})
        EXPECT_TRUE(enabled(w, name)) << name;

    // A right click selects the position and pops up the menu for what it holds.
    QMenu* symbol = control<QMenu>(w, QStringLiteral("mnuPopupSymbol"));
    QMenu* empty = control<QMenu>(w, QStringLiteral("mnuPopupEmptySymbol"));
    QTest::mouseClick(w->lblCardBottom[7], Qt::RightButton);
    EXPECT_EQ(w->workingPosition(), 7);
    EXPECT_TRUE(empty->isVisible());
    EXPECT_FALSE(symbol->isVisible());
    EXPECT_EQ(empty->actions().size(), 1);
    EXPECT_FALSE(empty->actions()[0]->isEnabled());
    empty->hide();
    QTest::mouseClick(w->imgEncoding[2], Qt::RightButton);
    EXPECT_EQ(w->workingPosition(), 2);
    EXPECT_TRUE(symbol->isVisible());
    EXPECT_TRUE(enabled(w, "mnuPopupSymbolShow"));
    EXPECT_FALSE(enabled(w, "mnuPopupSymbolHide"));
    EXPECT_FALSE(enabled(w, "mnuPopupImport"));
    control<QAction>(w, QStringLiteral("mnuPopupSymbolShow"))->trigger();
    symbol->hide();
    EXPECT_TRUE(w->getImageVisibility(2));

    // Edit Impression opens the position's file from the main window.
    auto* main = new TestLayoutMain;
    ui::load(*main);
    control<QAction>(w, QStringLiteral("mnuPopupSymbolEditImpression"))->trigger();
    ASSERT_EQ(main->made.size(), 1);
    EXPECT_EQ(main->made[0]->opened, QStringList{a});

    // A left click selects; a double-click toggles, also on an empty position.
    QTest::mouseClick(w->fraImpression[9], Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(w->workingPosition(), 9);
    EXPECT_EQ(w->fraImpression[9]->property("ForeColor").toInt(), 0x0000FF);
    EXPECT_EQ(w->fraImpression[2]->property("ForeColor").toInt(), 0x008000);
    EXPECT_EQ(w->Outline->pos(), w->fraImpression[9]->pos() - QPoint(1, 1));
    QTest::mouseDClick(w->lblCardTop[2], Qt::LeftButton);
    EXPECT_FALSE(w->getImageVisibility(2));
    QTest::mouseDClick(w->imgEncoding[8], Qt::LeftButton); // empty positions toggle too
    EXPECT_FALSE(w->getImageVisibility(8));
}

TEST_F(LayoutEditingTest, ADoubleClickOnABlankSheetMarksItChanged)
{
    ASSERT_TRUE(w->isEmpty());
    QTest::mouseDClick(w->frmClipBottom[4], Qt::LeftButton);
    EXPECT_FALSE(w->isEmpty());
    EXPECT_FALSE(w->getImageVisibility(4));
    EXPECT_TRUE(w->fraImpression[4]->title().isEmpty());
}

TEST_F(LayoutEditingTest, ADraggedPositionIsCopiedWithItsVisibilityOnlyWithinItsWindow)
{
    place(a, 4);
    place(b, 7);
    w->setImageVisibility(4, false);
    w->selectPosition(4);
    dropOn(w->lblCardTop[4], w->makePositionDragData(4));
    EXPECT_EQ(w->fraImpression[4]->title(), QStringLiteral("a"));
    EXPECT_EQ(w->fraImpression[7]->title(), QStringLiteral("b"));
    EXPECT_EQ(w->workingPosition(), 4);

    // A position of another layout window changes nothing here.
    frmLabelLayout* other = newWindow();
    other->selectPosition(4);
    dropOn(w->imgEncoding[7], other->makePositionDragData(4));
    EXPECT_EQ(w->fraImpression[7]->title(), QStringLiteral("b"));
    EXPECT_TRUE(w->getImageVisibility(7));
    EXPECT_EQ(w->workingPosition(), 4);

    dropOn(w->imgEncoding[7], w->makePositionDragData(4));
    EXPECT_EQ(w->fraImpression[7]->title(), QStringLiteral("a"));
    EXPECT_EQ(w->getPositionFileName(7), a);
    EXPECT_FALSE(w->getImageVisibility(7));
    EXPECT_EQ(w->workingPosition(), 7);
    EXPECT_EQ(w->fraImpression[7]->property("ForeColor").toInt(), 0x0000FF);

    // The sheet outside the cards takes no position.
    w->selectPosition(7);
    dropOn(w->fraPage, w->makePositionDragData(7));
    dropOn(w->Toolbar1, w->makePositionDragData(7));
    EXPECT_EQ(filled(*w), (QList<int>{4, 7}));
}

TEST_F(LayoutEditingTest, DroppedFilesShowTheFullProgramNoticeOnceWhereverTheyLand)
{
    testing_support::RecordingHelp help;
    testing_support::ScriptedForms forms;
    QList<QWidget*> targets = {w->fraImpression[0], w->lblCardTop[1],  w->lblCardBottom[2],
                               w->frmClipBottom[3], w->imgEncoding[4], w->fraPage,
                               w->Toolbar1,         w->cboLayout,      w};
    for (int n = 0; n < targets.size(); ++n)
        forms.then([](ui::Form& form) {
            auto& notice = dynamic_cast<frmGetTSN&>(form);
            EXPECT_EQ(notice.Label1[0]->text(), QStringLiteral("Drag and Drop Files to Open/Import"));
            notice.cmdHelp->click();
            notice.cmdClose->click();
        });
    for (QWidget* target : targets) {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
        dropOn(target, data);
    }
    EXPECT_EQ(forms.shown().size(), targets.size());
    EXPECT_EQ(help.topics(), QList<int>(targets.size(), 9));
    EXPECT_EQ(forms.pending(), 0);
    EXPECT_TRUE(filled(*w).isEmpty());
}

TEST_F(LayoutEditingTest, CopyToRestAsksBeforeOverwritingAndToolTipsFollowThePreference)
{
    place(a, 5);
    m_messages.answer(ui::Answer::No);
    w->copyImageToRest(5);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Would you like to overwrite the layout with this impression?\r"
                                                     "If not then you may assign a custom layout."));
    EXPECT_EQ(m_messages.last().buttons, ui::Buttons::YesNo);
    EXPECT_EQ(filled(*w), QList<int>{5});
    m_messages.answer(ui::Answer::Yes);
    w->setImageVisibility(5, false);
    w->copyImageToRest(5);
    EXPECT_EQ(filled(*w).size(), 10);
    EXPECT_EQ(visible(*w), (QList<int>{0, 1, 2, 3, 4, 6, 7, 8, 9}));

    ASSERT_TRUE(modRegistryHigh::setToolTips(false));
    w->commitPreferences();
    EXPECT_TRUE(w->imgEncoding[3]->toolTip().isEmpty());
    EXPECT_TRUE(w->cboLayout->toolTip().isEmpty());
    EXPECT_TRUE(ui::toolTipOf(control<QAction>(w, QStringLiteral("Print"))).isEmpty());
    ASSERT_TRUE(modRegistryHigh::setToolTips(true));
    w->commitPreferences();
    EXPECT_EQ(w->imgEncoding[3]->toolTip(), QStringLiteral("Right click to edit"));
    EXPECT_EQ(w->cboLayout->toolTip(), QStringLiteral("Lay out images for ..."));
    EXPECT_EQ(ui::toolTipOf(control<QAction>(w, QStringLiteral("Print"))), QStringLiteral("Print Layout"));
}
