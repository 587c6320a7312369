#include "platform/scanner/CardScanSdk.h"

#include "platform/scanner/ImageSource.h"
#include "platform/vb/VbError.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QWidget>

#include <limits>

namespace scanner {

namespace {

// An open session: the source kept ready for it, and the last card it acquired.
struct Session
{
    SourceHold source;
    QImage card;
};

// The open sessions by handle.
QHash<qint32, Session>& sessions()
{
    static QHash<qint32, Session> open;
    return open;
}

qint32 g_lastHandle = 0;

} // namespace

int CRTK_Init(qint32& handle)
{
    Opened opened = imageSource().open();
    if (!opened)
        throw vb::Error(vb::err::DllLoadError, QCoreApplication::applicationName(), opened.error);
    do
        g_lastHandle = g_lastHandle == std::numeric_limits<qint32>::max() ? 1 : g_lastHandle + 1;
    while (sessions().contains(g_lastHandle));
    sessions().insert(g_lastHandle, Session{std::move(opened.hold), QImage()});
    handle = g_lastHandle;
    return CrtkSuccess;
}

int CRTK_ScanAcquire(qint32 handle, int mode)
{
    Q_UNUSED(mode)
    if (!sessions().contains(handle))
        return CrtkInvalidHandle;
    const Acquired acquired = acquireImage(QApplication::activeWindow());
    if (acquired.status == Acquired::Status::Cancelled)
        return CrtkCancelled;
    if (!acquired) {
        qWarning("Card scan failed: %s", qPrintable(acquired.error));
        return CrtkFailed;
    }
    // The session may have ended while the scan let events run.
    const auto session = sessions().find(handle);
    if (session == sessions().end())
        return CrtkInvalidHandle;
    session->card = acquired.image;
    return CrtkSuccess;
}

int CRTK_ImageExport(qint32 handle, const QString& format, const QString& fileName)
{
    const auto session = sessions().constFind(handle);
    if (session == sessions().cend())
        return CrtkInvalidHandle;
    if (session->card.isNull())
        return CrtkNoImage;
    const QByteArray upper = format.toUpper().toLatin1();
    if (upper != "BMP" && upper != "PNG" && upper != "JPG")
        return CrtkBadFormat;
    if (const Exported written = exportImage(session->card, fileName, upper); !written) {
        qWarning("%s", qPrintable(written.error));
        return CrtkFailed;
    }
    return CrtkSuccess;
}

int CRTK_Term(qint32 handle)
{
    return sessions().remove(handle) ? CrtkSuccess : CrtkInvalidHandle;
}

} // namespace scanner
