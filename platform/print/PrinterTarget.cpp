#include "platform/print/PrinterTarget.h"

#include "platform/print/PrintSpooler.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QTimer>

namespace print {

namespace {

vb::Error printerError(const QString& description = QString())
{
    vb::Error error = vb::Error::runtime(vb::err::NoPrinter, ui::programTitle());
    if (description.isEmpty())
        return error;
    return vb::Error(error.number(), error.source(), error.description() + QStringLiteral(": ") + description);
}

// The finest resolution the printer offers up to the maximum, or the default.
int resolutionOf(const QPrinterInfo& info)
{
    int best = 0;
    for (int dpi : info.supportedResolutions()) {
        if (dpi > best && dpi <= PrinterTarget::maxResolution)
            best = dpi;
    }
    return best > 0 ? best : PrinterTarget::defaultResolution;
}

} // namespace

PrinterTarget::PrinterTarget(const QString& deviceName) : m_requestedName(deviceName) {}

PrinterTarget::~PrinterTarget()
{
    abandonDocument();
}

QString PrinterTarget::deviceName()
{
    requireDevice();
    return m_printerName;
}

void PrinterTarget::setDeviceName(const QString& deviceName)
{
    m_requestedName = deviceName;
}

// A measure of the printer is asked hundreds of times for one card, a listing of the spooler
// costs a round trip to the print server: one listing serves the whole of one command, and the
// next command asks again, so that a printer removed meanwhile is seen.
const Printers& PrinterTarget::listing()
{
    if (m_listing && m_listedSpooler == spooler.changes())
        return *m_listing;
    m_listing = spooler().printers();
    m_listedSpooler = spooler.changes();
    QTimer::singleShot(0, &m_listingExpiry, [this] { m_listing.reset(); });
    return *m_listing;
}

void PrinterTarget::requireDevice()
{
    if (isPainting())
        return;
    const Printers& listed = listing();
    if (!listed.names.contains(m_requestedName))
        m_requestedName.clear();
    QString name = m_requestedName.isEmpty() ? listed.defaultName : m_requestedName;
    if (!listed.names.contains(name))
        name = listed.names.value(0);
    if (m_printer && name == m_printerName)
        return;
    m_printer.reset();
    m_printerName.clear();
    if (name.isEmpty())
        throw printerError();
    open(name);
}

void PrinterTarget::open(const QString& printerName)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setResolution(resolutionOf(info));
    // Every page of ours is drawn for US Letter card stock: the queue's own default paper
    // (A4 in much of the world) would cut the sheet short and move the calibration's folds.
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setFullPage(false);
    printer->setCreator(ui::programTitle());

    const int dpi = printer->resolution();
    const QPageLayout layout = printer->pageLayout();
    const QRect paper = layout.fullRectPixels(dpi);
    const QRect printable = layout.paintRectPixels(dpi);
    m_geometry.dpiX = dpi;
    m_geometry.dpiY = dpi;
    m_geometry.paper = paper.size();
    m_geometry.area = printable.size();
    m_geometry.offset = printable.topLeft() - paper.topLeft();
    m_printer = std::move(printer);
    m_printerName = printerName;
    deviceChanged();
}

DeviceGeometry PrinterTarget::geometry()
{
    requireDevice();
    return m_geometry;
}

const QPaintDevice& PrinterTarget::metricsDevice()
{
    requireDevice();
    return *m_printer;
}

QPaintDevice* PrinterTarget::beginDocument(const QString& docName)
{
    requireDevice();
    // The suffix keeps the printer's own engine, which writes the file instead of printing it.
    m_spoolFile = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/print-XXXXXX.spool"));
    if (!m_spoolFile->open())
        throw printerError(m_spoolFile->errorString());
    m_spoolFile->close();
    m_printer->setOutputFileName(m_spoolFile->fileName());
    m_printer->setDocName(docName.isEmpty() ? ui::programTitle() : docName);
    return m_printer.get();
}

void PrinterTarget::finishDocument(bool keep)
{
    const std::unique_ptr<QTemporaryFile> spoolFile = std::move(m_spoolFile);
    if (!keep || !spoolFile)
        return;
    QString error;
    // The standard name of the paper: a driver may list Letter under a name of its own ("AnsiA").
    const QString media = m_printer ? QPageSize(m_printer->pageLayout().pageSize().id()).key() : QString();
    const QString title = m_printer ? m_printer->docName() : ui::programTitle();
    if (!spooler().submit(m_printerName, spoolFile->fileName(), title, media, error))
        throw printerError(error);
}

} // namespace print
