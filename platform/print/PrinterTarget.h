#pragma once

#include "platform/print/PainterTarget.h"
#include "platform/print/PrintSpooler.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

class QPrinter;
class QTemporaryFile;

namespace print {

// A printer of the system, reached through the print spooler (CUPS), at its own resolution
// with its own unprintable margins: drawing coordinates start at the corner of the printable
// area. The printer is looked up in the spooler's list at the first use in each pass of the
// event loop, so that a printer the spooler no longer lists is dropped: one chosen by name is
// forgotten and the default printer serves. Without a listed printer (a print server that
// cannot be reached lists none) every operation raises vb::Error 482 (Printer error). A
// document is spooled to a temporary PDF from its first drawing on, finishes on the printer it
// began on, and is handed to it by endDoc; killDoc abandons it and nothing reaches the printer.
class PrinterTarget : public PainterTarget
{
public:
    // The printer called `deviceName`, or the system's default printer when it is empty or not listed.
    explicit PrinterTarget(const QString& deviceName = QString());
    ~PrinterTarget() override;

    QString deviceName() override;
    // Chooses the printer for the next document; empty: the default printer.
    void setDeviceName(const QString& deviceName);

    // The resolution used when the printer names none that suits.
    static constexpr int defaultResolution = 600;
    static constexpr int maxResolution = 1200;

protected:
    void requireDevice() override;
    DeviceGeometry geometry() override;
    const QPaintDevice& metricsDevice() override;
    QPaintDevice* beginDocument(const QString& docName) override;
    void finishDocument(bool keep) override;

private:
    // The spooler's printers, asked once in a pass of the event loop.
    const Printers& listing();
    void open(const QString& printerName);

    std::optional<Printers> m_listing;
    unsigned m_listedSpooler = 0; // the spooler's changes when it was asked
    QObject m_listingExpiry;      // ends the listing's pass
    QString m_requestedName;
    QString m_printerName;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QTemporaryFile> m_spoolFile;
    DeviceGeometry m_geometry;
};

} // namespace print
