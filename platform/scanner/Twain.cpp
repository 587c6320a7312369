#include "platform/scanner/Twain.h"

#include "platform/scanner/ImageSource.h"

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
    return imageSource().chooseSource(hWnd) ? 1 : 0;
}

} // namespace scanner
