#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace ipc {
class Server;
}

// Handing a second start of a program over to the copy that is already running: the
// command line goes, as the execute "cmdline=<command line>", to the running copy's main
// window, which serves the conversation "<product name>|MDI".
namespace modDDE {

// The topic of the running copy's main window: "<product name>|MDI".
QString mainWindowTopic();
// The execute that carries a command line.
QString commandLineExecute(const QString& strCommandLine);

// The longest command line a second start may hand over, in UTF-8 bytes.
inline constexpr qsizetype MaxCommandLineBytes = 4096;

// The command line an execute carries: the text after the first "=" when the text before it
// is "cmdline" in any case and the command line is not too long; nothing otherwise.
std::optional<QString> commandLineOf(const QString& CmdStr);

// Serves the main window's conversation (mainWindowTopic): every execute goes to `linkExecute`
// with Cancel true, and is accepted when the handler cleared it. Null, after a warning, when
// another copy serves the name already: this copy then runs on its own.
std::unique_ptr<ipc::Server> serveMainWindow(std::function<void(const QString& CmdStr, bool& Cancel)> linkExecute);

// Sends the program's command line (vb::command()) to the running copy through the helper
// form's DDE control, waiting up to 15 s for the answer. True when it was delivered. False
// when the conversation failed: silently when no copy serves the topic (error 282), after
// the general report for every other error.
bool forwardToRunningInstance();

} // namespace modDDE
