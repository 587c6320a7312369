#include "platform/ipc/DdeError.h"

#include <QCoreApplication>

namespace ipc {

vb::Error ddeError(long number)
{
    QString description;
    switch (number) {
    case err::NoServer:
        description = QStringLiteral("No foreign application responded to a DDE initiate");
        break;
    case err::Rejected:
        description = QStringLiteral("Foreign application won't perform DDE method or operation");
        break;
    case err::Timeout:
        description = QStringLiteral("Timeout while waiting for DDE response");
        break;
    case err::Busy:
        description = QStringLiteral("Destination is busy");
        break;
    case err::ServerQuit:
        description = QStringLiteral("Foreign application quit");
        break;
    case err::NoChannel:
        description = QStringLiteral("DDE method invoked with no channel open");
        break;
    case err::InvalidPropertyValue:
        description = QStringLiteral("Invalid property value");
        break;
    default:
        return vb::Error::runtime(number, QCoreApplication::applicationName());
    }
    return vb::Error(number, QCoreApplication::applicationName(), description);
}

} // namespace ipc
