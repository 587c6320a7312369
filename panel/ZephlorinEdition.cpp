#include "panel/ZephlorinEdition.h"

#include "icons/PanelPictures.h"
#include "panel/ZephlorinPreferences.h"

namespace modMainHelper {

ProgramEdition zephlorinEdition()
{
    ProgramEdition edition;
    // The panel's own drop handling decides; the shared handlers are not reached from it.
    edition.drops = DropHandling::OpenFiles;
    // The panel has no toolbar.
    edition.toolbarTips = ToolbarTips::Toolbar;
    edition.preferences = &ZephlorinPreferences::instance();
    edition.about.titleSuffix = QStringLiteral(" ");
    edition.about.linkLabel = QStringLiteral("LabelWebURL");
    edition.about.programIcon = false;
    edition.about.picture = icons::zephlorinIcon();
    edition.about.labels = {
        {QStringLiteral("Label1"), QStringLiteral("Create and read digital business cards with the Tessaline family.")},
        {QStringLiteral("Label5"), QStringLiteral("Panel and tray: Lorin Ashcombe")},
        {QStringLiteral("Label2"), QStringLiteral("Card symbols: Jonah Pell, Rhea Castellan")},
        {QStringLiteral("Label4"), QStringLiteral("Contributors: Ada Brennick, Tomas Ilvane, Mirela Sotka")},
    };
    return edition;
}

} // namespace modMainHelper
