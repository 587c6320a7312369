#pragma once

#include "platform/scanner/ImageSource.h"

#include <sane/sane.h>

class QProgressDialog;

namespace scanner {

class SaneImageBuilder;

// What an acquisition asks of the scanner, where the device offers it.
struct ScanSettings
{
    int dpi = 300; // the nearest resolution the device has
    QString mode = QStringLiteral("Gray");
    int depth = 8;                  // bits a sample
    int stallTimeoutMs = 60 * 1000; // no data for this long ends the scan as failed
};

// Acquires one image from the SANE device the user chose (see SourceChoice.h), or from the first
// device found when none was chosen.
//
// SANE calls block. The read loop asks the device for non-blocking reads and waits for its data
// in the event loop; a device without them is read in blocking calls with the events handled
// between calls. Either way the window stays responsive between reads, a progress window with
// Cancel appears when a scan takes a moment, and a device that stops sending data for
// `stallTimeoutMs` ends the scan (immediately in non-blocking mode, at its next answer otherwise).
// One acquisition runs at a time; another one asked for meanwhile fails at once.
class SaneImageSource : public ImageSource
{
public:
    explicit SaneImageSource(ScanSettings settings = {});

    Acquired acquire(QWidget* parent) override;
    // Initialises SANE for as long as the hold lives; fails when SANE does not start.
    Opened open() override;
    // The "Select Source" dialog listing the SANE devices found; the choice is kept in
    // sourceChoiceFile().
    bool chooseSource(QWidget* owner) override;

    const ScanSettings& settings() const { return m_settings; }

private:
    Acquired scan(SANE_Handle handle, const QString& device, QWidget* parent);
    // Sets mode, depth and resolution as far as the device allows; returns the resolution in dpi (0: unknown).
    double applySettings(SANE_Handle handle) const;
    SANE_Status readFrame(SANE_Handle handle, SaneImageBuilder& builder, QProgressDialog& progress,
                          QString& error) const;

    ScanSettings m_settings;
};

} // namespace scanner
