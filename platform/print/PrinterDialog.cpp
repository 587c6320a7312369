#include "platform/print/PrinterDialog.h"

#include "platform/print/Printer.h"
#include "platform/print/RecordingTarget.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/MessageService.h"

namespace print {

void showPrinter()
{
    Target& target = printer();
    const QString current = target.deviceName();
    const std::optional<QString> chosen = ui::dialogs().choosePrinter(current);
    if (!chosen)
        throw vb::Error(CancelError, QStringLiteral("CommonDialog"), QStringLiteral("Cancel was selected."));
    if (auto* system = dynamic_cast<PrinterTarget*>(&target))
        system->setDeviceName(*chosen);
    else if (auto* recorder = dynamic_cast<RecordingTarget*>(&target))
        recorder->setDeviceName(*chosen);
}

} // namespace print
