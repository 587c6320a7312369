#include "reader/modMain.h"

#include "capture/frmHelper.h"
#include "capture/modDDE.h"
#include "capture/modSymbolRoutines.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "icons/ProgramIcon.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ErrorBoundary.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/Command.h"
#include "reader/QuorvaneEdition.h"
#include "reader/frmMDIMain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace modMain {

void choosePlatform()
{
    if (qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void setUpProgram(const QStringList& arguments, const QString& strFolder)
{
    // The title also names the program as the source of the errors it reports.
    ui::setProgramTitle(QString::fromLatin1(ProgramTitle));
    QCoreApplication::setApplicationName(QString::fromLatin1(ProgramTitle));
    modMainHelper::setProgramEdition(modMainHelper::quorvaneEdition());
    QApplication::setWindowIcon(icons::quorvaneIcon());
    vb::setCommand(absoluteCommandLine(vb::commandFromArguments(arguments), strFolder));
}

QString absoluteCommandLine(const QString& strCommandLine, const QString& strFolder)
{
    if (strCommandLine.size() <= 1 || !QFileInfo(strCommandLine).isRelative())
        return strCommandLine;
    return QDir(strFolder).absoluteFilePath(strCommandLine);
}

bool Main(bool bPrevInstance)
{
    if (bPrevInstance && modDDE::forwardToRunningInstance())
        return false;

    QPointer<frmMDIMain> frame = new frmMDIMain;
    QObject::connect(frame, &QObject::destroyed, qApp, &QCoreApplication::quit);
    ui::show(*frame);
    ui::doEvents();
    ui::runGuarded([] {
        if (modMainHelper::isFirstRunOfVersion())
            modMainHelper::showPreferencesWizard(nullptr);
    });
    ui::runGuarded([frame] {
        // Its result shows in the menus at the frame's next activation.
        if (frame && modRegistryHigh::getScanner() == modSymbolRoutines::ScannerSerial)
            frmHelper::instance().turnOnSerialScanner(frame);
    });
    ui::runGuarded([frame] {
        if (frame)
            frame->openNewImpressionWindow();
    });
    ui::runGuarded([frame] {
        if (frame)
            frame->processCommandLine(vb::command());
    });
    return true;
}

} // namespace modMain
