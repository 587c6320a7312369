#pragma once

#include <QByteArray>

#include <functional>
#include <optional>

namespace pdf417 {

// Runs some work in a child process of its own and hands back the bytes it produced.
//
// The PDF417 reader of zxing-cpp 1.4 (the version Debian 12 ships) can read outside its tables
// on a malformed symbol whose row indicators promise fewer codewords than its error
// correction needs, and may crash on it. A bitmap is outside input, so the reading runs where
// such a crash costs only the child: the caller then sees no result, as for an unreadable
// image. The child shares the parent's memory copy-on-write, so nothing has to be copied in.
class IsolatedRun
{
public:
    // The bytes `work` returned, or nothing when the child crashed, failed or ran longer than
    // `timeoutMs` (it is killed then). When no child can be started, `work` runs here.
    static std::optional<QByteArray> run(const std::function<QByteArray()>& work, int timeoutMs);
};

} // namespace pdf417
