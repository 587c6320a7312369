#pragma once

#include <QString>
#include <QtGlobal>

// The card-scanner SDK calls of the programs, over the current image source (SANE by default).
// A session is opened with CRTK_Init and addressed by its handle until CRTK_Term; it holds the
// last card acquired, which CRTK_ImageExport writes to a file.
namespace scanner {

// What the calls return.
enum CrtkResult : int
{
    CrtkFailed = 0, // no scanner, the scan failed, or the file could not be written
    CrtkSuccess = 1,
    CrtkCancelled = 2,      // the user stopped the scan
    CrtkNoImage = 3,        // an export before any card was acquired
    CrtkBadFormat = 4,      // an export format the SDK does not write
    CrtkInvalidHandle = -1, // no open session has this handle
};

// Opens a session and sets `handle` to its number (never 0). The session keeps the current image
// source ready until CRTK_Term (SANE is started, and stays started for the run). When the source
// cannot be made ready, raises vb::Error 48 (Error in loading DLL) with the reason as its
// description, as the SDK does when its library cannot be loaded; `handle` is left unchanged.
int CRTK_Init(qint32& handle);
// Scans one card into the session. `mode` is the SDK's scan mode (the programs use 5); the
// image comes from the current image source, its progress window owned by the active window.
int CRTK_ScanAcquire(qint32 handle, int mode);
// Writes the session's card to `fileName` in `format` ("BMP", "PNG", "JPG"), through a temporary
// file that replaces the target only once complete.
int CRTK_ImageExport(qint32 handle, const QString& format, const QString& fileName);
// Closes the session.
int CRTK_Term(qint32 handle);

} // namespace scanner
