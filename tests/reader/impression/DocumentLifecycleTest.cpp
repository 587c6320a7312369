// The impression window's life: loading and counting, captions, opening files of every
// version, the already-open check, Save and Save As with their questions, activation, drops.
#include "ImpressionFixture.h"

#include "common/CMostRecentlyUsed.h"
#include "common/MainHelper.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"
#include "reader/MultiLineTextBox.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

namespace {

const QString OlderMessage = QStringLiteral("This impression was saved from\ra previous version of Tessaline.");
const QString NewerMessage = QStringLiteral("This impression was saved from\ra newer version of Tessaline.");
const QString NewerSaveQuestion =
    QStringLiteral("Changes made to this newer impression can only\rbe saved in the current Tessaline 1.5 format.");
const QString SecondConversionQuestion =
    QStringLiteral("Save in converted format using the existing lines of The Corvel Words?");

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A window whose load fails after it was numbered, as when the frame's list of recent files
// cannot be read.
class FailingLoadWindow : public frmImpression
{
protected:
    void attachRecentlyUsed() override { throw vb::Error(5, QStringLiteral("test"), QStringLiteral("no list")); }
};

class DocumentLifecycleTest : public ImpressionFixture
{
protected:
    // Opens a file into a new window; the messages it shows must have been scripted.
    frmImpression* open(const QString& file)
    {
        frmImpression* window = newWindow();
        window->openImpression(file);
        return window;
    }
    QStringList captions() const
    {
        QStringList all;
        for (frmImpression* w : windows())
            all << w->windowTitle();
        return all;
    }
    frmImpression* topmost() const { return dynamic_cast<frmImpression*>(m_frame->topmostImpressionWindow()); }
};

} // namespace

TEST_F(DocumentLifecycleTest, UntitledNumbersCountsAndEmptiness)
{
    const qint16 base = frmImpression::untitledImpressionCount();
    ASSERT_EQ(frmImpression::openImpressionCount(), 0);

    // A window made and never loaded changes neither counter.
    delete new frmImpression;
    EXPECT_EQ(frmImpression::untitledImpressionCount(), base);
    EXPECT_EQ(frmImpression::openImpressionCount(), 0);

    frmImpression* one = newWindow();
    EXPECT_TRUE(one->isEmpty());
    // Only the name fields, the company and the title count: an address leaves it empty (the
    // text is put in without the Change that would mark the window changed).
    auto setQuietly = [](QWidget* control, const QString& text) {
        const QSignalBlocker quiet(control);
        if (auto* line = qobject_cast<QLineEdit*>(control))
            line->setText(text);
        else
            static_cast<MultiLineTextBox*>(control)->setText(text);
    };
    setQuietly(one->fieldControl(CImpressionDoc::slotBusStreet), QStringLiteral("241 Main Street\r\nSuite 5"));
    setQuietly(one->fieldControl(CImpressionDoc::slotHomCity), QStringLiteral("Tinseltown"));
    setQuietly(one->fieldControl(CImpressionDoc::slotBusPOBox), QStringLiteral("P.O. Box 9"));
    EXPECT_TRUE(one->isEmpty());
    setQuietly(one->fieldControl(CImpressionDoc::slotBusTitle), QStringLiteral("CEO"));
    EXPECT_FALSE(one->isEmpty()) << "the title counts";
    static_cast<QLineEdit*>(one->fieldControl(CImpressionDoc::slotBusTitle))->setText(QString());
    EXPECT_TRUE(one->isDirty());
    EXPECT_FALSE(one->isEmpty()) << "changed";

    frmImpression* two = newWindow();
    frmImpression* three = newWindow();
    EXPECT_FALSE(two->isEmpty()) << "with more than one window none is empty";
    EXPECT_EQ(captions(), (QStringList{QStringLiteral("Untitled%1.imf (Read-only) ").arg(base + 1),
                                       QStringLiteral("Untitled%1.imf (Read-only) ").arg(base + 2),
                                       QStringLiteral("Untitled%1.imf (Read-only) ").arg(base + 3)}));
    EXPECT_EQ(frmImpression::openImpressionCount(), 3);

    // Closing Untitled2 does not free its number.
    ui::unload(*two);
    settle();
    EXPECT_EQ(frmImpression::openImpressionCount(), 2);
    frmImpression* four = newWindow();
    EXPECT_EQ(four->windowTitle(), QStringLiteral("Untitled%1.imf (Read-only) ").arg(base + 4));

    // The frame's topmost reference does not outlive the window: the window active before
    // takes it over.
    EXPECT_EQ(topmost(), four);
    ui::unload(*four);
    EXPECT_EQ(topmost(), three);

    // Many windows made and closed, by code and by their close box, leave the count at 0.
    for (int i = 0; i < 30; ++i) {
        frmImpression* w = newWindow();
        if (i % 2)
            ui::unload(*w);
        else
            w->close();
    }
    ui::unload(*one);
    ui::unload(*three);
    settle();
    EXPECT_EQ(frmImpression::openImpressionCount(), 0);
    EXPECT_EQ(frmImpression::untitledImpressionCount(), base + 34);
    EXPECT_TRUE(windows().isEmpty());
    EXPECT_EQ(m_frame->topmostImpressionWindow(), nullptr);

    // A load that fails after the window was numbered gives its count back: the one window loaded
    // afterwards takes the next number, and a file handed over goes into it.
    frmImpression* failed = nullptr;
    frmMDIMain::setImpressionWindowFactory([&failed] { return failed = new FailingLoadWindow; });
    EXPECT_THROW(m_frame->openNewImpressionWindow(), vb::Error);
    delete failed;
    frmMDIMain::setImpressionWindowFactory([] { return new frmImpression; });
    EXPECT_EQ(frmImpression::openImpressionCount(), 0);
    frmImpression* last = newWindow();
    EXPECT_EQ(last->windowTitle(), QStringLiteral("Untitled%1.imf (Read-only) ").arg(base + 36));
    const QString file = writeImpression(QStringLiteral("handed.imf"), cardDocument(QStringLiteral("Ann")));
    m_frame->openFile(file);
    EXPECT_EQ(windows(), QList<frmImpression*>{last});
    EXPECT_EQ(last->getFileName(), file);
}

TEST_F(DocumentLifecycleTest, FilesOfEveryVersionOpenWithTheirMessages)
{
    CImpressionDoc doc = fullDocument();
    doc.setNamFirst(QString(300, u'f'));
    struct Case
    {
        int version;
        QString message;
        bool older;
        bool newer;
    };
    const QList<Case> cases = {
        {1, OlderMessage, true, false},
        {2, OlderMessage, true, false},
        {3, QString(), false, false},
        {4, NewerMessage, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const QString file = writeImpression(QStringLiteral("v%1/card %1.imf").arg(c.version), doc, c.version);
        if (!c.message.isEmpty())
            m_messages.ok();
        frmImpression* window = open(file);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(m_messages.last().text, c.message);
            EXPECT_EQ(m_messages.last().icon, ui::Icon::Information);
        }
        m_messages.clear();
        EXPECT_EQ(window->getIsOldVersion(), c.older);
        EXPECT_EQ(window->getIsNewerVersion(), c.newer);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("card %1.imf (Read-only) ").arg(c.version));
        EXPECT_EQ(window->getFileName(), file);
        EXPECT_FALSE(window->isDirty());
        EXPECT_TRUE(window->getCorvelWordsCreated());
        EXPECT_EQ(differences(docOf(*window), doc), QStringList());
        // First in the recently-used list and in the frame's menu.
        EXPECT_EQ(m_frame->getImpressionMRU().getMRUFileName(0), file);
        EXPECT_EQ(m_frame->mnuImpMRU[0]->text(),
                  QStringLiteral("&1 ") + m_frame->getImpressionMRU().getMRUDisplayName(0));
        EXPECT_TRUE(m_frame->mnuImpMRU[0]->isVisible());
        // Every caret at the start.
        for (QWidget* box : window->textBoxes()) {
            if (auto* line = qobject_cast<QLineEdit*>(box))
                EXPECT_EQ(line->cursorPosition(), 0) << box->objectName().toStdString();
            else if (auto* multi = qobject_cast<QPlainTextEdit*>(box))
                EXPECT_EQ(multi->textCursor().position(), 0) << box->objectName().toStdString();
        }
        // A later open of a current file resets the flags.
        if (c.version != 3) {
            const QString current = writeImpression(QStringLiteral("v%1/current.imf").arg(c.version), doc);
            frmImpression* again = newWindow();
            again->SetAsOldVersion(true);
            again->SetAsNewerVersion(true);
            again->openImpression(current);
            EXPECT_FALSE(again->getIsOldVersion());
            EXPECT_FALSE(again->getIsNewerVersion());
        }
    }
}

TEST_F(DocumentLifecycleTest, AnUnreadableFileLeavesTheWindowAsItWas)
{
    frmImpression* window = open(writeImpression(QStringLiteral("good.imf"), fullDocument()));
    const QString caption = window->windowTitle();
    const CImpressionDoc before = docOf(*window);
    const QStringList bad = {
        makeFile(QStringLiteral("junk.imf"), QByteArray("\x89PNG not a card\0\xff\xfe", 18)),
        makeFile(QStringLiteral("other.imf"), "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:x\r\nEND:VCARD\r\n"),
        path(QStringLiteral("missing.imf")),
        path(QStringLiteral("folder.imf")),
    };
    QDir().mkpath(bad.last());
    for (const QString& file : bad) {
        m_messages.ok();
        window->openImpression(file);
        EXPECT_EQ(m_messages.last().text, QStringLiteral("Unable to read\r") + file);
        EXPECT_EQ(m_messages.last().icon, ui::Icon::Exclamation);
        EXPECT_EQ(window->windowTitle(), caption);
        EXPECT_EQ(window->getFileName(), path(QStringLiteral("good.imf")));
        EXPECT_EQ(differences(docOf(*window), before), QStringList());
        EXPECT_FALSE(window->isDirty());
    }
    EXPECT_EQ(m_frame->getImpressionMRU().getMRUFileName(0), path(QStringLiteral("good.imf")));
}

TEST_F(DocumentLifecycleTest, TheSameFileReachedAnotherWayIsFoundOpen)
{
    const QString file = writeImpression(QStringLiteral("dir/Card.imf"), fullDocument());
    frmImpression* first = open(file);
    frmImpression* other = newWindow();
    ASSERT_EQ(topmost(), other);

    const QStringList ways = {
        path(QStringLiteral("link.imf")),
        path(QStringLiteral("dir/../dir/./Card.imf")),
        path(QStringLiteral("dirlink/Card.imf")),
    };
    ASSERT_TRUE(QFile::link(file, ways[0]));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("dir")), path(QStringLiteral("dirlink"))));
    for (const QString& way : ways) {
        SCOPED_TRACE(way.toStdString());
        // The frame routes it to a new window, which closes again; the first comes forward.
        m_messages.ok();
        m_frame->openFile(way);
        settle();
        EXPECT_EQ(m_messages.last().text, way + QStringLiteral(" is already open."));
        EXPECT_EQ(m_messages.last().icon, ui::Icon::Information);
        EXPECT_EQ(windows(), (QList<frmImpression*>{first, other}));
        EXPECT_EQ(topmost(), first);
        EXPECT_EQ(frmImpression::openImpressionCount(), 2);
        other->bringToFront();
    }

    // Another letter case is another file.
    const QString lower = writeImpression(QStringLiteral("dir/card.imf"), CImpressionDoc());
    m_frame->openFile(lower);
    settle();
    ASSERT_EQ(windows().size(), 3);
    EXPECT_EQ(windows().last()->getFileName(), lower);

    // The empty start-up window that was to take an open file closes too.
    ui::unload(*first);
    ui::unload(*other);
    ui::unload(*windows().last());
    settle();
    frmImpression* holder = open(file);
    frmImpression* empty = newWindow();
    ui::unload(*holder);
    settle();
    ASSERT_TRUE(empty->isEmpty());
    holder = open(file);
    m_messages.ok();
    empty->openImpression(path(QStringLiteral("dir/../dir/Card.imf")));
    settle();
    EXPECT_EQ(windows(), QList<frmImpression*>{holder});
}

TEST_F(DocumentLifecycleTest, SaveWritesTheWindowAndSaveAsAsksForTheFile)
{
    frmImpression* window = newWindow();
    CImpressionDoc doc = fullDocument();
    doc.setNamLast(QStringLiteral("O:Brien/\"Jr\"*?<>|\\"));
    window->readDoc(doc);
    window->setCorvelWordsCreated(true);
    EXPECT_EQ(window->suggestFileName(), QStringLiteral("OBrienJr"));

    // Untitled, Save is Save As; a cancelled prompt writes nothing.
    m_dialogs.cancel();
    EXPECT_FALSE(window->saveImpression());
    ASSERT_EQ(m_dialogs.requests().size(), 1);
    EXPECT_EQ(m_dialogs.requests()[0].file.fileName, QStringLiteral("OBrienJr"));
    EXPECT_TRUE(window->isDirty());
    EXPECT_TRUE(QDir(path(QString())).entryList(QDir::Files).isEmpty());

    const QString file = path(QStringLiteral("saved/OBrien.imf"));
    QDir().mkpath(path(QStringLiteral("saved")));
    m_dialogs.answerFile(file);
    EXPECT_TRUE(window->saveImpression());
    EXPECT_EQ(differences(readBack(file), doc), QStringList());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("OBrien.imf (Read-only) "));
    EXPECT_FALSE(window->isDirty());
    EXPECT_EQ(m_frame->getImpressionMRU().getMRUFileName(0), file);
    // Written through a temporary file beside it, which is gone again.
    EXPECT_EQ(QDir(path(QStringLiteral("saved"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("OBrien.imf")});
    EXPECT_EQ(window->suggestFileName(), path(QStringLiteral("saved/OBrien")));

    // Titled, Save writes to the same file without asking.
    window->txtLabTop[0]->setText(QStringLiteral("changed line"));
    EXPECT_TRUE(window->saveImpression());
    EXPECT_EQ(readBack(file).CwLines(0), QStringLiteral("changed line"));
    EXPECT_EQ(m_dialogs.requests().size(), 2);

    // Save As offers the window's file and writes the chosen one.
    const QString copy = path(QStringLiteral("saved/copy.imf"));
    m_dialogs.answerFile(copy);
    EXPECT_TRUE(window->saveImpressionAs());
    EXPECT_EQ(m_dialogs.requests().last().file.fileName, file);
    EXPECT_EQ(window->getFileName(), copy);
    EXPECT_EQ(differences(readBack(copy), readBack(file)), QStringList());

    // A formatted name stands in for a missing last name; untitled Save As composes the
    // first lines of The Corvel Words when they are missing.
    frmImpression* second = newWindow();
    CImpressionDoc named;
    named.setNamFormattedName(QStringLiteral("Ann Lee: MD"));
    second->readDoc(named);
    m_dialogs.answerFile(path(QStringLiteral("saved/ann.imf")));
    EXPECT_TRUE(second->saveImpressionAs());
    EXPECT_EQ(m_dialogs.requests().last().file.fileName, QStringLiteral("Ann Lee MD"));
    EXPECT_EQ(readBack(path(QStringLiteral("saved/ann.imf"))).CwLines(0),
              QStringLiteral("The Corvel Impression™ for Ann Lee: MD"));
}

TEST_F(DocumentLifecycleTest, ANewerImpressionAsksAtEverySave)
{
    const QString file = writeImpression(QStringLiteral("newer.imf"), fullDocument(), 4);
    m_messages.ok();
    frmImpression* window = open(file);
    const QByteArray original = bytesOf(file);

    m_messages.answer(ui::Answer::Cancel);
    EXPECT_FALSE(window->saveImpression());
    EXPECT_EQ(m_messages.last().text, NewerSaveQuestion);
    EXPECT_EQ(m_messages.last().buttons, ui::Buttons::OkCancel);
    EXPECT_EQ(bytesOf(file), original);

    m_messages.answer(ui::Answer::Ok);
    EXPECT_TRUE(window->saveImpression());
    EXPECT_NE(bytesOf(file), original);
    EXPECT_EQ(differences(readBack(file), fullDocument()), QStringList());
    EXPECT_EQ(readBack(file).FileVersion(), 3);

    m_messages.clear();
    m_messages.answer(ui::Answer::Ok);
    EXPECT_TRUE(window->saveImpression());
    EXPECT_EQ(m_messages.texts(), QStringList{NewerSaveQuestion});

    // Save As asks the same, and Cancel there writes nothing either.
    m_messages.answer(ui::Answer::Cancel);
    EXPECT_FALSE(window->saveImpressionAs());
    EXPECT_EQ(m_dialogs.requests().size(), 0);
}

TEST_F(DocumentLifecycleTest, AnOlderImpressionAsksToConvertItsWords)
{
    CImpressionDoc doc = fullDocument();
    const QString file = writeImpression(QStringLiteral("older.imf"), doc, 2);
    m_messages.ok();
    frmImpression* window = open(file);
    const QByteArray original = bytesOf(file);
    const std::array<QString, 3> oldLines = {doc.CwLines(3), doc.CwLines(4), doc.CwLines(5)};

    // No, then No: nothing is written; the old lines and the unchanged state come back.
    m_messages.answer(ui::Answer::No).answer(ui::Answer::No);
    EXPECT_FALSE(window->saveImpression());
    ASSERT_EQ(m_messages.shown().size(), 3);
    EXPECT_TRUE(m_messages.shown()[1].text.startsWith(QLatin1String("Save will convert this impression to the "
                                                                    "latest format.\r\r'Yes' (recommended)")));
    EXPECT_TRUE(m_messages.shown()[1].text.contains(QLatin1String("stating that version 1.5 or later is needed")));
    EXPECT_EQ(m_messages.shown()[1].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(m_messages.shown()[1].icon, ui::Icon::Question);
    EXPECT_EQ(m_messages.shown()[2].text, SecondConversionQuestion);
    EXPECT_EQ(window->SSTab1->currentIndex(), 3) << "the question shows the Image tab";
    EXPECT_EQ(bytesOf(file), original);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window->txtLabBottom[i]->text(), oldLines[i]);
    EXPECT_FALSE(window->isDirty());
    EXPECT_TRUE(window->getIsOldVersion());

    // No, then Yes: saved in the current format with the old lines.
    m_messages.answer(ui::Answer::No).answer(ui::Answer::Yes);
    EXPECT_TRUE(window->saveImpression());
    EXPECT_EQ(differences(readBack(file), doc), QStringList());
    EXPECT_EQ(readBack(file).FileVersion(), 3);
    EXPECT_FALSE(window->getIsOldVersion());

    // Yes: the default last lines are saved.
    m_messages.ok();
    frmImpression* second = open(writeImpression(QStringLiteral("older2.imf"), doc, 1));
    m_messages.clear();
    m_messages.answer(ui::Answer::Yes);
    const QString target = path(QStringLiteral("older2.imf"));
    EXPECT_TRUE(second->saveImpression());
    const CImpressionDoc saved = readBack(target);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(saved.CwLines(i + 3), second->txtLabBottom[i]->text());
        EXPECT_NE(saved.CwLines(i + 3), oldLines[i]);
    }
    if (!QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/tsncw.dat")))
        EXPECT_EQ(saved.CwLines(3),
                  QStringLiteral("Scan this digital business card with Tessaline™ or Quorvane™, version 1.5 or later"));
}

TEST_F(DocumentLifecycleTest, TheActiveWindowIsTopmostAndDropsOpenThroughTheFrame)
{
    frmImpression* a = newWindow();
    frmImpression* b = newWindow();
    frmImpression* c = newWindow();
    EXPECT_EQ(topmost(), c);
    for (frmImpression* w : {a, c, b, a}) {
        w->bringToFront();
        EXPECT_EQ(topmost(), w);
    }
    // A message box or a modal form of ours deactivates no window.
    m_messages.ok();
    ui::msgBox(QStringLiteral("a message"));
    EXPECT_EQ(topmost(), a);
    struct ModalForm : QDialog, ui::Form
    {
    };
    frmImpression* during = nullptr;
    m_modals.then([&](ui::Form& form) {
        during = topmost();
        ui::unload(form);
    });
    ui::showModal(*new ModalForm);
    EXPECT_EQ(during, a);
    EXPECT_EQ(topmost(), a);

    // An impression file dropped on a window opens in a new one.
    const QString file = writeImpression(QStringLiteral("dropped.imf"), fullDocument());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &drop);
    QApplication::processEvents();
    ASSERT_EQ(windows().size(), 4);
    EXPECT_EQ(windows().last()->getFileName(), file);
    EXPECT_EQ(topmost(), windows().last());

    // Other files are not taken.
    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(makeFile(QStringLiteral("notes.txt")))});
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(DocumentLifecycleTest, ClearingEmptiesTheWindowButKeepsTheNewerFlag)
{
    m_messages.ok();
    frmImpression* window = open(writeImpression(QStringLiteral("newer.imf"), fullDocument(), 4));
    IImpressionWindow* target = window->getImportableImpression();
    EXPECT_NE(target, window) << "a window that shows a file is never overwritten";
    auto* fresh = dynamic_cast<frmImpression*>(target);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(windows().size(), 2);

    // An untitled window is cleared and reused.
    fresh->readDoc(fullDocument());
    fresh->SetAsNewerVersion(true);
    fresh->SetAsOldVersion(true);
    fresh->setCorvelWordsCreated(true);
    EXPECT_EQ(fresh->getImportableImpression(), fresh);
    EXPECT_EQ(differences(docOf(*fresh),
                          [] {
                              CImpressionDoc cleared;
                              cleared.setCwFontName(QStringLiteral("Arial"));
                              cleared.setCwFontSize(9); // the font is not part of the clearing
                              return cleared;
                          }()),
              QStringList());
    EXPECT_FALSE(fresh->isDirty());
    EXPECT_FALSE(fresh->getIsOldVersion());
    EXPECT_TRUE(fresh->getIsNewerVersion());
    EXPECT_FALSE(fresh->getCorvelWordsCreated());
    EXPECT_TRUE(fresh->windowTitle().startsWith(QLatin1String("Untitled")));
}
