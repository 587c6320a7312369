#include "RunningCardScan.h"

#include "capture/modCardScan.h"
#include "platform/ipc/DdeLink.h"

namespace {

QString unescaped(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        const QChar next = text[++i];
        plain += next == u'r' ? QChar(u'\r') : next == u'n' ? QChar(u'\n') : next;
    }
    return plain;
}

} // namespace

RunningCardScan::RunningCardScan(int nVersion, const QString& program, const QStringList& arguments)
    : m_process(program,
                QStringList{QStringLiteral("--version"), QString::number(nVersion), QStringLiteral("--control")} +
                    arguments)
{
    m_ready = m_process.waitFor(QStringLiteral("ready"));
}

bool RunningCardScan::linkProgram()
{
    ipc::DdeLink& link = modCardScan::ddeControl();
    link.setLinkTopic(modCardScan::CardScanTopic);
    link.setLinkMode(ipc::DdeLink::Manual);
    return link.linkMode() == ipc::DdeLink::Manual;
}

void RunningCardScan::addCard(const QList<std::pair<QString, QString>>& fields)
{
    ipc::DdeLink link;
    link.setLinkTopic(modCardScan::CardScanTopic);
    link.setLinkMode(ipc::DdeLink::Manual);
    link.linkExecute(QStringLiteral("CreateCard"));
    for (const auto& [field, value] : fields)
        link.linkExecute(setField(field, value));
    executes();
}

QString setField(const QString& field, const QString& value)
{
    return QStringLiteral("SetField(%1, \"%2\")").arg(field, value);
}

bool RunningCardScan::control(const QByteArray& command, const QString& answer)
{
    m_process.send(command);
    return m_process.waitFor(answer);
}

int RunningCardScan::total()
{
    m_process.send("total");
    if (!control("sync", QStringLiteral("synced")))
        return -1;
    const QStringList lines = m_process.lines();
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (lines[i].startsWith(QLatin1String("total ")))
            return lines[i].mid(6).toInt();
    }
    return -1;
}

QStringList RunningCardScan::received(Received& kind)
{
    // Everything it received before the sync is printed before "synced".
    control("sync", QStringLiteral("synced"));
    const QStringList lines = m_process.lines();
    QStringList texts;
    for (; kind.read < lines.size(); ++kind.read) {
        if (lines[kind.read].startsWith(kind.prefix))
            texts.append(unescaped(lines[kind.read].mid(kind.prefix.size())));
    }
    return texts;
}
