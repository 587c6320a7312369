#pragma once

#include "ChildProcess.h"

// The conversation test peer (ipc_test_peer), run as a process of its own.
class PeerProcess : public testing_support::ChildProcess
{
public:
    explicit PeerProcess(const QStringList& arguments, std::function<void()> childModifier = {})
        : ChildProcess(QStringLiteral("ipc_test_peer"), arguments, std::move(childModifier))
    {
    }
};
