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

#include "WholeCaptions.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QScrollBar>

using OnScreenTest = ImpressionFixture;

TEST_F(OnScreenTest, ImpressionWindowsOpenCascadedInsideTheAreaAndScrollIntoView)
{
    // The first window shows whole in the frame at its own size, and at its own minimum size.
    m_frame->mnuFileNewImpression->trigger();
    const QStringList cut = testing_support::notWholeInArea(windows().at(0));
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();

    for (int i = 0; i < 2; ++i)
        m_frame->mnuFileNewImpression->trigger();
    ASSERT_EQ(windows().size(), 3);
    QMdiArea* area = m_frame->mdiArea();
    QApplication::processEvents();
    const QRect viewport = area->viewport()->rect();
    const auto place = [area](frmImpression* w) {
        return QRect(w->parentWidget()->mapTo(area->viewport(), QPoint(0, 0)), w->parentWidget()->size());
    };
    EXPECT_EQ(place(windows().at(0)).topLeft(), QPoint(0, 0));
    EXPECT_TRUE(area->verticalScrollBar()->isVisible()); // the cascaded windows reach past the area
    for (int i = 1; i < 3; ++i) {
        const QPoint at = place(windows().at(i)).topLeft(), previous = place(windows().at(i - 1)).topLeft();
        EXPECT_TRUE(viewport.contains(at) && at.x() > previous.x() && at.y() > previous.y()) << at.x() << "," << at.y();
    }
    // Scrolled to the far ends, the right and bottom edges come into view.
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    for (frmImpression* w : windows())
        EXPECT_TRUE(viewport.contains(place(w).bottomRight()));
}

TEST_F(OnScreenTest, EveryFormShowsItsCaptionsWhole)
{
    const PreferencesEdition& preferences = *modMainHelper::programEdition().preferences;
    const QStringList cut =
        testing_support::notShownWhole({m_frame, newWindow(), new frmAbout, new frmDSMA, new frmGetTSN, new frmNoToAll,
                                        new frmPreferences(preferences), new frmConfigWizard(preferences)});
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
}
