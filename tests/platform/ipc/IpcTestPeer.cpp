// A separate process for the conversation tests. It reports on stdout, one line each, and
// takes "release" lines on stdin; it ends when stdin closes.
//   serve <service> <topic>   answer executes and requests (see below), then "ready"
//   window <class> <title>    announce a window class, then "ready"; "activated" when asked
//   lock <program>            "first" or "second" by the program's single-instance lock
//   connect <socket path>     connect to a plain local socket, then "connected"
#include "platform/ipc/IpcServer.h"
#include "platform/ipc/SingleInstance.h"
#include "platform/ipc/WindowClass.h"

#include "ChildSide.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLocalSocket>
#include <QTimer>

#include <memory>

using testing_support::say;

namespace {

QEventLoop* g_dialog = nullptr; // the nested loop of a handler that waits like a dialog

// stdin: "release" ends the dialog; end of input ends the peer.
void watchInput()
{
    testing_support::watchInputLines([](const QByteArray& line) {
        if (line == "release" && g_dialog)
            g_dialog->quit();
    });
}

// Executes: "reject..." is refused, "busy..." answered busy, "dialog" waits for "release"
// as a handler with a dialog open would, "quit" ends the peer; everything else is accepted.
// Requests: "last" (the last accepted command), "echo:<text>", "big:<n>" (n letters), and
// "dialog", which waits like the execute and then answers "late".
std::unique_ptr<ipc::Server> serve(const QString& service, const QString& topic)
{
    auto server = std::make_unique<ipc::Server>(service, topic);
    auto last = std::make_shared<QString>();
    auto waitLikeADialog = [] {
        QEventLoop dialog;
        g_dialog = &dialog;
        say(QStringLiteral("dialog"));
        dialog.exec();
        g_dialog = nullptr;
    };
    server->setExecuteHandler([last, waitLikeADialog](const QString& command) {
        if (command.startsWith(u"reject"))
            return ipc::Status::Rejected;
        if (command.startsWith(u"busy"))
            return ipc::Status::Busy;
        if (command == u"dialog")
            waitLikeADialog();
        if (command == u"quit")
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        *last = command;
        return ipc::Status::Accepted;
    });
    server->setRequestHandler([last, waitLikeADialog](const QString& item) {
        if (item == u"last")
            return ipc::Reply{ipc::Status::Accepted, *last};
        if (item.startsWith(u"echo:"))
            return ipc::Reply{ipc::Status::Accepted, item.mid(5)};
        if (item.startsWith(u"big:"))
            return ipc::Reply{ipc::Status::Accepted, QString(item.mid(4).toInt(), u'x')};
        if (item == u"dialog") {
            waitLikeADialog();
            return ipc::Reply{ipc::Status::Accepted, QStringLiteral("late")};
        }
        return ipc::Reply{};
    });
    if (!server->listen()) {
        say(QStringLiteral("failed ") + server->errorString());
        return nullptr;
    }
    say(QStringLiteral("ready"));
    return server;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Not the executable's name, as with the programs, whose lock files name their title.
    QCoreApplication::setApplicationName(QStringLiteral("PeerTitle"));
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    watchInput();

    std::unique_ptr<QObject> keep;
    std::unique_ptr<ipc::SingleInstance> lock;
    if (mode == u"serve") {
        keep = serve(args.value(1), args.value(2));
        if (!keep)
            return 1;
    } else if (mode == u"window") {
        auto window = std::make_unique<ipc::WindowClass>(args.value(1), args.value(2));
        QObject::connect(window.get(), &ipc::WindowClass::activateRequested, [] { say(QStringLiteral("activated")); });
        if (!window->announce()) {
            say(QStringLiteral("failed ") + window->errorString());
            return 1;
        }
        say(QStringLiteral("ready"));
        keep = std::move(window);
    } else if (mode == u"lock") {
        lock = std::make_unique<ipc::SingleInstance>(args.value(1));
        say(lock->prevInstance() ? QStringLiteral("second") : QStringLiteral("first"));
    } else if (mode == u"connect") {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(args.value(1));
        say(socket->waitForConnected(5000) ? QStringLiteral("connected") : socket->errorString());
        keep = std::move(socket);
    } else {
        say(QStringLiteral("unknown mode"));
        return 2;
    }
    return app.exec();
}
