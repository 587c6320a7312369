#pragma once

#include "platform/ui/DialogService.h"

#include <QFont>
#include <QList>
#include <QQueue>

#include <variant>

namespace testing_support {

// Answers the common dialogs from a queue and records every request. While it lives it is
// the dialog service; a dialog without a queued answer, or with an answer of another
// kind, fails the test and is cancelled.
class ScriptedDialogs : public ui::DialogService
{
public:
    enum class Kind
    {
        Open,
        Save,
        Printer,
        Font,
    };

    struct Request
    {
        Kind kind;
        ui::FileDialogRequest file; // for Open and Save
        QString printerName;        // for Printer: the printer the dialog showed first
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // The next file dialog chooses `path`.
    ScriptedDialogs& answerFile(const QString& path);
    // The next printer dialog chooses the printer of that name ("" keeps the printer it shows).
    ScriptedDialogs& answerPrinter(const QString& printerName = QString());
    // The next font dialog chooses `font`.
    ScriptedDialogs& answerFont(const QFont& font);
    // The next dialog, of any kind, is cancelled.
    ScriptedDialogs& cancel();

    const QList<Request>& requests() const { return m_requests; }
    int pending() const { return static_cast<int>(m_answers.size()); }

    std::optional<QString> openFile(const ui::FileDialogRequest& request) override;
    std::optional<QString> saveFile(const ui::FileDialogRequest& request) override;
    std::optional<QString> choosePrinter(const QString& printerName, ui::PrinterChoice choice) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;

private:
    struct Cancel
    {
    };
    struct Path
    {
        QString path;
    };
    struct PrinterName
    {
        QString name;
    };
    using Answer = std::variant<Cancel, Path, PrinterName, QFont>;

    // The next answer, or Cancel (with a failure) when none is queued.
    Answer next(const char* dialog);
    std::optional<QString> fileAnswer(Kind kind, const ui::FileDialogRequest& request);

    service::Service<ui::DialogService>::Override m_installed;
    QQueue<Answer> m_answers;
    QList<Request> m_requests;
};

} // namespace testing_support
