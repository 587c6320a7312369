// Quorvane, the card-reading program.
#include "platform/ipc/SingleInstance.h"
#include "platform/ui/ProgramFont.h"
#include "platform/ui/Road.h"
#include "reader/frmImpression.h"
#include "reader/frmMDIMain.h"
#include "reader/modMain.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    modMain::choosePlatform();
    QApplication app(argc, argv);
    ui::useProgramFont();
    modMain::setUpProgram(QApplication::arguments().mid(1), QDir::currentPath());
    frmMDIMain::setImpressionWindowFactory([] { return new frmImpression; });
    // Held for the program's life: a later start finds this copy running.
    const ipc::SingleInstance instance(QString::fromLatin1(modMain::ProgramTitle));
    if (!instance.errorString().isEmpty())
        std::fprintf(stderr, "quorvane: %s\n", qPrintable(instance.errorString()));
    if (!modMain::Main(instance.prevInstance()))
        return 0;
    return ui::Road::exec();
}
