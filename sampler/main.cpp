// Brindlemark, the sample-card program.
#include "platform/ipc/SingleInstance.h"
#include "platform/ui/ProgramFont.h"
#include "platform/ui/Road.h"
#include "reader/modMain.h"
#include "sampler/BrindlemarkProgram.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    modMain::choosePlatform();
    QApplication app(argc, argv);
    ui::useProgramFont();
    modSampleMain::setUpProgram();
    // Held for the program's life: a later start finds this copy running.
    const ipc::SingleInstance instance(QString::fromLatin1(modSampleMain::ProgramTitle));
    if (!instance.errorString().isEmpty())
        std::fprintf(stderr, "brindlemark: %s\n", qPrintable(instance.errorString()));
    if (!modSampleMain::Main(instance.prevInstance()))
        return 0;
    return ui::Road::exec();
}
