#include "platform/scanner/CardScanSdk.h"

#include "platform/scanner/ImageSource.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QWidget>

#include <limits>

namespace scanner {

namespace {

// The open sessions by handle, each with its last card.
QHash<qint32, QImage>& sessions()
{
    static QHash<qint32, QImage> open;
    return open;
}

qint32 g_lastHandle = 0;

} // namespace

int CRTK_Init(qint32& handle)
{
    do
        g_lastHandle = g_lastHandle == std::numeric_limits<qint32>::max() ? 1 : g_lastHandle + 1;
    while (sessions().contains(g_lastHandle));
    sessions().insert(g_lastHandle, QImage());
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
    *session = acquired.image;
    return CrtkSuccess;
}

int CRTK_ImageExport(qint32 handle, const QString& format, const QString& fileName)
{
    const auto session = sessions().constFind(handle);
    if (session == sessions().cend())
        return CrtkInvalidHandle;
    if (session->isNull())
        return CrtkNoImage;
    const QByteArray upper = format.toUpper().toLatin1();
    if (upper != "BMP" && upper != "PNG" && upper != "JPG")
        return CrtkBadFormat;
    if (const Exported written = exportImage(*session, fileName, upper); !written) {
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
