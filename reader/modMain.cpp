#include "reader/modMain.h"

#include "capture/frmHelper.h"
#include "capture/modDDE.h"
#include "capture/modSymbolRoutines.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/Command.h"
#include "reader/frmMDIMain.h"

#include <QDir>
#include <QFileInfo>

namespace modMain {

namespace {

// Runs one step of the start-up; an error is reported and the start-up goes on.
template <class Step> void startStep(Step&& step)
{
    try {
        step();
    } catch (const vb::Error& error) {
        ui::reportError(error);
    }
}

} // namespace

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
    startStep([] {
        if (modMainHelper::isFirstRunOfVersion())
            modMainHelper::showPreferencesWizard(nullptr);
    });
    startStep([frame] {
        // Its result shows in the menus at the frame's next activation.
        if (modRegistryHigh::getScanner() == modSymbolRoutines::ScannerSerial)
            frmHelper::instance().turnOnSerialScanner(frame);
    });
    startStep([frame] { frame->openNewImpressionWindow(); });
    startStep([frame] { frame->processCommandLine(vb::command()); });
    return true;
}

} // namespace modMain
