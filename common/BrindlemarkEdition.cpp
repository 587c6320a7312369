#include "common/ProgramEdition.h"

namespace modMainHelper {

ProgramEdition brindlemarkEdition()
{
    ProgramEdition edition;
    edition.drops = DropHandling::FullProgramNotice;
    edition.toolbarTips = ToolbarTips::Buttons;
    edition.preferences = nullptr;
    edition.about = cardProgramsAbout();
    edition.symbolBadges.wordsIncluded = QStringLiteral("TSN-Corvel-Words-Included.bmp");
    edition.symbolBadges.wordsExcluded = QStringLiteral("TSN-Corvel-Words-Excluded.bmp");
    return edition;
}

} // namespace modMainHelper
