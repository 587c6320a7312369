#include "layout/frmFont.h"

#include "QtPrinters.h"
#include "ScriptedForms.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using testing_support::ScriptedForms;

namespace {

// A one-glyph bitmap font in BDF, the text form of a bitmap font, so that the system has a
// family that cannot be scaled smoothly.
QString writeBitmapFont(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("blocky.bdf"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("STARTFONT 2.1\n"
            "FONT -test-Blocky Bitmap-medium-r-normal--8-80-75-75-c-80-iso10646-1\n"
            "SIZE 8 75 75\n"
            "FONTBOUNDINGBOX 8 8 0 0\n"
            "STARTPROPERTIES 3\n"
            "FAMILY_NAME \"Blocky Bitmap\"\n"
            "FONT_ASCENT 8\n"
            "FONT_DESCENT 0\n"
            "ENDPROPERTIES\n"
            "CHARS 1\n"
            "STARTCHAR A\n"
            "ENCODING 65\n"
            "SWIDTH 500 0\n"
            "DWIDTH 8 0\n"
            "BBX 8 8 0 0\n"
            "BITMAP\n"
            "FF\n81\n81\n81\n81\n81\n81\nFF\n"
            "ENDCHAR\n"
            "ENDFONT\n");
    return path;
}

QStringList items(const QComboBox& combo)
{
    QStringList list;
    for (int i = 0; i < combo.count(); ++i)
        list << combo.itemText(i);
    return list;
}

// Types into an editable combo box as the user would.
void type(QComboBox& combo, const QString& text)
{
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), text);
}

} // namespace

TEST(FontChooser, ListsScalableFamiliesOnceAndKeepsWhatIsTyped)
{
    QTemporaryDir dir;
    const int bitmapFont = QFontDatabase::addApplicationFont(writeBitmapFont(dir));
    ASSERT_GE(bitmapFont, 0);
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("Blocky Bitmap")));

    auto* dialog = new frmFont;
    ui::load(*dialog);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Font"));
    EXPECT_TRUE(dialog->wasCancelPressed());
    const QStringList families = items(*dialog->cboFont);
    EXPECT_EQ(families.count(QStringLiteral("Liberation Sans")), 1);
    EXPECT_EQ(families.count(QStringLiteral("DejaVu Sans")), 1);
    EXPECT_FALSE(families.contains(QStringLiteral("Blocky Bitmap")));
    EXPECT_EQ(QSet<QString>(families.begin(), families.end()).size(), families.size());
    EXPECT_EQ(items(*dialog->cboSize),
              (QStringList{"4", "5", "6", "7", "8", "9", "10", "11", "12", "14", "16", "18", "20"}));

    // A family that is not listed ("Arial" is only an alias here) stays as it was given.
    dialog->setFontName(QStringLiteral("Arial"));
    EXPECT_EQ(dialog->getFontName(), QStringLiteral("Arial"));
    EXPECT_EQ(dialog->cboFont->count(), families.size());

    dialog->setFontSize(QStringLiteral("6"));
    EXPECT_EQ(dialog->cboSize->currentText(), QStringLiteral("6"));
    dialog->setFontSize(QStringLiteral("6.5"));
    EXPECT_EQ(dialog->getFontSize(), QStringLiteral("6"));
    dialog->setFontSize(QStringLiteral("7.5"));
    EXPECT_EQ(dialog->getFontSize(), QStringLiteral("8"));
    type(*dialog->cboSize, QStringLiteral("9.5"));
    EXPECT_EQ(dialog->getFontSize(), QStringLiteral("9.5"));
    type(*dialog->cboSize, QStringLiteral("abc"));
    EXPECT_EQ(dialog->getFontSize(), QStringLiteral("0"));
    dialog->setFontSize(QStringLiteral("abc"));
    EXPECT_EQ(dialog->cboSize->currentText(), QStringLiteral("0"));
    ui::unload(*dialog);
    QFontDatabase::removeApplicationFont(bitmapFont);
}

TEST(FontChooser, OkAcceptsWhileCancelAndTheCloseBoxCancel)
{
    const auto choose = [](const std::function<void(frmFont&)>& step) {
        ScriptedForms forms;
        forms.then([&](ui::Form& form) { step(dynamic_cast<frmFont&>(form)); });
        auto* dialog = new frmFont;
        ui::load(*dialog);
        dialog->setFontName(QStringLiteral("Liberation Serif"));
        dialog->setFontSize(QStringLiteral("6"));
        ui::showModal(*dialog);
        EXPECT_TRUE(ui::isLoaded(*dialog)); // the caller reads it before unloading it
        const bool cancelled = dialog->wasCancelPressed();
        ui::unload(*dialog);
        return cancelled;
    };
    EXPECT_FALSE(choose([](frmFont& f) {
        type(*f.cboSize, QStringLiteral("12"));
        f.cmdOK->click();
        EXPECT_EQ(f.getFontSize(), QStringLiteral("12"));
    }));
    EXPECT_TRUE(choose([](frmFont& f) { f.cmdCancel->click(); }));
    EXPECT_TRUE(choose([](frmFont& f) {
        f.cmdOK->click(); // an earlier OK does not outlive a later close
        f.show();
        f.close();
    }));
}
