#include "platform/ipc/DdeLink.h"
#include "platform/ipc/DdeError.h"
#include "platform/ipc/IpcPeer.h"
#include "platform/ipc/IpcRuntimeDir.h"

#include "PeerProcess.h"
#include "RaisedNumber.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <grp.h>
#include <unistd.h>

using namespace ipc;

namespace {

// A peer serving "<service>|Topic" and a link with an open conversation to it.
struct Served
{
    explicit Served(const QString& service) : peer({QStringLiteral("serve"), service, QStringLiteral("Topic")})
    {
        ready = peer.waitFor(QStringLiteral("ready"));
        link.setLinkTopic(service + QStringLiteral("|Topic"));
        if (ready)
            link.setLinkMode(DdeLink::Manual);
    }

    QString request(const QString& item)
    {
        link.setLinkItem(item);
        link.linkRequest();
        return link.caption();
    }

    PeerProcess peer;
    DdeLink link;
    bool ready = false;
};

} // namespace

TEST(DdeLink, ExecutesAndRequestsInAnotherProcess)
{
    Served served(QStringLiteral("Exchange"));
    ASSERT_TRUE(served.ready);
    DdeLink& link = served.link;
    EXPECT_EQ(link.linkMode(), DdeLink::Manual);
    EXPECT_EQ(link.linkTimeout(), 50);

    const QString command = QStringLiteral("cmdline=/home/u/Cards/a=b \u00e9t\u00e9.imf");
    link.linkExecute(command);
    EXPECT_EQ(served.request(QStringLiteral("last")), command);
    EXPECT_EQ(served.request(QStringLiteral("echo:")), QString());
    EXPECT_EQ(served.request(QString(QStringLiteral("big:300000"))), QString(300000, u'x')); // many reads

    // Setting the manual mode again keeps the conversation; service and topic ignore case.
    link.setLinkMode(DdeLink::Manual);
    EXPECT_EQ(served.request(QStringLiteral("last")), command);
    DdeLink other;
    other.setLinkTopic(QStringLiteral("EXCHANGE|topic"));
    other.setLinkMode(DdeLink::Manual);
    other.linkExecute(QStringLiteral("from the other link"));
    EXPECT_EQ(served.request(QStringLiteral("last")), QStringLiteral("from the other link"));

    link.setLinkMode(DdeLink::None);
    EXPECT_EQ(link.linkMode(), DdeLink::None);
    EXPECT_EQ(raisedNumber([&] { link.linkExecute(QStringLiteral("x")); }), err::NoChannel);
    EXPECT_EQ(raisedNumber([&] { link.linkRequest(); }), err::NoChannel);
    other.setLinkTopic(QStringLiteral("Exchange|Other")); // a new topic ends the conversation
    EXPECT_EQ(other.linkMode(), DdeLink::None);
}

TEST(DdeLink, RefusedAndBusyAnswersRaiseTheirNumbersAndKeepTheConversation)
{
    Served served(QStringLiteral("Refusals"));
    ASSERT_TRUE(served.ready);
    DdeLink& link = served.link;
    EXPECT_EQ(raisedNumber([&] { link.linkExecute(QStringLiteral("reject this")); }), err::Rejected);
    EXPECT_EQ(raisedNumber([&] { link.linkExecute(QStringLiteral("busy now")); }), err::Busy);
    EXPECT_EQ(raisedNumber([&] { served.request(QStringLiteral("no such item")); }), err::Rejected);
    EXPECT_EQ(raisedNumber([&] { link.linkExecute(QString(MaxFrameBytes, u'x')); }), err::Rejected); // never sent

    link.setCaption(QStringLiteral("kept"));
    EXPECT_EQ(raisedNumber([&] { served.request(QStringLiteral("nothing")); }), err::Rejected);
    EXPECT_EQ(link.caption(), QStringLiteral("kept"));

    link.linkExecute(QStringLiteral("accepted"));
    EXPECT_EQ(served.request(QStringLiteral("last")), QStringLiteral("accepted"));

    const vb::Error busy = ddeError(err::Busy);
    EXPECT_EQ(busy.description(), QStringLiteral("Destination is busy"));
}

TEST(DdeLink, AServerInADialogTimesOutItsCallerAndIsBusyForOthers)
{
    Served served(QStringLiteral("Dialog"));
    ASSERT_TRUE(served.ready);
    DdeLink& link = served.link;
    link.setLinkTimeout(5);
    int ticks = 0; // the wait keeps timers (and paints) going
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    EXPECT_EQ(raisedNumber([&] { served.request(QStringLiteral("dialog")); }), err::Timeout);
    EXPECT_GT(ticks, 0);
    ticker.stop();
    ASSERT_TRUE(served.peer.waitFor(QStringLiteral("dialog")));

    DdeLink second;
    second.setLinkTopic(QStringLiteral("Dialog|Topic"));
    second.setLinkMode(DdeLink::Manual);
    EXPECT_EQ(raisedNumber([&] { second.linkExecute(QStringLiteral("meanwhile")); }), err::Busy);

    // Once the dialog closes, its late answer ("late") must not pass for the next one.
    served.peer.send("release");
    link.setLinkTimeout(DdeLink::DefaultTimeout);
    EXPECT_EQ(served.request(QStringLiteral("echo:fresh")), QStringLiteral("fresh"));
    second.linkExecute(QStringLiteral("afterwards"));
    EXPECT_EQ(served.request(QStringLiteral("last")), QStringLiteral("afterwards"));
}

TEST(DdeLink, NoServerRaises282)
{
    DdeLink link;
    for (const QString& topic : {QStringLiteral("Nobody|Home"), QStringLiteral("NoBar"), QStringLiteral("|MDI"),
                                 QStringLiteral("Quorvane|"), QString()}) {
        link.setLinkTopic(topic);
        EXPECT_EQ(raisedNumber([&] { link.setLinkMode(DdeLink::Manual); }), err::NoServer) << qPrintable(topic);
        EXPECT_EQ(link.linkMode(), DdeLink::None);
    }
    EXPECT_EQ(raisedNumber([&] { link.setLinkMode(1); }), err::InvalidPropertyValue);
    const vb::Error error = ddeError(err::NoServer);
    EXPECT_EQ(error.description(), QStringLiteral("No foreign application responded to a DDE initiate"));
}

TEST(DdeLink, AServerThatEndsEndsTheConversation)
{
    Served served(QStringLiteral("Ending"));
    ASSERT_TRUE(served.ready);
    DdeLink& link = served.link;
    link.linkExecute(QStringLiteral("quit"));
    ASSERT_TRUE(served.peer.finish());
    QTRY_COMPARE_WITH_TIMEOUT(link.linkMode(), DdeLink::None, 20000);
    EXPECT_EQ(raisedNumber([&] { link.linkExecute(QStringLiteral("x")); }), err::NoChannel);
    EXPECT_EQ(raisedNumber([&] { link.setLinkMode(DdeLink::Manual); }), err::NoServer);
    EXPECT_FALSE(QFile::exists(RuntimeDir::socketPath(Channel::Conversation, QStringLiteral("Ending|Topic")).path));
}

TEST(DdeLink, APeerSendingAnOversizedOrGarbledFrameIsDroppedAndOthersAreServed)
{
    Served served(QStringLiteral("Guarded"));
    ASSERT_TRUE(served.ready);
    const QString path = RuntimeDir::socketPath(Channel::Conversation, QStringLiteral("Guarded|Topic")).path;
    const QList<QByteArray> attacks = {
        QByteArray::fromHex("00100001") + QByteArray(64, 'x'), // announces one byte over the cap
        QByteArray::fromHex("FFFFFFFF"),                       // announces 4 GiB
        QByteArray::fromHex("00000008090000000100") + "ab",    // unknown kind
    };
    for (const QByteArray& attack : attacks) {
        QLocalSocket raw;
        raw.connectToServer(path);
        ASSERT_TRUE(raw.waitForConnected(5000));
        raw.write(attack);
        ASSERT_TRUE(raw.waitForBytesWritten(5000));
        EXPECT_TRUE(raw.state() == QLocalSocket::UnconnectedState || raw.waitForDisconnected(20000))
            << attack.left(8).toHex().constData();
        EXPECT_EQ(raw.bytesAvailable(), 0); // dropped without an answer
    }
    served.link.linkExecute(QStringLiteral("still serving"));
    EXPECT_EQ(served.request(QStringLiteral("last")), QStringLiteral("still serving"));
}

TEST(DdeLink, APeerOfAnotherUserIsToldApart)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run a peer as another user";
    QTemporaryDir folder;
    QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7777));
    QLocalServer server;
    server.setSocketOptions(QLocalServer::WorldAccessOption);
    ASSERT_TRUE(server.listen(folder.path() + QStringLiteral("/s")));
    QSignalSpy connections(&server, &QLocalServer::newConnection);

    PeerProcess own({QStringLiteral("connect"), server.fullServerName()});
    ASSERT_TRUE(own.waitFor(QStringLiteral("connected")));
    ASSERT_TRUE(connections.count() > 0 || connections.wait(20000));
    QLocalSocket* ownSocket = server.nextPendingConnection();
    ASSERT_NE(ownSocket, nullptr);
    EXPECT_TRUE(peerIsSameUser(ownSocket->socketDescriptor()));

    PeerProcess foreign({QStringLiteral("connect"), server.fullServerName()}, [] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
    });
    ASSERT_TRUE(foreign.waitFor(QStringLiteral("connected"))) << qPrintable(foreign.lines().join(u'\n'));
    ASSERT_TRUE(connections.count() > 1 || connections.wait(20000));
    QLocalSocket* foreignSocket = server.nextPendingConnection();
    ASSERT_NE(foreignSocket, nullptr);
    EXPECT_FALSE(peerIsSameUser(foreignSocket->socketDescriptor()));
}
