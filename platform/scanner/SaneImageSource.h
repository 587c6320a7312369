#pragma once

#include "platform/scanner/ImageSource.h"

namespace scanner {

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
// SANE calls block, so they all run on the SANE thread (SaneSession), and the window goes on
// meanwhile: from the first moment of an acquisition a progress window with Cancel shows while
// the devices are listed and the device opened and read, and Cancel ends the wait at once. The
// read loop asks the device for non-blocking reads where it has them, so that a cancelled scan
// stops between two reads; a device that stops sending data for `stallTimeoutMs` ends the scan
// (immediately in non-blocking mode, at its next answer otherwise). One acquisition runs at a
// time; another one asked for meanwhile fails at once.
class SaneImageSource : public ImageSource
{
public:
    explicit SaneImageSource(ScanSettings settings = {});

    Acquired acquire(QWidget* parent) override;
    // Starts SANE, which then stays started for the rest of the run; fails when SANE does not
    // start.
    Opened open() override;
    // The "Select Source" dialog listing the SANE devices found; it shows at once and fills in
    // once the devices are listed. The choice is kept in sourceChoiceFile().
    bool chooseSource(QWidget* owner) override;

    const ScanSettings& settings() const { return m_settings; }

private:
    ScanSettings m_settings;
};

} // namespace scanner
