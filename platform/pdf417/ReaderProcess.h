#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

namespace pdf417 {

// Runs symbol-reading jobs in a helper process.
//
// The PDF417 reader of zxing-cpp 1.4 (the version Debian 12 ships) can read outside its tables
// on a malformed symbol whose row indicators promise fewer codewords than its error correction
// needs, and may crash on it. A bitmap is outside input, so the reading runs where such a crash
// costs only the helper: the caller sees no result, as for an unreadable image, and the next
// job gets a fresh helper. The helper is a copy of this process made on the first job (so a
// job is simply one of this program's functions, named by its address); it keeps no file of
// the program open, ends when the program ends, and takes its images through a socket. Being
// a copy, it holds on to the memory pages the program had then, which costs memory only as
// far as the program later changes them.
class ReaderProcess
{
public:
    using Job = QByteArray (*)(const QImage& grey);

    // What `job` returned for `grey` (a Format_Grayscale8 image), or nothing when the helper
    // crashed or took longer than `timeoutMs` (it is ended then). When no helper can be
    // started, the job runs in this process.
    static std::optional<QByteArray> run(Job job, const QImage& grey, int timeoutMs);
};

} // namespace pdf417
