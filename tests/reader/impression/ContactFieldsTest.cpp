// The impression window's controls: the contact fields, their labels, frames and tabs, the
// copying to and from a document, the locked fields and their tool tips, the caret rule, F1.
#include "ImpressionFixture.h"

#include "common/modRegistryHigh.h"
#include "reader/LockableComboBox.h"
#include "reader/MultiLineTextBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

namespace {

const QString ReadOnlyTip = QStringLiteral("With Tessaline you can edit this field!");

QString controlName(int slot)
{
    return (slot == 0 ? QStringLiteral("cbo") : QStringLiteral("txt")) + CImpressionDoc::fieldName(slot);
}

// The fields of each contact tab in the order focus walks them.
QList<QStringList> fieldsByTab()
{
    QList<QStringList> tabs(3);
    for (int slot = 0; slot < CImpressionDoc::FieldCount; ++slot) {
        const QString name = CImpressionDoc::fieldName(slot);
        const int tab = name.startsWith(QLatin1String("Nam")) ? 0 : name.startsWith(QLatin1String("Bus")) ? 1 : 2;
        tabs[tab] << controlName(slot);
    }
    return tabs;
}

bool holdsFocus(QWidget* control)
{
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == control || control->isAncestorOf(focus));
}

class ContactFieldsTest : public ImpressionFixture
{
protected:
    void activate(frmImpression* window)
    {
        QApplication::setActiveWindow(m_frame);
        window->bringToFront();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    }
};

} // namespace

TEST_F(ContactFieldsTest, EveryFieldLabelFrameAndTabIsThereInTabOrder)
{
    frmImpression* window = newWindow();
    auto* tabs = control<QTabWidget>(window, QStringLiteral("SSTab1"));
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("&Name"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("&Business"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Ho&me"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("&Image"));

    for (int slot = 0; slot < CImpressionDoc::FieldCount; ++slot) {
        const QString stem = CImpressionDoc::fieldName(slot);
        QWidget* field = control(window, controlName(slot));
        auto* label = control<QLabel>(window, QStringLiteral("lbl") + stem);
        ASSERT_TRUE(field && label);
        EXPECT_EQ(window->fieldControl(slot), field);
        EXPECT_FALSE(label->text().isEmpty()) << stem.toStdString();
        EXPECT_TRUE(label->toolTip().startsWith(QLatin1String("Example"))) << stem.toStdString();
        EXPECT_EQ(field->font().family(), QStringLiteral("Arial")) << stem.toStdString();
        const bool multiLine = stem == QLatin1String("NamNotes") || stem == QLatin1String("BusStreet") ||
                               stem == QLatin1String("HomStreet");
        auto* box = qobject_cast<QPlainTextEdit*>(field);
        EXPECT_EQ(box != nullptr, multiLine) << stem.toStdString();
        if (box)
            EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        // Title to Country of the business block open help topic 1001.
        const bool businessAddress = slot >= CImpressionDoc::slotBusTitle && slot <= CImpressionDoc::slotBusCountry;
        EXPECT_EQ(field->property("HelpContextID").toInt(), businessAddress ? 1001 : 0) << stem.toStdString();
    }
    // A few captions and tool tips as written.
    EXPECT_EQ(control<QLabel>(window, QStringLiteral("lblNamTitle"))->text(), QStringLiteral("Salutation"));
    EXPECT_EQ(control<QLabel>(window, QStringLiteral("lblNamTitle"))->toolTip(), QStringLiteral("Examples: Dr., Mr."));
    EXPECT_EQ(control<QLabel>(window, QStringLiteral("lblNamFormattedName"))->text(), QStringLiteral("Formatted Name"));
    EXPECT_EQ(control<QLabel>(window, QStringLiteral("lblBusExtAddress"))->text(), QStringLiteral("Extended Address"));
    EXPECT_EQ(control<QLabel>(window, QStringLiteral("lblBusPhoneVoice"))->toolTip(),
              QStringLiteral("Examples: 310-555-1234 x666, (310) 555 1234, +1.310.555.1234"));
    EXPECT_EQ(control<QLabel>(window, QStringLiteral("lblBusStreet"))->toolTip(),
              QStringLiteral("Example: Save Face Medical Center, 241 Cut 'n Paste Avenue"));
    EXPECT_EQ(control<QLabel>(window, QStringLiteral("lblHomPOBox"))->text(), QStringLiteral("Box"));
    EXPECT_EQ(control<QLabel>(window, QStringLiteral("lblHomPOBox"))->toolTip(),
              QStringLiteral("Example: P.O. Box 666"));

    // The frames of the business and home tabs, and which fields they hold.
    const QList<QPair<QString, QString>> frames = {
        {QStringLiteral("Location"), QStringLiteral("Street")},
        {QStringLiteral("PostBox"), QStringLiteral("POBox")},
        {QStringLiteral("Telephone"), QStringLiteral("PhoneCell")},
    };
    const QStringList captions = {QStringLiteral("Location"), QStringLiteral("Post Box Address"),
                                  QStringLiteral("Telephone")};
    for (const QString& block : {QStringLiteral("Bus"), QStringLiteral("Hom")}) {
        for (int f = 0; f < frames.size(); ++f) {
            auto* frame = control<QGroupBox>(window, QStringLiteral("fra") + block + frames[f].first);
            ASSERT_TRUE(frame);
            EXPECT_EQ(frame->title(), captions[f]);
            EXPECT_TRUE(frame->isAncestorOf(control(window, QStringLiteral("txt") + block + frames[f].second)));
        }
    }
    EXPECT_FALSE(control<QGroupBox>(window, QStringLiteral("fraBusLocation"))
                     ->isAncestorOf(control(window, QStringLiteral("txtBusCompany"))));

    // The salutation list.
    QStringList titles;
    for (int i = 0; i < window->cboNamTitle->count(); ++i)
        titles << window->cboNamTitle->itemText(i);
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Miss"), QStringLiteral("Mrs."), QStringLiteral("Ms."),
                                   QStringLiteral("Dr."), QStringLiteral("Mr.")}));
    EXPECT_TRUE(window->cboNamTitle->isEditable());

    // The Image tab's lines and the hidden font store.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(control(window, QStringLiteral("txtLabTop(%1)").arg(i)), window->txtLabTop[i]);
        EXPECT_EQ(control(window, QStringLiteral("txtLabBottom(%1)").arg(i)), window->txtLabBottom[i]);
    }
    auto* store = control<QLineEdit>(window, QStringLiteral("txtStoreFontInfoHere"));
    EXPECT_EQ(store->text(), QStringLiteral("txtStoreFontInfoHere"));
    EXPECT_EQ(store->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(store->font().pointSize(), 6);
    EXPECT_TRUE(store->isHidden());

    // Tab walks each contact tab in the order of its fields.
    activate(window);
    const QList<QStringList> order = fieldsByTab();
    for (int tab = 0; tab < 3; ++tab) {
        tabs->setCurrentIndex(tab);
        control(window, order[tab].first())->setFocus(Qt::TabFocusReason);
        for (int i = 1; i < order[tab].size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* expected = control(window, order[tab][i]);
            ASSERT_TRUE(holdsFocus(expected)) << "after " << order[tab][i - 1].toStdString() << " focus is on "
                                              << QApplication::focusWidget()->objectName().toStdString();
        }
    }
}

TEST_F(ContactFieldsTest, ADocumentComesBackByteForByte)
{
    frmImpression* window = newWindow();
    EXPECT_FALSE(window->isDirty());
    const CImpressionDoc doc = fullDocument();
    window->readDoc(doc);
    EXPECT_TRUE(window->isDirty());
    EXPECT_EQ(differences(docOf(*window), doc), QStringList());

    // The salutation shows as written, the multi-line fields show their lines, the font store
    // keeps the name it was given rather than the face it resolves to.
    EXPECT_EQ(window->cboNamTitle->currentText(), QStringLiteral("Prof. Dr."));
    auto* notes = control<QPlainTextEdit>(window, QStringLiteral("txtNamNotes"));
    EXPECT_EQ(notes->document()->blockCount(), 4);
    EXPECT_EQ(window->txtStoreFontInfoHere->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(window->txtStoreFontInfoHere->font().pointSize(), 9);

    // Any line breaks at all, and a font the machine does not have, also come back.
    CImpressionDoc odd = doc;
    odd.setNamNotes(QStringLiteral("lf\nlfcr\n\rcr\rcrlf\r\nend\r\n"));
    odd.setBusStreet(QString());
    odd.setCwFontName(QStringLiteral(" No Such Face; Bold "));
    odd.setCwFontSize(1638);
    window->readDoc(odd);
    EXPECT_EQ(differences(docOf(*window), odd), QStringList());

    // An empty document empties the window.
    window->readDoc(CImpressionDoc());
    EXPECT_EQ(differences(docOf(*window), CImpressionDoc()), QStringList());
}

TEST_F(ContactFieldsTest, LockedFieldsSelectAndCopyButNeverChange)
{
    frmImpression* window = newWindow();
    activate(window);
    window->readDoc(fullDocument());
    window->setCorvelWordsCreated(true);
    const CImpressionDoc before = docOf(*window);

    for (int tab = 0; tab < 4; ++tab) {
        window->SSTab1->setCurrentIndex(tab);
        for (QWidget* box : window->textBoxes()) {
            if (!box->isVisible())
                continue;
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("typed"));
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        }
    }
    // The salutation: no typing, no stepping through the list, no list opening.
    window->SSTab1->setCurrentIndex(0);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QWidget* titleEdit = window->cboNamTitle->lineEdit();
    titleEdit->setFocus();
    QTest::keyClicks(titleEdit, QStringLiteral("Mr"));
    QTest::keyClick(titleEdit, Qt::Key_V, Qt::ControlModifier);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_F4})
        QTest::keyClick(window->cboNamTitle, key);
    QTest::keyClick(window->cboNamTitle, Qt::Key_Down, Qt::AltModifier);
    window->cboNamTitle->showPopup();
    EXPECT_FALSE(window->cboNamTitle->view()->isVisible());
    EXPECT_EQ(differences(docOf(*window), before), QStringList());

    // Selecting and copying still work, in a line, a multi-line field and the salutation
    // (Ctrl+A selects in a text box).
    auto* first = control<QLineEdit>(window, QStringLiteral("txtNamFirst"));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(first, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), before.NamFirst());
    auto* notes = control<QPlainTextEdit>(window, QStringLiteral("txtNamNotes"));
    notes->setFocus();
    QTest::keyClick(notes, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(notes, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("first line\nsecond line\n\nafter a blank line"));
    titleEdit->setFocus();
    QTest::keyClick(titleEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(titleEdit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Prof. Dr."));
    EXPECT_EQ(differences(docOf(*window), before), QStringList());
}

TEST_F(ContactFieldsTest, ToolTipsFollowTheSetting)
{
    frmImpression* window = newWindow();
    auto tipsOfFields = [&] {
        QStringList tips;
        for (QWidget* box : window->textBoxes())
            tips << box->toolTip();
        return tips << window->cboNamTitle->toolTip();
    };
    // Every text box and the salutation say where they can be edited, except the last lines.
    const QStringList loaded = tipsOfFields();
    for (QWidget* box : window->textBoxes()) {
        const bool lastLine = box->objectName().startsWith(QLatin1String("txtLabBottom"));
        EXPECT_EQ(box->toolTip(), lastLine ? QString() : ReadOnlyTip) << box->objectName().toStdString();
        if (lastLine)
            EXPECT_EQ(box->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
    }
    EXPECT_EQ(window->cboNamTitle->toolTip(), ReadOnlyTip);
    auto* label = control<QLabel>(window, QStringLiteral("lblNamMiddle"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("Examples: Elizabeth, Quentin"));

    modRegistryHigh::setToolTips(false);
    window->commitPreferences();
    for (const QString& tip : tipsOfFields())
        EXPECT_TRUE(tip.isEmpty());
    EXPECT_TRUE(label->toolTip().isEmpty());

    modRegistryHigh::setToolTips(true);
    window->commitPreferences();
    EXPECT_EQ(tipsOfFields(), loaded);
    EXPECT_EQ(label->toolTip(), QStringLiteral("Examples: Elizabeth, Quentin"));

    // A window loaded while the setting is off starts without tips.
    modRegistryHigh::setToolTips(false);
    frmImpression* second = newWindow();
    EXPECT_TRUE(second->txtLabTop[0]->toolTip().isEmpty());
    modRegistryHigh::setToolTips(true);
    second->commitPreferences();
    EXPECT_EQ(second->txtLabTop[0]->toolTip(), ReadOnlyTip);
}

TEST_F(ContactFieldsTest, LeavingAFieldPutsItsCaretAtTheStart)
{
    frmImpression* window = newWindow();
    activate(window);
    CImpressionDoc doc = fullDocument();
    doc.setNamFirst(QString(500, u'f') + QStringLiteral("END"));
    window->readDoc(doc);

    auto* first = control<QLineEdit>(window, QStringLiteral("txtNamFirst"));
    first->setFocus();
    first->end(false);
    first->cursorBackward(true, 5);
    ASSERT_TRUE(first->hasSelectedText());
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(first->cursorPosition(), 0);
    EXPECT_FALSE(first->hasSelectedText());

    auto* notes = control<QPlainTextEdit>(window, QStringLiteral("txtNamNotes"));
    notes->setPlainText(QString(60, u'n').append(u'\n').repeated(40));
    notes->setFocus();
    notes->moveCursor(QTextCursor::End);
    ASSERT_GT(notes->verticalScrollBar()->value(), 0);
    QTest::keyClick(notes, Qt::Key_Tab);
    EXPECT_EQ(notes->textCursor().position(), 0);
    EXPECT_FALSE(notes->textCursor().hasSelection());
    EXPECT_EQ(notes->verticalScrollBar()->value(), 0);

    // A line of The Corvel Words too.
    window->SSTab1->setCurrentIndex(3);
    window->txtLabTop[1]->setFocus();
    window->txtLabTop[1]->end(false);
    QTest::keyClick(window->txtLabTop[1], Qt::Key_Tab);
    EXPECT_EQ(window->txtLabTop[1]->cursorPosition(), 0);
}

TEST_F(ContactFieldsTest, F1InABusinessAddressFieldOpensItsTopic)
{
    frmImpression* window = newWindow();
    activate(window);
    window->SSTab1->setCurrentIndex(1);
    for (const QString& name :
         {QStringLiteral("txtBusTitle"), QStringLiteral("txtBusStreet"), QStringLiteral("txtBusCountry")}) {
        QWidget* field = control(window, name);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_F1);
    }
    EXPECT_EQ(m_help.topics(), (QList<int>{1001, 1001, 1001}));
}
