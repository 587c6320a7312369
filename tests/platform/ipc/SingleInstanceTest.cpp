#include "platform/ipc/DdeError.h"
#include "platform/ipc/DdeLink.h"
#include "platform/ipc/IpcRuntimeDir.h"
#include "platform/ipc/IpcServer.h"
#include "platform/ipc/SingleInstance.h"

#include "PeerProcess.h"

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
    EXPECT_THROW(link.setLinkMode(DdeLink::Manual), vb::Error);
    EXPECT_TRUE(QFile::exists(path)); // a client never removes it

    ASSERT_TRUE(rival.listen()) << qPrintable(rival.errorString());
    rival.setExecuteHandler([](const QString& command) {
        return command == u"cmdline=x" ? Status::Accepted : Status::Rejected;
    });
    link.setLinkMode(DdeLink::Manual);
    link.linkExecute(QStringLiteral("cmdline=x"));
    rival.close();
    EXPECT_FALSE(QFile::exists(path));
}
