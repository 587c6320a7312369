#include "SecondUser.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>

#include <pwd.h>
#include <unistd.h>

namespace testing_support {

namespace {

constexpr int CommandMs = 30000;

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(CommandMs))
        return QStringLiteral("%1 did not finish: %2").arg(program, process.errorString());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString();
}

} // namespace

SecondUser::SecondUser()
{
    if (::geteuid() != 0) {
        m_error = QStringLiteral("not root");
        return;
    }
    m_name = QStringLiteral("qvtest%1").arg(QRandomGenerator::global()->bounded(100000, 999999));
    m_error =
        run(QStringLiteral("useradd"), {QStringLiteral("--no-create-home"), QStringLiteral("--shell"),
                                        QStringLiteral("/usr/sbin/nologin"), QStringLiteral("--user-group"), m_name});
    if (!m_error.isEmpty())
        return;
    m_made = true;
    const passwd* entry = ::getpwnam(m_name.toLocal8Bit().constData());
    if (!entry) {
        m_error = QStringLiteral("%1 was made but cannot be found").arg(m_name);
        return;
    }
    m_uid = entry->pw_uid;
    m_gid = entry->pw_gid;
}

SecondUser::~SecondUser()
{
    if (m_made)
        run(QStringLiteral("userdel"), {m_name});
}

} // namespace testing_support
