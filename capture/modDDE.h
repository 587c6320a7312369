#pragma once

#include <QString>

// Handing a second start of a program over to the copy that is already running: the
// command line goes, as the execute "cmdline=<command line>", to the running copy's main
// window, which serves the conversation "<product name>|MDI".
namespace modDDE {

// The topic of the running copy's main window: "<product name>|MDI".
QString mainWindowTopic();
// The execute that carries a command line.
QString commandLineExecute(const QString& strCommandLine);

// Sends the program's command line (vb::command()) to the running copy through the helper
// form's DDE control, waiting up to 15 s for the answer. True when it was delivered. False
// when the conversation failed: silently when no copy serves the topic (error 282), after
// the general report for every other error.
bool forwardToRunningInstance();

} // namespace modDDE
