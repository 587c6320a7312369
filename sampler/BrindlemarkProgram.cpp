#include "sampler/BrindlemarkProgram.h"

#include "common/MainHelper.h"
#include "icons/ProgramIcon.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ErrorBoundary.h"
#include "platform/ui/MessageService.h"
#include "sampler/BrindlemarkPreferences.h"
#include "sampler/SampleMDIMain.h"

#include <QApplication>
#include <QPointer>

namespace modSampleMain {

modMainHelper::ProgramEdition programEdition()
{
    modMainHelper::ProgramEdition edition = modMainHelper::brindlemarkEdition();
    edition.preferences = &BrindlemarkPreferences::instance();
    return edition;
}

void setUpProgram()
{
    ui::setProgramTitle(QString::fromLatin1(ProgramTitle));
    QCoreApplication::setApplicationName(QString::fromLatin1(ProgramTitle));
    modMainHelper::setProgramEdition(programEdition());
    QApplication::setWindowIcon(icons::brindlemarkIcon());
}

bool Main(bool bPrevInstance)
{
    if (bPrevInstance && modMainHelper::activatePreviousInstance())
        return false;

    QPointer<SampleMDIMain> frame = new SampleMDIMain;
    QObject::connect(frame, &QObject::destroyed, qApp, &QCoreApplication::quit);
    ui::show(*frame);
    frame->announceWindowClass();
    ui::doEvents();
    ui::runGuarded([] {
        if (modMainHelper::isFirstRunOfVersion())
            modMainHelper::showPreferencesWizard(nullptr);
    });
    ui::runGuarded([frame] {
        if (frame)
            frame->createNewSample();
    });
    return true;
}

} // namespace modSampleMain
