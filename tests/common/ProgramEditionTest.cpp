// No program edition holds until a program installs its own: shared code used before that
// fails visibly instead of behaving as one of the programs.
#include "common/ProgramEdition.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"
#include "reader/QuorvaneEdition.h"

#include "InstalledEdition.h"
#include "TempConfig.h"

#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

using namespace modMainHelper;

TEST(ProgramEdition, ReadingBeforeAnEditionIsInstalledIsError91)
{
    ASSERT_FALSE(hasProgramEdition());
    try {
        programEdition();
        ADD_FAILURE() << "an edition was read before one was installed";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::err::ObjectNotSet);
    }

    // Shared code that needs the edition raises the same error.
    testing_support::TempConfig config;
    ui::setProgramTitle(QStringLiteral("Quorvane"));
    ASSERT_TRUE(modRegistryHigh::setToolTips(false));
    QWidget window;
    auto* button = new QToolButton(&window);
    button->setObjectName(QStringLiteral("cmdScan"));
    button->setToolTip(QStringLiteral("Scan"));
    EXPECT_THROW(applyToolTipPreference(&window), vb::Error);
    EXPECT_EQ(button->toolTip(), QStringLiteral("Scan"));

    // Installed, it holds until it goes again.
    {
        testing_support::InstalledEdition quorvane;
        EXPECT_EQ(programEdition().drops, DropHandling::OpenFiles);
        ProgramEdition sampler = quorvaneEdition();
        sampler.drops = DropHandling::FullProgramNotice;
        {
            testing_support::InstalledEdition nested(sampler);
            EXPECT_EQ(programEdition().drops, DropHandling::FullProgramNotice);
        }
        EXPECT_EQ(programEdition().drops, DropHandling::OpenFiles);
        applyToolTipPreference(&window);
        EXPECT_TRUE(button->toolTip().isEmpty());
    }
    EXPECT_FALSE(hasProgramEdition());
    ui::setProgramTitle(QString());
}
