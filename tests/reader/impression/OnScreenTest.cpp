// What the user sees of Quorvane: impression windows inside the frame's area, and every
// caption of every form whole in the programs' font.
#include "ImpressionFixture.h"

#include "common/ProgramEdition.h"
#include "common/frmAbout.h"
#include "common/frmConfigWizard.h"
#include "common/frmDSMA.h"
#include "common/frmGetTSN.h"
#include "common/frmNoToAll.h"
#include "common/frmPreferences.h"
#include "platform/ui/Screen.h"

#include "WholeCaptions.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

using testing_support::loadedNotShownWhole;
using testing_support::notShownWhole;
using testing_support::notShownWholeOnEveryTab;

namespace {

// The window's place in the area's viewport.
QRect placeInArea(QMdiArea* area, frmImpression* window)
{
    QWidget* sub = window->parentWidget();
    return QRect(sub->mapTo(area->viewport(), QPoint(0, 0)), sub->size());
}

} // namespace

class OnScreenTest : public ImpressionFixture
{
};

TEST_F(OnScreenTest, ImpressionWindowsOpenInsideTheAreaAndScrollIntoView)
{
    m_frame->mnuFileNewImpression->trigger();
    ASSERT_EQ(windows().size(), 1);
    frmImpression* first = windows().at(0);
    QMdiArea* area = m_frame->mdiArea();
    QApplication::processEvents();
    const QRect viewport = area->viewport()->rect();
    QRect place = placeInArea(area, first);
    ASSERT_GT(place.width(), viewport.width()) << "the window is wider than the area";
    EXPECT_EQ(place.topLeft(), QPoint(0, 0));
    EXPECT_GE(first->width(), ui::twipsToPixelsX(9360)) << "the window keeps its own size";
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible());

    // Scrolled to the far ends, the right and bottom edges come into view.
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    place = placeInArea(area, first);
    EXPECT_LE(place.right(), area->viewport()->rect().right());
    EXPECT_LE(place.bottom(), area->viewport()->rect().bottom());
    area->horizontalScrollBar()->setValue(0);
    area->verticalScrollBar()->setValue(0);
    EXPECT_EQ(placeInArea(area, first).topLeft(), QPoint(0, 0));

    // The second and third windows cascade down and right, inside the area.
    m_frame->mnuFileNewImpression->trigger();
    m_frame->mnuFileNewImpression->trigger();
    ASSERT_EQ(windows().size(), 3);
    QPoint previous(0, 0);
    for (frmImpression* next : {windows().at(1), windows().at(2)}) {
        const QPoint at = placeInArea(area, next).topLeft();
        EXPECT_GT(at.x(), previous.x());
        EXPECT_GT(at.y(), previous.y());
        EXPECT_TRUE(viewport.contains(at)) << at.x() << "," << at.y();
        previous = at;
    }
}

TEST_F(OnScreenTest, EveryFormShowsItsCaptionsWhole)
{
    QStringList cut = notShownWhole(m_frame);
    cut << notShownWholeOnEveryTab(newWindow());
    const PreferencesEdition& preferences = *modMainHelper::programEdition().preferences;
    cut << loadedNotShownWhole(new frmAbout) << loadedNotShownWhole(new frmDSMA) << loadedNotShownWhole(new frmGetTSN)
        << loadedNotShownWhole(new frmNoToAll) << loadedNotShownWhole(new frmPreferences(preferences))
        << loadedNotShownWhole(new frmConfigWizard(preferences), QStringLiteral("cmdNext"));
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
}
