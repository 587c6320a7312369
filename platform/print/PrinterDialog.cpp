#include "platform/print/PrinterDialog.h"

#include "platform/print/Printer.h"
#include "platform/print/RecordingTarget.h"
#include "platform/ui/MessageService.h"

namespace print {

namespace {

// Without a printer the dialog would open empty: the user is told instead, and shown a printer
// anyone can add.
[[noreturn]] void noPrinter(const vb::Error& error)
{
    ui::msgBox(QStringLiteral("There is no printer to print on: none is installed, or the print server cannot be "
                              "reached.\r\rTo print into PDF files in ~/PDF, add a cups-pdf queue and make it the "
                              "default (the CUPS service must be running):\r\r"
                              "    sudo lpadmin -p PDF -E -v cups-pdf:/ \\\r"
                              "        -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=Letter\r"
                              "    sudo lpadmin -d PDF"),
               ui::Buttons::Ok, ui::Icon::Exclamation);
    throw error;
}

} // namespace

void showPrinter(ui::PrinterChoice choice)
{
    Target& target = printer();
    QString current;
    try {
        current = target.deviceName();
    } catch (const vb::Error& error) {
        if (error.number() != vb::err::NoPrinter)
            throw;
        noPrinter(error);
    }
    const std::optional<QString> chosen = ui::dialogs().choosePrinter(current, choice);
    if (!chosen)
        throw vb::Error(CancelError, QStringLiteral("CommonDialog"), QStringLiteral("Cancel was selected."));
    if (chosen->isEmpty())
        noPrinter(vb::Error::runtime(vb::err::NoPrinter, ui::programTitle()));
    if (auto* system = dynamic_cast<PrinterTarget*>(&target))
        system->setDeviceName(*chosen);
    else if (auto* recorder = dynamic_cast<RecordingTarget*>(&target))
        recorder->setDeviceName(*chosen);
}

} // namespace print
