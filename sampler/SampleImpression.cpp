#include "sampler/SampleImpression.h"

#include "capture/modPrinterRoutines.h"
#include "common/CStoredToolTips.h"
#include "common/FamilyMenus.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "layout/frmFont.h"
#include "layout/frmLabelLayout.h"
#include "model/CImpressionDoc.h"
#include "model/modVCard.h"
#include "platform/print/PictureBox.h"
#include "platform/ui/Beeper.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Controls.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"
#include "platform/vcard/VCardLibrary.h"
#include "reader/LockableComboBox.h"
#include "reader/MultiLineTextBox.h"
#include "sampler/SampleMDIMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString WordsDataFile = QStringLiteral("bmkcw.dat");
// The vCard indices of the six lines in the words data file.
constexpr int FirstWordsIndex = 47;
constexpr qint32 ScanHelp = 61;
const QString DefaultWordsFont = QStringLiteral("Arial");
constexpr int DefaultWordsSize = 6;

// Where the preview draws the card, in twips.
constexpr int PreviewLeft = 90;
constexpr int PreviewTop = 90;
constexpr int PreviewWidth = 4680;
constexpr int PreviewHeight = 2513;

const QString LineTip = QStringLiteral("With Tessaline you can edit this field!");
const QString LongerTip = QStringLiteral("With Tessaline you can enter more than thirty-two characters in this field!");
const QString GreyedTip = QStringLiteral("With Tessaline you can enter and edit data in this field!");

// The sample contact.
const QString SampleName = QStringLiteral("Elspeth Varney");
const QString SampleCompany = QStringLiteral("Varney & Holt Stationers");
const QString SampleEmail = QStringLiteral("elspeth@varneyholt.example");

QString& programFolderOverride()
{
    static QString folder;
    return folder;
}

} // namespace

SampleImpression::SampleImpression(QWidget* parent) : frmImpression(parent)
{
    // An edit is told (textEdited) before the text is known as changed (textChanged), so the
    // text kept at each change is the text before the edit when the limit looks at it. It is
    // read from the field: after a cut the change is still told with the text before the cut.
    for (QLineEdit* field : editableFields()) {
        m_textsBeforeEdit[field] = field->text();
        ui::connect(field, &QLineEdit::textEdited, this, [this, field] { limitEdit(field); });
        ui::connect(field, &QLineEdit::textChanged, this, [this, field] { m_textsBeforeEdit[field] = field->text(); });
    }
}

SampleImpression::~SampleImpression() = default;

QString SampleImpression::programFolder()
{
    const QString& folder = programFolderOverride();
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void SampleImpression::setProgramFolder(const QString& strFolder)
{
    programFolderOverride() = strFolder;
}

// --- Controls

QList<QLineEdit*> SampleImpression::editableFields() const
{
    QList<QLineEdit*> fields;
    for (int slot :
         {CImpressionDoc::slotNamFormattedName, CImpressionDoc::slotNamEmail, CImpressionDoc::slotBusCompany})
        if (auto* line = qobject_cast<QLineEdit*>(fieldControl(slot)))
            fields.append(line);
    return fields;
}

void SampleImpression::limitEdit(QLineEdit* field)
{
    // Counted in characters, so that a character outside the basic plane is never split.
    const std::u32string before = m_textsBeforeEdit.value(field).toStdU32String();
    const std::u32string after = field->text().toStdU32String();
    const std::size_t limit = std::max<std::size_t>(MaxSampleFieldLength, before.size());
    if (after.size() <= limit)
        return;
    // What the edit added lies between the start and the end it left as they were.
    std::size_t start = 0;
    while (start < before.size() && start < after.size() && before[start] == after[start])
        ++start;
    std::size_t end = after.size();
    std::size_t endBefore = before.size();
    while (end > start && endBefore > start && after[end - 1] == before[endBefore - 1]) {
        --end;
        --endBefore;
    }
    // The last of the added characters go, as many as the text went beyond the limit.
    const QString kept = QString::fromStdU32String(after.substr(0, std::max(start, end - (after.size() - limit))));
    field->setText(kept + QString::fromStdU32String(after.substr(end)));
    field->setCursorPosition(int(kept.size()));
    ui::beep();
}

void SampleImpression::setActionEnabled(const QString& strName, bool bEnabled)
{
    if (QAction* item = menuItem(strName))
        item->setEnabled(bEnabled);
}

void SampleImpression::setActionVisible(const QString& strName, bool bVisible)
{
    if (QAction* item = menuItem(strName))
        item->setVisible(bVisible);
}

// --- Load

void SampleImpression::lockFieldsOnLoad()
{
    lockAllFields();
    unlockEditableFields();
}

void SampleImpression::updateLaunchButtons()
{
    modMainHelper::updateGoToMenus(this, ownProgram());
    setActionVisible(QStringLiteral("StartBrindlemark"), false);
    setActionVisible(QStringLiteral("NoStartBrindlemark"), false);
}

void SampleImpression::prepareMenusAndToolbar()
{
    for (const char* key : {"NoToPIM", "CardScan", "NoQuickLayout", "FromPIM", "Scan"})
        setActionVisible(QString::fromLatin1(key), false);
    for (const char* name :
         {"mnuFileNew", "mnuFileOpen", "mnuFileLayout", "mnuFileImport", "mnuCardExportTo(3)", "mnuFileExportBitmap",
          "mnuCardFromPIM", "mnuCardScan", "mnuCardImport", "mnuLayoutNew", "mnuLayoutOpen"})
        setActionEnabled(QString::fromLatin1(name), false);
}

void SampleImpression::showImageScannerButtons(qint32)
{
    for (const char* key : {"Scan", "CardScan", "RequestPDF", "ReleasePDF"})
        setActionVisible(QString::fromLatin1(key), false);
    setActionVisible(QStringLiteral("NoScan"), true);
}

void SampleImpression::setLoadColoursAndTips()
{
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    auto greyOut = [&](QWidget* control) {
        QPalette palette = control->palette();
        palette.setColor(QPalette::Base, buttonFace);
        control->setPalette(palette);
        control->setToolTip(GreyedTip);
    };
    const QList<QLineEdit*> editable = editableFields();
    for (QWidget* textBox : textBoxes()) {
        if (std::find(txtLabTop.begin(), txtLabTop.end(), textBox) != txtLabTop.end())
            textBox->setToolTip(LineTip);
        else if (editable.contains(qobject_cast<QLineEdit*>(textBox)))
            textBox->setToolTip(LongerTip);
        else if (std::find(txtLabBottom.begin(), txtLabBottom.end(), textBox) == txtLabBottom.end())
            greyOut(textBox);
    }
    greyOut(cboNamTitle);
}

void SampleImpression::unlockEditableFields()
{
    for (QLineEdit* field : editableFields())
        field->setReadOnly(false);
    if (auto* scanner = findChild<QComboBox*>(QStringLiteral("cboScanner")))
        scanner->setEnabled(false);
}

void SampleImpression::commitPreferences()
{
    frmImpression::commitPreferences();
    drawPreview();
}

// --- Caption, closing

void SampleImpression::setWindowCaption(const QString& strFileName)
{
    m_strFileName = strFileName;
    QString name = QStringLiteral("Sample");
    if (!strFileName.isEmpty()) {
        name = strFileName;
        modMainHelper::getFileNamePart(name);
    }
    setWindowTitle(QStringLiteral(" Impression - ") + name);
}

void SampleImpression::Form_QueryUnload(bool& cancel, ui::UnloadMode mode)
{
    frmMDIMain& main = frmMDIMain::instance();
    if (int(mode) >= int(ui::UnloadMode::AppWindows))
        main.boolExiting = true;
    if (!m_isDirty)
        return;
    ui::bringToFront(*this);
    switch (main.CloseDirtyImpression(*this)) {
    case qint16(ui::Answer::Yes):
        // A save that did not happen (it failed, or its file prompt was cancelled) keeps the
        // window and its changes, as Cancel does.
        if (saveImpression())
            return;
        break;
    case qint16(ui::Answer::No):
        return;
    default:
        break;
    }
    cancel = true;
    main.boolExiting = false;
}

// --- The lines of The Corvel Words and the preview

void SampleImpression::createSampleImpression()
{
    setTextOf(fieldControl(CImpressionDoc::slotNamFormattedName), SampleName);
    setTextOf(fieldControl(CImpressionDoc::slotBusCompany), SampleCompany);
    setTextOf(fieldControl(CImpressionDoc::slotNamEmail), SampleEmail);
    setDefaultCorvelWords();
}

QString SampleImpression::wordsDataFile() const
{
    return programFolder() + u'/' + WordsDataFile;
}

void SampleImpression::setDefaultCorvelWords()
{
    try {
        const QString strFile = wordsDataFile();
        if (modMainHelper::fileExists(strFile)) {
            vcard::InitializevCard();
            if (vcard::ReadvCardIntoMemory(strFile) == 0) {
                // All six are read before any is shown, so a failure leaves no mixture.
                std::array<QString, 6> lines;
                for (int i = 0; i < 6; ++i)
                    lines[i] = modVCard::getProp(FirstWordsIndex + i);
                for (int i = 0; i < 3; ++i) {
                    txtLabTop[i]->setText(lines[i]);
                    txtLabBottom[i]->setText(lines[i + 3]);
                }
                setCorvelWordsCreated(true);
                return;
            }
        }
    } catch (const vb::Error&) {
    }
    const QString web = modMainHelper::makerWebAddress();
    txtLabTop[0]->setText(
        QStringLiteral("Scan this digital business card with Tessaline™ or Quorvane™, version 1.5 or later"));
    txtLabTop[1]->setText(
        QStringLiteral("Import names and addresses, without typing, into your favorite contact manager"));
    txtLabTop[2]->setText(QStringLiteral("Download Quorvane™ for free from ") + web);
    txtLabBottom[0]->setText(
        QStringLiteral("Contact information contained in this sample: name, organization, and email"));
    txtLabBottom[1]->setText(QStringLiteral("Use Tessaline™ to create your own, complete digital business cards"));
    txtLabBottom[2]->setText(QStringLiteral("Get Tessaline™ from ") + web);
    setCorvelWordsCreated(true);
}

bool SampleImpression::drawPreview()
{
    try {
        print::PictureBoxTarget& target = picPreview->target();
        target.cls();
        CImpressionDoc doc;
        writeDoc(doc);
        modPrinterRoutines::drawImpressionCard(target, doc, PreviewLeft, PreviewTop, PreviewWidth, PreviewHeight, true,
                                               1.0f, modRegistryHigh::getEncodeCorvelWords(), true);
        return true;
    } catch (const vb::Error&) {
        return false;
    }
}

void SampleImpression::SSTab1_Click(int PreviousTab)
{
    frmImpression::SSTab1_Click(PreviousTab);
    // The font buttons work in this program: their captioned element shows, not the picture one.
    for (ButtonArray* buttons : {&cmdFont, &cmdFontDefault}) {
        (*buttons)[0]->show();
        (*buttons)[1]->hide();
    }
}

// --- Commands

void SampleImpression::cmdFont_Click(int)
{
    // Each step goes on when the one before it failed; the window keeps what was not changed.
    auto step = [](auto&& statement) {
        try {
            statement();
        } catch (const vb::Error&) {
        }
    };
    QPointer<frmFont> chooser = new frmFont;
    step([&] {
        ui::load(*chooser);
        chooser->setFontName(fontStoreName());
        chooser->setFontSize(QString::number(fontStoreSize()));
    });
    step([&] { ui::showModal(*chooser); });
    step([&] {
        if (chooser && !chooser->wasCancelPressed()) {
            const QString strName = chooser->getFontName();
            const double size = chooser->getFontSize().toDouble();
            // A size that is not above 0 is refused; the font keeps its size.
            setFontStore(strName, size > 0 ? qRound(size) : fontStoreSize());
        }
    });
    step([&] {
        if (chooser && ui::isLoaded(*chooser))
            ui::unload(*chooser);
        else if (chooser)
            chooser->deleteLater();
    });
    m_isDirty = true;
    drawPreview();
}

void SampleImpression::cmdFontDefault_Click(int)
{
    // Marked changed only when the font did change, so that closing asks to keep it.
    if (fontStoreName() != DefaultWordsFont || fontStoreSize() != DefaultWordsSize) {
        setFontStore(DefaultWordsFont, DefaultWordsSize);
        m_isDirty = true;
    }
    drawPreview();
}

void SampleImpression::mnuLayoutQuickNEasy_Click()
{
    if (getFileName().isEmpty()) {
        if (ui::msgBox(QStringLiteral("You must save an impression before laying it out.\r\rSave now?"),
                       ui::Buttons::YesNo, ui::Icon::Question, QString(), QuickLayoutHelp) == ui::Answer::Yes)
            saveImpressionAs();
        return;
    }
    if (getIsOldVersion()) {
        if (ui::msgBox(QStringLiteral("This impression was saved from a previous version of Tessaline.\r"
                                      "To include it in a layout, you must convert it to the current version.\r"
                                      "Convert the impression by saving it from this version of Tessaline.\r\r"
                                      "Save now?"),
                       ui::Buttons::YesNo, ui::Icon::Question) == ui::Answer::Yes)
            saveImpressionAs();
        return;
    }
    auto* main = ui::findForm<SampleMDIMain>();
    if (!main)
        return;
    const QString strFileName = getFileName();
    QPointer<frmLabelLayout> layout = main->getEmptyLayout();
    ui::show(*layout);
    ui::doEvents();
    // The layout takes the window's current content, saved or not.
    if (layout)
        layout->quickLayoutIMF(strFileName);
}

void SampleImpression::Toolbar1_ButtonClick(const QString& key)
{
    if (key == QStringLiteral("Scan") || key == QStringLiteral("CardScan") || key == QStringLiteral("NoScan"))
        scanCard();
    else if (key == QStringLiteral("QuickLayout"))
        mnuLayoutQuickNEasy_Click();
    else
        frmImpression::Toolbar1_ButtonClick(key);
}

void SampleImpression::scanCard()
{
    modMainHelper::showGetTSNDialog(ScanHelp, QStringLiteral("Scan Card(s)"));
}
