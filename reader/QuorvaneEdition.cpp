#include "reader/QuorvaneEdition.h"

#include "reader/QuorvanePreferences.h"

namespace modMainHelper {

ProgramEdition quorvaneEdition()
{
    ProgramEdition edition;
    edition.drops = DropHandling::OpenFiles;
    edition.toolbarTips = ToolbarTips::Toolbar;
    edition.preferences = &QuorvanePreferences::instance();
    edition.about.titleSuffix = QString(QChar(0x2122)); // the trade mark sign
    edition.about.linkLabel = QStringLiteral("Label3");
    edition.about.programIcon = true;
    edition.about.labels = {
        {QStringLiteral("Label4"), QStringLiteral("Contributors: Ada Brennick, Tomas Ilvane, Mirela Sotka")},
        {QStringLiteral("Label2"), QStringLiteral("Card symbols: Jonah Pell, Rhea Castellan")},
        {QStringLiteral("Label1"), QStringLiteral("Testing and help: Ines Varda, Per Olund")},
    };
    // One badge whatever was encoded.
    edition.symbolBadges.wordsIncluded = QStringLiteral("QVN-Corvel-Words-Excluded.bmp");
    edition.symbolBadges.wordsExcluded = QStringLiteral("QVN-Corvel-Words-Excluded.bmp");
    return edition;
}


} // namespace modMainHelper
