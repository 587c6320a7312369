#include "platform/print/PrintSpooler.h"

#include <QPrinterInfo>

#include <cups/cups.h>

namespace print {

namespace {

class CupsSpooler : public PrintSpooler
{
public:
    QStringList printerNames() override { return QPrinterInfo::availablePrinterNames(); }

    QString defaultPrinterName() override { return QPrinterInfo::defaultPrinterName(); }

    bool submit(const QString& printerName, const QString& pdfFile, const QString& title, const QString& media,
                QString& error) override
    {
        // A printer instance ("name/instance") prints on its queue.
        const QByteArray queue = printerName.section(u'/', 0, 0).toLocal8Bit();
        const QByteArray file = pdfFile.toLocal8Bit();
        const QByteArray name = title.toUtf8();
        const QByteArray mediaName = media.toUtf8();
        cups_option_t* options = nullptr;
        int count = 0;
        if (!mediaName.isEmpty())
            count = cupsAddOption("media", mediaName.constData(), count, &options);
        count = cupsAddOption("sides", "one-sided", count, &options);
        const int job = cupsPrintFile(queue.constData(), file.constData(), name.constData(), count, options);
        cupsFreeOptions(count, options);
        if (job > 0)
            return true;
        error = QString::fromUtf8(cupsLastErrorString());
        return false;
    }
};

PrintSpooler& cups()
{
    static CupsSpooler spooler;
    return spooler;
}

} // namespace

constinit service::Service<PrintSpooler> spooler(&cups);

} // namespace print
