#include "layout/frmPrinterSetup.h"

#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "layout/CGDIPrinter.h"
#include "layout/LayoutTypes.h"
#include "layout/modPrinterRoutines.h"
#include "platform/print/Printer.h"
#include "platform/print/PrinterDialog.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbNumber.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QSignalBlocker>

#include <optional>

namespace {

// The calibration page, in twips from the paper's corner. The grids' centres are the middle of
// the page, where the creases of a page folded into quarters run.
constexpr std::int32_t GridMargin = 1440;
constexpr std::int32_t PageMiddleX = 6120;
constexpr std::int32_t PageMiddleY = 7920;
constexpr std::int32_t GridHalf = 2000;
constexpr std::int32_t ShortTickStep = 20;
constexpr std::int32_t ShortTickHalf = 20;
constexpr std::int32_t LongTickStep = 100;
constexpr std::int32_t LongTickHalf = 50;
constexpr std::int32_t LabelGap = 20;
constexpr std::int32_t Downwards = 2700; // tenths of a degree

QLineEdit* textBox(QWidget* parent, const ui::ControlDef& def)
{
    return ui::makeControl<QLineEdit>(parent, def);
}

// Sets the Printer object's font as the measures of the calibration page expect it: the face,
// then a large size before the one measured, so that the font is made anew.
void setMeasuringFont(double largeSize, double size)
{
    print::Target& printer = print::printer();
    printer.setFontName(QStringLiteral("Arial"));
    printer.setFontSize(largeSize);
    printer.setFontSize(size);
}

struct Margins
{
    std::int32_t left = 0;
    std::int32_t top = 0;
};

Margins printerMargins()
{
    Margins m;
    double farX = 0;
    double farY = 0;
    modPrinterRoutines::getPrinterMargins(m.left, m.top, farX, farY);
    return m;
}

// A font made on the page and selected for the life of this object; the previous font comes
// back and the font is deleted afterwards.
class SelectedFont
{
public:
    SelectedFont(CGDIPrinter& page, std::int32_t nSize, std::int32_t nEscapement)
        : m_page(page), m_font(page.makeFont(QStringLiteral("Arial"), nSize, nEscapement)),
          m_previous(page.selectObj(m_font))
    {
    }
    ~SelectedFont()
    {
        try {
            m_page.selectObj(m_previous);
        } catch (const vb::Error&) {
        }
        m_page.deleteObj(m_font);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    CGDIPrinter& m_page;
    std::int32_t m_font;
    std::int32_t m_previous;
};

} // namespace

frmPrinterSetup::frmPrinterSetup(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Print Setup"));
    setFixedSize(ui::Twips{0, 0, FormWidth, FormHeight}.toPixels().size());

    Label6 = ui::makeControl<QLabel>(this, {QStringLiteral("Label6"),
                                            QStringLiteral("Setup for"),
                                            {120, 150, 1320, 255},
                                            QStringLiteral("Each layout type has its own printer setup")});
    cboLayout = ui::makeControl<QComboBox>(
        this, {QStringLiteral("cboLayout"), {}, {1500, 105, 5040, 315}, QStringLiteral("Select layout type")},
        [this] { cboLayout_Click(); });
    {
        const QSignalBlocker quiet(cboLayout);
        cboLayout->addItems(modLayoutTypes::layoutLongTexts());
    }

    Label1 = ui::makeControl<QLabel>(
        this, {QStringLiteral("Label1"), QStringLiteral("Current Printer"), {120, 600, 1320, 255}});
    txtCurrentPrinterName = textBox(this, {QStringLiteral("txtCurrentPrinterName"), {}, {1500, 555, 3000, 315}});
    txtCurrentPrinterName->setReadOnly(true);
    cmdSelectPrinter = ui::makeControl<QPushButton>(
        this,
        {QStringLiteral("cmdSelectPrinter"),
         QStringLiteral("Select &Printer"),
         {4620, 525, 1920, 375},
         QStringLiteral("Selects default Windows system printer, applies to all layout types")},
        [this] { cmdSelectPrinter_Click(); });

    Label4 = ui::makeControl<QLabel>(this, {QStringLiteral("Label4"),
                                            QStringLiteral("Increase offsets to move images right and down"),
                                            {120, 1050, 6420, 255}});
    Label5 = ui::makeControl<QLabel>(
        this,
        {QStringLiteral("Label5"), QStringLiteral("Positive or negative offset, in twips"), {120, 1320, 4000, 255}});
    Label7 = ui::makeControl<QLabel>(
        this, {QStringLiteral("Label7"), QStringLiteral("(1440 twips = 1 inch)"), {4140, 1320, 2400, 255}});

    Label2 = ui::makeControl<QLabel>(this, {QStringLiteral("Label2"),
                                            QStringLiteral("Horizontal"),
                                            {120, 1770, 1320, 255},
                                            QStringLiteral("Increase to move right")});
    txtOffsetX = textBox(
        this, {QStringLiteral("txtOffsetX"), {}, {1500, 1725, 1500, 315}, QStringLiteral("Decrease to move left")});
    Label3 = ui::makeControl<QLabel>(this, {QStringLiteral("Label3"),
                                            QStringLiteral("Vertical"),
                                            {120, 2190, 1320, 255},
                                            QStringLiteral("Increase to move down")});
    txtOffsetY = textBox(
        this, {QStringLiteral("txtOffsetY"), {}, {1500, 2145, 1500, 315}, QStringLiteral("Decrease to move up")});
    txtOffsetX->installEventFilter(this);
    txtOffsetY->installEventFilter(this);

    cmdReset = ui::makeControl<QPushButton>(this,
                                            {QStringLiteral("cmdReset"),
                                             QStringLiteral("Use &Default Offsets"),
                                             {3240, 1695, 3300, 375},
                                             QStringLiteral("Make (Horizontal, Vertical) = (0, 0) twips")},
                                            [this] { cmdReset_Click(); });
    cmdPrintTest = ui::makeControl<QPushButton>(this,
                                                {QStringLiteral("cmdPrintTest"),
                                                 QStringLiteral("&Test Calibration"),
                                                 {3240, 2115, 3300, 375},
                                                 QStringLiteral("Print test sheet with calibration cross")},
                                                [this] { cmdPrintTest_Click(); });

    cmdSave = ui::makeControl<QPushButton>(this,
                                           {QStringLiteral("cmdSave"),
                                            QStringLiteral("&Save Setup"),
                                            {120, 2820, 1560, 375},
                                            QStringLiteral("Commit to printer and offsets shown")},
                                           [this] { cmdSave_Click(); });
    cmdOk = ui::makeControl<QPushButton>(this,
                                         {QStringLiteral("cmdOk"),
                                          QStringLiteral("&OK"),
                                          {3300, 2820, 1560, 375},
                                          QStringLiteral("Save this setup and close dialog box")},
                                         [this] { cmdOK_Click(); });
    cmdOk->setDefault(true);
    cmdCancel = ui::makeControl<QPushButton>(this,
                                             {QStringLiteral("cmdCancel"),
                                              QStringLiteral("&Cancel"),
                                              {4980, 2820, 1560, 375},
                                              QStringLiteral("Close dialog box WITHOUT saving changes to setup")},
                                             [this] { cmdCancel_Click(); });
}

void frmPrinterSetup::Form_Load()
{
    modMainHelper::applyToolTipPreference(this);
    {
        const QSignalBlocker quiet(cboLayout);
        cboLayout->setCurrentIndex(int(modRegistryHigh::getLayoutDefault()));
    }
    refreshPrinterSettings();
}

void frmPrinterSetup::setLayoutIndex(qint16 index)
{
    {
        const QSignalBlocker quiet(cboLayout);
        cboLayout->setCurrentIndex(index);
    }
    refreshPrinterSettings();
}

// Without a printer the dialog names none.
void frmPrinterSetup::refreshPrinterSettings()
{
    QString deviceName;
    try {
        deviceName = print::printer().deviceName();
    } catch (const vb::Error& error) {
        if (error.number() != vb::err::NoPrinter)
            throw;
    }
    txtCurrentPrinterName->setText(deviceName);
    qint32 x = 0;
    qint32 y = 0;
    modRegistryHigh::getPrintOffsets(x, y, txtCurrentPrinterName->text(), qint16(cboLayout->currentIndex()), 0, 0);
    txtOffsetX->setText(QString::number(x));
    txtOffsetY->setText(QString::number(y));
    txtOffsetX_LostFocus();
    txtOffsetY_LostFocus();
    cmdPrintTest->setEnabled(cboLayout->currentIndex() != modLayoutTypes::TemplateLayout);
}

void frmPrinterSetup::cboLayout_Click()
{
    refreshPrinterSettings();
}

// A cancelled or failed printer dialog leaves everything as it was; when the dialog found no
// printer at all, the printer shown is gone too.
void frmPrinterSetup::cmdSelectPrinter_Click()
{
    try {
        print::showPrinter(ui::PrinterChoice::Select);
        refreshPrinterSettings();
    } catch (const vb::Error& error) {
        if (error.number() == vb::err::NoPrinter)
            refreshPrinterSettings();
    }
}

void frmPrinterSetup::cmdReset_Click()
{
    txtOffsetX->setText(QStringLiteral("0"));
    txtOffsetY->setText(QStringLiteral("0"));
}

void frmPrinterSetup::cmdSave_Click()
{
    // Both are converted before either is stored.
    const qint32 x = vb::toInt32(vb::val(txtOffsetX->text()));
    const qint32 y = vb::toInt32(vb::val(txtOffsetY->text()));
    // A failed write is raised: the user learns why, and OK keeps the dialog open with the offsets.
    modRegistryHigh::requireSaved(
        modRegistryHigh::setPrintOffsets(x, y, txtCurrentPrinterName->text(), qint16(cboLayout->currentIndex())));
}

void frmPrinterSetup::cmdOK_Click()
{
    cmdSave_Click();
    ui::unload(*this);
}

void frmPrinterSetup::cmdCancel_Click()
{
    ui::unload(*this);
}

void frmPrinterSetup::txtOffsetX_LostFocus()
{
    txtOffsetX->setSelection(0, int(txtOffsetX->text().size()));
}

void frmPrinterSetup::txtOffsetY_LostFocus()
{
    txtOffsetY->setSelection(0, int(txtOffsetY->text().size()));
}

bool frmPrinterSetup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == txtOffsetX)
            ui::runGuarded([this] { txtOffsetX_LostFocus(); });
        else if (watched == txtOffsetY)
            ui::runGuarded([this] { txtOffsetY_LostFocus(); });
    }
    return QDialog::eventFilter(watched, event);
}

// An error abandons the page, so that nothing drawn before it is printed.
void frmPrinterSetup::cmdPrintTest_Click()
{
    try {
        if (cboLayout->currentIndex() != modLayoutTypes::TemplateLayout) {
            CGDIPrinter page;
            try {
                drawVerticalGrid(page, GridMargin, PageMiddleY, GridHalf);
                drawHorizontalGrid(page, GridMargin, PageMiddleX, GridHalf);
                drawCalibrationInstructions(page, 2 * GridMargin, 3 * GridMargin);
                drawGridCaption(page, 16, 0, 1728, 1296, QStringLiteral("Horizontal Grid"));
                drawGridCaption(page, 16, Downwards, 1656, 3744, QStringLiteral("Vertical Grid"));
                page.release();
            } catch (...) {
                page.abandon();
                throw;
            }
        }
        ui::msgBox(QStringLiteral("Calibration printing enqueued"), ui::Buttons::Ok, ui::Icon::Information);
    } catch (const vb::Error&) {
        ui::msgBox(QStringLiteral("Error printing calibration"), ui::Buttons::Ok, ui::Icon::Exclamation);
    }
}

void frmPrinterSetup::drawHorizontalGrid(CGDIPrinter& page, std::int32_t y, std::int32_t centre, std::int32_t half)
{
    const SelectedFont font(page, 6, Downwards);
    setMeasuringFont(30, 6);
    const std::int32_t halfW = vb::toInt32(print::printer().textWidth(QStringLiteral("W")) * 0.5);
    // Labels run downwards from just below each labelled tick.
    drawGrid(page, true, y, centre, half, QPoint(halfW, LabelGap));
}

void frmPrinterSetup::drawVerticalGrid(CGDIPrinter& page, std::int32_t x, std::int32_t centre, std::int32_t half)
{
    const SelectedFont font(page, 6, 0);
    setMeasuringFont(30, 6);
    const std::int32_t halfH = vb::toInt32(-print::printer().textHeight(QStringLiteral("1")) / 2);
    // Labels stand beyond each labelled tick, centred on it.
    drawGrid(page, false, x, centre, half, QPoint(LabelGap, halfH));
}

// A grid along the page (bHorizontal) or down it, on the line `across` twips from the paper's top
// or left edge: the base line, a short tick every 20 twips, a long tick every 100, and on every
// other long tick from the first a label of its distance from `centre`, drawn `labelOffset` from
// the tick's far end.
void frmPrinterSetup::drawGrid(CGDIPrinter& page, bool bHorizontal, std::int32_t across, std::int32_t centre,
                               std::int32_t half, QPoint labelOffset)
{
    const std::int32_t start = centre - half;
    const std::int32_t end = centre + half;
    const Margins m = printerMargins();
    // A line at `along` on the grid's axis from `from` to `to` across it, in the printable area.
    auto line = [&](std::int32_t along, std::int32_t alongEnd, std::int32_t from, std::int32_t to) {
        if (bHorizontal)
            page.drawLine(along - m.left, across + from - m.top, alongEnd - m.left, across + to - m.top);
        else
            page.drawLine(across + from - m.left, along - m.top, across + to - m.left, alongEnd - m.top);
    };
    line(start, end, 0, 0);
    for (std::int32_t v = start; v <= end; v += ShortTickStep)
        line(v, v, -ShortTickHalf, ShortTickHalf);
    bool labelled = true;
    for (std::int32_t v = start; v <= end; v += LongTickStep) {
        line(v, v, -LongTickHalf, LongTickHalf);
        if (labelled)
            page.drawText(QString::number(v - centre), page.getX() + labelOffset.x(), page.getY() + labelOffset.y());
        labelled = !labelled;
    }
}

void frmPrinterSetup::drawCalibrationInstructions(CGDIPrinter& page, std::int32_t x, std::int32_t y)
{
    const SelectedFont font(page, 14, 0);
    setMeasuringFont(28, 14);
    const std::int32_t lineHeight = vb::toInt32(print::printer().textHeight(QStringLiteral("A")));
    const QStringList lines = {
        QStringLiteral("Please fold this paper into quarters."),
        QStringLiteral("Read the numbers where the creases cross the grids, and enter"),
        QStringLiteral("the numbers into the offset fields in ") + ui::programTitle() + QChar(0x2122),
        QString(),
        QStringLiteral("Increase the vertical offsets to move the page down."),
        QStringLiteral("Increase the horizontal offsets to move the page right."),
    };
    for (int k = 0; k < lines.size(); ++k)
        page.drawText(lines[k], x, y + k * lineHeight);
}

void frmPrinterSetup::drawGridCaption(CGDIPrinter& page, std::int32_t size, std::int32_t escapement, std::int32_t x,
                                      std::int32_t y, const QString& text)
{
    const Margins m = printerMargins();
    const SelectedFont font(page, size, escapement);
    page.drawText(text, x - m.left, y - m.top);
}
