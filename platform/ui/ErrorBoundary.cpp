#include "platform/ui/ErrorBoundary.h"

#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"

#include <QTimer>

#include <new>

namespace ui {

namespace {

void report(const vb::Error& error)
{
    // The report goes through a message box of its own; a failure to show it must not escape
    // the boundary either, so it is written to standard error instead.
    try {
        if (error.source().isEmpty())
            reportError(vb::Error(error.number(), programTitle(), error.description()));
        else
            reportError(error);
    } catch (const std::exception& e) {
        qWarning("%s (the report failed: %s)", error.what(), e.what());
    }
}

vb::Error fault(long number, const QString& description)
{
    return vb::Error(number, programTitle(), description);
}

} // namespace

bool runGuarded(const std::function<void()>& handler, OnError onError)
{
    try {
        handler();
        return true;
    } catch (const vb::Error& error) {
        if (onError == OnError::Report)
            report(error);
    } catch (const std::bad_alloc&) {
        report(vb::Error::runtime(vb::err::OutOfMemory, programTitle()));
    } catch (const std::exception& e) {
        report(fault(vb::err::InternalError, QString::fromLocal8Bit(e.what())));
    } catch (...) {
        // Not an exception of ours nor of the library: still a fault, never a silent one.
        report(vb::Error::runtime(vb::err::InternalError, programTitle()));
    }
    return false;
}

void later(const QObject* context, std::function<void()> handler, OnError onError)
{
    QTimer::singleShot(0, context, [handler = std::move(handler), onError] { runGuarded(handler, onError); });
}

} // namespace ui
