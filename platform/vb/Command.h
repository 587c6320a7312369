#pragma once

#include <QString>
#include <QStringList>

// The program's command line as the runtime hands it over: one text, the arguments joined
// by single blanks. The program's start-up sets it once from its arguments.
namespace vb {

QString command();
void setCommand(const QString& strCommand);

// The arguments (without the program's own name) as one command line.
QString commandFromArguments(const QStringList& arguments);

} // namespace vb
