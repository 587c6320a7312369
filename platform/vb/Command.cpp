#include "platform/vb/Command.h"

namespace vb {

namespace {

QString& current()
{
    static QString strCommand;
    return strCommand;
}

} // namespace

QString command()
{
    return current();
}

void setCommand(const QString& strCommand)
{
    current() = strCommand;
}

QString commandFromArguments(const QStringList& arguments)
{
    return arguments.join(u' ');
}

} // namespace vb
