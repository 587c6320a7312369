// A serial hand scan: from the tick that finds the scanner's bytes settled to the contact shown
// in the untitled window. The scanner is a pseudo-terminal; the program's waits run on a test
// clock, so what is measured is the work on top of them.
#include "capture/frmHelper.h"
#include "capture/modSymbolRoutines.h"
#include "common/ProgramEdition.h"
#include "common/modRegistryHigh.h"
#include "model/CImpressionDoc.h"
#include "platform/print/PdfTarget.h"
#include "platform/print/Printer.h"
#include "platform/serial/CommPort.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"
#include "reader/QuorvaneEdition.h"
#include "reader/frmImpression.h"
#include "reader/frmMDIMain.h"

#include "FakeClock.h"
#include "PseudoTerminal.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

class AnsweredMessages : public ui::MessageService
{
public:
    ui::Answer show(const ui::Message&) override { return ui::Answer::Ok; }
};

void BM_SerialScanTickToContactShown(benchmark::State& state)
{
    QTemporaryDir dir;
    QTemporaryDir runtime;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    testing_support::PseudoTerminal pty;
    qputenv("QV_COM1", pty.slavePath().toLocal8Bit());
    testing_support::FakeClock clock;
    AnsweredMessages messages;
    auto answered = ui::messageService.replace(messages);
    print::PdfTarget printer(dir.filePath(QStringLiteral("printer.pdf")));
    auto printerInstalled = print::printer.replace(printer);
    modMainHelper::setProgramEdition(modMainHelper::quorvaneEdition());
    modRegistryHigh::setScanner(modSymbolRoutines::ScannerSerial);
    modRegistryHigh::setAutoUpdate(false);
    frmMDIMain::setImpressionWindowFactory([] { return new frmImpression; });
    ui::show(frmMDIMain::instance());
    auto* window = new frmImpression;
    ui::show(*window);
    window->Toolbar1_ButtonClick(QStringLiteral("RequestPDF"));
    frmHelper& helper = frmHelper::instance();
    if (!helper.isScannerActive()) {
        state.SkipWithError("the scanner port could not be opened");
        return;
    }

    // Two cards taken in turn, so that every scan changes the window.
    QList<QByteArray> frames;
    for (const char* first : {"Ann", "Lee"}) {
        CImpressionDoc doc;
        doc.setNamFirst(QString::fromLatin1(first));
        doc.setNamLast(QStringLiteral("Castellanos"));
        doc.setBusCompany(QStringLiteral("Northwind Engineering Inc."));
        doc.setNamEmail(QStringLiteral("%1@northwind-eng.com").arg(QString::fromLatin1(first).toLower()));
        for (qint16 k = 0; k < CImpressionDoc::LineCount; ++k)
            doc.setCwLines(k, QStringLiteral("The Corvel Words, line %1").arg(k + 1));
        const QString file = dir.filePath(QStringLiteral("card.imf"));
        doc.writeFile(file, true);
        QFile read(file);
        read.open(QIODevice::ReadOnly);
        frames << "\x02]L0" + read.readAll() + "\r\n";
    }

    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray& frame = frames[n % 2];
        const QString expected = n % 2 ? QStringLiteral("Lee") : QStringLiteral("Ann");
        ++n;
        pty.write(frame);
        testing_support::waitUntil([&] { return helper.MSComm1->inBufferCount() >= int(frame.size()); });
        helper.tmrScan_Timer(); // the tick that sees the last bytes arrive
        state.ResumeTiming();
        helper.tmrScan_Timer(); // the tick that finds them settled
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (window->fieldText(CImpressionDoc::slotNamFirst) != expected) {
            state.SkipWithError("the scanned contact is not shown");
            break;
        }
        state.ResumeTiming();
    }
    ui::unload(*window);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_SerialScanTickToContactShown)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
