#include "platform/ui/DialogService.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace ui {

namespace {

class QtDialogs : public DialogService
{
public:
    // Each dialog runs an event loop of its own until it is answered.
    std::optional<QString> openFile(const FileDialogRequest& request) override
    {
        const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), request.title, request.fileName,
                                                          qtFileFilter(request.filter));
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    }

    std::optional<QString> saveFile(const FileDialogRequest& request) override
    {
        const QFileDialog::Options options =
            request.confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
        const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), request.title, request.fileName,
                                                          qtFileFilter(request.filter), nullptr, options);
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    }

    std::optional<QString> choosePrinter(const QString& printerName, PrinterChoice choice) override
    {
        QPrinter printer;
        if (!printerName.isEmpty())
            printer.setPrinterName(printerName);
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        // The programs print on printers only.
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        if (choice == PrinterChoice::Select) {
            if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
                if (QPushButton* accept = buttons->button(QDialogButtonBox::Ok))
                    accept->setText(QStringLiteral("OK"));
            }
        }
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return printer.printerName();
    }

    std::optional<QFont> chooseFont(const QFont& initial) override
    {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, QApplication::activeWindow());
        return ok ? std::optional<QFont>(font) : std::nullopt;
    }
};

DialogService& qtDialogs()
{
    static QtDialogs real;
    return real;
}

} // namespace

constinit service::Service<DialogService> dialogs(&qtDialogs);

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        // Several patterns are separated by ";" here and by blanks in Qt's form.
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        const QString shown = QStringLiteral("(") + patterns + u')';
        out.append(description.endsWith(shown) ? description : description + u' ' + shown);
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace ui
