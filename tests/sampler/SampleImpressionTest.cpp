// Brindlemark's impression window: the three editable fields and their limit, the font of The
// Corvel Words, the default lines, the preview, Quick 'n Easy and closing a changed window.
#include "SampleFixture.h"

#include "capture/frmHelper.h"
#include "common/MainHelper.h"
#include "common/frmGetTSN.h"
#include "common/modRegistryHigh.h"
#include "layout/frmFont.h"
#include "layout/frmLabelLayout.h"
#include "model/CImpressionDoc.h"
#include "platform/pdf417/Pdf417.h"
#include "platform/print/PictureBox.h"
#include "platform/serial/CommPort.h"
#include "platform/ui/Beeper.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MessageService.h"
#include "reader/LockableComboBox.h"
#include "reader/MultiLineTextBox.h"

#include "PdfTools.h"
#include "PseudoTerminal.h"
#include "WidgetDriver.h"

#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

class CountingBeeper : public ui::Beeper
{
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

class SampleImpressionTest : public SampleTest
{
protected:
    SampleImpressionTest() : m_installedBeeper(ui::beeper.replace(m_beeper)) {}

    // A saved impression opened in a window.
    SampleImpression* openSaved(const QString& name, const CImpressionDoc& doc)
    {
        m_frame->openFile(writeImpression(name, doc));
        return impressionWindows().last();
    }
    static CImpressionDoc contact()
    {
        CImpressionDoc doc;
        doc.setField(CImpressionDoc::slotNamFormattedName, QStringLiteral("Mira Quell"));
        doc.setField(CImpressionDoc::slotNamFirst, QStringLiteral("Mira"));
        doc.setField(CImpressionDoc::slotBusCompany, QStringLiteral("Quell Lenses"));
        doc.setField(CImpressionDoc::slotNamEmail, QStringLiteral("mira@quell.example"));
        for (qint16 i = 0; i < 6; ++i)
            doc.setCwLines(i, QStringLiteral("Quell line %1").arg(i + 1));
        return doc;
    }
    // The six lines, each of which shows its start.
    static QStringList lines(SampleImpression* w)
    {
        QStringList all;
        for (QLineEdit* line : w->txtLabTop)
            all << line->text();
        for (QLineEdit* line : w->txtLabBottom)
            all << line->text();
        for (const QLineEdit* line : w->findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^txtLab"))))
            EXPECT_EQ(line->cursorPosition(), 0) << line->objectName().toStdString();
        return all;
    }
    // Pastes text into a field at its end, as the clipboard does.
    static void paste(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        field->end(false);
        field->insert(text); // emits textEdited, like a paste
    }

    CountingBeeper m_beeper;
    service::Service<ui::Beeper>::Override m_installedBeeper;
};

TEST_F(SampleImpressionTest, OnlyThreeFieldsAreEditableAndEachStopsAt32Characters)
{
    SampleImpression* w = newSample();
    EXPECT_FALSE(field(w, "txtNamFormattedName")->isReadOnly());
    EXPECT_FALSE(field(w, "txtNamEmail")->isReadOnly());
    EXPECT_FALSE(field(w, "txtBusCompany")->isReadOnly());
    EXPECT_TRUE(field(w, "txtNamFirst")->isReadOnly());
    EXPECT_TRUE(w->txtLabTop[0]->isReadOnly());
    EXPECT_TRUE(w->txtLabBottom[0]->isReadOnly());
    EXPECT_TRUE(w->cboNamTitle->isLocked());
    EXPECT_TRUE(testing_support::control<MultiLineTextBox>(w, QStringLiteral("txtNamNotes"))->isLocked());
    EXPECT_EQ(field(w, "txtNamFirst")->toolTip(),
              QStringLiteral("With Tessaline you can enter and edit data in this field!"));
    EXPECT_EQ(field(w, "txtNamFirst")->palette().color(QPalette::Base),
              QGuiApplication::palette().color(QPalette::Button));
    EXPECT_EQ(w->cboNamTitle->toolTip(), QStringLiteral("With Tessaline you can enter and edit data in this field!"));
    EXPECT_EQ(field(w, "txtBusCompany")->toolTip(),
              QStringLiteral("With Tessaline you can enter more than thirty-two characters in this field!"));
    EXPECT_EQ(w->txtLabTop[1]->toolTip(), QStringLiteral("With Tessaline you can edit this field!"));
    EXPECT_EQ(w->txtLabBottom[0]->toolTip(), QStringLiteral("List the information contained in the sample impression"));

    // A 33rd character typed: cut back, caret at the end, a beep, the window changed.
    QLineEdit* company = field(w, "txtBusCompany");
    w->SSTab1->setCurrentIndex(1);
    testing_support::type(w, QStringLiteral("txtBusCompany"), QString(33, u'c'));
    EXPECT_EQ(company->text(), QString(32, u'c'));
    EXPECT_EQ(company->cursorPosition(), 32);
    EXPECT_EQ(m_beeper.beeps, 1);
    EXPECT_TRUE(w->isDirty());

    // 40 characters pasted: the first 32 stay.
    QLineEdit* email = field(w, "txtNamEmail");
    email->clear();
    const QString forty = QStringLiteral("abcdefghij").repeated(4);
    paste(email, forty);
    EXPECT_EQ(email->text(), forty.left(32));
    EXPECT_EQ(m_beeper.beeps, 2);

    // Characters outside the basic plane count once and are never split.
    QLineEdit* name = field(w, "txtNamFormattedName");
    name->clear();
    paste(name, QString(31, u'n') + QStringLiteral("\U0001F600\U0001F600"));
    EXPECT_EQ(name->text(), QString(31, u'n') + QStringLiteral("\U0001F600"));
    EXPECT_EQ(name->cursorPosition(), 33);
    // Exactly 32 needs no cut.
    name->clear();
    paste(name, QString(32, u'n'));
    EXPECT_EQ(name->text().size(), 32);
    EXPECT_EQ(m_beeper.beeps, 3);
}

TEST_F(SampleImpressionTest, LongFieldsOfAFileSurviveOpeningLayingOutAndSaving)
{
    CImpressionDoc doc = contact();
    const QString company = QStringLiteral("Quell Precision Lenses and Optics Ltd"); // 37
    const QString email = QStringLiteral("mira.quell@precision-lenses-and-optics.example");
    doc.setField(CImpressionDoc::slotBusCompany, company + QStringLiteral("abc"));
    doc.setField(CImpressionDoc::slotNamEmail, email);
    SampleImpression* w = openSaved(QStringLiteral("long.imf"), doc);
    EXPECT_EQ(field(w, "txtBusCompany")->text(), company + QStringLiteral("abc"));
    EXPECT_EQ(field(w, "txtNamEmail")->text(), email);
    EXPECT_EQ(m_beeper.beeps, 0);

    // A Backspace at the end of the 40 characters leaves 39; a character typed into the middle goes.
    QLineEdit* long40 = field(w, "txtBusCompany");
    long40->end(false);
    QTest::keyClick(long40, Qt::Key_Backspace);
    long40->setCursorPosition(5);
    QTest::keyClick(long40, Qt::Key_X);
    EXPECT_EQ(long40->text(), company + QStringLiteral("ab"));
    EXPECT_EQ(m_beeper.beeps, 1);

    testing_support::trigger(w, QStringLiteral("mnuFileSave"));
    CImpressionDoc back;
    ASSERT_TRUE(back.readFile(w->getFileName()));
    EXPECT_EQ(back.field(CImpressionDoc::slotBusCompany), company + QStringLiteral("ab"));
    EXPECT_EQ(back.field(CImpressionDoc::slotNamEmail), email);
    EXPECT_EQ(back.CwLines(5), QStringLiteral("Quell line 6"));
    EXPECT_EQ(lines(w).last(), QStringLiteral("Quell line 6"));
}

TEST_F(SampleImpressionTest, TheFontCommands)
{
    CImpressionDoc doc = contact();
    doc.setCwFontName(QStringLiteral("Times New Roman"));
    doc.setCwFontSize(10);
    SampleImpression* w = openSaved(QStringLiteral("times.imf"), doc);
    ASSERT_FALSE(w->isDirty());

    // The chooser shows the window's font; Cancel keeps it, and still marks the window changed.
    m_modals.then([](ui::Form& form) {
        auto& chooser = dynamic_cast<frmFont&>(form);
        EXPECT_EQ(chooser.getFontName(), QStringLiteral("Times New Roman"));
        EXPECT_EQ(chooser.getFontSize(), QStringLiteral("10"));
        chooser.cmdCancel->click();
    });
    w->cmdFont_Click(0);
    EXPECT_TRUE(w->isDirty());
    EXPECT_EQ(w->txtStoreFontInfoHere->font().pointSize(), 10);

    // A size not above 0 is refused; the name is taken.
    m_modals.then([](ui::Form& form) {
        auto& chooser = dynamic_cast<frmFont&>(form);
        chooser.setFontName(QStringLiteral("Liberation Serif"));
        chooser.cboSize->setEditText(QStringLiteral("0"));
        chooser.cmdOK->click();
    });
    w->cmdFont_Click(0);
    EXPECT_EQ(w->txtStoreFontInfoHere->font().family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(w->txtStoreFontInfoHere->font().pointSize(), 10);

    // The default font after a saved Times 10 is a change that closing asks about.
    const QString file = writeImpression(QStringLiteral("times2.imf"), doc);
    m_frame->openFile(file);
    SampleImpression* saved = impressionWindows().last();
    ASSERT_FALSE(saved->isDirty());
    saved->cmdFontDefault_Click(0);
    EXPECT_EQ(saved->txtStoreFontInfoHere->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(saved->txtStoreFontInfoHere->font().pointSize(), 6);
    EXPECT_TRUE(saved->isDirty());
    m_messages.answer(ui::Answer::Yes);
    EXPECT_TRUE(ui::unload(*saved));
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Save changes to  Impression - times2.imf?"));
    CImpressionDoc back;
    ASSERT_TRUE(back.readFile(file));
    EXPECT_EQ(back.CwFontName(), QStringLiteral("Arial"));
    EXPECT_EQ(back.CwFontSize(), 6);
}

TEST_F(SampleImpressionTest, TheDefaultLinesComeFromTheWordsFileOrAreBuiltIn)
{
    // The program's own file, beside the executable.
    SampleImpression* fromFile = newSample();
    EXPECT_EQ(lines(fromFile).first(),
              QStringLiteral("Scan this sample card with Tessaline™ or Quorvane™, version 1.5 or later"));
    EXPECT_EQ(lines(fromFile).last(), QStringLiteral("Tessaline™ is at https://www.tessaline.com/"));
    EXPECT_TRUE(fromFile->getCorvelWordsCreated());

    QTemporaryDir folder;
    SampleImpression::setProgramFolder(folder.path());
    SampleImpression* missing = newSample();
    const QStringList builtIn = lines(missing);
    EXPECT_EQ(builtIn[0],
              QStringLiteral("Scan this digital business card with Tessaline™ or Quorvane™, version 1.5 or later"));
    EXPECT_EQ(builtIn[3],
              QStringLiteral("Contact information contained in this sample: name, organization, and email"));
    EXPECT_TRUE(builtIn[5].contains(modMainHelper::makerWebAddress()));
    EXPECT_TRUE(m_messages.shown().isEmpty());

    QFile damaged(folder.filePath(QStringLiteral("bmkcw.dat")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\x01\x02 not a card \xff\xfe");
    damaged.close();
    SampleImpression* unreadable = newSample();
    EXPECT_EQ(lines(unreadable), builtIn);
    EXPECT_TRUE(unreadable->getCorvelWordsCreated());
    EXPECT_TRUE(m_messages.shown().isEmpty());

    // Showing the Image tab composes nothing over them.
    unreadable->SSTab1->setCurrentIndex(3);
    EXPECT_EQ(lines(unreadable), builtIn);
}

TEST_F(SampleImpressionTest, ThePreviewSymbolCarriesTheWordsExactlyWhenTheSettingSaysSo)
{
    SampleImpression* w = newSample();
    w->SSTab1->setCurrentIndex(3);
    const QImage shownWithWords = w->picPreview->target().image();
    const QByteArray withWords = previewSymbol(w);
    EXPECT_TRUE(withWords.contains("BEGIN:VCARD")) << withWords.constData();
    EXPECT_TRUE(withWords.contains(w->txtLabBottom[1]->text().toUtf8())) << withWords.constData();

    // Off in the preferences: every open window's preview is redrawn without them.
    modRegistryHigh::setEncodeCorvelWords(false);
    modMainHelper::commitPreferencesToAllForms();
    const QByteArray without = previewSymbol(w);
    EXPECT_TRUE(without.contains(field(w, "txtBusCompany")->text().toUtf8())) << without.constData();
    EXPECT_FALSE(without.contains("X-CORVEL-WORDS")) << without.constData();
    EXPECT_FALSE(without.contains(lines(w)[4].toUtf8()));
    EXPECT_NE(w->picPreview->target().image(), shownWithWords) << "the preview was drawn again";
}

TEST_F(SampleImpressionTest, QuickNEasyAsksForASaveFirstAndThenLaysOutTheUnsavedEdits)
{
    SampleImpression* w = newSample();
    m_messages.answer(ui::Answer::No);
    w->Toolbar1_ButtonClick(QStringLiteral("QuickLayout"));
    EXPECT_EQ(m_messages.last().text, QStringLiteral("You must save an impression before laying it out.\r\rSave now?"));
    EXPECT_EQ(m_messages.last().helpTopic, SampleImpression::QuickLayoutHelp);
    EXPECT_EQ(frmLabelLayout::openLayoutCount(), 0);

    // Yes saves and lays nothing out yet.
    const QString file = path(QStringLiteral("sample.imf"));
    m_messages.answer(ui::Answer::Yes);
    m_dialogs.answerFile(file);
    testing_support::trigger(w, QStringLiteral("mnuLayoutQuickNEasy"));
    EXPECT_EQ(w->getFileName(), file);
    EXPECT_EQ(frmLabelLayout::openLayoutCount(), 0);

    // A saved window with unsaved edits: all ten positions show the edits.
    w->SSTab1->setCurrentIndex(1);
    testing_support::type(w, QStringLiteral("txtBusCompany"), QStringLiteral("Edited Company"));
    m_frame->activateWindow(); // the key goes to the window the user works in
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier);
    auto* layout = ui::findForm<frmLabelLayout>();
    ASSERT_NE(layout, nullptr);
    for (qint16 i = 0; i < 10; ++i) {
        EXPECT_EQ(layout->getPositionFileName(i), file) << i;
        EXPECT_TRUE(layout->getImageVisibility(i)) << i;
    }
    for (qint16 i : {0, 9})
        EXPECT_TRUE(decodedSymbol(layout->cardContent(i).picture.toImage()).contains("ORG:Edited Company")) << i;
    EXPECT_TRUE(w->isDirty()) << "laying out does not save";
}

TEST_F(SampleImpressionTest, TheSampleSavedLaidOutAndPrintedGivesTenSymbolsOfTheSavedImpression)
{
    SampleImpression* w = newSample();
    const QString file = path(QStringLiteral("card.imf"));
    m_dialogs.answerFile(file);
    ASSERT_TRUE(w->saveImpression());
    w->mnuLayoutQuickNEasy_Click();
    auto* layout = ui::findForm<frmLabelLayout>();
    ASSERT_NE(layout, nullptr);
    m_dialogs.answerPrinter(QStringLiteral("Card Printer"));
    layout->mnuFilePrint_Click();
    ASSERT_EQ(m_spooler.jobs.size(), 1);

    // What the saved impression is encoded as: its vCard text with The Corvel Words.
    CImpressionDoc saved;
    ASSERT_TRUE(saved.readFile(file));
    const QString expectedFile = path(QStringLiteral("expected.vcf"));
    ASSERT_TRUE(saved.writeFile(expectedFile, true));
    QFile expectedText(expectedFile);
    ASSERT_TRUE(expectedText.open(QIODevice::ReadOnly));
    QList<QByteArray> expectedLines = expectedText.readAll().replace("\r\n ", "").split('\n');
    expectedLines.removeIf([](const QByteArray& line) { return line.startsWith("UID:"); });
    const QByteArray expected = expectedLines.join('\n');

    const QString sheet = path(QStringLiteral("sheet.bmp"));
    ASSERT_TRUE(pdf_tools::rasterise(m_spooler.jobs.first().copy, 300).save(sheet, "BMP"));
    const QString vcf = path(QStringLiteral("sheet.vcf"));
    int symbols = 0;
    std::int16_t count = 0;
    for (int index = 1; index <= 12; ++index) {
        QFile::remove(vcf);
        const std::int16_t result = pdf417::pdfDecodeBMPSymbolToFileMultiple(sheet, vcf, index, count);
        if (result < 1)
            break;
        QFile decoded(vcf);
        ASSERT_TRUE(decoded.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = decoded.readAll().replace("\r\n ", "").split('\n');
        lines.removeIf([](const QByteArray& line) { return line.startsWith("UID:"); });
        EXPECT_EQ(lines.join('\n'), expected) << "symbol " << index;
        ++symbols;
        if (result > 1)
            break;
    }
    EXPECT_EQ(symbols, 10);
}

TEST_F(SampleImpressionTest, YesKeepsTheWindowWhenTheSaveDidNotHappen)
{
    SampleImpression* w = newSample();
    testing_support::type(w, QStringLiteral("txtNamFormattedName"), QStringLiteral("Kept"));
    m_messages.answer(ui::Answer::Yes);
    m_dialogs.cancel();
    EXPECT_FALSE(ui::unload(*w, ui::UnloadMode::CloseBox));
    EXPECT_TRUE(ui::isLoaded(*w));
    EXPECT_TRUE(w->isDirty());
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Save changes to  Impression - Sample?"));

    // Cancel keeps it too, also when the program was closing.
    m_messages.answer(ui::Answer::Cancel);
    w->close();
    EXPECT_TRUE(ui::isLoaded(*w));
    EXPECT_FALSE(m_frame->boolExiting);

    // No closes it without saving.
    m_messages.answer(ui::Answer::No);
    EXPECT_TRUE(ui::unload(*w));
    EXPECT_TRUE(impressionWindows().isEmpty());
}

TEST_F(SampleImpressionTest, TheLoadStepShapesTheToolbarAndMenusAndTheScanButtonsShowTheFullProgramNotice)
{
    SampleImpression* w = newSample();
    auto item = [w](const char* name) {
        QAction* found = w->menuItem(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    };
    for (const char* hidden : {"Scan", "CardScan", "RequestPDF", "ReleasePDF", "NoToPIM", "FromPIM", "NoQuickLayout",
                               "StartBrindlemark", "NoStartBrindlemark", "mnuWindowGotobrindlemark"})
        if (QAction* found = item(hidden))
            EXPECT_FALSE(found->isVisible()) << hidden;
    for (const char* disabled : {"mnuFileNew", "mnuFileOpen", "mnuFileImport", "mnuFileExportBitmap", "mnuCardImport",
                                 "mnuLayoutNew", "mnuLayoutOpen"})
        if (QAction* found = item(disabled))
            EXPECT_FALSE(found->isEnabled()) << disabled;
    if (QAction* quick = item("QuickLayout"))
        EXPECT_TRUE(quick->isVisible());
    // The visible button reaches this window's own handler through the toolbar.
    m_modals.then([](ui::Form& form) {
        EXPECT_EQ(dynamic_cast<frmGetTSN&>(form).Label1[0]->text(), QStringLiteral("Scan Card(s)"));
        dynamic_cast<frmGetTSN&>(form).cmdClose->click();
    });
    testing_support::trigger(w, QStringLiteral("NoScan"));
    // Card > Scan stays offered and does nothing; Ctrl+A in a text box selects the text.
    testing_support::trigger(w, QStringLiteral("mnuCardScan"));
    QApplication::setActiveWindow(m_frame);
    w->bringToFront();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    QLineEdit* name = field(w, "txtNamFormattedName");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(name->selectedText(), name->text());
    EXPECT_EQ(m_modals.shown().size(), 1);
    for (const char* key : {"Scan", "NoScan"}) {
        m_modals.then([](ui::Form& form) {
            auto& notice = dynamic_cast<frmGetTSN&>(form);
            EXPECT_EQ(notice.Label1[0]->text(), QStringLiteral("Scan Card(s)"));
            EXPECT_EQ(ui::helpContext(notice.cmdHelp), 61);
            notice.cmdClose->click();
        });
        w->toolbarButton(QString::fromLatin1(key))->trigger();
    }
    EXPECT_EQ(m_modals.shown().size(), 3);
    // The serial scanner chosen: its port controls show; TWAIN chosen again releases the held port.
    testing_support::PseudoTerminal pty;
    qputenv("QV_COM1", pty.slavePath().toLocal8Bit());
    modRegistryHigh::setScanner(1);
    modMainHelper::commitPreferencesToAllForms();
    EXPECT_TRUE(item("mnuCardScannerport")->isVisible() && item("RequestPDF")->isVisible());
    EXPECT_FALSE(item("mnuCardScan")->isEnabled());
    testing_support::trigger(w, QStringLiteral("RequestPDF"));
    EXPECT_TRUE(item("ReleasePDF")->isVisible() && item("mnuCardScan")->isEnabled());
    EXPECT_FALSE(m_frame->mnuFileScanCard->isEnabled()) << "this program has no Scan Card command";
    modRegistryHigh::setScanner(2);
    modMainHelper::commitPreferencesToAllForms();
    EXPECT_FALSE(frmHelper::instance().MSComm1->portOpen());
    EXPECT_TRUE(item("NoScan")->isVisible() && !item("mnuCardScannerport")->isVisible());
    qunsetenv("QV_COM1");
}

} // namespace
