#pragma once

#include "platform/service/Service.h"

#include <QFont>
#include <QString>

#include <optional>

namespace ui {

// What a file dialog asks for. `filter` is written as the programs write it:
// "description|pattern|description|pattern...", e.g.
// "Tessaline Impression (*.imf)|*.imf|All files (*.*)|*.*".
struct FileDialogRequest
{
    QString title;
    QString filter;
    QString fileName;             // the name filled in (a suggested name when saving)
    bool confirmOverwrite = true; // saving: ask before replacing an existing file
};

// What the printer dialog is for: printing what the command made (its button to accept reads
// "Print") or only choosing the printer (it reads "OK").
enum class PrinterChoice
{
    Print,
    Select,
};

// The common dialogs. Windows reach them only through the current service, so that
// tests can answer them from a script.
class DialogService
{
public:
    virtual ~DialogService() = default;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // Lets the user choose a printer, starting from the one called `printerName`: the chosen
    // printer's name (empty when the dialog listed none), or nullopt when the user cancelled.
    // The system's default printer stays as it is.
    virtual std::optional<QString> choosePrinter(const QString& printerName, PrinterChoice choice) = 0;
    // The chosen font, or nullopt when the user cancelled.
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
};

// The common dialogs; by default the real ones.
extern service::Service<DialogService> dialogs;

// A "description|pattern|..." filter in Qt's form, "description (pattern);;...".
QString qtFileFilter(const QString& filter);

} // namespace ui
