#pragma once

#include "panel/frmZephlorin.h"

#include "FakeClock.h"
#include "FakeTray.h"
#include "InstalledEdition.h"
#include "RecordingDesktop.h"
#include "RecordingHelp.h"
#include "ScriptedForms.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"
#include "TempWorkFolder.h"

#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Zephlorin's panel on a test clock and a fake tray, with fresh settings and work folder, the
// panel's edition, and every message box, modal form, help request and program start scripted.
// Not the first start of this version unless a test says so.
class PanelFixture : public ::testing::Test
{
protected:
    PanelFixture();

    void SetUp() override;
    void TearDown() override;

    // Registers a family program ("Quorvane.exe") under App Paths, naming a real file.
    QString install(const QString& strExeName);
    // Starts a panel with `strCommandLine` as its command line; the test owns it from here.
    frmZephlorin* start(const QString& strCommandLine = QString());
    void setSetting(const QString& section, const QString& key, const QString& value);
    QString setting(const QString& section, const QString& key) const;
    QByteArray settingsFile() const;
    QString workFile(const QString& name) const;
    // Moves the test clock on by `ms`, letting the panel's timer run.
    void advance(int ms = 100) { m_clock.advance(ms); }
    // Hands a command line over as the execute of a second start; true when accepted.
    bool execute(const QString& strCmd);

    testing_support::TempConfig m_config;
    testing_support::TempWorkFolder m_work;
    QTemporaryDir m_dir;
    testing_support::InstalledEdition m_edition;
    testing_support::FakeClock m_clock;
    testing_support::FakeTray m_tray;
    testing_support::ScriptedMessages m_messages;
    testing_support::ScriptedForms m_modals;
    testing_support::RecordingHelp m_help;
    testing_support::RecordingDesktop m_desktop;
    QPointer<frmZephlorin> m_panel;
};
