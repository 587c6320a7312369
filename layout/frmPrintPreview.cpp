#include "layout/frmPrintPreview.h"

#include "common/MainHelper.h"
#include "layout/IPrintableSheet.h"
#include "layout/modPrinterRoutines.h"
#include "platform/print/PictureBox.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Screen.h"
#include "platform/vb/VbNumber.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

const QStringList ZoomItems = {
    QStringLiteral("10"),  QStringLiteral("25"),  QStringLiteral("50"),          QStringLiteral("100"),
    QStringLiteral("150"), QStringLiteral("200"), QStringLiteral("Fit to Page"),
};
const QStringList ZoomMenuCaptions = {
    QStringLiteral("  10 %"), QStringLiteral("  25 %"), QStringLiteral("  50 %"),
    QStringLiteral("100 %"),  QStringLiteral("150 %"),  QStringLiteral("200 %"),
};

constexpr int KeyEnter = 13;
constexpr int KeyEscape = 27;

// The scroll steps of a page that is `maximum` twips larger than the viewport: a tenth of it for
// a page, a tenth of that for a line, never less than one.
struct ScrollSteps
{
    int large = 1;
    int small = 1;
};

ScrollSteps scrollSteps(qint16 maximum)
{
    ScrollSteps steps;
    steps.large = std::max<int>(1, vb::toInt16(std::abs(maximum) / 10.0));
    steps.small = std::max<int>(1, vb::toInt16(steps.large / 10.0));
    return steps;
}

} // namespace

frmPrintPreview::frmPrintPreview(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Print Preview"));
    setSizeGripEnabled(true);
    resize(ui::Twips{0, 0, FormWidth, FormHeight}.toPixels().size());

    Label1 = ui::makeControl<QLabel>(this, {QStringLiteral("Label1"), QStringLiteral("Zoom"), {120, 45, 600, 255}});
    cboZoom = ui::makeControl<QComboBox>(this, {QStringLiteral("cboZoom"), {}, {780, 15, 1560, 315}},
                                         [this] { cboZoom_Click(); });
    cboZoom->setEditable(true);
    cboZoom->setInsertPolicy(QComboBox::NoInsert);
    {
        const QSignalBlocker quiet(cboZoom);
        cboZoom->addItems(ZoomItems);
    }
    cboZoom->lineEdit()->installEventFilter(this);
    lblPerCent = ui::makeControl<QLabel>(this, {QStringLiteral("lblPerCent"), {}, {2400, 45, 900, 255}});
    cmdClose =
        ui::makeControl<QPushButton>(this, {QStringLiteral("cmdClose"), QStringLiteral("Close"), {3420, 0, 1200, 330}},
                                     [this] { cmdClose_Click(); });
    cmdClose->setAutoDefault(false);

    picWindow = new QWidget(this);
    picWindow->setObjectName(QStringLiteral("picWindow"));
    picWindow->setAutoFillBackground(true);
    picWindow->setBackgroundRole(QPalette::Dark);
    picWindow->installEventFilter(this);
    picPage = new print::PictureBox(picWindow);
    picPage->setObjectName(QStringLiteral("picPage"));
    picPage->installEventFilter(this);

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    HScroll1->setRange(0, 0);
    VScroll1->setRange(0, 0);
    ui::connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    ui::connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });

    mnuPopup = new QMenu(this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    for (int i = 0; i < int(mnuZoom.size()); ++i) {
        mnuZoom[i] = mnuPopup->addAction(ZoomMenuCaptions[i]);
        mnuZoom[i]->setObjectName(ui::arrayName(QStringLiteral("mnuZoom"), i));
        ui::handle(mnuZoom[i], [this, i] { mnuZoom_Click(i); });
    }
    mnuDash = mnuPopup->addSeparator();
    mnuDash->setObjectName(QStringLiteral("mnuDash"));
    mnuFitToPage = mnuPopup->addAction(QStringLiteral("Fit to Page"));
    mnuFitToPage->setObjectName(QStringLiteral("mnuFitToPage"));
    ui::handle(mnuFitToPage, [this] { mnuFitToPage_Click(); });
}

frmPrintPreview::~frmPrintPreview() = default;

void frmPrintPreview::setSourceForm(IPrintableSheet* frm)
{
    m_source = frm;
    m_sourceObject = dynamic_cast<QObject*>(frm);
    m_sourceIsObject = m_sourceObject;
}

void frmPrintPreview::Form_Load()
{
    modMainHelper::applyToolTipPreference(this);
}

// Each showing starts at "Fit to Page".
void frmPrintPreview::Form_Activate()
{
    const int last = int(ZoomItems.size()) - 1;
    if (cboZoom->currentIndex() == last) {
        cboZoom->setEditText(ZoomItems[last]);
        cboZoom_Click();
    } else {
        cboZoom->setCurrentIndex(last);
    }
}

void frmPrintPreview::Form_Resize()
{
    if (m_rendering) {
        m_zoomPending = true;
        return;
    }
    arrangePreview();
    if (isFitToPageSelected())
        applyZoom();
}

void frmPrintPreview::Form_KeyPress(int keyAscii)
{
    if (keyAscii == KeyEscape)
        ui::unload(*this);
    else if (keyAscii == KeyEnter)
        applyZoom();
}

void frmPrintPreview::cboZoom_Click()
{
    applyZoom();
}

void frmPrintPreview::mnuZoom_Click(int index)
{
    if (cboZoom->currentIndex() == index) {
        cboZoom->setEditText(ZoomItems[index]);
        cboZoom_Click();
    } else {
        cboZoom->setCurrentIndex(index);
    }
}

void frmPrintPreview::mnuFitToPage_Click()
{
    mnuZoom_Click(int(ZoomItems.size()) - 1);
}

void frmPrintPreview::picWindow_MouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        mnuPopup->popup(QCursor::pos());
}

void frmPrintPreview::picPage_MouseDown(Qt::MouseButton button)
{
    picWindow_MouseDown(button);
}

void frmPrintPreview::HScroll1_Change()
{
    movePage(-HScroll1->value(), m_pageTop);
}

void frmPrintPreview::VScroll1_Change()
{
    movePage(m_pageLeft, -VScroll1->value());
}

void frmPrintPreview::cmdClose_Click()
{
    ui::unload(*this);
}

bool frmPrintPreview::isFitToPageSelected() const
{
    const int last = int(ZoomItems.size()) - 1;
    return cboZoom->currentIndex() == last && cboZoom->currentText() == ZoomItems[last];
}

void frmPrintPreview::applyZoom()
{
    if (m_rendering) {
        m_zoomPending = true;
        return;
    }
    const ui::BusyCursor busy;
    // A zoom or a resize that came while the page was drawn is applied once it is drawn.
    do {
        m_zoomPending = false;
        float zoom = 0;
        if (isFitToPageSelected()) {
            qint16 fit = 0;
            getFitZoomPercent(fit);
            const int z = std::clamp<int>(fit, MinZoom, MaxZoom);
            lblPerCent->setText(QString::number(z) + QStringLiteral(" %"));
            zoom = float(z);
        } else {
            lblPerCent->setText(QStringLiteral("%"));
            zoom = float(vb::val(cboZoom->currentText()));
            if (zoom < MinZoom) {
                zoom = MinZoom;
                cboZoom->setEditText(QString::number(MinZoom));
            } else if (zoom > MaxZoom) {
                zoom = MaxZoom;
                cboZoom->setEditText(QString::number(MaxZoom));
            }
        }
        renderPage(zoom / 100);
    } while (m_zoomPending);
}

void frmPrintPreview::getFitZoomPercent(qint16& out)
{
    const double height = picWindow->height() * ui::twipsPerPixelY();
    const double width = picWindow->width() * ui::twipsPerPixelX();
    const auto a = qint16(std::floor(height * 100 / print::letterHeightTwips));
    const auto b = qint16(std::floor(width * 100 / print::letterWidthTwips));
    out = a <= b ? a : b;
}

void frmPrintPreview::renderPage(float zoom)
{
    struct Rendering
    {
        bool& flag;
        explicit Rendering(bool& f) : flag(f) { flag = true; }
        ~Rendering() { flag = false; }
    };
    {
        const Rendering rendering(m_rendering);
        print::PictureBoxTarget& page = picPage->target();
        const QSize pixels(ui::twipsToPixelsX(zoom * print::letterWidthTwips),
                           ui::twipsToPixelsY(zoom * print::letterHeightTwips));
        picPage->resize(pixels);
        page.resize(pixels);
        page.cls();
        page.setScale(0, 0, print::letterWidthTwips, print::letterHeightTwips);
        // A layout window that has gone leaves the page empty.
        const bool gone = m_sourceIsObject && !m_sourceObject;
        if (m_source && !gone)
            modPrinterRoutines::printLayout(page, *m_source, true, zoom);
    }
    arrangePreview();
}

void frmPrintPreview::arrangePreview()
{
    const double tppX = ui::twipsPerPixelX();
    const double tppY = ui::twipsPerPixelY();
    const int barPx = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const double barWidth = barPx * tppX;
    const double barHeight = barPx * tppY;
    // A window smaller than the strip and the bars leaves an empty viewport.
    picWindow->setGeometry(ui::Twips{0, StripHeight, std::max(0.0, width() * tppX - barWidth),
                                     std::max(0.0, height() * tppY - barHeight - StripHeight)}
                               .toPixels());
    movePage(0, 0);
    const double viewWidth = picWindow->width() * tppX;
    const double viewHeight = picWindow->height() * tppY;

    HScroll1->setGeometry(ui::Twips{0, StripHeight + viewHeight, viewWidth, barHeight}.toPixels());
    VScroll1->setGeometry(ui::Twips{viewWidth, StripHeight, barWidth, viewHeight}.toPixels());
    HScroll1->setValue(0);
    VScroll1->setValue(0);

    const double pageWidth = picPage->width() * tppX;
    const double pageHeight = picPage->height() * tppY;
    double pageLeft = 0;
    double pageTop = 0;
    if (viewHeight >= pageHeight) {
        VScroll1->setMaximum(0);
        pageTop = (viewHeight - pageHeight) / 2;
    } else {
        const qint16 maximum = vb::toInt16(pageHeight - viewHeight);
        const ScrollSteps steps = scrollSteps(maximum);
        VScroll1->setMaximum(maximum);
        VScroll1->setPageStep(steps.large);
        VScroll1->setSingleStep(steps.small);
        VScroll1->setVisible(true);
    }
    if (viewWidth >= pageWidth) {
        HScroll1->setMaximum(0);
        pageLeft = (viewWidth - pageWidth) / 2;
    } else {
        const qint16 maximum = vb::toInt16(pageWidth - viewWidth);
        const ScrollSteps steps = scrollSteps(maximum);
        HScroll1->setMaximum(maximum);
        HScroll1->setPageStep(steps.large);
        HScroll1->setSingleStep(steps.small);
        HScroll1->setVisible(true);
    }
    movePage(pageLeft, pageTop);
}

void frmPrintPreview::movePage(double leftTwips, double topTwips)
{
    m_pageLeft = leftTwips;
    m_pageTop = topTwips;
    picPage->move(ui::twipsToPixelsX(leftTwips), ui::twipsToPixelsY(topTwips));
}

void frmPrintPreview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ui::runGuarded([this] { Form_Activate(); });
}

void frmPrintPreview::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // A minimised window, for one, gives sizes that cannot be used.
    ui::runGuarded([this] { Form_Resize(); }, ui::OnError::Ignore);
}

void frmPrintPreview::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        ui::runGuarded([this] { Form_KeyPress(KeyEscape); });
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ui::runGuarded([this] { Form_KeyPress(KeyEnter); });
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool frmPrintPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == cboZoom->lineEdit()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (watched == picWindow)
            ui::runGuarded([this, button] { picWindow_MouseDown(button); });
        else if (watched == picPage)
            ui::runGuarded([this, button] { picPage_MouseDown(button); });
    }
    return QDialog::eventFilter(watched, event);
}
