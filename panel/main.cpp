// Zephlorin, the launcher panel.
#include "common/ProgramEdition.h"
#include "icons/PanelPictures.h"
#include "panel/ZephlorinEdition.h"
#include "panel/frmZephlorin.h"
#include "platform/ipc/SingleInstance.h"
#include "platform/ui/ErrorBoundary.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/ProgramFont.h"
#include "platform/ui/Road.h"
#include "platform/vb/Command.h"

#include <QApplication>
#include <QPointer>

#include <cstdio>

int main(int argc, char** argv)
{
    // X11 when there is a display and nothing else was asked for: the panel places itself.
    if (qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ui::useProgramFont();
    // The panel ends when it unloads, not when a dialog closes while the panel is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    const QString title = QStringLiteral("Zephlorin");
    ui::setProgramTitle(title);
    QCoreApplication::setApplicationName(title);
    modMainHelper::setProgramEdition(modMainHelper::zephlorinEdition());
    QApplication::setWindowIcon(icons::zephlorinIcon());
    vb::setCommand(vb::commandFromArguments(QApplication::arguments().mid(1)));

    // Held for the program's life: a later start finds this copy running.
    const ipc::SingleInstance instance(title);
    if (!instance.errorString().isEmpty())
        std::fprintf(stderr, "zephlorin: %s\n", qPrintable(instance.errorString()));
    QPointer<frmZephlorin> panel = new frmZephlorin(instance.prevInstance());
    QObject::connect(panel, &QObject::destroyed, qApp, &QCoreApplication::quit);
    ui::runGuarded([&panel] { ui::load(*panel); });
    if (!panel || !ui::isLoaded(*panel) || panel->hasEnded())
        return 0;
    return ui::Road::exec();
}
