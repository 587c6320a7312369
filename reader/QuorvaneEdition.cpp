#include "reader/QuorvaneEdition.h"

#include "reader/QuorvanePreferences.h"

namespace modMainHelper {

ProgramEdition quorvaneEdition()
{
    ProgramEdition edition;
    edition.drops = DropHandling::OpenFiles;
    edition.toolbarTips = ToolbarTips::Toolbar;
    edition.preferences = &QuorvanePreferences::instance();
    edition.about = cardProgramsAbout();
    // One badge whatever was encoded.
    edition.symbolBadges.wordsIncluded = QStringLiteral("QVN-Corvel-Words-Excluded.bmp");
    edition.symbolBadges.wordsExcluded = QStringLiteral("QVN-Corvel-Words-Excluded.bmp");
    return edition;
}

} // namespace modMainHelper
