#include "common/MainHelper.h"

#include "common/ICommitPreferences.h"
#include "common/IMainWindow.h"
#include "common/ProgramEdition.h"
#include "common/frmConfigWizard.h"
#include "common/frmGetTSN.h"
#include "common/frmPreferences.h"
#include "common/modRegistryHigh.h"
#include "common/modRegistryLow.h"
#include "platform/settings/Settings.h"
#include "platform/shell/Desktop.h"
#include "platform/ui/ErrorBoundary.h"
#include "platform/ui/Form.h"
#include "platform/ui/Help.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Road.h"
#include "platform/ui/ToolTips.h"
#include "platform/vb/VbError.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>
#include <QUrl>

#include <array>

namespace modMainHelper {

namespace {

const QString AppPaths = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths");

const std::array<FamilyProgramInfo, 5>& familyPrograms()
{
    static const std::array<FamilyProgramInfo, 5> programs = {{
        {QStringLiteral("\\Tessaline.exe"), QStringLiteral("Tessaline"), {}},
        {QStringLiteral("\\Quorvane.exe"), QStringLiteral("Quorvane"), {}},
        {QStringLiteral("\\Brindlemark.exe"), QStringLiteral("Brindlemark"), {}},
        {QStringLiteral("\\Zephlorin.exe"), QStringLiteral("Zephlorin"), {QStringLiteral("/show")}},
        {QStringLiteral("\\Kelvadon.exe"), QStringLiteral("Kelvadon"), {}},
    }};
    return programs;
}

void exclamation(const QString& text)
{
    ui::msgBox(text, ui::Buttons::Ok, ui::Icon::Exclamation);
}

bool isOpenableFile(const QString& path)
{
    const QString ext = u'.' + getFileExtension(path);
    return ext == QStringLiteral(".bmp") || ext == QStringLiteral(".imf");
}

void openDroppedFile(const QString& path)
{
    IMainWindow* main = ui::findForm<IMainWindow>();
    if (!main)
        return;
    try {
        main->openFile(path);
    } catch (const vb::Error& e) {
        ui::reportError(e);
    }
}

// Shows a preferences window modally without an owner; unless it was cancelled, the
// open windows apply the preferences.
void showPreferences(CPreferencesForm* dialog, ui::Form* form)
{
    QPointer<QWidget> alive = dialog;
    ui::showModal(*dialog);
    if (alive && !dialog->CancelPressed())
        commitPreferencesToAllForms();
    if (alive)
        ui::unload(*dialog);
    if (form)
        ui::bringToFront(*form);
}

void bringMainWindowToFront()
{
    if (auto* main = dynamic_cast<ui::Form*>(ui::findForm<IMainWindow>()))
        ui::bringToFront(*main);
}

} // namespace

void showHelpContents()
{
    ui::showHelpContents();
}

void showHelpTopic(qint32 contextID)
{
    ui::showHelpTopic(contextID);
}

void applyToolTipPreference(QWidget* form)
{
    if (!form || modRegistryHigh::getToolTips())
        return;
    const bool buttons = programEdition().toolbarTips == ToolbarTips::Buttons;
    for (QObject* control : ui::toolTipControls(form, buttons)) {
        if (buttons && qobject_cast<QToolBar*>(control))
            continue; // the toolbar keeps its own tip; its buttons follow it in the list
        if (!ui::toolTipOf(control).isEmpty())
            ui::setToolTipOf(control, QString());
    }
}

void setHelpMenuCaptions(QWidget* form)
{
    if (!form)
        return;
    const QString caption = QStringLiteral("About ") + ui::programTitle() + QStringLiteral("...");
    if (auto* menu = form->findChild<QMenu*>(QStringLiteral("mnuHelpAbout")))
        menu->setTitle(caption);
    else if (auto* action = form->findChild<QAction*>(QStringLiteral("mnuHelpAbout")))
        action->setText(caption);
}

const FamilyProgramInfo& familyProgram(FamilyProgram program)
{
    return familyPrograms().at(static_cast<size_t>(program));
}

QString getAppPath(const QString& strExeKey)
{
    const QString path =
        modRegistryLow::getStringValue(modRegistryLow::Root::LocalMachine, AppPaths + strExeKey, QString(), QString());
    return fileExists(path) ? path : QString();
}

QString getTessalinePath()
{
    return getAppPath(familyProgram(FamilyProgram::Tessaline).exeKey);
}

QString getQuorvanePath()
{
    return getAppPath(familyProgram(FamilyProgram::Quorvane).exeKey);
}

QString getBrindlemarkPath()
{
    return getAppPath(familyProgram(FamilyProgram::Brindlemark).exeKey);
}

QString getZephlorinPath()
{
    return getAppPath(familyProgram(FamilyProgram::Zephlorin).exeKey);
}

QString getKelvadonPath()
{
    return getAppPath(familyProgram(FamilyProgram::Kelvadon).exeKey);
}

void launchProgram(FamilyProgram program)
{
    const FamilyProgramInfo& info = familyProgram(program);
    const QString path = getAppPath(info.exeKey);
    const shell::StartResult result = shell::desktop().startProgram(path, info.arguments);
    if (result)
        return;
    shell::StartStatus status = result.status;
    // A program started with arguments always has a command, so a missing one reads as
    // a missing file rather than as nothing to start.
    if (status == shell::StartStatus::InvalidArgument && !info.arguments.isEmpty())
        status = shell::StartStatus::FileNotFound;
    switch (status) {
    case shell::StartStatus::InvalidArgument:
        exclamation(QStringLiteral("Inconsistent state: ") + info.name + QStringLiteral(" not found.") +
                    QStringLiteral("\r\rPlease report this to ") + supportEmailAddress());
        break;
    case shell::StartStatus::FileNotFound:
        exclamation(info.exeKey.mid(1) + QStringLiteral(" damaged or missing."));
        break;
    default:
        exclamation(vb::Error(result.errorNumber, ui::programTitle(), result.description).report());
        break;
    }
}

void launchTessaline()
{
    launchProgram(FamilyProgram::Tessaline);
}

void launchQuorvane()
{
    launchProgram(FamilyProgram::Quorvane);
}

void launchBrindlemark()
{
    launchProgram(FamilyProgram::Brindlemark);
}

void launchZephlorin()
{
    launchProgram(FamilyProgram::Zephlorin);
}

void launchKelvadon()
{
    launchProgram(FamilyProgram::Kelvadon);
}

QString makerWebAddress()
{
    return QStringLiteral("https://www.tessaline.com/");
}

QString supportEmailAddress()
{
    return QStringLiteral("support@tessaline.com");
}

QString getVersionString()
{
    return QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision);
}

bool isFirstRunOfVersion()
{
    const QString section = QStringLiteral("Startup");
    const QString key = QStringLiteral("Last Version");
    if (settings::getSetting(ui::programTitle(), section, key, QString()) == getVersionString())
        return false;
    settings::saveSetting(ui::programTitle(), section, key, getVersionString());
    return true;
}

// A program whose edition has no preferences (not installed yet) shows none.
void showPreferencesAllAtOnce(ui::Form* form)
{
    if (const PreferencesEdition* preferences = programEdition().preferences)
        showPreferences(new frmPreferences(*preferences), form);
}

void showPreferencesWizard(ui::Form* form)
{
    if (const PreferencesEdition* preferences = programEdition().preferences)
        showPreferences(new frmConfigWizard(*preferences), form);
}

void commitPreferencesToAllForms()
{
    ui::callOnForms<ICommitPreferences>([](ICommitPreferences& form) { form.commitPreferences(); });
}

void showGetTSNDialog(qint32 helpContextID, const QString& caption)
{
    auto* notice = new frmGetTSN;
    QPointer<QWidget> alive = notice;
    ui::load(*notice);
    ui::setHelpContext(notice->cmdHelp, helpContextID);
    notice->Label1[0]->setText(caption);
    ui::showModal(*notice);
    // The notice unloads itself by its buttons and its close box.
    if (alive && ui::isLoaded(*notice))
        ui::unload(*notice);
    bringMainWindowToFront();
}

void promptSerialScan()
{
    ui::msgBox(QStringLiteral("PDF417 scanner port acquired.\r\rClick OK, then press trigger."), ui::Buttons::Ok,
               ui::Icon::Information, QString(), 64);
}

QStringList droppedFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

void dropFiles(const QMimeData* data)
{
    const QStringList files = droppedFiles(data);
    if (files.isEmpty())
        return;
    // The drop is answered at once, so that the program the files came from goes on; the files
    // are opened from the event loop afterwards, once no road runs.
    ui::Road::whenFree([files] {
        if (programEdition().drops == DropHandling::FullProgramNotice) {
            showGetTSNDialog(9, QStringLiteral("Drag and Drop Files to Open/Import"));
            return;
        }
        for (const QString& file : files) {
            if (isOpenableFile(file))
                openDroppedFile(file);
            else
                exclamation(QStringLiteral("Invalid file type"));
        }
    });
}

void dragOverFiles(const QMimeData* data, Qt::DropAction& effect)
{
    const QStringList files = droppedFiles(data);
    if (files.isEmpty())
        effect = Qt::IgnoreAction;
    else if (programEdition().drops == DropHandling::FullProgramNotice)
        effect = Qt::CopyAction;
    else
        effect = isOpenableFile(files.first()) ? Qt::CopyAction : Qt::IgnoreAction;
}

void dropFilesOnControl(const QMimeData* data)
{
    dropFiles(data);
}

void dragOverFilesOnControl(const QMimeData* data, Qt::DropAction& effect)
{
    dragOverFiles(data, effect);
}

void dropFilesOnTab(const QMimeData* data)
{
    dropFiles(data);
}

void dragOverFilesOnTab(const QMimeData* data, Qt::DropAction& effect)
{
    dragOverFiles(data, effect);
}

} // namespace modMainHelper
