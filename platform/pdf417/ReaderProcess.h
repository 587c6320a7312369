#pragma once

#include "platform/pdf417/ReaderJob.h"

#include <QString>

#include <optional>

namespace pdf417 {

// Reads symbols in the helper program "qv-symbol-reader".
//
// The PDF417 reader of zxing-cpp 1.4 (the version Debian 12 ships) can read outside its tables
// on a malformed symbol whose row indicators promise fewer codewords than its error correction
// needs, and may crash on it; and the image decoders (BMP, PNG, JPEG through Qt's plugins) see
// outside input too. So the helper reads the image file itself and reads its symbols: a crash
// or a hang there costs only the helper, the caller sees no symbol, as for an unreadable
// image, and the next read starts a fresh helper. This process never decodes the image.
//
// The helper is a program of its own started with QProcess, never a fork() of this process: a
// fork of a process whose Qt threads are running may deadlock in the child. It keeps no file of
// the program open and ends with the program. One helper serves all reads of a thread; a read
// started while another waits (from a timer, say) gets a second one for its time.
//
// On the application's thread a read waits with events running (windows repaint, timers tick;
// the user's input waits until the read is over); on another thread it blocks that thread.
//
// For tests, QV_SYMBOL_READER_FAULT=crash or =hang in this process's environment makes the
// helper crash or hang on every request made meanwhile.
class ReaderProcess
{
public:
    // The helper's answer, or nothing when it could not be started, crashed, or did not
    // answer within `timeoutMs` (it is ended then).
    static std::optional<ReaderJob::Answer> run(ReaderJob::Kind kind, const QString& imageFile, int timeoutMs);

    // The helper program: beside this program's executable, else where the build put it.
    static QString helperPath();
};

} // namespace pdf417
