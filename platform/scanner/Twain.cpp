#include "platform/scanner/Twain.h"

#include "platform/scanner/ImageSource.h"
#include "platform/scanner/SaneSession.h"
#include "platform/scanner/SourceChoice.h"
#include "platform/scanner/SourceDialog.h"

namespace scanner {

int TWAIN_AcquireToFilename(QWidget* hWnd, const QString& bitmapFile)
{
    const Acquired acquired = acquireImage(hWnd);
    if (acquired.status == Acquired::Status::Cancelled)
        return TwainCancelled;
    if (!acquired) {
        qWarning("Image acquisition failed: %s", qPrintable(acquired.error));
        return TwainFailed;
    }
    if (const Exported written = exportImage(acquired.image, bitmapFile, "BMP"); !written) {
        qWarning("%s", qPrintable(written.error));
        return TwainWriteFailed;
    }
    return TwainDone;
}

int TWAIN_SelectImageSource(QWidget* hWnd)
{
    QList<SaneDevice> devices;
    {
        SaneSession session;
        if (session)
            devices = session.devices();
        else
            qWarning("%s", qPrintable(session.error()));
    }
    SourceDialog dialog(devices, chosenDevice(), hWnd);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedDevice().isEmpty())
        return 0;
    if (!setChosenDevice(dialog.selectedDevice())) {
        qWarning("The chosen scanner could not be remembered in %s", qPrintable(sourceChoiceFile()));
        return 0;
    }
    return 1;
}

} // namespace scanner
