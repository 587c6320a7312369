#include "platform/ipc/SingleInstance.h"
#include "platform/ipc/DdeError.h"
#include "platform/ipc/DdeLink.h"
#include "platform/ipc/IpcRuntimeDir.h"
#include "platform/ipc/IpcServer.h"

#include "PeerProcess.h"
#include "RaisedNumber.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace ipc;

TEST(SingleInstance, ALaterProcessSeesTheLockOfALiveOneOnly)
{
    {
        PeerProcess first({QStringLiteral("lock"), QStringLiteral("Brindlemark")});
        ASSERT_TRUE(first.waitFor(QStringLiteral("first")));
        EXPECT_TRUE(SingleInstance(QStringLiteral("Brindlemark")).prevInstance());
        EXPECT_TRUE(SingleInstance(QStringLiteral("BRINDLEMARK")).prevInstance());
        EXPECT_FALSE(SingleInstance(QStringLiteral("Zephlorin")).prevInstance());

        PeerProcess second({QStringLiteral("lock"), QStringLiteral("Brindlemark")});
        EXPECT_TRUE(second.waitFor(QStringLiteral("second")));

        first.kill(); // no chance to remove its lock file
    }
    const SingleInstance alone(QStringLiteral("Brindlemark"));
    EXPECT_FALSE(alone.prevInstance());
    EXPECT_TRUE(alone.errorString().isEmpty());
    PeerProcess later({QStringLiteral("lock"), QStringLiteral("Brindlemark")});
    EXPECT_TRUE(later.waitFor(QStringLiteral("second"))); // the live holder is now this process
}

TEST(SingleInstance, AStaleSocketIsRemovedOnlyAfterAConnectFails)
{
    const QString path = RuntimeDir::socketPath(Channel::Conversation, QStringLiteral("Stale|MDI")).path;
    PeerProcess peer({QStringLiteral("serve"), QStringLiteral("Stale"), QStringLiteral("MDI")});
    ASSERT_TRUE(peer.waitFor(QStringLiteral("ready")));

    // A live server keeps its name.
    Server rival(QStringLiteral("Stale"), QStringLiteral("MDI"));
    EXPECT_FALSE(rival.listen());
    EXPECT_TRUE(rival.errorString().contains(QStringLiteral("another program")));
    DdeLink link;
    link.setLinkTopic(QStringLiteral("Stale|MDI"));
    link.setLinkMode(DdeLink::Manual);
    link.linkExecute(QStringLiteral("still the peer"));

    peer.kill();
    ASSERT_TRUE(QFile::exists(path)); // left behind
    link.setLinkMode(DdeLink::None);
    EXPECT_EQ(raisedNumber([&] { link.setLinkMode(DdeLink::Manual); }), err::NoServer);
    EXPECT_TRUE(QFile::exists(path)); // a client never removes it

    ASSERT_TRUE(rival.listen()) << qPrintable(rival.errorString());
    rival.setExecuteHandler([&rival](const QString& command) {
        if (command == u"close")
            rival.close(); // as a program that ends on a command: no answer goes out
        return command == u"cmdline=x" ? Status::Accepted : Status::Rejected;
    });
    link.setLinkMode(DdeLink::Manual);
    link.linkExecute(QStringLiteral("cmdline=x"));
    EXPECT_EQ(raisedNumber([&] { link.linkExecute(QStringLiteral("close")); }), err::ServerQuit);
    EXPECT_FALSE(QFile::exists(path));
}
