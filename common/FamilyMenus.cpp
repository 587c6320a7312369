#include "common/FamilyMenus.h"

#include "common/frmAbout.h"
#include "platform/ui/Form.h"

#include <QAction>
#include <QPointer>
#include <QWidget>

namespace modMainHelper {

namespace {

constexpr qint32 GoToHelp = 200;
constexpr qint32 GettingStartedTopic = 10004;

QString goToItemName(FamilyProgram program)
{
    return QStringLiteral("mnuWindowGoto") + familyProgram(program).name.toLower();
}

} // namespace

QList<ui::MenuEntry> windowMenuRows(FamilyProgram self)
{
    QList<ui::MenuEntry> rows{{0, QStringLiteral("mnuWindow"), QStringLiteral("&Window")}};
    for (FamilyProgram program : {FamilyProgram::Kelvadon, FamilyProgram::Tessaline, FamilyProgram::Brindlemark,
                                  FamilyProgram::Zephlorin, FamilyProgram::Quorvane}) {
        std::function<void()> start;
        if (program != self)
            start = [program] { launchProgram(program); };
        rows.append({1, goToItemName(program), QStringLiteral("Go To &") + familyProgram(program).name, QKeySequence(),
                     GoToHelp, std::move(start)});
    }
    return rows;
}

// clang-format off
QList<ui::MenuEntry> helpMenuRows(ui::Form* form, const HelpMenuEdition& edition)
{
    return {
        {0, QStringLiteral("mnuHelp"), QStringLiteral("&Help")},
        {1, QStringLiteral("mnuHelpContents"), QStringLiteral("&Contents and Index..."), edition.contentsKey, 8,
         [] { showHelpContents(); }},
        {1, QStringLiteral("mnuHelpGettingstarted"), QStringLiteral("&Getting Started"), {}, GettingStartedTopic,
         [] { showHelpTopic(GettingStartedTopic); }},
        {1, QStringLiteral("mnuHelpPreferences"), QStringLiteral("&Preferences"), {}, 1},
        {2, QStringLiteral("mnuHelpPreferencesAllatonce"), QStringLiteral("&All-at-once..."), {}, 1,
         [form] { showPreferencesAllAtOnce(form); }},
        {2, QStringLiteral("mnuHelpPreferencesWizard"), edition.wizardCaption, {}, 1,
         [form] { showPreferencesWizard(form); }},
        {1, edition.separatorName, QStringLiteral("-")},
        {1, QStringLiteral("mnuHelpAbout"), edition.aboutCaption, {}, 9, [] { showAboutBox(); }},
    };
}
// clang-format on

void updateGoToMenus(QWidget* form, FamilyProgram self)
{
    auto item = [form](FamilyProgram program) { return form->findChild<QAction*>(goToItemName(program)); };
    item(self)->setVisible(false);
    for (FamilyProgram program : {FamilyProgram::Zephlorin, FamilyProgram::Brindlemark, FamilyProgram::Kelvadon,
                                  FamilyProgram::Tessaline, FamilyProgram::Quorvane})
        item(program)->setEnabled(!getAppPath(familyProgram(program).exeKey).isEmpty());
}

void showAboutBox()
{
    QPointer<frmAbout> about = new frmAbout;
    ui::showModal(*about);
    if (about && ui::isLoaded(*about))
        ui::unload(*about);
}

} // namespace modMainHelper
