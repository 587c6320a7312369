#include "platform/print/PrintSpooler.h"

#include <cups/cups.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace print {

namespace {

// How long the window waits for the print server's list of printers.
constexpr std::chrono::milliseconds AnswerWait(1000);
// How long the question waits for the server to take the connection, and for each answer.
constexpr int ServerWaitMs = 1000;

struct Server
{
    QByteArray host;
    int port = 0;
    http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;
};

// The printers of the print server, over a connection of our own with bounded waits; none
// when the server cannot be reached.
Printers listPrinters(const Server& server)
{
    Printers listing;
    http_t* http = httpConnect2(server.host.constData(), server.port, nullptr, AF_UNSPEC, server.encryption, 1,
                                ServerWaitMs, nullptr);
    if (!http)
        return listing;
    httpSetTimeout(http, ServerWaitMs / 1000.0, nullptr, nullptr);
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(http, &dests);
    for (int i = 0; i < count; ++i) {
        QString name = QString::fromLocal8Bit(dests[i].name);
        if (dests[i].instance)
            name += u'/' + QString::fromLocal8Bit(dests[i].instance);
        listing.names << name;
        if (dests[i].is_default)
            listing.defaultName = name;
    }
    cupsFreeDests(count, dests);
    httpClose(http);
    return listing;
}

// The list is asked on a thread of its own and the window waits for it only so long: CUPS's
// default connection waits half a minute for a server that does not take it, and a server
// that takes it and never answers keeps even our own question waiting for seconds. Such a
// server lists no printer, and while the question to it is still out it is not asked again.
Printers askServer()
{
    static std::shared_future<Printers> asked;
    if (asked.valid() && asked.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return {};
    // The server as this thread's client settings name it.
    const Server server{cupsServer(), ippPort(), cupsEncryption()};
    auto answer = std::make_shared<std::promise<Printers>>();
    asked = answer->get_future().share();
    std::thread([answer, server] { answer->set_value(listPrinters(server)); }).detach();
    if (asked.wait_for(AnswerWait) != std::future_status::ready)
        return {};
    return asked.get();
}

class CupsSpooler : public PrintSpooler
{
public:
    Printers printers() override { return askServer(); }

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
