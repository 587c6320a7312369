// cardscan_peer: a stand-in for the CardScan application. It serves "CardScan|DataBase" with a
// contact database kept in memory (see CardDatabase.h) and shows its main window's class,
// "COREX$CMainWindow", while it runs. Each transaction it receives is printed on stdout before it
// is answered, CR, LF and backslash written as \r, \n and \\:
//   execute <command>
//   request <item>
//
//   cardscan_peer [--version 4|5] [--control] [/NOQUERY]
//     --version   cards with one address block (4) or two (5, the default)
//     --control   take commands on stdin, one a line; the end of input ends the peer:
//       select <n>       the user selects card n (-1: none)
//       list             print the cards
//       total            print "total <number of cards>"
//       busy [<prefix>]  answer "busy" to transactions beginning with the prefix (all without one)
//       refuse [<prefix>] refuse them
//       hang [<prefix>]  leave the next such transaction unanswered, as with a dialog open, until
//       release          ends the hang
//       normal           answer everything again
//       sync             print "synced" (everything received before is printed by then)
#include "CardDatabase.h"

#include "platform/ipc/IpcServer.h"
#include "platform/ipc/WindowClass.h"

#include "ChildSide.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <cstdio>
#include <optional>

using testing_support::say;

namespace {

QString escaped(QString text)
{
    return text.replace(u'\\', QLatin1String("\\\\"))
        .replace(u'\r', QLatin1String("\\r"))
        .replace(u'\n', QLatin1String("\\n"));
}

// What the peer does with the transactions a control command names.
struct Trouble
{
    enum class Kind
    {
        None,
        Busy,
        Refuse,
        Hang,
    };
    Kind kind = Kind::None;
    QString prefix;
    QEventLoop* hanging = nullptr; // the wait of a hung transaction

    bool matches(const QString& text) const { return kind != Kind::None && text.startsWith(prefix); }
};

class Peer
{
public:
    explicit Peer(int nVersion) : m_database(nVersion), m_server(QStringLiteral("CardScan"), QStringLiteral("DataBase"))
    {
        m_server.setExecuteHandler([this](const QString& command) {
            say(QStringLiteral("execute ") + escaped(command));
            if (const auto troubled = trouble(command))
                return *troubled;
            return m_database.execute(command);
        });
        m_server.setRequestHandler([this](const QString& item) {
            say(QStringLiteral("request ") + escaped(item));
            if (const auto troubled = trouble(item))
                return ipc::Reply{*troubled, QString()};
            return m_database.request(item);
        });
    }

    bool start()
    {
        if (!m_window.announce()) {
            say(QStringLiteral("failed ") + m_window.errorString());
            return false;
        }
        if (!m_server.listen()) {
            say(QStringLiteral("failed ") + m_server.errorString());
            return false;
        }
        say(QStringLiteral("ready"));
        return true;
    }

    void control(const QString& line)
    {
        const QString command = line.section(u' ', 0, 0);
        const QString argument = line.section(u' ', 1);
        if (command == u"select") {
            bool ok = false;
            const int index = argument.toInt(&ok);
            say(ok && m_database.select(index) ? QStringLiteral("selected") : QStringLiteral("no such card"));
        } else if (command == u"list") {
            for (const QString& card : m_database.describe())
                say(escaped(card));
        } else if (command == u"total") {
            say(QStringLiteral("total %1").arg(m_database.total()));
        } else if (command == u"busy" || command == u"refuse" || command == u"hang") {
            m_trouble.kind = command == u"busy"     ? Trouble::Kind::Busy
                             : command == u"refuse" ? Trouble::Kind::Refuse
                                                    : Trouble::Kind::Hang;
            m_trouble.prefix = argument;
            say(QStringLiteral("troubled"));
        } else if (command == u"normal") {
            m_trouble.kind = Trouble::Kind::None;
            say(QStringLiteral("normal"));
        } else if (command == u"release") {
            if (m_trouble.hanging)
                m_trouble.hanging->quit();
        } else if (command == u"sync") {
            say(QStringLiteral("synced"));
        } else {
            say(QStringLiteral("unknown command ") + command);
        }
    }

private:
    // The answer the trouble set by a control command gives the transaction, if any.
    std::optional<ipc::Status> trouble(const QString& text)
    {
        if (!m_trouble.matches(text))
            return std::nullopt;
        switch (m_trouble.kind) {
        case Trouble::Kind::Busy:
            return ipc::Status::Busy;
        case Trouble::Kind::Refuse:
            return ipc::Status::Rejected;
        case Trouble::Kind::Hang: {
            m_trouble.kind = Trouble::Kind::None; // the next transactions are answered again
            QEventLoop wait;
            m_trouble.hanging = &wait;
            say(QStringLiteral("hanging"));
            wait.exec();
            m_trouble.hanging = nullptr;
            return std::nullopt;
        }
        case Trouble::Kind::None:
            break;
        }
        return std::nullopt;
    }

    CardDatabase m_database;
    ipc::Server m_server;
    ipc::WindowClass m_window{QStringLiteral("COREX$CMainWindow"), QStringLiteral("CardScan")};
    Trouble m_trouble;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("CardScan"));
    int nVersion = 5;
    bool bControl = false;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--version" && i + 1 < args.size() && (args[i + 1] == u"4" || args[i + 1] == u"5")) {
            nVersion = args[++i].toInt();
        } else if (args[i] == u"--control") {
            bControl = true;
        } else if (args[i].compare(QLatin1String("/NOQUERY"), Qt::CaseInsensitive) != 0) {
            std::fprintf(stderr, "usage: cardscan_peer [--version 4|5] [--control] [/NOQUERY]\n");
            return 2;
        }
    }
    Peer peer(nVersion);
    if (!peer.start())
        return 1;
    if (bControl) {
        testing_support::watchInputLines([&peer](const QByteArray& line) {
            if (const QString command = QString::fromUtf8(line).trimmed(); !command.isEmpty())
                peer.control(command);
        });
    }
    return app.exec();
}
