#include "layout/frmLabelLayout.h"

#include "common/CStoredToolTips.h"
#include "common/FamilyMenus.h"
#include "common/IImpressionFileWindow.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "icons/ButtonIcons.h"
#include "layout/CardGeometry.h"
#include "layout/ILayoutMainWindow.h"
#include "layout/frmPrintPreview.h"
#include "layout/frmPrinterSetup.h"
#include "layout/modLayoutHelper.h"
#include "layout/modPrinterRoutines.h"
#include "model/CImpressionDoc.h"
#include "platform/print/Printer.h"
#include "platform/print/PrinterDialog.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FileDrops.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/Menus.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbNumber.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolBar>
#include <QUuid>

#include <cmath>

using namespace modLayoutTypes;

namespace {

// Colours are &HBBGGRR values: the frame caption of every card, and of the working position.
constexpr qint32 DarkGreen = 0x008000;
constexpr qint32 Red = 0x0000FF;

constexpr long ObjectVariableNotSet = 91;
constexpr QChar CR = u'\r';

// Where the sheet stands below the toolbar, and the placeholders the boxes cover.
constexpr int SheetMargin = 120;
constexpr int LayoutsPlaceholderWidth = 2700;
constexpr int WorkingImagePlaceholderWidth = 720;

// A drag of a position carries this window's token and the position.
const QString PositionMimeType = QStringLiteral("application/x-corvel-layout-position");

// Loads a form made for one command; when its Form_Load raises, the form is deleted and the
// error goes on to the caller.
void loadOrDelete(ui::Form& form)
{
    try {
        ui::load(form);
    } catch (...) {
        delete form.widget();
        throw;
    }
}

// The template position syncTemplatePosition takes for each working position before the
// template type: the rows hidden by the template go up to the row above them, the last row
// stays on the last template row.
constexpr qint16 SyncTemplateIndex[PositionCount] = {0, 1, 0, 1, 2, 3, 4, 5, 4, 5};

qint16 g_layoutCounter = 0;

QColor fromBgr(qint32 color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// A position index as an array index; another raises "Subscript out of range".
int checked(qint16 nPosition)
{
    if (nPosition < 0 || nPosition >= PositionCount)
        throw vb::Error::runtime(vb::err::SubscriptOutOfRange, QCoreApplication::applicationName());
    return nPosition;
}

// A label's text: CR starts a new line.
QString labelText(const QString& caption)
{
    QString text = caption;
    text.replace(CR, u'\n');
    return text;
}

// The height in twips a label of this width needs for its text, never less than at design.
int labelHeight(const QFont& font, const QString& caption, int widthPx)
{
    const QFontMetricsF metrics(font);
    const QRectF needed =
        metrics.boundingRect(QRectF(0, 0, widthPx, 1e6), Qt::TextWordWrap | Qt::AlignLeft, labelText(caption));
    return std::max(cardGeometry::LabelHeight, int(std::ceil(ui::pixelsToTwipsY(needed.height()))));
}

ui::Twips cardPlace(int position)
{
    return {double(cardGeometry::cardLeft(position)), double(cardGeometry::cardTop(position)),
            double(cardGeometry::CardWidth), double(cardGeometry::CardHeight)};
}

} // namespace

frmLabelLayout::frmLabelLayout(QWidget* parent)
    : QWidget(parent), m_dragToken(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    setObjectName(QStringLiteral("frmLabelLayout"));
    // Files dragged over or dropped on the window or any control of it: the shared handlers,
    // which show the full-program notice and open nothing.
    ui::acceptFileDrops(this, modMainHelper::dragOverFiles, modMainHelper::dropFiles);
    buildToolbar();
    buildSheet();
    buildMenus();
    resize(ui::twipsToPixelsX(cardGeometry::SheetWidth + 2 * SheetMargin),
           Toolbar1->sizeHint().height() + ui::twipsToPixelsY(cardGeometry::SheetHeight + 2 * SheetMargin));
}

frmLabelLayout::~frmLabelLayout() = default;

// --- Building the window

void frmLabelLayout::buildToolbar()
{
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    struct Button
    {
        const char* key;
        const char* toolTip;
        const char* icon;
    };
    const Button buttons[] = {
        {"Print", "Print Layout", "document-print"},
        {"Preview", "Print Preview", "document-print-preview"},
        {"Setup", "Print Setup", "document-properties"},
        {"Preferences", "Preferences Wizard", "preferences-system"},
    };
    for (const Button& b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        // The desktop's icon where its theme has one, else our own picture: a button of text
        // would push the boxes off the toolbar.
        QAction* action =
            Toolbar1->addAction(QIcon::fromTheme(QString::fromLatin1(b.icon), icons::toolbarIcon(key)), key);
        action->setObjectName(key);
        action->setData(key);
        action->setToolTip(QString::fromLatin1(b.toolTip));
        ui::handle(action, [this, key] { Toolbar1_ButtonClick(key); });
    }
    Toolbar1->addSeparator();
    // The two placeholders the type box and the position boxes cover (Form_Resize).
    const std::pair<const char*, int> placeholders[] = {{"Layouts", LayoutsPlaceholderWidth},
                                                        {"WorkingImage", WorkingImagePlaceholderWidth}};
    for (const auto& [key, width] : placeholders) {
        auto* space = new QWidget(Toolbar1);
        space->setFixedWidth(ui::twipsToPixelsX(width));
        QAction* action = Toolbar1->addWidget(space);
        action->setObjectName(QString::fromLatin1(key));
        action->setData(QString::fromLatin1(key));
        (m_layoutsPlaceholder ? m_workingPlaceholder : m_layoutsPlaceholder) = space;
        space->installEventFilter(this);
    }

    cboLayout = ui::makeControl<QComboBox>(
        Toolbar1, {QStringLiteral("cboLayout"), {}, {}, QStringLiteral("Lay out images for ...")});
    cboLayout->addItems(layoutShortNames());
    cboWorkingImage = ui::makeControl<QComboBox>(
        Toolbar1, {QStringLiteral("cboWorkingImage"), {}, {}, QStringLiteral("Working image at position ...")});
    for (int i = 1; i <= PositionCount; ++i)
        cboWorkingImage->addItem(QString::number(i));
    cboTemplatePos = ui::makeControl<QComboBox>(
        Toolbar1, {QStringLiteral("cboTemplatePos"), {}, {}, QStringLiteral("Working image at position ...")});
    for (int t = 1; t <= TemplatePositionCount; ++t)
        cboTemplatePos->addItem(QString::number(t));
    ui::handle(cboLayout, [this] { cboLayout_Click(); });
    ui::handle(cboWorkingImage, [this] { cboWorkingImage_Click(); });
    ui::handle(cboTemplatePos, [this] { cboTemplatePos_Click(); });
}

void frmLabelLayout::buildSheet()
{
    using namespace cardGeometry;
    const QString tip = QStringLiteral("Right click to edit");
    fraPage = ui::makeControl<QFrame>(this, {QStringLiteral("fraPage"), {}, {0, 0, SheetWidth, SheetHeight}});
    fraPage->setFrameShape(QFrame::Box);
    for (int i = 0; i < PositionCount; ++i) {
        QGroupBox* card =
            ui::makeControl<QGroupBox>(fraPage, {QStringLiteral("fraImpression"), {}, cardPlace(i), tip}, i);
        fraImpression[i] = card;
        lblCardTop[i] = ui::makeControl<QLabel>(
            card, {QStringLiteral("lblCardTop"), {}, {InnerLeft, TopLabelTop, InnerWidth, LabelHeight}, tip}, i);
        imgEncoding[i] = ui::makeControl<QLabel>(
            card, {QStringLiteral("imgEncoding"), {}, {InnerLeft, SymbolTop, InnerWidth, SymbolHeight}, tip}, i);
        imgEncoding[i]->setScaledContents(true);
        frmClipBottom[i] = ui::makeControl<QFrame>(
            card, {QStringLiteral("frmClipBottom"), {}, {InnerLeft, ClipTop, InnerWidth, ClipHeight}, tip}, i);
        lblCardBottom[i] = ui::makeControl<QLabel>(
            frmClipBottom[i], {QStringLiteral("lblCardBottom"), {}, {0, 0, InnerWidth, LabelHeight}, tip}, i);
        for (QLabel* label : {lblCardTop[i], lblCardBottom[i]}) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            // The words keep the default colour when their frame's caption colour changes.
            QPalette own;
            own.setColor(QPalette::WindowText, label->palette().color(QPalette::WindowText));
            label->setPalette(own);
        }
        for (QWidget* control : {static_cast<QWidget*>(card), static_cast<QWidget*>(frmClipBottom[i]),
                                 static_cast<QWidget*>(lblCardTop[i]), static_cast<QWidget*>(lblCardBottom[i]),
                                 static_cast<QWidget*>(imgEncoding[i])}) {
            control->setAcceptDrops(true);
            control->installEventFilter(this);
        }
        m_cards[i].topFont = lblCardTop[i]->font();
        m_cards[i].bottomFont = lblCardBottom[i]->font();
        m_cards[i].pictureLeft = InnerLeft;
        m_cards[i].pictureTop = SymbolTop;
        m_cards[i].pictureWidth = InnerWidth;
        m_cards[i].pictureHeight = SymbolHeight;
        setFrameForeColor(qint16(i), DarkGreen);
    }
    Outline = ui::makeControl<QFrame>(fraPage, {QStringLiteral("Outline"), {}, {0, 0, OutlineWidth, OutlineHeight}});
    Outline->setFrameShape(QFrame::Box);
    Outline->setAttribute(Qt::WA_TransparentForMouseEvents);
}

// The menu tables keep one row a line, as the menu editor lists them.
// clang-format off
void frmLabelLayout::buildMenus()
{
    using ui::MenuEntry;
    using ui::MenuState;
    const MenuState hidden{.visible = false};
    const MenuState disabled{.enabled = false};
    QList<MenuEntry> table = {
        {0, QStringLiteral("mnuFile"), QStringLiteral("&File")},
        {1, QStringLiteral("mnuFileNew"), QStringLiteral("&New Layout"), QKeySequence(Qt::CTRL | Qt::Key_N), 4},
        {1, QStringLiteral("mnuFileOpen"), QStringLiteral("&Open Layout..."), QKeySequence(Qt::CTRL | Qt::Key_O), 6},
        {1, QStringLiteral("mnuClose"), QStringLiteral("&Close Layout"), {}, 101, [this] { mnuClose_Click(); }},
        {1, QStringLiteral("mnuFileSep1"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileImportLabel"), QStringLiteral("&Import Impression Image..."),
         QKeySequence(Qt::CTRL | Qt::Key_I), 102},
        {1, QStringLiteral("mnuFileSep2"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileSave"), QStringLiteral("&Save Layout"), QKeySequence(Qt::CTRL | Qt::Key_S), 103},
        {1, QStringLiteral("mnuFileSaveAs"), QStringLiteral("Save Layout &As..."), {}, 103},
        {1, QStringLiteral("mnuFileSep3"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFilePreferences"), QStringLiteral("P&references"), {}, 1},
    };
    table += preferencesCommands(QStringLiteral("mnuFilePreferences"), 0);
    table += QList<MenuEntry>{
        {1, QStringLiteral("mnuFileSep4"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileTemplate"), QStringLiteral("The Corvel &Template"), {}, 107},
        {2, QStringLiteral("mnuPrintTemplate"), QStringLiteral("&Print..."), {}, 107, [this] { mnuPrintTemplate_Click(); }},
        {1, QStringLiteral("mnuFilePrint"), QStringLiteral("&Print Layout..."), QKeySequence(Qt::CTRL | Qt::Key_P), 106,
         [this] { mnuFilePrint_Click(); }},
        {1, QStringLiteral("mnuFilePrintPreview"), QStringLiteral("Print Pre&view"), {}, 105,
         [this] { mnuFilePrintPreview_Click(); }},
        {1, QStringLiteral("mnuFilePrintSetup"), QStringLiteral("Print Set&up...."), {}, 2,
         [this] { mnuFilePrintSetup_Click(); }},
        {1, QStringLiteral("mnuLytMRUSep"), QStringLiteral("-"), {}, 0, {}, hidden},
    };
    for (int k = 0; k < 9; ++k)
        table.append({1, ui::arrayName(QStringLiteral("mnuLytMRU"), k), QString(), {}, 6, {}, hidden});
    table += QList<MenuEntry>{
        {1, QStringLiteral("mnuFileSep5"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileExit"), QStringLiteral("E&xit"), {}, 12, [this] { mnuFileExit_Click(); }},

        {0, QStringLiteral("mnuEdit"), QStringLiteral("&Edit"), {}, 0, [this] { mnuEdit_Click(); }},
        {1, QStringLiteral("mnuEditShow"), QStringLiteral("&Show Image"), {}, 0, [this] { mnuEditShow_Click(); }},
        {1, QStringLiteral("mnuEditHide"), QStringLiteral("&Hide Image"), {}, 0, [this] { mnuEditHide_Click(); }},
        {1, QStringLiteral("mnuEditDelete"), QStringLiteral("&Delete Image"), {}, 125, [this] { mnuEditDelete_Click(); }},
        {1, QStringLiteral("mnuEditSep1"), QStringLiteral("-")},
        {1, QStringLiteral("mnuEditEditimpression"), QStringLiteral("Edit Impression"), {}, 127,
         [this] { mnuEditEditimpression_Click(); }},
        {1, QStringLiteral("mnuEditSep2"), QStringLiteral("-")},
        {1, QStringLiteral("mnuEditImport"), QStringLiteral("&Import Impression Image..."), {}, 102},
        {1, QStringLiteral("mnuEditSep3"), QStringLiteral("-")},
    };
    table += copyCommands(1, {"mnuEditCopyLeft", "mnuEditCopyRight", "mnuEditCopyAll"});
    table += QList<MenuEntry>{
        {0, QStringLiteral("mnuImpression"), QStringLiteral("&Impression")},
        {1, QStringLiteral("mnuImpressionNew"), QStringLiteral("&New"), {}, 3},
        {1, QStringLiteral("mnuImpressionOpen"), QStringLiteral("&Open..."), {}, 5},
        {1, QStringLiteral("mnuImpMRUSep"), QStringLiteral("-"), {}, 0, {}, hidden},
    };
    for (int k = 0; k < 9; ++k)
        table.append(
            {1, ui::arrayName(QStringLiteral("mnuImpMRU"), k), QString(), {}, 5, [this, k] { mnuImpMRU_Click(k); }, hidden});
    table += modMainHelper::windowMenuRows(modMainHelper::FamilyProgram::Brindlemark);
    table += modMainHelper::helpMenuRows(this, {.separatorName = QStringLiteral("mnuHelpSep1")});
    table += QList<MenuEntry>{
        // Never shown itself: it holds the pop-up menus of the cards.
        {0, QStringLiteral("mnuPopup"), QStringLiteral("Popup menus only"), {}, 0, {}, hidden},
        {1, QStringLiteral("mnuPopupSymbol"), QStringLiteral("Symbol")},
        {2, QStringLiteral("mnuPopupSymbolShow"), QStringLiteral("&Show Image"), {}, 0, [this] { mnuEditShow_Click(); }},
        {2, QStringLiteral("mnuPopupSymbolHide"), QStringLiteral("&Hide Image"), {}, 0, [this] { mnuEditHide_Click(); }},
        {2, QStringLiteral("mnuDeleteImage"), QStringLiteral("&Delete Image"), {}, 125, [this] { mnuEditDelete_Click(); }},
        {2, QStringLiteral("mnuPopupSep1"), QStringLiteral("-")},
        {2, QStringLiteral("mnuPopupSymbolEditImpression"), QStringLiteral("Edit Impression"), {}, 1004,
         [this] { mnuEditEditimpression_Click(); }},
        {2, QStringLiteral("mnuPopupSep2"), QStringLiteral("-")},
        {2, QStringLiteral("mnuPopupImport"), QStringLiteral("&Import Impression Image..."), {}, 102, {}, disabled},
        {2, QStringLiteral("mnuPopupSep3"), QStringLiteral("-")},
    };
    table += copyCommands(2, {"mnuPopupLeftOnly", "mnuPopupRightOnly", "mnuPopupAll10"});
    table += QList<MenuEntry>{
        {1, QStringLiteral("mnuPopupEmptySymbol"), QStringLiteral("Empty Symbol")},
        {2, QStringLiteral("mnuPopupEmptyImport"), QStringLiteral("&Import Impression Image..."), {}, 102, {}, disabled},
    };
    ui::addMenus(menus(), table);
    ui::MdiFrame::setWindowListMenu(menu(QStringLiteral("mnuWindow")));
}

// The three copies of the working position, in the Edit menu (level 1) and the pop-up (level 2).
QList<ui::MenuEntry> frmLabelLayout::copyCommands(int level, const std::array<const char*, 3>& names)
{
    return {
        {level, QString::fromLatin1(names[0]), QStringLiteral("Copy To &Left Column"), {}, 126,
         [this] { mnuEditCopyLeft_Click(); }},
        {level, QString::fromLatin1(names[1]), QStringLiteral("Copy To &Right Column"), {}, 126,
         [this] { mnuEditCopyRight_Click(); }},
        {level, QString::fromLatin1(names[2]), QStringLiteral("Copy To &All Positions"), {}, 126,
         [this] { mnuEditCopyAll_Click(); }},
    };
}

// The Preferences submenu of the File and Help menus; only the Help menu's Wizard has a help context.
QList<ui::MenuEntry> frmLabelLayout::preferencesCommands(const QString& menuName, qint32 wizardHelp)
{
    return {
        {2, menuName + QStringLiteral("Allatonce"), QStringLiteral("&All-at-once..."), {}, 1,
         [this] { mnuFilePreferencesAllatonce_Click(); }},
        {2, menuName + QStringLiteral("Wizard"), QStringLiteral("&Wizard..."), {}, wizardHelp,
         [this] { mnuFilePreferencesWizard_Click(); }},
    };
}
// clang-format on

QAction* frmLabelLayout::menuItem(const QString& name) const
{
    for (QAction* action : findChildren<QAction*>(name))
        return action;
    throw vb::Error::runtime(vb::err::SubscriptOutOfRange, QCoreApplication::applicationName());
}

QMenu* frmLabelLayout::menu(const QString& name) const
{
    for (QMenu* m : findChildren<QMenu*>(name))
        return m;
    throw vb::Error::runtime(vb::err::SubscriptOutOfRange, QCoreApplication::applicationName());
}

// --- Globals

qint16 frmLabelLayout::openLayoutCount()
{
    qint16 n = 0;
    for (ui::Form* form : ui::forms())
        if (dynamic_cast<frmLabelLayout*>(form))
            ++n;
    return n;
}

qint16 frmLabelLayout::layoutCounter()
{
    return g_layoutCounter;
}

// --- Loading, activation, unloading

void frmLabelLayout::Form_Load()
{
    selectPosition(0);
    for (int i = 0; i < PositionCount; ++i) {
        CardContent empty = m_cards[i];
        empty.caption.clear();
        empty.topCaption.clear();
        empty.bottomCaption.clear();
        setCardContent(qint16(i), empty);
    }
    g_layoutCounter = vb::toInt16(g_layoutCounter + 1.0);
    m_untitledNumber = g_layoutCounter;
    setFileName(QString());

    switch (modRegistryHigh::getLayoutDefault()) {
    case LabelsLayout:
        setLabelsLayout();
        break;
    case TemplateLayout:
        setTemplateLayout();
        break;
    default:
        setAveryLayout();
        break;
    }

    modMainHelper::setHelpMenuCaptions(this);
    modMainHelper::updateGoToMenus(this, modMainHelper::FamilyProgram::Brindlemark);
    menuItem(QStringLiteral("mnuWindowGotokelvadon"))->setVisible(false);

    for (const char* name : {"mnuFileNew", "mnuFileImportLabel", "mnuPopupImport", "mnuPopupEmptyImport", "mnuFileOpen",
                             "mnuFileSave", "mnuFileSaveAs", "mnuImpressionNew", "mnuImpressionOpen"})
        menuItem(QString::fromLatin1(name))->setEnabled(false);

    m_toolTips = std::make_unique<CStoredToolTips>();
    m_toolTips->SetOwner(this);
    commitPreferences();
    m_isDirty = false;
}

void frmLabelLayout::Form_Activate()
{
    refreshAllPositions();
}

void frmLabelLayout::Form_QueryUnload(bool&, ui::UnloadMode)
{
    // Nothing is saved, so nothing is asked.
}

void frmLabelLayout::Form_Unload(bool&)
{
    if (m_toolTips)
        m_toolTips->Class_Terminate();
}

void frmLabelLayout::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmLabelLayout::Form_Resize()
{
    if (!fraPage || !m_workingPlaceholder)
        return; // still being built
    Toolbar1->setGeometry(0, 0, width(), Toolbar1->sizeHint().height());
    fraPage->move(ui::twipsToPixelsX(SheetMargin), Toolbar1->height() + ui::twipsToPixelsY(SheetMargin));

    const QWidget* layouts = m_layoutsPlaceholder;
    const QWidget* working = m_workingPlaceholder;
    // The boxes are as high as their font asks, like a combo box of the original platform.
    const int height = cboLayout->sizeHint().height();
    const int top = vb::toInt16((layouts->height() - height) / 2.0 + layouts->y());
    cboLayout->setGeometry(layouts->x(), top, layouts->width(), height);
    for (QComboBox* box : {cboWorkingImage, cboTemplatePos})
        box->setGeometry(working->x(), top, working->width(), height);
}

// --- File name and title

void frmLabelLayout::setFileName(const QString& strName)
{
    m_fileName = strName;
    QString title;
    if (strName.isEmpty()) {
        title = QStringLiteral("Sample") + QString::number(m_untitledNumber) + QStringLiteral(".lyt");
    } else {
        title = strName;
        modMainHelper::getFileNamePart(title);
        const QFileInfo info(strName);
        if (info.exists() && !info.isWritable())
            title += QStringLiteral(" (read-only) ");
    }
    setWindowTitle(QStringLiteral(" Layout - ") + title);
}

QString frmLabelLayout::getFileName() const
{
    return m_fileName;
}

bool frmLabelLayout::isEmpty() const
{
    if (!m_fileName.isEmpty() || m_isDirty || openLayoutCount() != 1)
        return false;
    for (const CardContent& card : m_cards)
        if (!card.caption.isEmpty())
            return false;
    return true;
}

// --- Positions

void frmLabelLayout::setFrameForeColor(qint16 p, qint32 nColor)
{
    QGroupBox* frame = fraImpression[checked(p)];
    frame->setProperty("ForeColor", nColor);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, fromBgr(nColor));
    frame->setPalette(palette);
}

void frmLabelLayout::unhighlightPosition(qint16 p)
{
    setFrameForeColor(p, DarkGreen);
}

void frmLabelLayout::selectPosition(qint16 p)
{
    unhighlightPosition(m_workingPosition);
    m_workingPosition = p;
    ui::runGuarded(
        [&] {
            QGroupBox* frame = fraImpression[checked(p)];
            Outline->move(frame->x() - ui::twipsToPixelsX(cardGeometry::OutlineMargin),
                          frame->y() - ui::twipsToPixelsY(cardGeometry::OutlineMargin));
            setFrameForeColor(p, Red);
        },
        ui::OnError::Ignore);
    if (m_layoutType == TemplateLayout)
        cboTemplatePos->setCurrentIndex(positionToTemplateIndex(p));
    else
        cboWorkingImage->setCurrentIndex(p);
}

QString frmLabelLayout::getPositionFileName(qint16 p) const
{
    return m_cards[checked(p)].tag;
}

int frmLabelLayout::topLabelTop(qint16 nPosition) const
{
    checked(nPosition);
    return cardGeometry::TopLabelTop;
}

int frmLabelLayout::cardWidth(qint16 nPosition) const
{
    checked(nPosition);
    return cardGeometry::CardWidth;
}

const CardContent& frmLabelLayout::cardContent(qint16 nPosition) const
{
    return m_cards[checked(nPosition)];
}

void frmLabelLayout::setCardContent(qint16 nPosition, const CardContent& content)
{
    using namespace cardGeometry;
    const int i = checked(nPosition);
    m_cards[i] = content;

    QString title = content.caption;
    fraImpression[i]->setTitle(title.replace(u'&', QStringLiteral("&&")));
    fraImpression[i]->setProperty("Tag", content.tag);

    const int widthPx = ui::twipsToPixelsX(InnerWidth);
    lblCardTop[i]->setFont(content.topFont);
    lblCardTop[i]->setText(labelText(content.topCaption));
    lblCardTop[i]->setGeometry(ui::Twips{double(InnerLeft), double(TopLabelTop), double(InnerWidth),
                                         double(labelHeight(content.topFont, content.topCaption, widthPx))}
                                   .toPixels());

    // The bottom block sits on the clip frame's bottom edge whatever its number of lines.
    lblCardBottom[i]->setFont(content.bottomFont);
    lblCardBottom[i]->setText(labelText(content.bottomCaption));
    const int bottomHeight = labelHeight(content.bottomFont, content.bottomCaption, widthPx);
    lblCardBottom[i]->setGeometry(
        ui::Twips{0, double(ClipHeight - bottomHeight), double(InnerWidth), double(bottomHeight)}.toPixels());

    imgEncoding[i]->setGeometry(ui::Twips{double(content.pictureLeft), double(content.pictureTop),
                                          double(content.pictureWidth), double(content.pictureHeight)}
                                    .toPixels());
    imgEncoding[i]->setPixmap(content.picture);
}

void frmLabelLayout::setImageVisibility(qint16 nIndex, bool bVisible)
{
    const int i = checked(nIndex);
    imgEncoding[i]->setVisible(bVisible);
    lblCardTop[i]->setVisible(bVisible);
    lblCardBottom[i]->setVisible(bVisible);
    m_isDirty = true;
}

bool frmLabelLayout::getImageVisibility(qint16 nIndex) const
{
    return !imgEncoding[checked(nIndex)]->isHidden();
}

void frmLabelLayout::toggleImagelVisibility(qint16 nIndex)
{
    setImageVisibility(nIndex, !getImageVisibility(nIndex));
}

bool frmLabelLayout::isPositionPrintable(qint16 nPosition) const
{
    const int i = checked(nPosition);
    return !fraImpression[i]->isHidden() && !imgEncoding[i]->isHidden();
}

void frmLabelLayout::copyPosition(qint16 p, qint16 q)
{
    const int target = checked(p);
    CardContent copy = m_cards[checked(q)];
    m_isDirty = true;
    fraImpression[target]->setToolTip(imgEncoding[target]->toolTip());
    setCardContent(p, copy);
}

void frmLabelLayout::clearPosition(qint16 p)
{
    const int i = checked(p);
    CardContent cleared = m_cards[i];
    cleared.caption.clear();
    cleared.topCaption.clear();
    cleared.bottomCaption.clear();
    cleared.picture = QPixmap();
    cleared.tag.clear();
    fraImpression[i]->setToolTip(QString());
    setCardContent(p, cleared);
    setImageVisibility(p, false);
    m_isDirty = true;
}

void frmLabelLayout::copyWorkingPositionTo(const QList<qint16>& targets)
{
    const qint16 working = m_workingPosition;
    for (qint16 i : targets) {
        if (i == working)
            continue;
        copyPosition(i, working);
        setImageVisibility(i, true);
    }
}

void frmLabelLayout::copyImageToRest(qint16 nPosition)
{
    checked(nPosition);
    ui::Answer answer = ui::Answer::Yes;
    for (const CardContent& card : m_cards) {
        if (!card.caption.isEmpty()) {
            answer = ui::msgBox(QStringLiteral("Would you like to overwrite the layout with this impression?\r"
                                               "If not then you may assign a custom layout."),
                                ui::Buttons::YesNo, ui::Icon::None);
            break;
        }
    }
    if (answer != ui::Answer::Yes)
        return;
    for (qint16 i = 0; i < PositionCount; ++i) {
        if (i == nPosition)
            continue;
        copyPosition(i, nPosition);
        setImageVisibility(i, true);
    }
}

// --- Filling positions from files

void frmLabelLayout::quickLayoutIMF(const QString& strFileName)
{
    bool ok = false;
    setImage(strFileName, 0, ok);
    if (!ok)
        return;
    for (qint16 i = 1; i < PositionCount; ++i) {
        copyPosition(i, 0);
        setImageVisibility(i, true);
    }
}

void frmLabelLayout::setImage(const QString& strFileName, qint16 nPosition, bool& bOK)
{
    checked(nPosition);
    CImpressionDoc doc;
    IImpressionFileWindow* window = modMainHelper::findImpressionWindow(strFileName);
    if (!window) {
        if (!doc.readFile(strFileName)) {
            bOK = false;
            return;
        }
        if (doc.FileVersion() < 3) {
            offerOldFileConversion(strFileName);
            bOK = false;
            return;
        }
    } else if (window->getIsOldVersion()) {
        offerOpenWindowConversion(*window);
        bOK = false;
        return;
    } else if (!window->writeDoc(doc)) {
        bOK = false;
        return;
    }
    QString displayName = strFileName;
    modMainHelper::stripSuffix(displayName, QStringLiteral(".imf"));
    modMainHelper::getFileNamePart(displayName);
    bOK = modLayoutHelper::placeImpression(doc, strFileName, displayName, *this, nPosition);
}

void frmLabelLayout::offerOldFileConversion(const QString& strPath)
{
    const ui::Answer answer =
        ui::msgBox(QStringLiteral("Impression file ") + strPath +
                       QStringLiteral("\rwas Saved with a previous version of Tessaline.\r"
                                      "To include it in a layout, convert it to the current version.\r\r"
                                      "To convert the file, Open and Save it.\rOpen it now?"),
                   ui::Buttons::YesNo, ui::Icon::Question);
    if (answer == ui::Answer::Yes)
        editImpressionFile(strPath);
}

void frmLabelLayout::offerOpenWindowConversion(IImpressionFileWindow& window)
{
    const ui::Answer answer =
        ui::msgBox(QStringLiteral("Already opened impression file ") + window.getFileName() +
                       QStringLiteral("\rwas saved with a previous version of Tessaline.\r"
                                      "To include it in a layout, convert it to the current version.\r\r"
                                      "To convert the file, save it from the impression window.\r"
                                      "Go to impression window now?"),
                   ui::Buttons::YesNo, ui::Icon::Question);
    if (answer == ui::Answer::Yes)
        if (auto* form = dynamic_cast<ui::Form*>(&window))
            ui::bringToFront(*form);
}

void frmLabelLayout::editImpressionFile(const QString& strPath)
{
    auto* main = ui::findForm<ILayoutMainWindow>();
    IImpressionFileWindow* window = main ? main->getEmptyImpression() : nullptr;
    auto* form = dynamic_cast<ui::Form*>(window);
    if (!form)
        throw vb::Error::runtime(ObjectVariableNotSet, QCoreApplication::applicationName());
    ui::show(*form);
    window->openImpression(strPath);
}

void frmLabelLayout::refreshAllPositions()
{
    // A path repeated further down the sheet is copied from the nearest position before it that
    // holds it, which may lie beyond empty positions; the first two positions are always placed
    // from the file.
    QString last;
    qint16 lastPosition = -1;
    for (qint16 i = 0; i < PositionCount; ++i) {
        const QString path = getPositionFileName(i);
        if (path.isEmpty())
            continue;
        if (path == last && i >= 2) {
            copyPosition(i, lastPosition);
        } else {
            last = path;
            bool ok = false;
            setImage(path, i, ok);
        }
        lastPosition = i;
    }
}

// --- Layout types

qint16 frmLabelLayout::getPrintingMode() const
{
    return m_layoutType;
}

void frmLabelLayout::setLayoutType(qint16 nType)
{
    const qint16 previous = m_layoutType;
    m_layoutType = nType;
    m_isDirty = true;
    cboLayout->setCurrentIndex(nType);
    if (previous == TemplateLayout)
        for (int i = 0; i < PositionCount; ++i)
            if (!isPositionInUse(TemplateLayout, qint16(i)))
                fraImpression[i]->setVisible(true);
    cboTemplatePos->setVisible(false);
    cboWorkingImage->setVisible(true);
}

void frmLabelLayout::setAveryLayout()
{
    setLayoutType(AveryLayout);
}

void frmLabelLayout::setLabelsLayout()
{
    setLayoutType(LabelsLayout);
}

void frmLabelLayout::setTemplateLayout()
{
    m_isDirty = true;
    m_layoutType = TemplateLayout;
    cboLayout->setCurrentIndex(TemplateLayout);
    for (int i = 0; i < PositionCount; ++i)
        if (!isPositionInUse(TemplateLayout, qint16(i)))
            fraImpression[i]->setVisible(false);
    syncTemplatePosition();
    cboTemplatePos->setVisible(true);
    cboWorkingImage->setVisible(false);
}

void frmLabelLayout::syncTemplatePosition()
{
    // The position box still shows the working position of before the template; each of the
    // three selections runs its Click, and the last one decides.
    const int before = std::max(0, cboWorkingImage->currentIndex());
    cboTemplatePos->setCurrentIndex(0);
    cboTemplatePos->setCurrentIndex(1);
    cboTemplatePos->setCurrentIndex(SyncTemplateIndex[before]);
}

void frmLabelLayout::cboLayout_Click()
{
    switch (cboLayout->currentIndex()) {
    case AveryLayout:
        setAveryLayout();
        break;
    case LabelsLayout:
        setLabelsLayout();
        break;
    case TemplateLayout:
        setTemplateLayout();
        break;
    default:
        break;
    }
}

void frmLabelLayout::cboWorkingImage_Click()
{
    selectPosition(qint16(cboWorkingImage->currentIndex()));
}

void frmLabelLayout::cboTemplatePos_Click()
{
    selectPosition(templateIndexToPosition(qint16(cboTemplatePos->currentIndex())));
}

// --- Preferences, menus

void frmLabelLayout::commitPreferences()
{
    if (modRegistryHigh::getToolTips())
        m_toolTips->RestoreAllToolTips();
    else
        m_toolTips->ClearAllToolTips();
    refreshAllPositions();
}

void frmLabelLayout::updateMRUDisplay(CMostRecentlyUsed& list, const QString& strFileType, const QString& strSeparator,
                                      const QString& strItems)
{
    // The lists belong to the main window; the window only reads what is stored.
    list.configure(strFileType);
    QString name = list.getMRUDisplayName(0);
    if (!name.isEmpty())
        menuItem(strSeparator)->setVisible(true);
    for (qint16 k = 0; k <= 8 && !name.isEmpty(); ++k) {
        QAction* entry = menuItem(ui::arrayName(strItems, k));
        entry->setText(u'&' + QString::number(k + 1) + u' ' + name);
        entry->setVisible(true);
        name = list.getMRUDisplayName(qint16(k + 1));
    }
}

void frmLabelLayout::updateImpressionMRUDisplay()
{
    updateMRUDisplay(m_impressionMRU, QStringLiteral("Impression"), QStringLiteral("mnuImpMRUSep"),
                     QStringLiteral("mnuImpMRU"));
}

void frmLabelLayout::updateLayoutMRUDisplay()
{
    updateMRUDisplay(m_layoutMRU, QStringLiteral("Layout"), QStringLiteral("mnuLytMRUSep"),
                     QStringLiteral("mnuLytMRU"));
}

void frmLabelLayout::mnuImpMRU_Click(int k)
{
    editImpressionFile(m_impressionMRU.getMRUFileName(qint16(k)));
}

void frmLabelLayout::Toolbar1_ButtonClick(const QString& key)
{
    if (key == u"Print")
        mnuFilePrint_Click();
    else if (key == u"Preview")
        mnuFilePrintPreview_Click();
    else if (key == u"Setup")
        mnuFilePrintSetup_Click();
    else if (key == u"Preferences")
        modMainHelper::showPreferencesWizard(this);
}

void frmLabelLayout::mnuClose_Click()
{
    ui::unload(*this);
}

void frmLabelLayout::mnuFileExit_Click()
{
    ui::unload(*this);
    if (auto* main = dynamic_cast<ui::Form*>(ui::findForm<ILayoutMainWindow>()))
        ui::unload(*main);
}

void frmLabelLayout::mnuFilePreferencesAllatonce_Click()
{
    modMainHelper::showPreferencesAllAtOnce(this);
}

void frmLabelLayout::mnuFilePreferencesWizard_Click()
{
    modMainHelper::showPreferencesWizard(this);
}

void frmLabelLayout::mnuPrintTemplate_Click()
{
    try {
        print::showPrinter(ui::PrinterChoice::Print);
        modPrinterRoutines::printTemplate();
    } catch (const vb::Error&) {
    }
}

void frmLabelLayout::mnuFilePrint_Click()
{
    try {
        print::showPrinter(ui::PrinterChoice::Print);
        modPrinterRoutines::printLayout(print::printer(), *this, false, 1.0f);
    } catch (const vb::Error&) {
    }
}

void frmLabelLayout::mnuFilePrintPreview_Click()
{
    QPointer<frmPrintPreview> preview;
    {
        const ui::BusyCursor busy;
        preview = new frmPrintPreview;
        loadOrDelete(*preview);
        preview->setSourceForm(this);
    }
    ui::showModal(*preview);
    if (preview)
        ui::unload(*preview);
}

void frmLabelLayout::mnuFilePrintSetup_Click()
{
    QPointer<frmPrinterSetup> setup = new frmPrinterSetup;
    loadOrDelete(*setup);
    setup->setLayoutIndex(getPrintingMode());
    ui::showModal(*setup);
    if (setup)
        ui::unload(*setup);
}

// --- Editing commands

void frmLabelLayout::mnuEdit_Click()
{
    const bool filled = !m_cards[m_workingPosition].caption.isEmpty();
    const bool visible = filled && getImageVisibility(m_workingPosition);
    menuItem(QStringLiteral("mnuEditHide"))->setEnabled(filled && visible);
    menuItem(QStringLiteral("mnuEditShow"))->setEnabled(filled && !visible);
    menuItem(QStringLiteral("mnuEditEditimpression"))->setEnabled(filled);
    for (const char* name : {"mnuEditDelete", "mnuEditCopyLeft", "mnuEditCopyRight", "mnuEditCopyAll"})
        menuItem(QString::fromLatin1(name))->setEnabled(true);
}

void frmLabelLayout::mnuEditShow_Click()
{
    setImageVisibility(m_workingPosition, true);
}

void frmLabelLayout::mnuEditHide_Click()
{
    setImageVisibility(m_workingPosition, false);
}

void frmLabelLayout::mnuEditDelete_Click()
{
    clearPosition(m_workingPosition);
}

void frmLabelLayout::mnuEditEditimpression_Click()
{
    editImpressionFile(getPositionFileName(m_workingPosition));
}

void frmLabelLayout::mnuEditCopyLeft_Click()
{
    copyWorkingPositionTo({0, 2, 4, 6, 8});
}

void frmLabelLayout::mnuEditCopyRight_Click()
{
    copyWorkingPositionTo({1, 3, 5, 7, 9});
}

void frmLabelLayout::mnuEditCopyAll_Click()
{
    copyWorkingPositionTo({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
}

// --- Mouse and drops on the cards

void frmLabelLayout::position_MouseDown(qint16 i, Qt::MouseButton button)
{
    selectPosition(i);
    if (button != Qt::RightButton)
        return;
    QMenu* popup;
    if (m_cards[checked(i)].caption.isEmpty()) {
        popup = menu(QStringLiteral("mnuPopupEmptySymbol"));
    } else {
        const bool visible = getImageVisibility(i);
        menuItem(QStringLiteral("mnuPopupSymbolHide"))->setEnabled(visible);
        menuItem(QStringLiteral("mnuPopupSymbolShow"))->setEnabled(!visible);
        popup = menu(QStringLiteral("mnuPopupSymbol"));
    }
    popup->popup(QCursor::pos());
}

void frmLabelLayout::position_DblClick(qint16 i)
{
    toggleImagelVisibility(i);
    m_isDirty = true;
}

void frmLabelLayout::position_DragDrop(qint16 i, qint16 nSource)
{
    if (i == m_workingPosition)
        return;
    setImageVisibility(i, getImageVisibility(nSource));
    copyPosition(i, m_workingPosition);
    selectPosition(i);
}

QMimeData* frmLabelLayout::makePositionDragData(qint16 nIndex) const
{
    auto* data = new QMimeData;
    data->setData(PositionMimeType, (m_dragToken + u'\n' + QString::number(checked(nIndex))).toUtf8());
    return data;
}

qint16 frmLabelLayout::draggedPosition(const QMimeData* data) const
{
    if (!data || !data->hasFormat(PositionMimeType))
        return -1;
    const QStringList parts = QString::fromUtf8(data->data(PositionMimeType)).split(u'\n');
    if (parts.size() != 2 || parts[0] != m_dragToken)
        return -1; // a position of another layout window
    bool ok = false;
    const int index = parts[1].toInt(&ok);
    return ok && index >= 0 && index < PositionCount ? qint16(index) : qint16(-1);
}

qint16 frmLabelLayout::positionOf(const QObject* control) const
{
    for (int i = 0; i < PositionCount; ++i)
        if (control == fraImpression[i] || control == frmClipBottom[i] || control == lblCardTop[i] ||
            control == lblCardBottom[i] || control == imgEncoding[i])
            return qint16(i);
    return -1;
}

void frmLabelLayout::startPositionDrag(qint16 i)
{
    auto* drag = new QDrag(fraImpression[i]);
    drag->setMimeData(makePositionDragData(i));
    drag->setPixmap(fraImpression[i]->grab());
    drag->exec(Qt::MoveAction);
}

bool frmLabelLayout::eventFilter(QObject* watched, QEvent* event)
{
    // The toolbar lays its placeholders out after the window is sized: the boxes follow them.
    if ((watched == m_layoutsPlaceholder || watched == m_workingPlaceholder) &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        Form_Resize();
        return false;
    }
    const qint16 i = positionOf(watched);
    if (i >= 0 && positionEvent(i, watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool frmLabelLayout::positionEvent(qint16 i, QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::MouseButton button = mouse->button();
        ui::runGuarded([&] { position_MouseDown(i, button); });
        // The drag starts once the mouse has moved far enough, so that a double-click arrives.
        m_pressedPosition = button == Qt::LeftButton ? i : qint16(-1);
        m_pressPoint = mouse->globalPosition().toPoint();
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_pressedPosition == i && (mouse->buttons() & Qt::LeftButton) &&
            (mouse->globalPosition().toPoint() - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            m_pressedPosition = -1;
            ui::runGuarded([&] { startPositionDrag(i); });
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_pressedPosition = -1;
        return true;
    case QEvent::MouseButtonDblClick:
        m_pressedPosition = -1;
        ui::runGuarded([&] { position_DblClick(i); });
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!drag->mimeData()->hasFormat(PositionMimeType))
            return ui::answerFileDrop(event, modMainHelper::dragOverFiles, modMainHelper::dropFiles);
        if (draggedPosition(drag->mimeData()) >= 0)
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasFormat(PositionMimeType))
            return ui::answerFileDrop(event, modMainHelper::dragOverFiles, modMainHelper::dropFiles);
        const qint16 source = draggedPosition(drop->mimeData());
        if (source >= 0) {
            ui::runGuarded([&] { position_DragDrop(i, source); });
            drop->acceptProposedAction();
        } else {
            drop->ignore();
        }
        return true;
    }
    default:
        return false;
    }
}
