#include "PrivateCups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <cups/cups.h>

#include <sys/stat.h>
#include <unistd.h>

namespace testing_support {

namespace {

constexpr int StartBoundMs = 10000;
constexpr int JobBoundMs = 60000;

bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) == text.toUtf8().size();
}

QString findTool(const QString& name)
{
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    return path;
}

} // namespace

// In /tmp whatever TMPDIR says: the server's filters, another user, must reach the folder.
PrivateCups::PrivateCups(const QString& pageSize)
    : m_dir(QStringLiteral("/tmp/qv-cups-XXXXXX")), m_queue(QStringLiteral("qvtest%1").arg(::getpid()))
{
    m_hadServer = qEnvironmentVariableIsSet("CUPS_SERVER");
    m_previousServer = qgetenv("CUPS_SERVER");
    if (!setUp(pageSize) && m_error.isEmpty())
        m_error = QStringLiteral("the print server could not be set up");
}

PrivateCups::~PrivateCups()
{
    m_spooler.reset();
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(5000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }
    if (m_hadServer)
        qputenv("CUPS_SERVER", m_previousServer);
    else
        qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
    if (!m_queueConfig.isEmpty())
        QFile::remove(m_queueConfig);
}

bool PrivateCups::setUp(const QString& pageSize)
{
    const QString cupsd = findTool(QStringLiteral("cupsd"));
    if (cupsd.isEmpty() || findTool(QStringLiteral("lpadmin")).isEmpty()) {
        m_error = QStringLiteral("cupsd is not installed (./run test installs cups)");
        return false;
    }
    const QString backend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
    const QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
    if (!QFileInfo::exists(backend) || !QFileInfo::exists(ppd)) {
        m_error = QStringLiteral("cups-pdf is not installed (./run test installs printer-driver-cups-pdf)");
        return false;
    }
    if (::geteuid() != 0) {
        m_error = QStringLiteral("cups-pdf prints only for a server run by root");
        return false;
    }
    if (!m_dir.isValid()) {
        m_error = m_dir.errorString();
        return false;
    }
    const QString root = m_dir.path();
    // The filters run as the unprivileged user of the server: they must reach the spool.
    QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    for (const char* folder : {"spool", "tmp", "cache", "state", "log", "out", "pdf-spool"})
        QDir(root).mkpath(QString::fromLatin1(folder));
    // The filters write their temporary files here as that user, like into /tmp.
    if (::chmod(QFile::encodeName(root + QStringLiteral("/tmp")).constData(), 01777) != 0) {
        m_error = QStringLiteral("cannot open the server's temporary folder to its filters");
        return false;
    }
    const QString socket = root + QStringLiteral("/cups.sock");
    const bool written =
        writeText(root + QStringLiteral("/cupsd.conf"),
                  QStringLiteral("Listen %1\nLogLevel debug\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Policy default>\n  JobPrivateAccess all\n  JobPrivateValues none\n"
                                 "  SubscriptionPrivateAccess all\n  SubscriptionPrivateValues none\n"
                                 "  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                      .arg(socket)) &&
        writeText(root + QStringLiteral("/cups-files.conf"),
                  QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\n"
                                 "StateDir %1/state\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                 "PageLog %1/log/page_log\n")
                      .arg(root));
    if (!written) {
        m_error = QStringLiteral("cannot write the server's configuration");
        return false;
    }
    m_queueConfig = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(m_queue);
    if (!writeText(m_queueConfig, QStringLiteral("Out %1/out\nAnonDirName %1/out\nSpool %1/pdf-spool\nLog %1/log\n"
                                                 "UserUMask 0022\n")
                                      .arg(root))) {
        m_error = QStringLiteral("cannot write ") + m_queueConfig;
        m_queueConfig.clear();
        return false;
    }

    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/cupsd.conf"),
                          QStringLiteral("-s"), root + QStringLiteral("/cups-files.conf")});
    if (!m_cupsd.waitForStarted(StartBoundMs)) {
        m_error = QStringLiteral("cupsd did not start: ") + m_cupsd.errorString();
        return false;
    }
    const QDeadlineTimer deadline(StartBoundMs);
    bool listening = false;
    while (!listening && !deadline.hasExpired() && m_cupsd.state() == QProcess::Running) {
        QLocalSocket probe;
        probe.connectToServer(socket);
        listening = probe.waitForConnected(200);
        if (!listening)
            QThread::msleep(50);
    }
    if (!listening) {
        m_cupsd.waitForFinished(100);
        m_error = QStringLiteral("cupsd did not listen: ") + QString::fromLocal8Bit(m_cupsd.readAll()) + log();
        return false;
    }
    qputenv("CUPS_SERVER", QFile::encodeName(socket));
    cupsSetServer(QFile::encodeName(socket).constData());
    if (!run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), m_queue, QStringLiteral("-E"), QStringLiteral("-v"),
                                         QStringLiteral("cups-pdf:/") + m_queue, QStringLiteral("-P"), ppd,
                                         QStringLiteral("-o"), QStringLiteral("PageSize=") + pageSize}) ||
        !run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), m_queue}))
        return false;
    m_spooler.emplace(print::spooler.replace(print::spooler.fallback()));
    return true;
}

bool PrivateCups::run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(findTool(program), arguments);
    if (!process.waitForFinished(StartBoundMs)) {
        process.kill();
        process.waitForFinished(1000);
        m_error = program + QStringLiteral(" did not end");
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_error = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

bool PrivateCups::waitUntilIdle()
{
    const QDeadlineTimer deadline(JobBoundMs);
    while (!deadline.hasExpired()) {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs(&jobs, m_queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ACTIVE);
        bool stuck = count < 0;
        for (int i = 0; i < count; ++i)
            stuck = stuck || jobs[i].state == IPP_JSTATE_STOPPED || jobs[i].state == IPP_JSTATE_HELD;
        if (count > 0)
            cupsFreeJobs(count, jobs);
        if (count == 0)
            return true;
        if (stuck)
            return false; // a filter failed: the job waits for an administrator
        QThread::msleep(100);
    }
    return false;
}

QStringList PrivateCups::outputs() const
{
    QStringList files;
    for (const QString& name : QDir(outputFolder()).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name))
        files << QDir(outputFolder()).filePath(name);
    return files;
}

QString PrivateCups::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("log/error_log")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    // The jobs' lines: what each filter and the backend said.
    QStringList lines;
    for (const QString& line : QString::fromLocal8Bit(file.readAll()).split(u'\n')) {
        if (line.contains(QStringLiteral("[Job ")))
            lines << line;
    }
    return lines.mid(qMax(0, int(lines.size()) - 80)).join(u'\n');
}

} // namespace testing_support
