#include "platform/shell/Desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace shell {

namespace {

StartResult failure(StartStatus status, long number, const QString& description)
{
    return StartResult{status, number, description};
}

class RealDesktop : public Desktop
{
public:
    StartResult startProgram(const QString& program, const QStringList& arguments) override
    {
        if (program.isEmpty())
            return failure(StartStatus::InvalidArgument, 5, QStringLiteral("Invalid procedure call or argument"));
        const QString path = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
        const QFileInfo info(path);
        if (path.isEmpty() || !info.exists())
            return failure(StartStatus::FileNotFound, 53, QStringLiteral("File not found"));
        if (info.isDir() || !info.isExecutable())
            return failure(StartStatus::NotExecutable, 70, QStringLiteral("Permission denied"));
        QProcess process;
        process.setProgram(info.absoluteFilePath());
        process.setArguments(arguments);
        if (!process.startDetached())
            return failure(StartStatus::Failed, 5, process.errorString());
        return StartResult{};
    }

    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

Desktop& realDesktop()
{
    static RealDesktop real;
    return real;
}

} // namespace

constinit service::Service<Desktop> desktop(&realDesktop);

} // namespace shell
