#pragma once

#include "platform/service/Service.h"

#include <QImage>
#include <QString>

#include <memory>

class QWidget;

namespace scanner {

// The outcome of acquiring one image.
struct Acquired
{
    enum class Status
    {
        Done,
        Cancelled, // the user stopped it; nothing to report
        Failed,
    };

    QImage image;
    Status status = Status::Failed;
    QString error; // why it failed, for the user or the log

    explicit operator bool() const { return status == Status::Done; }

    static Acquired done(QImage image);
    static Acquired cancelled();
    static Acquired failed(QString error);
};

// Keeps an image source ready for acquisitions while it lives (SANE, once started, stays started
// for the run and needs none).
using SourceHold = std::shared_ptr<void>;

// The outcome of making a source ready.
struct Opened
{
    SourceHold hold;
    QString error; // why the source cannot be used

    explicit operator bool() const { return error.isEmpty(); }
};

// Where acquired images come from: the SANE scanner the user chose, or, in tests, a given
// bitmap. The TWAIN calls and the card-scanner calls take their images from the current source.
class ImageSource
{
public:
    virtual ~ImageSource() = default;
    // Acquires one image; `parent` owns any progress window shown meanwhile.
    virtual Acquired acquire(QWidget* parent) = 0;
    // Makes the source ready for a run of acquisitions until the hold is dropped; the card-scanner
    // SDK keeps one from CRTK_Init to CRTK_Term. A source that needs no preparation is always ready.
    virtual Opened open() { return {}; }
    // Lets the user choose the scanner later acquisitions use, in a dialog owned by `owner`.
    // True when a scanner was chosen and remembered; false when cancelled or not remembered
    // (the earlier choice then stays).
    virtual bool chooseSource(QWidget* owner) = 0;
};

// The source in use; by default the SANE scanner.
extern service::Service<ImageSource> imageSource;

// Acquires one image from the current source.
Acquired acquireImage(QWidget* parent);

// The outcome of writing an image file.
struct Exported
{
    QString error;
    explicit operator bool() const { return error.isEmpty(); }
};

// Writes `image` to `fileName` in `format` ("BMP", "PNG" ...) through a temporary file beside it
// that replaces the target only once complete, so a failed export leaves an older file intact.
Exported exportImage(const QImage& image, const QString& fileName, const QByteArray& format = "BMP");

} // namespace scanner
