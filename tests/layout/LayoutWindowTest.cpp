#include "LayoutFixture.h"

#include "capture/modSymbolRoutines.h"
#include "common/CMostRecentlyUsed.h"
#include "common/modRegistryHigh.h"
#include "common/modRegistryLow.h"
#include "layout/CardGeometry.h"
#include "layout/frmLabelLayout.h"
#include "layout/modLayoutHelper.h"
#include "platform/settings/Settings.h"
#include "platform/shell/HelpEngine.h"
#include "platform/ui/Controls.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/Screen.h"

#include "QtPrinters.h"
#include "RecordingDesktop.h"
#include "TestPaths.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QSet>
#include <QToolBar>

using testing_support::control;
using testing_support::trigger;

namespace {

QString title(const frmLabelLayout& w, int i)
{
    return w.fraImpression[i]->title();
}

QString topWords(const frmLabelLayout& w, int i)
{
    return w.lblCardTop[i]->text();
}

// The cards whose frames are shown.
QList<int> shownFrames(const frmLabelLayout& w)
{
    QList<int> shown;
    for (int i = 0; i < 10; ++i)
        if (!w.fraImpression[i]->isHidden())
            shown << i;
    return shown;
}

void setLayoutDefault(const QString& value)
{
    settings::saveSetting(QStringLiteral("Brindlemark"), QStringLiteral("Preferences"), QStringLiteral("LayoutDefault"),
                          value);
}

} // namespace

TEST_F(LayoutTest, PlacedSymbolsCarryTheImpressionAndTheWordsOnlyWhenEncoded)
{
    CImpressionDoc doc = impression(QStringLiteral("Rhea"));
    const QString path = writeImpression(QStringLiteral("rhea"), doc);
    frmLabelLayout* w = newWindow();
    bool ok = false;
    w->setImage(path, 3, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(decodedSymbol(*w, 3), encodedText(doc, true));
    EXPECT_TRUE(decodedSymbol(*w, 3).contains("Rhea line 6"));
    EXPECT_EQ(title(*w, 3), QStringLiteral("rhea"));
    EXPECT_EQ(w->getPositionFileName(3), path);
    EXPECT_EQ(w->fraImpression[3]->property("Tag").toString(), path);
    EXPECT_EQ(topWords(*w, 3), QStringLiteral("Rhea line 1\nRhea line 2\nRhea line 3"));
    EXPECT_EQ(w->lblCardBottom[3]->text(), QStringLiteral("Rhea line 4\nRhea line 5\nRhea line 6"));
    EXPECT_FLOAT_EQ(float(w->lblCardTop[3]->font().pointSizeF()), 2.4f);
    EXPECT_FLOAT_EQ(float(w->lblCardBottom[3]->font().pointSizeF()), 2.4f);
    // The bottom block ends on the clip frame's bottom edge.
    const QRect bottom = w->lblCardBottom[3]->geometry();
    EXPECT_NEAR(bottom.y() + bottom.height(), w->frmClipBottom[3]->height(), 1);
    EXPECT_FALSE(w->isDirty()); // placing neither marks the sheet changed nor selects
    EXPECT_EQ(w->workingPosition(), 0);

    // Placing again gives the same card.
    const CardContent first = w->cardContent(3);
    const QRect firstPicture = w->imgEncoding[3]->geometry();
    w->setImage(path, 3, ok);
    ASSERT_TRUE(ok);
    const CardContent second = w->cardContent(3);
    EXPECT_EQ(second.topCaption, first.topCaption);
    EXPECT_EQ(second.bottomCaption, first.bottomCaption);
    EXPECT_EQ(second.topFont, first.topFont);
    EXPECT_EQ(second.picture.toImage(), first.picture.toImage());
    EXPECT_EQ(w->imgEncoding[3]->geometry(), firstPicture);
    EXPECT_EQ(w->lblCardBottom[3]->geometry(), bottom);

    // Without the words in the symbol, after the preference changes.
    ASSERT_TRUE(modRegistryHigh::setEncodeCorvelWords(false));
    w->commitPreferences();
    EXPECT_EQ(decodedSymbol(*w, 3), encodedText(doc, false));
    EXPECT_FALSE(decodedSymbol(*w, 3).contains("Rhea line"));
    EXPECT_EQ(topWords(*w, 3), QStringLiteral("Rhea line 1\nRhea line 2\nRhea line 3")); // still shown
}

TEST_F(LayoutTest, CardsLayOutEmptyLinesAndRefuseWhatCannotBeShown)
{
    CImpressionDoc blank;
    blank.setNamFormattedName(QStringLiteral("Per Olund"));
    blank.setCwFontSize(12);
    const QString bmp = m_dir.filePath(QStringLiteral("symbol.bmp"));
    ASSERT_TRUE(modSymbolRoutines::makeSymbolBitmap(blank, bmp, true, true));
    const std::optional<CardContent> card =
        modLayoutHelper::layOutCard(blank, QStringLiteral("/x/per.imf"), QStringLiteral("per"), bmp,
                                    cardGeometry::TopLabelTop, cardGeometry::CardWidth);
    ASSERT_TRUE(card);
    EXPECT_EQ(card->topCaption, QStringLiteral("\r\r"));
    EXPECT_EQ(card->bottomCaption, QStringLiteral("\r\r"));
    EXPECT_FLOAT_EQ(float(card->topFont.pointSizeF()), 4.8f);
    EXPECT_EQ(card->topFont.family(), QStringLiteral("Arial"));
    // The symbol is centred in the band below the top label, inside the card's margins.
    EXPECT_NEAR(card->pictureLeft - cardGeometry::AreaLeft,
                (cardGeometry::CardWidth - cardGeometry::AreaMargin - card->pictureWidth) / 2.0, 1);
    EXPECT_NEAR(card->pictureTop - 391, (cardGeometry::BandHeight - card->pictureHeight) / 2.0, 1);
    EXPECT_GT(card->pictureWidth, 0);
    EXPECT_LE(card->pictureWidth, cardGeometry::CardWidth - cardGeometry::AreaMargin);

    // A bitmap that is no picture, or a card that does not fit, gives nothing.
    writeFile(bmp, "not a bitmap");
    EXPECT_FALSE(modLayoutHelper::layOutCard(blank, QString(), QString(), bmp, cardGeometry::TopLabelTop,
                                             cardGeometry::CardWidth));
    EXPECT_FALSE(modLayoutHelper::layOutCard(blank, QString(), QString(), m_dir.filePath(QStringLiteral("none.bmp")),
                                             cardGeometry::TopLabelTop, cardGeometry::CardWidth));
}

TEST_F(LayoutTest, RefusedPlacementsKeepThePositionAsItWas)
{
    const QString good = writeImpression(QStringLiteral("good"), impression(QStringLiteral("Good")));
    CImpressionDoc huge = impression(QStringLiteral("Huge"));
    for (int slot = 0; slot < CImpressionDoc::FieldCount; ++slot)
        huge.setField(slot, QString(60, QChar(u'A' + slot % 26)));
    const QString tooBig = writeImpression(QStringLiteral("huge"), huge);
    frmLabelLayout* w = newWindow();
    bool ok = false;
    w->setImage(good, 0, ok);
    ASSERT_TRUE(ok);
    const QImage before = w->imgEncoding[0]->pixmap().toImage();

    m_messages.ok();
    w->setImage(tooBig, 0, ok);
    EXPECT_FALSE(ok);
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("Data capacity exceeded.")));
    EXPECT_EQ(m_messages.last().helpTopic, 1);
    EXPECT_EQ(title(*w, 0), QStringLiteral("good"));
    EXPECT_EQ(w->getPositionFileName(0), good);
    EXPECT_EQ(topWords(*w, 0), QStringLiteral("Good line 1\nGood line 2\nGood line 3"));
    EXPECT_EQ(w->imgEncoding[0]->pixmap().toImage(), before);

    // A file that cannot be read: nothing is said, nothing changes.
    writeFile(good, "garbage");
    w->setImage(good, 0, ok);
    EXPECT_FALSE(ok);
    w->setImage(m_dir.filePath(QStringLiteral("missing.imf")), 1, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(title(*w, 0), QStringLiteral("good"));
    EXPECT_TRUE(title(*w, 1).isEmpty());
}

TEST_F(LayoutTest, ANewWindowTakesItsTypeTitleMenusAndToolbarFromTheDesign)
{
    setLayoutDefault(QStringLiteral(" 2"));
    const qint16 counted = frmLabelLayout::layoutCounter();
    frmLabelLayout* w = newWindow();
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" Layout - Sample%1.lyt").arg(counted + 1));
    EXPECT_EQ(w->getPrintingMode(), 2);
    EXPECT_EQ(shownFrames(*w), (QList<int>{0, 1, 4, 5, 8, 9}));
    EXPECT_FALSE(w->cboTemplatePos->isHidden());
    EXPECT_TRUE(w->cboWorkingImage->isHidden());
    EXPECT_EQ(w->cboTemplatePos->currentText(), QStringLiteral("1"));
    EXPECT_EQ(w->cboLayout->currentText(), QStringLiteral("The Corvel Template"));
    EXPECT_EQ(w->workingPosition(), 0);
    EXPECT_EQ(w->fraImpression[0]->property("ForeColor").toInt(), 0x0000FF);
    EXPECT_EQ(w->fraImpression[1]->property("ForeColor").toInt(), 0x008000);
    EXPECT_TRUE(w->isEmpty());
    EXPECT_FALSE(w->isPositionPrintable(2));
    EXPECT_TRUE(w->isPositionPrintable(1));

    // Geometry of the design, in twips.
    EXPECT_EQ(w->fraImpression[7]->geometry(), (ui::Twips{3120, 4080, 2016, 1262}.toPixels()));
    EXPECT_EQ(w->imgEncoding[7]->geometry(), (ui::Twips{72, 355, 1872, 662}.toPixels()));
    EXPECT_EQ(w->frmClipBottom[7]->geometry(), (ui::Twips{72, 1017, 1872, 173}.toPixels()));
    EXPECT_EQ(w->fraPage->size(), (ui::Twips{0, 0, 5652, 6780}.toPixels().size()));
    for (QWidget* c : {static_cast<QWidget*>(w->fraImpression[5]), static_cast<QWidget*>(w->lblCardBottom[5]),
                       static_cast<QWidget*>(w->imgEncoding[5])})
        EXPECT_EQ(c->toolTip(), QStringLiteral("Right click to edit"));
    EXPECT_EQ(control<QWidget>(w, QStringLiteral("lblCardTop(9)")), w->lblCardTop[9]);

    struct Item
    {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
        qint32 help;
        bool enabled;
        bool visible;
    };
    const Item items[] = {
        {"mnuFileNew", "&New Layout", QKeySequence(Qt::CTRL | Qt::Key_N), 4, false, true},
        {"mnuClose", "&Close Layout", {}, 101, true, true},
        {"mnuFileImportLabel", "&Import Impression Image...", QKeySequence(Qt::CTRL | Qt::Key_I), 102, false, true},
        {"mnuFileSave", "&Save Layout", QKeySequence(Qt::CTRL | Qt::Key_S), 103, false, true},
        {"mnuPrintTemplate", "&Print...", {}, 107, true, true},
        {"mnuFilePrint", "&Print Layout...", QKeySequence(Qt::CTRL | Qt::Key_P), 106, true, true},
        {"mnuFilePrintSetup", "Print Set&up....", {}, 2, true, true},
        {"mnuLytMRU(0)", "", {}, 6, true, false},
        {"mnuFileExit", "E&xit", {}, 12, true, true},
        {"mnuEditDelete", "&Delete Image", {}, 125, true, true},
        {"mnuEditEditimpression", "Edit Impression", {}, 127, true, true},
        {"mnuImpressionNew", "&New", {}, 3, false, true},
        {"mnuImpMRU(8)", "", {}, 5, true, false},
        {"mnuWindowGotobrindlemark", "Go To &Brindlemark", {}, 200, true, false},
        {"mnuWindowGotoquorvane", "Go To &Quorvane", {}, 200, false, true},
        {"mnuHelpGettingstarted", "&Getting Started", {}, 10004, true, true},
        {"mnuHelpAbout", "About Brindlemark...", {}, 9, true, true},
        {"mnuPopupSymbolEditImpression", "Edit Impression", {}, 1004, true, true},
        {"mnuPopupImport", "&Import Impression Image...", {}, 102, false, true},
        {"mnuPopup", "Popup menus only", {}, 0, true, false},
    };
    for (const Item& item : items) {
        const QString name = QString::fromLatin1(item.name);
        auto* action = control<QAction>(w, name);
        EXPECT_EQ(action->text(), QString::fromLatin1(item.caption)) << item.name;
        EXPECT_EQ(action->shortcut(), item.shortcut) << item.name;
        EXPECT_EQ(ui::helpContext(action), item.help) << item.name;
        EXPECT_EQ(action->isVisible(), item.visible) << item.name;
        if (item.visible) { // a hidden item is never enabled
            EXPECT_EQ(action->isEnabled(), item.enabled) << item.name;
        }
    }

    // Every help context of the window's menus has a topic in the family help.
    const shell::HelpEngine help(testing_support::sourceDir() + QStringLiteral("/data/Tessaline.hlp"));
    QSet<int> contexts;
    for (QAction* action : w->findChildren<QAction*>())
        if (const int context = ui::helpContext(action)) {
            QString why;
            EXPECT_FALSE(help.pageOf(context, why).isEmpty()) << context << " " << why.toStdString();
            contexts << context;
        }
    EXPECT_EQ(contexts.size(), 21);

    const QStringList keys = {"Print", "Preview", "Setup", "Preferences", "Layouts", "WorkingImage"};
    QStringList toolbarKeys;
    for (QAction* button : w->Toolbar1->actions())
        if (!button->isSeparator())
            toolbarKeys << button->data().toString();
    EXPECT_EQ(toolbarKeys, keys);
    EXPECT_EQ(control<QAction>(w, QStringLiteral("Preview"))->toolTip(), QStringLiteral("Print Preview"));
    // The boxes sit over their placeholders.
    const QWidget* placeholder = w->Toolbar1->widgetForAction(control<QAction>(w, QStringLiteral("WorkingImage")));
    EXPECT_EQ(w->cboTemplatePos->x(), placeholder->x());
    EXPECT_EQ(w->cboWorkingImage->width(), placeholder->width());
}

TEST_F(LayoutTest, WindowsAreCountedAndNumberedAndOnlyTheOnlyBlankOneIsEmpty)
{
    const qint16 open = frmLabelLayout::openLayoutCount();
    const qint16 counted = frmLabelLayout::layoutCounter();
    ui::unload(*newWindow());
    ui::unload(*newWindow());
    frmLabelLayout* third = newWindow();
    EXPECT_EQ(third->windowTitle(), QStringLiteral(" Layout - Sample%1.lyt").arg(counted + 3));
    EXPECT_EQ(frmLabelLayout::openLayoutCount(), open + 1);
    EXPECT_TRUE(third->isEmpty());
    frmLabelLayout* fourth = newWindow();
    EXPECT_FALSE(third->isEmpty());
    EXPECT_FALSE(fourth->isEmpty());
    ui::unload(*fourth);
    EXPECT_TRUE(third->isEmpty());
    ASSERT_EQ(third->getPrintingMode(), 1); // "LayoutDefault" missing reads 1
    third->cboLayout->setCurrentIndex(0);   // a type change marks the sheet changed
    EXPECT_FALSE(third->isEmpty());
}

TEST_F(LayoutTest, TheTemplateTakesItsWorkingPositionFromTheSyncTable)
{
    setLayoutDefault(QStringLiteral(" 0"));
    const QString path = writeImpression(QStringLiteral("sync"), impression(QStringLiteral("Sync")));
    const int after[10] = {0, 1, 0, 1, 4, 5, 8, 9, 8, 9};
    frmLabelLayout* w = newWindow();
    w->quickLayoutIMF(path);
    for (qint16 before = 0; before < 10; ++before) {
        w->cboWorkingImage->setCurrentIndex(before);
        ASSERT_EQ(w->workingPosition(), before);
        w->cboLayout->setCurrentIndex(2);
        EXPECT_EQ(w->workingPosition(), after[before]) << before;
        EXPECT_EQ(w->cboTemplatePos->currentIndex(), modLayoutTypes::positionToTemplateIndex(qint16(after[before])));
        EXPECT_EQ(shownFrames(*w), (QList<int>{0, 1, 4, 5, 8, 9}));
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(w->fraImpression[i]->property("ForeColor").toInt(), i == after[before] ? 0x0000FF : 0x008000);
        // Back to the Avery sheet: the working position stays, every frame shows its content again,
        // and the position box still shows the position of before the template.
        w->cboLayout->setCurrentIndex(0);
        EXPECT_EQ(w->workingPosition(), after[before]);
        EXPECT_EQ(shownFrames(*w).size(), 10);
        EXPECT_EQ(title(*w, 7), QStringLiteral("sync"));
        EXPECT_EQ(w->cboWorkingImage->currentIndex(), before);
    }
    // Choosing a template position selects its sheet position.
    w->cboLayout->setCurrentIndex(2);
    w->cboTemplatePos->setCurrentIndex(3);
    EXPECT_EQ(w->workingPosition(), 5);
}

TEST_F(LayoutTest, ActivationPlacesPositionsAfreshFromFilesAndOpenWindows)
{
    auto* frame = new ui::MdiFrame;
    ui::show(*frame);
    CImpressionDoc doc = impression(QStringLiteral("Ada"));
    const QString path = writeImpression(QStringLiteral("ada"), doc);
    frmLabelLayout* w = newWindow();
    w->quickLayoutIMF(path);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(title(*w, i), QStringLiteral("ada")) << i;
        EXPECT_TRUE(w->getImageVisibility(qint16(i))) << i;
    }
    const qint64 placed = w->cardContent(0).picture.cacheKey();
    EXPECT_EQ(w->cardContent(9).picture.cacheKey(), placed); // copies share the picture

    // Another child takes over, the file changes on disk, the sheet comes back.
    auto* other = newWindow();
    doc.setCwLines(0, QStringLiteral("Ada changed"));
    writeImpression(QStringLiteral("ada"), doc);
    frame->activateChild(*w);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(topWords(*w, i).startsWith(QStringLiteral("Ada changed\n"))) << i;
    // Positions 0 and 1 were placed from the file; the rest are copies of position 1.
    const qint64 second = w->cardContent(1).picture.cacheKey();
    EXPECT_NE(w->cardContent(0).picture.cacheKey(), second);
    EXPECT_NE(second, placed);
    for (int i = 2; i < 10; ++i)
        EXPECT_EQ(w->cardContent(qint16(i)).picture.cacheKey(), second) << i;

    // A deleted position in between: the ones after it still come back filled.
    w->selectPosition(3);
    trigger(w, QStringLiteral("mnuEditDelete"));
    frame->activateChild(*other);
    frame->activateChild(*w);
    EXPECT_TRUE(title(*w, 3).isEmpty());
    for (int i : {2, 4, 5, 6, 7, 8, 9})
        EXPECT_EQ(title(*w, i), QStringLiteral("ada")) << i;
    EXPECT_FALSE(w->getImageVisibility(3));

    // An impression window with the file open and unsaved changes shows them on the sheet.
    auto* open = new TestImpressionFileWindow;
    open->fileName = m_dir.path() + QStringLiteral("/./ada.imf");
    open->content = impression(QStringLiteral("Unsaved"));
    ui::load(*open);
    frame->activateChild(*other);
    frame->activateChild(*w);
    for (int i : {0, 4, 9}) {
        EXPECT_TRUE(topWords(*w, i).startsWith(QStringLiteral("Unsaved line 1"))) << i;
        EXPECT_EQ(decodedSymbol(*w, i), encodedText(open->content, true)) << i;
    }

    // An open window of an earlier file version is offered for conversion; the sheet stays.
    open->oldVersion = true;
    m_messages.answer(ui::Answer::No).answer(ui::Answer::No);
    frame->activateChild(*other);
    frame->activateChild(*w);
    ASSERT_EQ(m_messages.shown().size(), 2); // positions 0 and 1; the rest are copies
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("Already opened impression file ") + open->fileName +
                                                  QStringLiteral("\rwas saved with a previous version")));
    EXPECT_EQ(m_messages.last().buttons, ui::Buttons::YesNo);
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Question);
    EXPECT_TRUE(topWords(*w, 0).startsWith(QStringLiteral("Unsaved line 1")));
}

TEST_F(LayoutTest, AnOldFileIsOfferedForConversionOnceAndOpenedOnYes)
{
    const QString path = writeImpression(QStringLiteral("old"), impression(QStringLiteral("Old")));
    QByteArray text = readFile(path);
    ASSERT_TRUE(text.contains("X-CORVEL-FILE-VERSION:3"));
    writeFile(path, text.replace("X-CORVEL-FILE-VERSION:3", "X-CORVEL-FILE-VERSION:2"));
    auto* main = new TestLayoutMain;
    ui::load(*main);
    frmLabelLayout* w = newWindow();

    m_messages.answer(ui::Answer::No);
    w->quickLayoutIMF(path);
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(
        m_messages.last().text,
        QStringLiteral("Impression file ") + path +
            QStringLiteral("\rwas Saved with a previous version of Tessaline.\rTo include it in a layout, convert "
                           "it to the current version.\r\rTo convert the file, Open and Save it.\rOpen it now?"));
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(title(*w, i).isEmpty());
    EXPECT_TRUE(main->made.isEmpty());

    m_messages.answer(ui::Answer::Yes);
    w->quickLayoutIMF(path);
    ASSERT_EQ(main->made.size(), 1);
    EXPECT_TRUE(ui::isLoaded(*main->made[0]));
    EXPECT_FALSE(main->made[0]->isHidden());
    EXPECT_EQ(main->made[0]->opened, QStringList{path});
    EXPECT_TRUE(w->isEmpty());
}

TEST_F(LayoutTest, MenusShowTheRecentFilesStartTheFamilyAndCloseTheProgram)
{
    testing_support::RecordingDesktop desktop;
    const QString quorvane = m_dir.filePath(QStringLiteral("quorvane"));
    writeFile(quorvane, "#!/bin/sh\n");
    ASSERT_TRUE(modRegistryLow::setStringValue(modRegistryLow::Root::LocalMachine,
                                               QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
                                                              "Paths\\Quorvane.exe"),
                                               QString(), quorvane));
    const QString first = writeImpression(QStringLiteral("first"), impression(QStringLiteral("First")));
    const QString second = writeImpression(QStringLiteral("second"), impression(QStringLiteral("Second")));
    CMostRecentlyUsed recent;
    recent.configure(QStringLiteral("Impression"));
    recent.addMostRecent(first);
    recent.addMostRecent(second);

    auto* main = new TestLayoutMain;
    ui::load(*main);
    frmLabelLayout* w = newWindow();
    EXPECT_TRUE(control<QAction>(w, QStringLiteral("mnuWindowGotoquorvane"))->isEnabled());
    EXPECT_FALSE(control<QAction>(w, QStringLiteral("mnuWindowGototessaline"))->isEnabled());
    trigger(w, QStringLiteral("mnuWindowGotoquorvane"));
    ASSERT_EQ(desktop.starts().size(), 1);
    EXPECT_EQ(desktop.starts()[0].program, quorvane);

    EXPECT_FALSE(control<QAction>(w, QStringLiteral("mnuImpMRUSep"))->isVisible());
    w->updateImpressionMRUDisplay();
    w->updateLayoutMRUDisplay();
    EXPECT_TRUE(control<QAction>(w, QStringLiteral("mnuImpMRUSep"))->isVisible());
    EXPECT_EQ(control<QAction>(w, QStringLiteral("mnuImpMRU(0)"))->text(),
              QStringLiteral("&1 ") + recent.getMRUDisplayName(0));
    EXPECT_EQ(control<QAction>(w, QStringLiteral("mnuImpMRU(1)"))->text(),
              QStringLiteral("&2 ") + recent.getMRUDisplayName(1));
    EXPECT_FALSE(control<QAction>(w, QStringLiteral("mnuImpMRU(2)"))->isVisible());
    EXPECT_FALSE(control<QAction>(w, QStringLiteral("mnuLytMRUSep"))->isVisible());
    trigger(w, QStringLiteral("mnuImpMRU(1)"));
    ASSERT_EQ(main->made.size(), 1);
    EXPECT_EQ(main->made[0]->opened, QStringList{first});

    QPointer<frmLabelLayout> alive = w;
    trigger(w, QStringLiteral("mnuFileExit"));
    EXPECT_FALSE(alive && ui::isLoaded(*w));
    EXPECT_FALSE(ui::isLoaded(*main));
}
