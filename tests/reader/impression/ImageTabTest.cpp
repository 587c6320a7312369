// The Image tab: composing The Corvel Words, the words data file, the preview and its buttons.
#include "ImpressionFixture.h"

#include "WidgetDriver.h"
#include "common/frmGetTSN.h"
#include "platform/print/PictureBox.h"
#include "platform/ui/HelpContext.h"
#include "reader/LockableComboBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString Impression = QStringLiteral("The Corvel Impression™");

// An impression window whose words data file is chosen by the test.
class WordsFileWindow : public frmImpression
{
public:
    static inline QString file;

protected:
    QString wordsDataFile() const override { return file; }
};

class ImageTabTest : public ImpressionFixture
{
protected:
    void SetUp() override
    {
        ImpressionFixture::SetUp();
        WordsFileWindow::file = path(QStringLiteral("missing.dat"));
        frmMDIMain::setImpressionWindowFactory([] { return new WordsFileWindow; });
    }

    static void setName(frmImpression* w, const QString& title, const QString& first, const QString& last,
                        const QString& suffix, const QString& formatted = QString())
    {
        w->cboNamTitle->setEditText(title);
        control<QLineEdit>(w, QStringLiteral("txtNamFirst"))->setText(first);
        control<QLineEdit>(w, QStringLiteral("txtNamLast"))->setText(last);
        control<QLineEdit>(w, QStringLiteral("txtNamSuffix"))->setText(suffix);
        control<QLineEdit>(w, QStringLiteral("txtNamFormattedName"))->setText(formatted);
    }
    // The six lines, each of which shows its start.
    static QStringList lines(const frmImpression* w)
    {
        QStringList all;
        for (const QLineEdit* line : w->txtLabTop)
            all << line->text();
        for (const QLineEdit* line : w->txtLabBottom)
            all << line->text();
        for (const QLineEdit* line : w->findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^txtLab"))))
            EXPECT_EQ(line->cursorPosition(), 0) << line->objectName().toStdString();
        return all;
    }
};

} // namespace

TEST_F(ImageTabTest, FirstLinesAreComposedOnceFromTheNameTab)
{
    frmImpression* w = newWindow();
    EXPECT_EQ(ui::helpContext(w->SSTab1), 1000);
    EXPECT_TRUE(w->txtStoreFontInfoHere->isHidden());
    EXPECT_TRUE(w->cmdFont[0]->isHidden());
    EXPECT_FALSE(w->cmdFont[1]->isHidden());

    setName(w, QStringLiteral("Dr."), QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("MD"));
    control<QLineEdit>(w, QStringLiteral("txtBusCompany"))->setText(QStringLiteral("Lee Clinic"));
    control<QLineEdit>(w, QStringLiteral("txtNamEmail"))->setText(QStringLiteral("ann@lee.example"));
    w->SSTab1->setCurrentIndex(3);
    EXPECT_EQ(ui::helpContext(w->SSTab1), 1003);
    EXPECT_EQ(lines(w).mid(0, 3), (QStringList{Impression + QStringLiteral(" for Dr. Ann Lee, MD"),
                                               QStringLiteral("Lee Clinic"), QStringLiteral("ann@lee.example")}));
    EXPECT_TRUE(w->getCorvelWordsCreated());

    // A second visit composes nothing: the name changed meanwhile stays out of the words.
    w->SSTab1->setCurrentIndex(0);
    EXPECT_EQ(ui::helpContext(w->SSTab1), 1000);
    setName(w, QStringLiteral("   "), QStringLiteral("Ann"), QStringLiteral("Lee"), QString());
    w->SSTab1->setCurrentIndex(3);
    EXPECT_EQ(w->txtLabTop[0]->text(), Impression + QStringLiteral(" for Dr. Ann Lee, MD"));

    // A blank salutation is skipped, a suffix alone stands alone, the formatted name wins.
    EXPECT_EQ(w->getShortName(), QStringLiteral("Ann Lee"));
    setName(w, QString(), QString(), QString(), QStringLiteral("MD"));
    EXPECT_EQ(w->getShortName(), QStringLiteral("MD"));
    setName(w, QStringLiteral("Dr."), QStringLiteral("Ann"), QString(), QString(), QStringLiteral("  A. Lee  "));
    EXPECT_EQ(w->getShortName(), QStringLiteral("A. Lee"));

    // Cleared, the next visit composes again; with no name the line has nothing after it.
    w->SSTab1->setCurrentIndex(0);
    w->getImportableImpression();
    w->SSTab1->setCurrentIndex(3);
    EXPECT_EQ(w->txtLabTop[0]->text(), Impression);
}

TEST_F(ImageTabTest, LastLinesComeFromTheWordsFileOrAreBuiltIn)
{
    frmImpression* w = newWindow();
    const QString vCard = makeFile(QStringLiteral("contact.vcf"), "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\n"
                                                                  "FN:Ann Lee\r\nEND:VCARD\r\n");
    // No words file: the built-in lines.
    w->importContactFromVCardFile(vCard);
    EXPECT_EQ(lines(w).mid(3),
              (QStringList{QStringLiteral("Scan this digital business card with Tessaline™ or Quorvane™, version 1.5 "
                                          "or later"),
                           QStringLiteral("Import names and addresses, without typing, into your favorite contact "
                                          "manager"),
                           QStringLiteral("Download Quorvane™ for free from https://www.tessaline.com/")}));
    EXPECT_FALSE(w->getCorvelWordsCreated());

    // The program's own words file says the same.
    const QStringList builtIn = lines(w).mid(3);
    for (QLineEdit* line : w->txtLabBottom)
        line->clear();
    WordsFileWindow::file = QCoreApplication::applicationDirPath() + QStringLiteral("/tsncw.dat");
    w->importContactFromVCardFile(vCard);
    EXPECT_EQ(lines(w).mid(3), builtIn);

    // A words file with the three properties empty gives three empty lines.
    WordsFileWindow::file =
        makeFile(QStringLiteral("empty.dat"), "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:x\r\nEND:VCARD\r\n");
    w->importContactFromVCardFile(vCard);
    EXPECT_EQ(lines(w).mid(3), (QStringList{QString(), QString(), QString()}));
}

TEST_F(ImageTabTest, PreviewShowsTheSymbolOfTheWindowWithItsWords)
{
    frmImpression* w = newWindow();
    w->readDoc(cardDocument(QStringLiteral("Preview")));
    w->setCorvelWordsCreated(true);
    w->SSTab1->setCurrentIndex(3);
    EXPECT_EQ(w->SSTab1->currentIndex(), 3);
    // The preview shows the symbol made for it (too fine at screen resolution to decode).
    CImpressionDoc shown;
    ASSERT_TRUE(decodePicture(QImage(workFile(QStringLiteral("tmpsymbol.bmp"))), shown));
    EXPECT_EQ(differences(shown, cardDocument(QStringLiteral("Preview"))), QStringList());
    const QImage picture = w->picPreview->target().image();
    EXPECT_NE(picture.pixelColor(picture.width() / 2, picture.height() / 2), picture.pixelColor(2, 2));

    // A line that loses the focus redraws the preview.
    w->txtLabTop[0]->setText(QStringLiteral("changed words"));
    w->txtLabTop[0]->setFocus();
    w->txtLabTop[1]->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(decodePicture(QImage(workFile(QStringLiteral("tmpsymbol.bmp"))), shown));
    EXPECT_EQ(shown.CwLines(0), QStringLiteral("changed words"));

    // Too large for a symbol even without its words: the substitute picture, no message.
    control<QLineEdit>(w, QStringLiteral("txtNamURL"))->setText(QString(6000, u'u'));
    w->updateScreen();
    EXPECT_EQ(w->SSTab1->currentIndex(), 3);
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(ImageTabTest, ButtonsShowTheFullProgramNotice)
{
    frmImpression* w = newWindow();
    w->SSTab1->setCurrentIndex(3);
    const QList<std::pair<QPushButton*, QString>> buttons = {
        {w->cmdFont[1], QStringLiteral("Font Editing for The Corvel Words")},
        {w->cmdFontDefault[1], QStringLiteral("Font Editing for The Corvel Words")},
        {w->cmdUseDefaultsFirst[1], QStringLiteral("Use Default Corvel Words")},
        {w->cmdUseDefaultsLast[1], QStringLiteral("Use Default Corvel Words")},
        {w->cmdMakeBMP[1], QStringLiteral("Export Bitmap")},
        {w->cmdUpdate[1], QStringLiteral("Update Impression Image Preview")},
    };
    QList<int> expectedTopics;
    for (const auto& [button, caption] : buttons) {
        m_modals.then([caption](ui::Form& form) {
            auto& notice = dynamic_cast<frmGetTSN&>(form);
            EXPECT_EQ(notice.Label1[0]->text(), caption);
            testing_support::click(&notice, QStringLiteral("cmdHelp"));
            testing_support::click(&notice, QStringLiteral("cmdClose"));
        });
        button->click();
        expectedTopics << ui::helpContext(button);
    }
    EXPECT_EQ(expectedTopics, (QList<int>{1003, 1003, 1003, 1003, 67, 1003}));
    EXPECT_EQ(m_help.topics(), expectedTopics);
    EXPECT_EQ(w->cmdUpdate[1]->toolTip(), QStringLiteral("Preview"));
}
