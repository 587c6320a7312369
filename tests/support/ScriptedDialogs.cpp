#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace testing_support {

ScriptedDialogs::ScriptedDialogs() : m_installed(ui::dialogs.replace(*this)) {}

ScriptedDialogs::~ScriptedDialogs()
{
    EXPECT_TRUE(m_answers.isEmpty()) << m_answers.size() << " scripted dialog answer(s) were never asked for";
}

ScriptedDialogs& ScriptedDialogs::answerFile(const QString& path)
{
    m_answers.enqueue(Path{path});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerPrinter(const QString& printerName)
{
    m_answers.enqueue(PrinterName{printerName});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerFont(const QFont& font)
{
    m_answers.enqueue(font);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::cancel()
{
    m_answers.enqueue(Cancel{});
    return *this;
}

ScriptedDialogs::Answer ScriptedDialogs::next(const char* dialog)
{
    if (m_answers.isEmpty()) {
        ADD_FAILURE() << "unexpected " << dialog << " dialog";
        return Cancel{};
    }
    return m_answers.dequeue();
}

std::optional<QString> ScriptedDialogs::fileAnswer(Kind kind, const ui::FileDialogRequest& request)
{
    m_requests.append(Request{kind, request, {}});
    const Answer a = next(kind == Kind::Open ? "open-file" : "save-file");
    if (const auto* p = std::get_if<Path>(&a))
        return p->path;
    if (!std::holds_alternative<Cancel>(a))
        ADD_FAILURE() << "the scripted answer is not a file: " << request.title.toStdString();
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::openFile(const ui::FileDialogRequest& request)
{
    return fileAnswer(Kind::Open, request);
}

std::optional<QString> ScriptedDialogs::saveFile(const ui::FileDialogRequest& request)
{
    return fileAnswer(Kind::Save, request);
}

std::optional<QString> ScriptedDialogs::choosePrinter(const QString& printerName, ui::PrinterChoice)
{
    m_requests.append(Request{Kind::Printer, {}, printerName});
    const Answer a = next("printer");
    if (const auto* p = std::get_if<PrinterName>(&a))
        return p->name.isEmpty() ? printerName : p->name;
    if (!std::holds_alternative<Cancel>(a))
        ADD_FAILURE() << "the scripted answer is not a printer";
    return std::nullopt;
}

std::optional<QFont> ScriptedDialogs::chooseFont(const QFont& initial)
{
    m_requests.append(Request{Kind::Font, {}, {}});
    const Answer a = next("font");
    if (const auto* f = std::get_if<QFont>(&a))
        return *f;
    if (!std::holds_alternative<Cancel>(a))
        ADD_FAILURE() << "the scripted answer is not a font";
    return std::nullopt;
}

} // namespace testing_support
