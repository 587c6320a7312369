// Zephlorin's scans into the contact store, on the real clock:
// - a serial hand scan from the last byte written to the pseudo-terminal to the contact file in
//   the store; the end detection of the helper's ticks is reported apart, and the iteration time
//   is the work after it;
// - pages of 1, 5 and 10 scanned cards imported as a bitmap, each card a new contact.
#include "bench/support/NoMessages.h"
#include "common/ProgramEdition.h"
#include "common/modRegistryHigh.h"
#include "common/modRegistryLow.h"
#include "panel/ZephlorinEdition.h"
#include "panel/frmZephlorin.h"
#include "platform/settings/Settings.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"

#include "capture/modSymbolRoutines.h"
#include "tests/platform/pdf417/CardScans.h"

#include "PseudoTerminal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The panel, noting when the helper reports a scan and when the scan has been stored.
class TimedPanel : public frmZephlorin
{
public:
    void serialScanComplete() override
    {
        reported.start();
        frmZephlorin::serialScanComplete();
        storedNs = reported.nsecsElapsed();
        bStored = true;
    }

    QElapsedTimer reported;
    qint64 storedNs = 0;
    bool bStored = false;
};

// A panel on settings, work folder and contact store of its own, Quorvane installed, the
// serial scanner on a pseudo-terminal.
class Bench
{
public:
    explicit Bench(qint32 nScanner)
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("cache"))));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        qputenv("QV_CONTACTS_DIR", QFile::encodeName(contactFolder()));
        qputenv("QV_COM1", QFile::encodeName(m_pty.slavePath()));
        ui::setProgramTitle(QStringLiteral("Zephlorin"));
        ui::messageService.set(&m_messages);
        modMainHelper::setProgramEdition(modMainHelper::zephlorinEdition());
        const QString app = QStringLiteral("Zephlorin");
        settings::saveSetting(app, QStringLiteral("Startup"), QStringLiteral("Last Version"), QStringLiteral("1.5.0"));
        settings::saveSetting(app, QStringLiteral("Preferences"), QStringLiteral("Show In Systray"),
                              QStringLiteral("0"));
        settings::saveSetting(app, QStringLiteral("Preferences"), QStringLiteral("PDF COM port"), QStringLiteral("0"));
        modRegistryHigh::setScanner(nScanner);
        const QString quorvane = m_dir.filePath(QStringLiteral("quorvane"));
        QFile(quorvane).open(QIODevice::WriteOnly);
        modRegistryLow::setStringValue(
            modRegistryLow::Root::LocalMachine,
            QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Quorvane.exe"), QString(),
            quorvane);
        panel = new TimedPanel;
        ui::load(*panel);
    }
    ~Bench()
    {
        ui::unload(*panel);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qunsetenv("QV_CONTACTS_DIR");
        qunsetenv("QV_COM1");
    }

    QString contactFolder() const { return m_dir.filePath(QStringLiteral("contacts")); }
    int contacts() const { return int(QDir(contactFolder()).entryList({QStringLiteral("*.vcf")}, QDir::Files).size()); }

    // A 300-dpi page of `count` cards, each a full impression of its own, saved as a bitmap.
    QString page(int count)
    {
        QList<QImage> symbols;
        for (int i = 0; i < count; ++i) {
            const QString card = m_dir.filePath(QStringLiteral("card.vcf"));
            const QString bitmap = m_dir.filePath(QStringLiteral("card.bmp"));
            QFile file(card);
            file.open(QIODevice::WriteOnly);
            file.write(cardscans::fullImpression(i));
            file.close();
            modSymbolRoutines::convertFileToSymbol(card, bitmap);
            symbols << QImage(bitmap);
        }
        cardscans::Scan scan;
        scan.angle = 1.5;
        scan.blur = 0.6;
        scan.noise = 3;
        const QString file = m_dir.filePath(QStringLiteral("page%1.bmp").arg(count));
        cardscans::scanPage(symbols, scan).save(file, "BMP");
        return file;
    }

    testing_support::PseudoTerminal m_pty;
    TimedPanel* panel = nullptr;

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_runtime;
    NoMessages m_messages;
};

void BM_SerialScanLastByteToContactStored(benchmark::State& state)
{
    Bench bench(modSymbolRoutines::ScannerSerial);
    double detection = 0;
    int n = 0;
    for (auto _ : state) {
        const QByteArray frame = "\x02]L0" + cardscans::fullImpression(n++) + "\r\n";
        const int before = bench.contacts();
        bench.panel->bStored = false;
        QElapsedTimer sent;
        sent.start();
        bench.m_pty.write(frame);
        while (!bench.panel->bStored && sent.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const qint64 detectionNs = sent.nsecsElapsed() - bench.panel->reported.nsecsElapsed();
        if (!bench.panel->bStored || bench.contacts() != before + 1) {
            state.SkipWithError("the scanned card was not stored");
            break;
        }
        state.SetIterationTime(double(bench.panel->storedNs) / 1e9);
        detection += double(detectionNs) / 1e6;
    }
    state.counters["end_detection_ms"] = benchmark::Counter(detection / double(n));
}
BENCHMARK(BM_SerialScanLastByteToContactStored)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_ImportPageToContacts(benchmark::State& state)
{
    Bench bench(modSymbolRoutines::ScannerTwain);
    const int count = int(state.range(0));
    const QString file = bench.page(count);
    double totalMs = 0;
    int pages = 0;
    for (auto _ : state) {
        const int before = bench.contacts();
        QElapsedTimer timer;
        timer.start();
        bench.panel->importThisBitmapToPIM(file);
        totalMs += double(timer.nsecsElapsed()) / 1e6;
        ++pages;
        if (bench.contacts() != before + count) {
            state.SkipWithError("not every card of the page was stored");
            break;
        }
    }
    // Wall time: most of an import is the symbol reader's, another process.
    state.counters["per_card_ms"] = totalMs / double(pages * count);
}
BENCHMARK(BM_ImportPageToContacts)
    ->Arg(1)
    ->Arg(5)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
