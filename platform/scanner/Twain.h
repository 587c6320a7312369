#pragma once

#include <QString>

class QWidget;

// The image-scanner calls of the programs, over the current image source (SANE by default).
namespace scanner {

// What TWAIN_AcquireToFilename returns.
enum TwainResult : int
{
    TwainDone = 0,
    TwainCancelled = 1,   // the user cancelled the scan
    TwainFailed = 2,      // no scanner, or the scan failed
    TwainWriteFailed = 3, // the bitmap file could not be written
};

// Acquires one image and writes it as a bitmap file (replacing the file only once the new one is
// complete). `hWnd` owns the progress window shown meanwhile. Returns a TwainResult, 0 when done;
// the reason of a failure goes to the log.
int TWAIN_AcquireToFilename(QWidget* hWnd, const QString& bitmapFile);

// Lets the user choose the image source (the current source's chooser, owned by `hWnd`).
// Returns 1 when a source was chosen, 0 when the dialog was cancelled or the choice could not be
// stored; the previous choice then stays.
int TWAIN_SelectImageSource(QWidget* hWnd);

} // namespace scanner
