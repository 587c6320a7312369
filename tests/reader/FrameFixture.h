#pragma once

#include "TestImpressionWindow.h"
#include "reader/frmMDIMain.h"

#include "FakeClock.h"
#include "RecordingDesktop.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedForms.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"
#include "TempWorkFolder.h"

#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace testing_support {
class PseudoTerminal;
}

// A main window with test-only impression windows, on a test clock, with fresh settings, a
// fresh work folder and every dialog, message box, help request and program start scripted.
class FrameFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A file in the test's own folder, made with `content` (folders included).
    QString makeFile(const QString& relativePath, const QByteArray& content = "content");
    QString path(const QString& relativePath) const;
    // A file in the program's work folder.
    QString workFile(const QString& name) const;
    // Moves the test clock on, letting the frame's deferred calls run.
    void tick(int count = 1);
    // Hands a command line over as a second start would; true when it was accepted.
    bool handOver(const QString& strCommandLine);
    // Drops the file on the frame's empty area; then the event loop runs what the drop left to it.
    void drop(const QString& file);
    // The bytes of a scanned card with this formatted name, framed as the serial scanner sends them.
    QByteArray serialCardScan(const QString& strName);
    // Writes bytes to the scanner's end of the pseudo-terminal and waits until the port holds them.
    static void sendToPort(testing_support::PseudoTerminal& pty, const QByteArray& bytes);

    testing_support::TempConfig m_config;
    testing_support::TempWorkFolder m_work;
    QTemporaryDir m_dir;
    testing_support::FakeClock m_clock;
    testing_support::ScriptedMessages m_messages;
    testing_support::ScriptedDialogs m_dialogs;
    testing_support::ScriptedForms m_modals;
    testing_support::RecordingHelp m_help;
    testing_support::RecordingDesktop m_desktop;
    QPointer<frmMDIMain> m_frame;
};
