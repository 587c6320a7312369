#include "platform/shell/HelpEngine.h"

#include "platform/shell/Desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace shell {

namespace {

QString topicName(std::optional<int> topic)
{
    return topic ? QString::number(*topic) : QStringLiteral("contents");
}

// A page must stay inside the help file's folder.
bool isSafePage(const QString& page)
{
    return !page.isEmpty() && !QDir::isAbsolutePath(page) && !page.split(u'/').contains(QStringLiteral(".."));
}

} // namespace

HelpEngine::HelpEngine(QString helpFile) : m_helpFile(std::move(helpFile)) {}

QString HelpEngine::defaultHelpFile()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Tessaline.hlp");
}

QString HelpEngine::helpFile() const
{
    return m_helpFile.isEmpty() ? defaultHelpFile() : m_helpFile;
}

QUrl HelpEngine::pageOf(std::optional<int> topic, QString& message) const
{
    const QString path = helpFile();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        message = QStringLiteral("The help file %1 cannot be found.").arg(QDir::toNativeSeparators(path));
        return QUrl();
    }
    const QString wanted = topicName(topic);
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(blanks);
        if (fields.size() < 2 || fields[0].compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        const QString page = fields[1].section(u'#', 0, 0);
        const QString anchor = fields[1].section(u'#', 1);
        const QString pagePath = QFileInfo(path).dir().filePath(page);
        if (!isSafePage(page) || !QFileInfo(pagePath).isFile()) {
            message = QStringLiteral("The help page %1 for topic %2 is missing.").arg(page, wanted);
            return QUrl();
        }
        QUrl url = QUrl::fromLocalFile(QFileInfo(pagePath).absoluteFilePath());
        if (!anchor.isEmpty())
            url.setFragment(anchor);
        return url;
    }
    message =
        topic ? QStringLiteral("Help topic %1 is not in the help file %2.").arg(wanted, QDir::toNativeSeparators(path))
              : QStringLiteral("The help file %1 has no contents page.").arg(QDir::toNativeSeparators(path));
    return QUrl();
}

// Without a browser the user is told where the page is, to open it some other way.
HelpResult HelpEngine::open(std::optional<int> topic, const LateFailure& late)
{
    QString message;
    const QUrl url = pageOf(topic, message);
    if (url.isEmpty())
        return HelpResult{false, message};
    const QString noBrowser = QStringLiteral("No web browser could be started to show the help page %1.")
                                  .arg(QDir::toNativeSeparators(url.toLocalFile()));
    std::function<void()> failed;
    if (late)
        failed = [late, noBrowser] { late(noBrowser); };
    if (!desktop().openUrl(url, failed))
        return HelpResult{false, noBrowser};
    return HelpResult{};
}

HelpResult HelpEngine::showContents(const LateFailure& late)
{
    return open(std::nullopt, late);
}

HelpResult HelpEngine::showTopic(int topic, const LateFailure& late)
{
    return open(topic, late);
}

} // namespace shell
