#include "reader/modMain.h"

#include "capture/frmHelper.h"
#include "capture/modDDE.h"
#include "capture/modSymbolRoutines.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ErrorBoundary.h"
#include "platform/vb/Command.h"
#include "reader/frmMDIMain.h"

#include <QDir>
#include <QFileInfo>

namespace modMain {

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

    auto* frame = new frmMDIMain;
    ui::show(*frame);
    ui::doEvents();
    ui::runGuarded([] {
        if (modMainHelper::isFirstRunOfVersion())
            modMainHelper::showPreferencesWizard(nullptr);
    });
    ui::runGuarded([frame] {
        // Its result shows in the menus at the frame's next activation.
        if (modRegistryHigh::getScanner() == modSymbolRoutines::ScannerSerial)
            frmHelper::instance().turnOnSerialScanner(frame);
    });
    ui::runGuarded([frame] { frame->openNewImpressionWindow(); });
    ui::runGuarded([frame] { frame->processCommandLine(vb::command()); });
    return true;
}

} // namespace modMain
