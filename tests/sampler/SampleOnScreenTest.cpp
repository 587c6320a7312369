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

using testing_support::loadedNotShownWhole;
using testing_support::notShownWhole;

namespace {

// The form's window is at least `width` x `height` twips.
void expectDesignSize(const QWidget* form, int width, int height)
{
    const QSize design = ui::Twips{0, 0, double(width), double(height)}.toPixels().size();
    EXPECT_GE(form->width(), design.width()) << form->objectName().toStdString();
    EXPECT_GE(form->height(), design.height()) << form->objectName().toStdString();
}

} // namespace

class SampleOnScreenTest : public SampleTest
{
};

TEST_F(SampleOnScreenTest, EveryFormShowsItsCaptionsWholeAndOpensAtItsDesignSize)
{
    QStringList cut = notShownWhole(m_frame);
    cut << testing_support::notShownWholeOnEveryTab(newSample());

    // The layout window holds its whole sheet below the toolbar.
    frmLabelLayout* layout = m_frame->getEmptyLayout();
    ui::show(*layout);
    QApplication::processEvents();
    const QRect sheet = layout->fraPage->geometry();
    EXPECT_TRUE(layout->rect().contains(sheet));
    EXPECT_GE(sheet.top(), layout->Toolbar1->geometry().bottom());
    // The boxes sit on the toolbar beside the printing buttons, none pushed off it.
    QWidget* printing = layout->Toolbar1->widgetForAction(layout->Toolbar1->actions().at(3));
    EXPECT_TRUE(printing->isVisible());
    EXPECT_GT(layout->cboLayout->x(), printing->geometry().right());
    // A card's bottom lines sit at the foot of their clip frame, which cuts what is too tall.
    QStringList clipped;
    for (int i = 0; i < 10; ++i)
        clipped << ui::arrayName(QStringLiteral("lblCardBottom"), i);
    cut << notShownWhole(layout, clipped);
    auto checkAndClose = [&cut](int width, int height, const char* closeButton) {
        return [&cut, width, height, closeButton](ui::Form& form) {
            expectDesignSize(form.widget(), width, height);
            cut << notShownWhole(form.widget());
            testing_support::click(form.widget(), QString::fromLatin1(closeButton));
        };
    };
    m_modals.then(checkAndClose(frmPrintPreview::FormWidth, frmPrintPreview::FormHeight, "cmdClose"))
        .then(checkAndClose(frmPrinterSetup::FormWidth, frmPrinterSetup::FormHeight, "cmdCancel"));
    testing_support::trigger(layout, QStringLiteral("Preview"));
    testing_support::trigger(layout, QStringLiteral("Setup"));

    const PreferencesEdition& preferences = *modMainHelper::programEdition().preferences;
    cut << loadedNotShownWhole(new frmAbout) << loadedNotShownWhole(new frmGetTSN)
        << loadedNotShownWhole(new frmNoToAll) << loadedNotShownWhole(new frmFont)
        << loadedNotShownWhole(new frmPreferences(preferences))
        << loadedNotShownWhole(new frmConfigWizard(preferences), QStringLiteral("cmdNext"));
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
}
