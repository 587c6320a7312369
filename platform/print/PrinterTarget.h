#pragma once

#include "platform/print/PainterTarget.h"

#include <memory>

class QPrinter;
class QTemporaryFile;

namespace print {

// A printer of the system, reached through the print spooler (CUPS), at its own resolution
// with its own unprintable margins: drawing coordinates start at the corner of the printable
// area. The printer is looked up at its first use; without an installed printer every
// operation raises vb::Error 482 (Printer error). A document is spooled to a temporary PDF
// from its first drawing on and handed to the printer by endDoc; killDoc abandons it and
// nothing reaches the printer.
class PrinterTarget : public PainterTarget
{
public:
    // The printer called `deviceName`, or the system's default printer when it is empty.
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
    void open(const QString& printerName);

    QString m_requestedName;
    QString m_printerName;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QTemporaryFile> m_spoolFile;
    DeviceGeometry m_geometry;
};

} // namespace print
