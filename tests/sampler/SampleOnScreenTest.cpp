// What the user sees of Brindlemark: every form whole in the programs' font, and the layout
// window, print preview and printer setup at least at their design sizes.
#include "SampleFixture.h"

#include "common/ProgramEdition.h"
#include "common/frmAbout.h"
#include "common/frmConfigWizard.h"
#include "common/frmGetTSN.h"
#include "common/frmNoToAll.h"
#include "common/frmPreferences.h"
#include "layout/frmFont.h"
#include "layout/frmLabelLayout.h"
#include "layout/frmPrintPreview.h"
#include "layout/frmPrinterSetup.h"
#include "platform/ui/Controls.h"

#include "WholeCaptions.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QToolBar>

using SampleOnScreenTest = SampleTest;

TEST_F(SampleOnScreenTest, EveryFormShowsItsCaptionsWholeAndOpensAtItsDesignSize)
{
    // The first window in the frame, the sample window, shows whole there, also at its minimum size.
    QStringList cut = testing_support::notWholeInArea(newSample());

    // The layout window holds its sheet below the toolbar, whose boxes sit beside the printing
    // buttons, none pushed off it.
    frmLabelLayout* layout = m_frame->getEmptyLayout();
    ui::show(*layout);
    QApplication::processEvents();
    EXPECT_GE(layout->fraPage->y(), layout->Toolbar1->geometry().bottom());
    QWidget* printing = layout->Toolbar1->widgetForAction(layout->Toolbar1->actions().at(3));
    EXPECT_TRUE(printing->isVisible());
    EXPECT_GT(layout->cboLayout->x(), printing->geometry().right());

    const auto designSizedAndWhole = [&cut](int width, int height, const char* close) {
        return [&cut, width, height, close](ui::Form& form) {
            const QSize design = ui::Twips{0, 0, double(width), double(height)}.toPixels().size();
            EXPECT_TRUE(form.widget()->width() >= design.width() && form.widget()->height() >= design.height())
                << close;
            cut << testing_support::notShownWhole({form.widget()});
            testing_support::click(form.widget(), QString::fromLatin1(close));
        };
    };
    m_modals.then(designSizedAndWhole(frmPrintPreview::FormWidth, frmPrintPreview::FormHeight, "cmdClose"))
        .then(designSizedAndWhole(frmPrinterSetup::FormWidth, frmPrinterSetup::FormHeight, "cmdCancel"));
    testing_support::trigger(layout, QStringLiteral("Preview"));
    testing_support::trigger(layout, QStringLiteral("Setup"));

    // A card's bottom lines sit at the foot of their clip frame, which cuts what is too tall.
    QStringList clipped;
    for (int i = 0; i < 10; ++i)
        clipped << ui::arrayName(QStringLiteral("lblCardBottom"), i);
    const PreferencesEdition& preferences = *modMainHelper::programEdition().preferences;
    cut << testing_support::notShownWhole({layout, m_frame, newSample(), new frmAbout, new frmGetTSN, new frmNoToAll,
                                           new frmFont, new frmPreferences(preferences),
                                           new frmConfigWizard(preferences)},
                                          clipped);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
}
