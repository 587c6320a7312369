#pragma once

#include <QIcon>
#include <QList>
#include <QPair>
#include <QString>

class PreferencesEdition;

namespace modMainHelper {

// What a dropped file list does.
enum class DropHandling
{
    OpenFiles,         // ".imf" and ".bmp" files go to the main window's openFile
    FullProgramNotice, // the full-program notice, once per drop; nothing is opened
};

// Which tool tips of a toolbar the "ToolTips" preference empties.
enum class ToolbarTips
{
    Toolbar, // the toolbar's own tip, like any control's; its buttons keep theirs
    Buttons, // the tips of its buttons; the toolbar keeps its own
};

// The about box of a program.
struct AboutEdition
{
    QString titleSuffix;                   // after the program title in the title label
    QString linkLabel;                     // the name of the label that holds the maker's web address
    bool programIcon;                      // the form and its picture show the program's icon
    QIcon picture;                         // otherwise, the form's own icon and picture
    QList<QPair<QString, QString>> labels; // further labels (name, text): the credit lines
};

// The pictures in the program folder that the card renderer draws in place of a symbol the
// encoder refused: one for an encoding with The Corvel Words, one for an encoding without them.
struct SymbolBadges
{
    QString wordsIncluded;
    QString wordsExcluded;
};

// The differences between the programs of the family in the shared routines and
// windows. Each program installs its edition at start-up (setProgramEdition); there is no
// default, so that a program that forgets it, or a library used before it, is an error
// rather than another program's behaviour.
struct ProgramEdition
{
    DropHandling drops = DropHandling::OpenFiles;
    ToolbarTips toolbarTips = ToolbarTips::Toolbar;
    // What the preferences wizard and the all-at-once dialog show.
    const PreferencesEdition* preferences = nullptr;
    AboutEdition about;
    SymbolBadges symbolBadges;
};

// The installed edition. Raises error 91 (object variable not set) while none is installed.
const ProgramEdition& programEdition();
void setProgramEdition(const ProgramEdition& edition);
// Whether an edition is installed, and removing it again (tests that install one for a while).
bool hasProgramEdition();
void clearProgramEdition();

// The about box of the card-reading program, which the sample-card program shows too: the trade
// mark after the title, the maker's address in Label3, the program icon and the credits.
AboutEdition cardProgramsAbout();

// The sample-card program's edition: drops show the full-program notice, the tool tip
// preference empties the tips of toolbar buttons, the badges name the words, and the about
// box is the card-reading program's. Its preferences are set by the program at start-up.
ProgramEdition brindlemarkEdition();

} // namespace modMainHelper
