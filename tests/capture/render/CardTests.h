#pragma once

#include "common/ProgramEdition.h"
#include "model/CImpressionDoc.h"
#include "platform/print/PrintSpooler.h"
#include "platform/print/PrinterTarget.h"
#include "reader/QuorvaneEdition.h"

#include <QImage>
#include <QStringList>

// What the card renderer's tests share: impressions, the printer they draw for, the edition.
namespace card_tests {

// The six lines of The Corvel Words the sample impression carries.
QStringList sampleLines();
// A small impression with its six lines, in Arial 6.
CImpressionDoc sampleImpression();
// An impression whose data do not fit one symbol.
CImpressionDoc oversizedImpression();

// The picture of a file as the renderer paints it.
QImage picture(const QString& fileName);
QString programFile(const QString& name);

// Installs `printer` as the Printer object while it lives.
class PrinterInstalled
{
public:
    explicit PrinterInstalled(print::Target& printer);

private:
    service::Service<print::Target>::Override m_installed;
};

// The system's printer on a machine without any printer installed: every use raises 482.
class AbsentPrinter
{
public:
    AbsentPrinter();

    print::PrinterTarget& target() { return m_target; }

private:
    class NoSpooler : public print::PrintSpooler
    {
    public:
        print::Printers printers() override { return {}; }
        bool submit(const QString&, const QString&, const QString&, const QString&, QString&) override { return false; }
    };

    NoSpooler m_spooler;
    service::Service<print::PrintSpooler>::Override m_spoolerInstalled;
    print::PrinterTarget m_target;
    PrinterInstalled m_installed;
};

// The card-reading program's edition with Brindlemark's badges.
modMainHelper::ProgramEdition sampleCardEdition();

} // namespace card_tests
