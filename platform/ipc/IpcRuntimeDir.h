#pragma once

#include <QString>

namespace ipc {

// What a local endpoint is for; each kind has its own names, so a window class and a
// conversation of the same name never meet.
enum class Channel
{
    Conversation, // "<service>|<topic>"
    WindowClass,  // a window class a running program announces
};

// A path, or why there is none.
struct PathResult
{
    QString path;
    QString error;

    explicit operator bool() const { return error.isEmpty(); }
};

// The per-user folder that holds the sockets and lock files of the family's programs:
// "corvel" under $XDG_RUNTIME_DIR; when that is unset, missing or too long for socket paths,
// "corvel-<uid>" under $TMPDIR, or under /tmp when $TMPDIR will not do either. It is created with
// mode 0700 and refused when it is not a folder owned by this user or when other users may enter it.
class RuntimeDir
{
public:
    static PathResult path();

    // The socket of a channel's name. Names are matched without case; a name too long for a
    // socket path (107 bytes) is replaced by its hash.
    static PathResult socketPath(Channel channel, const QString& name);

    // The lock file of a program's single-instance detection.
    static PathResult lockPath(const QString& programName);

    // The longest socket path the system takes.
    static constexpr qsizetype MaxSocketPathBytes = 107;
};

} // namespace ipc
