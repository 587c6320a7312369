#pragma once

#include "platform/service/Service.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace shell {

enum class StartStatus
{
    Started,
    InvalidArgument, // no program named
    FileNotFound,    // the program file is not there
    NotExecutable,   // there, but not a program this user may run
    Failed,          // anything else
};

// The outcome of starting a program. A failure carries the run-time error number it
// stands for (5, 53, 70) and a description for the user.
struct StartResult
{
    StartStatus status = StartStatus::Started;
    long errorNumber = 0;
    QString description;

    explicit operator bool() const { return status == StartStatus::Started; }
};

// The desktop's services: starting programs and opening addresses. Everything reaches
// them through the current Desktop, so that tests can record instead of starting.
class Desktop
{
public:
    virtual ~Desktop() = default;

    // Starts `program` (a path, or a name looked up in PATH) with `arguments`, each handed
    // over as it is (no shell); nothing is awaited.
    virtual StartResult startProgram(const QString& program, const QStringList& arguments) = 0;
    // Opens a web address or a file with the desktop's opener; false when none could be
    // started. Nothing is awaited: an opener that starts and then ends with an error (it
    // found no browser) calls `failed`, once, from the event loop.
    virtual bool openUrl(const QUrl& url, std::function<void()> failed = {}) = 0;
};

// The desktop; by default the real one.
extern service::Service<Desktop> desktop;

} // namespace shell
