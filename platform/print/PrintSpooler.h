#pragma once

#include "platform/service/Service.h"

#include <QString>
#include <QStringList>

namespace print {

// The printers a spooler lists, named as Qt's printer support names them: "queue" or
// "queue/instance".
struct Printers
{
    QStringList names;   // none when the print server cannot be reached
    QString defaultName; // empty when no default is set
};

// The system's print spooler: which printers are installed, which one is the default, and
// handing a finished document (a PDF file) to a printer. The default spooler is CUPS; tests
// install one of their own so that nothing depends on the machine's printers.
class PrintSpooler
{
public:
    virtual ~PrintSpooler() = default;

    // The installed printers and the default one, in one question to the print server.
    virtual Printers printers() = 0;
    // Queues `pdfFile` on `printerName` as a job called `title`, on paper `media` (a PPD-style
    // name such as "Letter"). False with `error` set when the spooler refuses it. The file may
    // be deleted as soon as this returns.
    virtual bool submit(const QString& printerName, const QString& pdfFile, const QString& title, const QString& media,
                        QString& error) = 0;
};

// The spooler in use; by default CUPS.
extern service::Service<PrintSpooler> spooler;

} // namespace print
