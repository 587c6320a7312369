#include "reader/frmImpression.h"

#include "capture/frmHelper.h"
#include "capture/modPrinterRoutines.h"
#include "common/CMostRecentlyUsed.h"
#include "common/CStoredToolTips.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "icons/ButtonIcons.h"
#include "model/CImpressionDoc.h"
#include "model/modVCard.h"
#include "platform/print/PictureBox.h"
#include "platform/ui/Beeper.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FileDrops.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"
#include "platform/vb/VbError.h"
#include "platform/vcard/VCardLibrary.h"
#include "reader/ImpressionFieldTable.h"
#include "reader/LockableComboBox.h"
#include "reader/MultiLineTextBox.h"
#include "reader/frmMDIMain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

using Table = ImpressionFieldTable::Field;

qint16 frmImpression::s_untitledImpressionCount = 0;

namespace {

const QString ReadOnlyTip = QStringLiteral("With Tessaline you can edit this field!");
const QString FieldFont = QStringLiteral("Arial");
const QString DefaultWordsFont = QStringLiteral("Arial");
constexpr int DefaultWordsSize = 6;
const QString WordsDataFile = QStringLiteral("tsncw.dat");
constexpr int ImageTab = frmImpression::ImageTabIndex;
// The space between rows of fields and around the tab control and the frames, in pixels.
constexpr int FieldGap = 2;

QGridLayout* tightGrid(QWidget* holder)
{
    auto* grid = new QGridLayout(holder);
    grid->setVerticalSpacing(FieldGap);
    const QMargins margins = grid->contentsMargins();
    grid->setContentsMargins(margins.left(), FieldGap, margins.right(), FieldGap);
    return grid;
}

// Keeps a one-line text box (or a combo) at least as wide as the style's size for a usual
// entry, so that no layout squeezes it below that.
void keepWholeWidth(QWidget* textBox)
{
    textBox->setMinimumWidth(textBox->sizeHint().width());
}

// The vCard indices of the last three lines in the words data file.
constexpr int FirstLastLineIndex = 50;
// Help contexts: the tab control's is 1000 plus the tab shown; the Image tab's buttons.
constexpr qint32 TabHelpBase = 1000;
constexpr qint32 ImageTabHelp = 1003;
constexpr qint32 ExportBitmapHelp = 67;
// The card box of the preview, in twips of the picture box.
constexpr int PreviewLeft = 90;
constexpr int PreviewTop = 90;
constexpr int PreviewWidth = 4680;
constexpr int PreviewHeight = 2513;

// The design tool tips of the last three lines.
const std::array<QString, 3> LastLineTips = {
    QStringLiteral("List the information contained in the sample impression"),
    QStringLiteral("Explain how to make The Corvel Impression -  with ALL contact information!"),
    QStringLiteral("Describe how to get software for making The Corvel Impression"),
};

// The field slots in alphabetical order of their property names, letter case ignored: the
// order in which the fields are copied to and from a document.
const std::array<int, CImpressionDoc::FieldCount>& alphabeticalSlots()
{
    static const std::array<int, CImpressionDoc::FieldCount> order = [] {
        std::array<int, CImpressionDoc::FieldCount> sorted{};
        for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
            sorted[k] = k;
        std::sort(sorted.begin(), sorted.end(), [](int a, int b) {
            return CImpressionDoc::fieldName(a).compare(CImpressionDoc::fieldName(b), Qt::CaseInsensitive) < 0;
        });
        return sorted;
    }();
    return order;
}

// Runs one step of a copy; a run-time error skips that step only.
template <class Step> void ignoringErrors(Step&& step)
{
    try {
        step();
    } catch (const vb::Error&) {
    }
}

// The key under which two paths name the same file: the canonical path (links, "." and ".."
// resolved) of a file that exists, else the cleaned absolute path. Letter case counts.
QString fileKey(const QString& strPath)
{
    const QFileInfo info(strPath);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

QString frmImpression::versionText()
{
    return QString::number(modMainHelper::VersionMajor) + u'.' + QString::number(modMainHelper::VersionMinor);
}

frmImpression::frmImpression(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmImpression"));
    ui::acceptFileDrops(this, modMainHelper::dragOverFiles, modMainHelper::dropFiles);
    buildTabs();
    resize(ui::Twips{0, 0, FormWidth, FormHeight}.toPixels().size());
}

frmImpression::~frmImpression() = default;

qint16 frmImpression::openImpressionCount()
{
    return frmMDIMain::openImpressionCount();
}

qint16 frmImpression::untitledImpressionCount()
{
    return s_untitledImpressionCount;
}

// --- Controls

void frmImpression::buildTabs()
{
    // Rows of fields close together and narrow margins, so that the fullest tab (Business) fits
    // the window's design height.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(FieldGap, FieldGap, FieldGap, FieldGap);
    SSTab1 = ui::makeControl<QTabWidget>(this, {QStringLiteral("SSTab1")});
    ui::acceptFileDrops(SSTab1, modMainHelper::dragOverFilesOnTab, modMainHelper::dropFilesOnTab);
    layout->addWidget(SSTab1);

    const std::array<QString, 4> captions = {QStringLiteral("&Name"), QStringLiteral("&Business"),
                                             QStringLiteral("Ho&me"), QStringLiteral("&Image")};
    std::array<QWidget*, 4> pages{};
    std::array<QGridLayout*, 3> grids{};
    for (int tab = 0; tab < 4; ++tab) {
        pages[tab] = new QWidget;
        SSTab1->addTab(pages[tab], captions[tab]);
        if (tab < ImageTab)
            grids[tab] = tightGrid(pages[tab]);
    }

    // The frames of the business and home tabs, each with a grid of labels and fields.
    struct FrameGrid
    {
        ImpressionFieldTable::Tab tab;
        ImpressionFieldTable::Frame frame;
        QGridLayout* grid;
    };
    QList<FrameGrid> frames;
    std::array<QHBoxLayout*, 3> lowerRows{};
    auto gridFor = [&](const Table& field) -> QGridLayout* {
        if (field.frame == ImpressionFieldTable::Frame::None)
            return grids[field.tab];
        for (const FrameGrid& f : frames)
            if (f.tab == field.tab && f.frame == field.frame)
                return f.grid;
        auto* box =
            ui::makeControl<QGroupBox>(pages[field.tab], {ImpressionFieldTable::frameName(field.tab, field.frame),
                                                          ImpressionFieldTable::frameCaption(field.frame)});
        // Location across the tab, Post Box Address and Telephone side by side below it: the
        // tab keeps to the width of the frame's area, and every field to its whole width.
        QGridLayout* page = grids[field.tab];
        const int top = page->rowCount();
        switch (field.frame) {
        case ImpressionFieldTable::Frame::Location:
            page->addWidget(box, top, 0, 1, 2);
            break;
        case ImpressionFieldTable::Frame::PostBox:
            lowerRows[field.tab] = new QHBoxLayout;
            page->addLayout(lowerRows[field.tab], top, 0, 1, 2);
            lowerRows[field.tab]->addWidget(box, 1);
            break;
        default:
            lowerRows[field.tab]->addWidget(box, 1);
            break;
        }
        frames.append({field.tab, field.frame, tightGrid(box)});
        return frames.last().grid;
    };

    const QList<Table>& table = ImpressionFieldTable::fields();
    QWidget* previous = nullptr;
    for (int slot = 0; slot < CImpressionDoc::FieldCount; ++slot) {
        const Table& field = table[slot];
        QGridLayout* grid = gridFor(field);
        QWidget* parent = grid->parentWidget();
        auto* label = ui::makeControl<QLabel>(
            parent, {ImpressionFieldTable::labelName(field), field.caption, {}, field.labelTip});
        QWidget* control = makeFieldControl(slot, parent);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        // A street takes the height its frame has to spare.
        if (field.multiLine && field.frame != ImpressionFieldTable::Frame::None)
            grid->setRowStretch(row, 1);
        // Focus moves through each tab in the order of its fields.
        if (previous && table[slot - 1].tab == field.tab)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    // The fields keep together at the top of their tabs and frames.
    for (QGridLayout* grid : grids)
        grid->setRowStretch(grid->rowCount(), 1);
    for (const FrameGrid& f : std::as_const(frames))
        if (f.frame != ImpressionFieldTable::Frame::Location)
            f.grid->setRowStretch(f.grid->rowCount(), 1);
    buildImageTab(pages[ImageTab]);

    ui::handle(SSTab1, [this] {
        const int previousTab = m_currentTab;
        m_currentTab = SSTab1->currentIndex();
        SSTab1_Click(previousTab);
    });
}

QWidget* frmImpression::makeFieldControl(int nSlot, QWidget* parent)
{
    const Table& field = ImpressionFieldTable::fields()[nSlot];
    const ui::ControlDef def(ImpressionFieldTable::controlName(field), {}, {}, {}, field.helpContextID);
    QWidget* control = nullptr;
    if (nSlot == CImpressionDoc::slotNamTitle) {
        cboNamTitle = ui::makeControl<LockableComboBox>(parent, def);
        cboNamTitle->addItems({QStringLiteral("Miss"), QStringLiteral("Mrs."), QStringLiteral("Ms."),
                               QStringLiteral("Dr."), QStringLiteral("Mr.")});
        cboNamTitle->setEditText(QString());
        ui::connect(cboNamTitle, &QComboBox::editTextChanged, this,
                    [this] { fieldChanged(CImpressionDoc::slotNamTitle); });
        // Ctrl+A in the salutation selects its text, as in the other text boxes.
        cboNamTitle->lineEdit()->installEventFilter(this);
        control = cboNamTitle;
    } else if (field.multiLine) {
        control = ui::makeControl<MultiLineTextBox>(parent, def, [this, nSlot] { fieldChanged(nSlot); });
    } else {
        auto* line = ui::makeControl<QLineEdit>(parent, def, [this, nSlot] { fieldChanged(nSlot); });
        line->setMaxLength(std::numeric_limits<int>::max());
        control = line;
    }
    QFont font = control->font();
    font.setFamily(FieldFont);
    control->setFont(font);
    // A one-line field never gets narrower than the room for a usual entry.
    if (!field.multiLine)
        keepWholeWidth(control);
    m_fieldControls[nSlot] = control;
    if (control != cboNamTitle) {
        control->installEventFilter(this);
        m_textBoxes.append(control);
    }
    return control;
}

void frmImpression::buildImageTab(QWidget* page)
{
    // The lines of The Corvel Words above the preview, each group's buttons beside it, so that
    // the tab keeps to the width of the frame's area.
    QGridLayout* grid = tightGrid(page);
    auto makeLine = [&](const QString& name, int index, const QString& tip) {
        auto* line =
            ui::makeControl<SingleLineTextBox>(page, {name, {}, {}, tip}, index, [this](int) { m_isDirty = true; });
        line->setMaxLength(std::numeric_limits<int>::max());
        QFont font = line->font();
        font.setFamily(FieldFont);
        line->setFont(font);
        keepWholeWidth(line);
        line->installEventFilter(this);
        grid->addWidget(line, grid->rowCount(), 0);
        m_textBoxes.append(line);
        return line;
    };
    // A button array: element 0 captioned, element 1 with a picture, at one place.
    auto makeButtons = [&](ButtonArray& buttons, const QString& name, const QString& caption, const QString& tip,
                           qint32 helpContext, void (frmImpression::*handler)(int), QBoxLayout* row) {
        for (int i = 0; i < 2; ++i) {
            buttons[i] = ui::makeControl<QPushButton>(page, {name, i == 0 ? caption : QString(), {}, tip, helpContext},
                                                      i, [this, handler](int index) { (this->*handler)(index); });
            row->addWidget(buttons[i]);
        }
        buttons[1]->setIcon(icons::imageTabButtonIcon(name));
        buttons[0]->hide();
    };
    // The buttons of a group of three lines in a column beside them; other buttons in a row
    // across the tab, below what is there.
    auto buttonColumn = [&](int top) {
        auto* column = new QVBoxLayout;
        grid->addLayout(column, top, 1, 3, 1);
        return column;
    };
    auto buttonRow = [&] {
        auto* row = new QHBoxLayout;
        grid->addLayout(row, grid->rowCount(), 0, 1, 2);
        return row;
    };

    Label4 = ui::makeControl<QLabel>(page, {QStringLiteral("Label4"),
                                            QStringLiteral("The Corvel Words, First 3 Lines"),
                                            {},
                                            QStringLiteral("Text above The Corvel Encoding")});
    grid->addWidget(Label4, 0, 0, 1, 2);
    const int firstTop = grid->rowCount();
    for (int i = 0; i < 3; ++i)
        txtLabTop[i] = makeLine(QStringLiteral("txtLabTop"), i, QString());
    QBoxLayout* firstButtons = buttonColumn(firstTop);
    makeButtons(cmdUseDefaultsFirst, QStringLiteral("cmdUseDefaultsFirst"), QStringLiteral("Use Default"),
                QStringLiteral("Compose The Corvel Words using information from the Name Tab"), ImageTabHelp,
                &frmImpression::cmdUseDefaultsFirst_Click, firstButtons);
    firstButtons->addStretch(1);

    Label2 = ui::makeControl<QLabel>(page, {QStringLiteral("Label2"),
                                            QStringLiteral("The Corvel Words, Last 3 Lines"),
                                            {},
                                            QStringLiteral("Text below The Corvel Encoding")});
    grid->addWidget(Label2, grid->rowCount(), 0, 1, 2);
    const int lastTop = grid->rowCount();
    for (int i = 0; i < 3; ++i) {
        txtLabBottom[i] = makeLine(QStringLiteral("txtLabBottom"), i, LastLineTips[i]);
        // By design the last lines have the colour of a button face.
        QPalette palette = txtLabBottom[i]->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        txtLabBottom[i]->setPalette(palette);
    }
    QBoxLayout* lastButtons = buttonColumn(lastTop);
    makeButtons(cmdUseDefaultsLast, QStringLiteral("cmdUseDefaultsLast"), QStringLiteral("Use Default"),
                QStringLiteral("Compose The Corvel Words, specifying compatibility."), ImageTabHelp,
                &frmImpression::cmdUseDefaultsLast_Click, lastButtons);
    lastButtons->addStretch(1);
    QBoxLayout* fontButtons = buttonRow();
    makeButtons(cmdFont, QStringLiteral("cmdFont"), QStringLiteral("F&ont"),
                QStringLiteral("Change how The Corvel Words are displayed"), ImageTabHelp,
                &frmImpression::cmdFont_Click, fontButtons);
    makeButtons(cmdFontDefault, QStringLiteral("cmdFontDefault"), QStringLiteral("Use Defaul&t Fonts"),
                QStringLiteral("Arial, 6 point"), ImageTabHelp, &frmImpression::cmdFontDefault_Click, fontButtons);
    fontButtons->addStretch(1);

    Label3 = ui::makeControl<QLabel>(
        page, {QStringLiteral("Label3"), QStringLiteral("Preview"), {}, QStringLiteral("Impression image")});
    grid->addWidget(Label3, grid->rowCount(), 0, 1, 2);
    QBoxLayout* previewRow = buttonRow();
    picPreview = ui::makeControl<print::PictureBox>(
        page, {QStringLiteral("picPreview"), {}, {}, QStringLiteral("Impression image")});
    // The card box and a margin of its own size around it.
    const QSize previewPixels(ui::twipsToPixelsX(PreviewLeft * 2 + PreviewWidth),
                              ui::twipsToPixelsY(PreviewTop * 2 + PreviewHeight));
    picPreview->setFixedSize(previewPixels);
    picPreview->target().resize(previewPixels);
    previewRow->addWidget(picPreview);
    auto* previewButtons = new QVBoxLayout;
    previewRow->addLayout(previewButtons);
    previewRow->addStretch(1);
    makeButtons(cmdMakeBMP, QStringLiteral("cmdMakeBMP"), QStringLiteral("Export Bitmap"),
                QStringLiteral("Image of The Corvel Impression, shown at right"), ExportBitmapHelp,
                &frmImpression::cmdMakeBMP_Click, previewButtons);
    makeButtons(cmdUpdate, QStringLiteral("cmdUpdate"), QStringLiteral("&Update"), QStringLiteral("Preview"),
                ImageTabHelp, &frmImpression::cmdUpdate_Click, previewButtons);
    previewButtons->addStretch(1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(grid->rowCount(), 1);

    // Keeps the font of The Corvel Words in its own font; never shown.
    txtStoreFontInfoHere = ui::makeControl<QLineEdit>(
        page, {QStringLiteral("txtStoreFontInfoHere"), QStringLiteral("txtStoreFontInfoHere")});
    txtStoreFontInfoHere->hide();
    setFontStore(DefaultWordsFont, DefaultWordsSize);
    m_textBoxes.append(txtStoreFontInfoHere);
}

QString frmImpression::textOf(const QWidget* control)
{
    if (auto* line = qobject_cast<const QLineEdit*>(control))
        return line->text();
    if (auto* box = qobject_cast<const MultiLineTextBox*>(control))
        return box->text();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return QString();
}

void frmImpression::setTextOf(QWidget* control, const QString& text)
{
    if (auto* words = qobject_cast<SingleLineTextBox*>(control))
        words->setText(text);
    else if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(text);
    else if (auto* box = qobject_cast<MultiLineTextBox*>(control))
        box->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setEditText(text);
}

QString frmImpression::fieldText(int nSlot) const
{
    return textOf(m_fieldControls[nSlot]);
}

void frmImpression::caretToStart(QWidget* textBox)
{
    if (auto* line = qobject_cast<QLineEdit*>(textBox))
        line->setCursorPosition(0); // also ends the selection
    else if (auto* box = qobject_cast<MultiLineTextBox*>(textBox))
        box->caretToStart();
}

void frmImpression::setFontStore(const QString& strName, int nSize)
{
    // The name is kept as given, not as the face it resolves to, so files keep their names.
    QFont font = txtStoreFontInfoHere->font();
    font.setFamily(strName);
    font.setPointSize(nSize);
    txtStoreFontInfoHere->setFont(font);
}

QString frmImpression::fontStoreName() const
{
    return txtStoreFontInfoHere->font().family();
}

int frmImpression::fontStoreSize() const
{
    return txtStoreFontInfoHere->font().pointSize();
}

// --- Field handlers

void frmImpression::fieldChanged(int nSlot)
{
    switch (nSlot) {
    case CImpressionDoc::slotNamFormattedName:
        txtNamFormattedName_Change();
        break;
    case CImpressionDoc::slotNamEmail:
        txtNamEmail_Change();
        break;
    case CImpressionDoc::slotBusCompany:
        txtBusCompany_Change();
        break;
    default:
        m_isDirty = true;
        break;
    }
}

void frmImpression::txtNamFormattedName_Change()
{
    m_isDirty = true;
}

void frmImpression::txtNamEmail_Change()
{
    m_isDirty = true;
}

void frmImpression::txtBusCompany_Change()
{
    m_isDirty = true;
}

void frmImpression::textBox_LostFocus(QWidget* textBox)
{
    const bool isLine = std::find(txtLabTop.begin(), txtLabTop.end(), textBox) != txtLabTop.end() ||
                        std::find(txtLabBottom.begin(), txtLabBottom.end(), textBox) != txtLabBottom.end();
    if (isLine)
        drawPreview();
    caretToStart(textBox);
}

bool frmImpression::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scannerPlaceholder || watched == m_defaultPIMPlaceholder) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
            ui::runGuarded([this] { Form_Resize(); });
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::SelectAll)) {
        // A text box, also a locked one, keeps Ctrl+A to select its text; Card > Scan takes
        // the key only from the window's other controls.
        event->accept();
        return true;
    }
    if (event->type() == QEvent::FocusOut && m_textBoxes.contains(static_cast<QWidget*>(watched))) {
        // Focus that goes to another window or into a menu comes back; only a move to
        // another control is a LostFocus.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            auto* textBox = static_cast<QWidget*>(watched);
            ui::runGuarded([this, textBox] { textBox_LostFocus(textBox); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- Load, activation, unload

void frmImpression::Form_Load()
{
    if (!Toolbar1) {
        buildToolbar();
        buildMenus();
    }
    frmMDIMain::instance().boolSaveChangesNoToAll = false;
    updateLaunchButtons();
    menuItem(QStringLiteral("mnuWindowGotokelvadon"))->setVisible(false);
    prepareMenusAndToolbar();
    setLoadColoursAndTips();
    applyScannerType();
    lockFieldsOnLoad();
    m_toolTips = std::make_unique<CStoredToolTips>();
    m_toolTips->SetOwner(this);
    commitPreferences();
    setCorvelWordsCreated(false);
    countWindow();
    setWindowCaption(QString());
    SSTab1_Click(0);
    modMainHelper::setHelpMenuCaptions(this);
    attachRecentlyUsed();
    m_isDirty = false;
}

void frmImpression::attachRecentlyUsed()
{
    m_impressionMRU = &frmMDIMain::instance().getImpressionMRU();
    updateImpressionMRUDisplay();
}

void frmImpression::setLoadColoursAndTips()
{
    // The last lines take the colour of the window background and lose their tips; every
    // other text box, and the salutation, says where it can be edited.
    const QColor window = QApplication::palette().color(QPalette::Base);
    for (QLineEdit* line : txtLabBottom) {
        QPalette palette = line->palette();
        palette.setColor(QPalette::Base, window);
        line->setPalette(palette);
        line->setToolTip(QString());
    }
    for (QWidget* textBox : m_textBoxes)
        if (std::find(txtLabBottom.begin(), txtLabBottom.end(), textBox) == txtLabBottom.end())
            textBox->setToolTip(ReadOnlyTip);
    cboNamTitle->setToolTip(ReadOnlyTip);
}

void frmImpression::countWindow()
{
    if (m_untitledNumber != 0)
        return;
    if (s_untitledImpressionCount == std::numeric_limits<qint16>::max())
        throw vb::Error::runtime(vb::err::Overflow, ui::programTitle());
    m_untitledNumber = ++s_untitledImpressionCount;
}

void frmImpression::Form_Activate()
{
    frmMDIMain::instance().setTopmostImpressionWindow(this);
}

void frmImpression::Form_Deactivate()
{
    // A modal window of ours over this one leaves it the topmost impression window.
    if (QApplication::activeModalWidget())
        return;
    if (auto* main = ui::findForm<frmMDIMain>())
        main->setTopmostImpressionWindow(nullptr);
}

void frmImpression::Form_QueryUnload(bool& cancel, ui::UnloadMode mode)
{
    // The window is read-only: closing it never asks to save.
}

void frmImpression::Form_Unload(bool& cancel)
{
    if (auto* main = ui::findForm<frmMDIMain>(); main && main->topmostImpressionWindow() == this)
        main->setTopmostImpressionWindow(nullptr);
}

void frmImpression::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ui::runGuarded([this] { Form_Resize(); });
}

// --- Caption and state

void frmImpression::setWindowCaption(const QString& strFileName)
{
    m_strFileName = strFileName;
    QString caption;
    if (strFileName.isEmpty()) {
        caption = QStringLiteral("Untitled") + QString::number(m_untitledNumber) + QStringLiteral(".imf");
    } else {
        caption = strFileName;
        modMainHelper::getFileNamePart(caption);
    }
    setWindowTitle(caption + QStringLiteral(" (Read-only) "));
}

bool frmImpression::isEmpty()
{
    if (!m_strFileName.isEmpty() || m_isDirty || frmMDIMain::openImpressionCount() != 1)
        return false;
    for (int slot : {CImpressionDoc::slotNamTitle, CImpressionDoc::slotNamFirst, CImpressionDoc::slotNamMiddle,
                     CImpressionDoc::slotNamLast, CImpressionDoc::slotNamSuffix, CImpressionDoc::slotNamNickname,
                     CImpressionDoc::slotNamFormattedName, CImpressionDoc::slotNamEmail, CImpressionDoc::slotNamURL,
                     CImpressionDoc::slotNamNotes, CImpressionDoc::slotBusCompany, CImpressionDoc::slotBusTitle})
        if (!fieldText(slot).isEmpty())
            return false;
    return true;
}

void frmImpression::SetAsOldVersion(bool m_bOld)
{
    this->m_bOld = m_bOld;
}

void frmImpression::SetAsNewerVersion(bool m_bNewer)
{
    this->m_bNewer = m_bNewer;
}

void frmImpression::setCorvelWordsCreated(bool bCreated)
{
    m_bCorvelWordsCreated = bCreated;
}

void frmImpression::lockAllFields()
{
    for (QWidget* textBox : m_textBoxes) {
        if (auto* line = qobject_cast<QLineEdit*>(textBox))
            line->setReadOnly(true);
        else if (auto* box = qobject_cast<MultiLineTextBox*>(textBox))
            box->setLocked(true);
    }
    cboNamTitle->setLocked(true);
}

void frmImpression::scrollAllFieldsToStart()
{
    for (QWidget* textBox : m_textBoxes)
        caretToStart(textBox);
}

// --- Copying between the window and a document

void frmImpression::readDoc(const CImpressionDoc& doc)
{
    for (int slot : alphabeticalSlots())
        ignoringErrors([&] { setTextOf(m_fieldControls[slot], doc.field(slot)); });
    ignoringErrors([&] { setFontStore(doc.CwFontName(), doc.CwFontSize()); });
    for (qint16 i = 0; i < 3; ++i) {
        ignoringErrors([&] { txtLabTop[i]->setText(doc.CwLines(i)); });
        ignoringErrors([&] { txtLabBottom[i]->setText(doc.CwLines(i + 3)); });
    }
}

bool frmImpression::writeDoc(CImpressionDoc& doc) const
{
    for (int slot : alphabeticalSlots())
        ignoringErrors([&] { doc.setField(slot, fieldText(slot)); });
    ignoringErrors([&] {
        doc.setCwFontName(fontStoreName());
        doc.setCwFontSize(fontStoreSize());
    });
    for (qint16 i = 0; i < 3; ++i) {
        ignoringErrors([&] { doc.setCwLines(i, txtLabTop[i]->text()); });
        ignoringErrors([&] { doc.setCwLines(i + 3, txtLabBottom[i]->text()); });
    }
    return true;
}

void frmImpression::clearImpression()
{
    setCorvelWordsCreated(false);
    setWindowCaption(QString());
    cboNamTitle->setEditText(QString());
    for (QWidget* textBox : m_textBoxes)
        setTextOf(textBox, QString());
    m_isDirty = false;
    m_bOld = false;
}

// --- Opening

void frmImpression::openImpression(const QString& strFileName)
{
    if (isAlreadyOpen(strFileName)) {
        // The window that was to take the file goes, also the empty start-up window.
        if (ui::isLoaded(*this))
            ui::unload(*this);
        else
            deleteLater();
        return;
    }
    if (!loadImpressionFile(strFileName))
        return;
    setWindowCaption(strFileName);
    setCorvelWordsCreated(true);
    updateScreen();
    m_isDirty = false;
    addToRecentlyUsed(strFileName);
    scrollAllFieldsToStart();
}

bool frmImpression::isAlreadyOpen(const QString& strFileName)
{
    const QString wanted = fileKey(strFileName);
    for (ui::Form* form : ui::forms()) {
        auto* window = dynamic_cast<IImpressionChild*>(form);
        if (!window)
            continue;
        const QString shown = window->getFileName();
        if (shown.isEmpty() || fileKey(shown) != wanted)
            continue;
        ui::bringToFront(*form);
        ui::msgBox(strFileName + QStringLiteral(" is already open."), ui::Buttons::Ok, ui::Icon::Information);
        return true;
    }
    return false;
}

bool frmImpression::loadImpressionFile(const QString& strFileName)
{
    CImpressionDoc doc;
    if (!doc.readFile(strFileName)) {
        ui::msgBox(QStringLiteral("Unable to read\r") + strFileName, ui::Buttons::Ok, ui::Icon::Exclamation);
        return false;
    }
    readDoc(doc);
    if (doc.FileVersion() > CurrentFileVersion) {
        ui::msgBox(QStringLiteral("This impression was saved from\ra newer version of Tessaline."), ui::Buttons::Ok,
                   ui::Icon::Information);
        SetAsNewerVersion(true);
        SetAsOldVersion(false);
    } else if (doc.FileVersion() == CurrentFileVersion) {
        SetAsNewerVersion(false);
        SetAsOldVersion(false);
    } else {
        ui::msgBox(QStringLiteral("This impression was saved from\ra previous version of Tessaline."), ui::Buttons::Ok,
                   ui::Icon::Information);
        SetAsOldVersion(true);
        SetAsNewerVersion(false);
    }
    return true;
}

void frmImpression::addToRecentlyUsed(const QString& strFileName)
{
    if (!m_impressionMRU)
        m_impressionMRU = &frmMDIMain::instance().getImpressionMRU();
    m_impressionMRU->addMostRecent(strFileName);
    frmMDIMain::instance().updateAllImpressionMRU();
}

// --- Saving

bool frmImpression::confirmNewerVersionSave()
{
    const ui::Answer answer = ui::msgBox(
        QStringLiteral("Changes made to this newer impression can only\rbe saved in the current Tessaline ") +
            versionText() + QStringLiteral(" format."),
        ui::Buttons::OkCancel);
    return answer != ui::Answer::Cancel;
}

bool frmImpression::saveImpression()
{
    try {
        if (m_strFileName.isEmpty())
            return saveImpressionAs();
        if (m_bNewer && !confirmNewerVersionSave())
            return false;
        if (!confirmFormatConversion())
            return false;
        CImpressionDoc doc;
        writeDoc(doc);
        // The writer tells the user itself when the file cannot be written.
        if (!doc.writeFile(m_strFileName, true))
            return false;
        m_isDirty = false;
        addToRecentlyUsed(m_strFileName);
        // The newer-version flag stays, so that every later save asks again.
        SetAsOldVersion(false);
        return true;
    } catch (const vb::Error&) {
        return false;
    }
}

bool frmImpression::saveImpressionAs()
{
    try {
        QString strSuggested = m_strFileName;
        if (strSuggested.isEmpty()) {
            strSuggested = fieldText(CImpressionDoc::slotNamLast);
            if (strSuggested.isEmpty())
                strSuggested = fieldText(CImpressionDoc::slotNamFormattedName);
            strSuggested = modMainHelper::removeInvalidFileNameChars(strSuggested);
        }
        if (m_bNewer && !confirmNewerVersionSave())
            return false;
        if (!confirmFormatConversion())
            return false;
        if (!getCorvelWordsCreated())
            setDefaultFirstLines();
        QString strLongName = strSuggested;
        QString strShortName;
        if (!ui::formInstance<frmHelper>().promptForImpressionFileToCreate(strLongName, strShortName))
            return false;
        CImpressionDoc doc;
        writeDoc(doc);
        if (!doc.writeFile(strLongName, true))
            return false;
        setWindowCaption(strLongName);
        m_isDirty = false;
        addSavedAsToRecentlyUsed(strLongName);
        SetAsOldVersion(false);
        return true;
    } catch (const vb::Error&) {
        ui::msgBox(QStringLiteral("Unable to save impression."), ui::Buttons::Ok, ui::Icon::Critical);
        return false;
    }
}

void frmImpression::addSavedAsToRecentlyUsed(const QString& strFileName)
{
    addToRecentlyUsed(strFileName);
}

bool frmImpression::confirmFormatConversion()
{
    if (!m_bOld)
        return true;
    SSTab1->setCurrentIndex(ImageTab);
    ui::doEvents();

    std::array<QString, 3> oldLines;
    for (int i = 0; i < 3; ++i)
        oldLines[i] = txtLabBottom[i]->text();
    const bool wasDirty = m_isDirty;

    setDefaultLastLines();
    drawPreview();
    const QString version = versionText();
    const ui::Answer convert = ui::msgBox(
        QStringLiteral("Save will convert this impression to the latest format.\r\r"
                       "'Yes' (recommended) Saves impression with The Corvel Words, as shown here, stating that "
                       "version ") +
            version +
            QStringLiteral(" or later is needed to read the converted impression.\r\r"
                           "'No' reverts to the previous words. You will have the option to cancel Save."),
        ui::Buttons::YesNo, ui::Icon::Question);
    if (convert == ui::Answer::Yes)
        return true;

    for (int i = 0; i < 3; ++i)
        txtLabBottom[i]->setText(oldLines[i]);
    m_isDirty = wasDirty;
    drawPreview();
    return ui::msgBox(QStringLiteral("Save in converted format using the existing lines of The Corvel Words?"),
                      ui::Buttons::YesNo, ui::Icon::Question) == ui::Answer::Yes;
}

QString frmImpression::suggestFileName() const
{
    if (!m_strFileName.isEmpty())
        return modMainHelper::stripFileExtension(m_strFileName);
    QString name = fieldText(CImpressionDoc::slotNamLast);
    if (name.isEmpty())
        name = fieldText(CImpressionDoc::slotNamFormattedName);
    return modMainHelper::removeInvalidFileNameChars(name);
}

// --- The lines of The Corvel Words

QString frmImpression::getShortName() const
{
    const QString formatted = fieldText(CImpressionDoc::slotNamFormattedName).trimmed();
    if (!formatted.isEmpty())
        return formatted;
    auto appendIfNotBlank = [](QString& text, const QString& part, const QString& separator) {
        if (part.trimmed().isEmpty())
            return;
        if (!text.isEmpty())
            text += separator;
        text += part;
    };
    QString name;
    for (int slot : {CImpressionDoc::slotNamTitle, CImpressionDoc::slotNamFirst, CImpressionDoc::slotNamMiddle,
                     CImpressionDoc::slotNamLast})
        appendIfNotBlank(name, fieldText(slot), QStringLiteral(" "));
    appendIfNotBlank(name, fieldText(CImpressionDoc::slotNamSuffix), QStringLiteral(", "));
    return name;
}

void frmImpression::setDefaultFirstLines()
{
    const QString shortName = getShortName();
    setFontStore(DefaultWordsFont, DefaultWordsSize);
    QString first = QStringLiteral("The Corvel Impression™");
    if (!shortName.trimmed().isEmpty())
        first += QStringLiteral(" for ") + shortName;
    txtLabTop[0]->setText(first);
    txtLabTop[1]->setText(fieldText(CImpressionDoc::slotBusCompany));
    txtLabTop[2]->setText(fieldText(CImpressionDoc::slotNamEmail));
    setCorvelWordsCreated(true);
}

QString frmImpression::wordsDataFile() const
{
    return QCoreApplication::applicationDirPath() + u'/' + WordsDataFile;
}

void frmImpression::setDefaultLastLines()
{
    try {
        const QString dataFile = wordsDataFile();
        vcard::InitializevCard();
        if (vcard::ReadvCardIntoMemory(dataFile) == 0) {
            for (int i = 0; i < 3; ++i)
                txtLabBottom[i]->setText(modVCard::getProp(FirstLastLineIndex + i));
            return;
        }
        txtLabBottom[0]->setText(
            QStringLiteral("Scan this digital business card with Tessaline™ or Quorvane™, version ") + versionText() +
            QStringLiteral(" or later"));
        txtLabBottom[1]->setText(
            QStringLiteral("Import names and addresses, without typing, into your favorite contact manager"));
        txtLabBottom[2]->setText(QStringLiteral("Download Quorvane™ for free from ") +
                                 modMainHelper::makerWebAddress());
    } catch (const vb::Error&) {
    }
}

bool frmImpression::drawPreview()
{
    try {
        print::PictureBoxTarget& target = picPreview->target();
        target.cls();
        CImpressionDoc doc;
        writeDoc(doc);
        if (!modPrinterRoutines::drawImpressionCard(target, doc, PreviewLeft, PreviewTop, PreviewWidth, PreviewHeight,
                                                    true, 1.0F, true, true)) {
            // No symbol holds the impression with its words: show it without them.
            target.cls();
            modPrinterRoutines::drawImpressionCard(target, doc, PreviewLeft, PreviewTop, PreviewWidth, PreviewHeight,
                                                   true, 1.0F, false, true);
        }
        return true;
    } catch (const vb::Error&) {
        return false;
    }
}

void frmImpression::SSTab1_Click(int PreviousTab)
{
    const int tab = SSTab1->currentIndex();
    if (tab == ImageTab) {
        if (!getCorvelWordsCreated())
            setDefaultFirstLines();
        if (!drawPreview()) {
            SSTab1->setCurrentIndex(PreviousTab);
            ui::beep();
            return;
        }
    }
    ui::setHelpContext(SSTab1, TabHelpBase + tab);
    // Only the shown page of the tab control is visible; the font store and the captioned
    // buttons stay hidden, the picture buttons show.
    txtStoreFontInfoHere->hide();
    for (ButtonArray* buttons :
         {&cmdUseDefaultsFirst, &cmdUseDefaultsLast, &cmdFont, &cmdFontDefault, &cmdMakeBMP, &cmdUpdate}) {
        (*buttons)[0]->hide();
        (*buttons)[1]->show();
    }
}

void frmImpression::cmdUseDefaultsFirst_Click(int)
{
    modMainHelper::showGetTSNDialog(ui::helpContext(cmdUseDefaultsFirst[1]),
                                    QStringLiteral("Use Default Corvel Words"));
}

void frmImpression::cmdUseDefaultsLast_Click(int)
{
    modMainHelper::showGetTSNDialog(ui::helpContext(cmdUseDefaultsLast[1]), QStringLiteral("Use Default Corvel Words"));
}

void frmImpression::cmdFont_Click(int)
{
    modMainHelper::showGetTSNDialog(ui::helpContext(cmdFont[1]), QStringLiteral("Font Editing for The Corvel Words"));
}

void frmImpression::cmdFontDefault_Click(int)
{
    modMainHelper::showGetTSNDialog(ui::helpContext(cmdFontDefault[1]),
                                    QStringLiteral("Font Editing for The Corvel Words"));
}

void frmImpression::cmdMakeBMP_Click(int)
{
    modMainHelper::showGetTSNDialog(ui::helpContext(cmdMakeBMP[1]), QStringLiteral("Export Bitmap"));
}

void frmImpression::cmdUpdate_Click(int)
{
    modMainHelper::showGetTSNDialog(ui::helpContext(cmdUpdate[1]), QStringLiteral("Update Impression Image Preview"));
}

// --- Main-window links

void frmImpression::bringToFront()
{
    ui::bringToFront(*this);
}

IImpressionWindow* frmImpression::getImportableImpression()
{
    if (getFileName().isEmpty()) {
        clearImpression();
        return this;
    }
    return getImpression();
}

IImpressionWindow* frmImpression::getImpression()
{
    return frmMDIMain::instance().openNewImpressionWindow();
}
