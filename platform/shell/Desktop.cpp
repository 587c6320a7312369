#include "platform/shell/Desktop.h"

#include <QCoreApplication>
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

    // The desktop's opener, xdg-open, hands the address to the user's browser and says by its
    // exit status whether one took it; it may run as long as the browser does, so it is not
    // awaited.
    bool openUrl(const QUrl& url, std::function<void()> failed) override
    {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty())
            return false;
        auto* process = new QProcess(QCoreApplication::instance());
        process->setProgram(opener);
        process->setArguments({url.toString(QUrl::FullyEncoded)});
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(process, &QProcess::finished, process,
                         [process, failed = std::move(failed)](int code, QProcess::ExitStatus status) {
                             process->deleteLater();
                             if ((status != QProcess::NormalExit || code != 0) && failed)
                                 failed();
                         });
        process->start();
        if (!process->waitForStarted()) {
            delete process;
            return false;
        }
        return true;
    }
};

Desktop& realDesktop()
{
    static RealDesktop real;
    return real;
}

} // namespace

constinit service::Service<Desktop> desktop(&realDesktop);

} // namespace shell
