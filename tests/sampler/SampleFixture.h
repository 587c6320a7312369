#pragma once

#include "sampler/SampleImpression.h"
#include "sampler/SampleMDIMain.h"

#include "FakeClock.h"
#include "InstalledEdition.h"
#include "KeepingSpooler.h"
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

class CImpressionDoc;
class QImage;
class QLineEdit;

// Brindlemark's main window, loaded and shown, with fresh settings, a fresh work folder, a test
// clock and every dialog, message box, help request and program start scripted.
class SampleTest : public ::testing::Test
{
protected:
    SampleTest();

    void SetUp() override;
    void TearDown() override;

    QString path(const QString& relativePath) const;
    // Writes the impression as an impression file in the test's folder; its path.
    QString writeImpression(const QString& name, const CImpressionDoc& doc);
    // The loaded sample impression windows, in load order.
    static QList<SampleImpression*> impressionWindows();
    // The window made by File > Impression > Sample.
    SampleImpression* newSample();
    static QLineEdit* field(SampleImpression* w, const char* name);
    // The vCard text of the symbol the window's preview shows, read by the PDF417 layer.
    QByteArray previewSymbol(SampleImpression* w);
    // The vCard text of the symbol in a picture, folded lines joined.
    QByteArray decodedSymbol(const QImage& picture);

    testing_support::TempConfig m_config;
    // One printer, the default; the jobs handed to it are kept.
    testing_support::KeepingSpooler m_spooler{{QStringLiteral("Card Printer")}};
    testing_support::TempWorkFolder m_work;
    QTemporaryDir m_dir;
    testing_support::FakeClock m_clock;
    testing_support::ScriptedMessages m_messages;
    testing_support::ScriptedDialogs m_dialogs;
    testing_support::ScriptedForms m_modals;
    testing_support::RecordingHelp m_help;
    testing_support::RecordingDesktop m_desktop;
    QPointer<SampleMDIMain> m_frame;

private:
    testing_support::InstalledEdition m_edition;
};
