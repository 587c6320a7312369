#pragma once

#include "common/IImpressionFileWindow.h"
#include "common/ProgramEdition.h"
#include "layout/ILayoutMainWindow.h"
#include "layout/IPrintableSheet.h"
#include "model/CImpressionDoc.h"
#include "platform/ui/Form.h"

#include "InstalledEdition.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"
#include "tests/capture/symbols/WorkFiles.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <array>

#include <gtest/gtest.h>

class frmLabelLayout;
class QMimeData;

// A test-only impression window: shows one file and an impression that may differ from the
// file (unsaved changes), and records the files it is asked to open.
class TestImpressionFileWindow : public QWidget, public ui::Form, public IImpressionFileWindow
{
public:
    QString getFileName() const override { return fileName; }
    bool writeDoc(CImpressionDoc& doc) const override;
    bool getIsOldVersion() const override { return oldVersion; }
    void openImpression(const QString& strFileName) override { opened << strFileName; }

    QString fileName;
    CImpressionDoc content;
    bool oldVersion = false;
    QStringList opened;
};

// A test-only main window: hands out new impression windows.
class TestLayoutMain : public QWidget, public ui::Form, public ILayoutMainWindow
{
public:
    IImpressionFileWindow* getEmptyImpression() override;
    QList<TestImpressionFileWindow*> made;
};

// A test-only sheet for the page printing: a layout type, and per position a file and whether
// it prints.
class TestSheet : public IPrintableSheet
{
public:
    qint16 getPrintingMode() const override { return mode; }
    bool isPositionPrintable(qint16 nPosition) const override { return printable.at(nPosition); }
    QString getPositionFileName(qint16 p) const override { return files.at(p); }

    qint16 mode = 0;
    std::array<bool, 10> printable{true, true, true, true, true, true, true, true, true, true};
    std::array<QString, 10> files;
};

// The sample-card program with its own settings, work folder and files; every form is
// unloaded afterwards.
class LayoutTest : public ::testing::Test
{
protected:
    LayoutTest();
    ~LayoutTest() override;

    // An impression whose words name `tag`: "<tag> line 1" ... "<tag> line 6".
    static CImpressionDoc impression(const QString& tag);
    // Writes the impression as a current impression file "<name>.imf"; its path.
    QString writeImpression(const QString& name, const CImpressionDoc& doc);
    // A loaded layout window.
    frmLabelLayout* newWindow();
    // The vCard text the symbol picture of position i carries, read by the PDF417 layer.
    QByteArray decodedSymbol(frmLabelLayout& window, int i);
    // What an impression is encoded as: its vCard text, with or without the extended fields.
    QByteArray encodedText(const CImpressionDoc& doc, bool bIncludeXFields);
    // Drags data over `target` and drops it there, through the window system's routing.
    static void dropOn(QWidget* target, QMimeData* data);

    testing_support::TempConfig m_config;
    TempWorkFolder m_work;
    testing_support::ScriptedMessages m_messages;
    QTemporaryDir m_dir;

private:
    testing_support::InstalledEdition m_edition{modMainHelper::brindlemarkEdition()};
    QString m_previousTitle;
};
