#include "platform/scanner/SaneImageSource.h"

#include "platform/scanner/SaneImageBuilder.h"
#include "platform/scanner/SaneSession.h"
#include "platform/scanner/SourceChoice.h"
#include "platform/scanner/SourceDialog.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <QThread>

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
#include <vector>

namespace scanner {

namespace {

bool s_acquiring = false;

// How long a read loop waits for a non-blocking device before asking again.
constexpr int PollMs = 50;
constexpr int ReadChunkBytes = 64 * 1024;

const QString LookingText = QStringLiteral("Looking for scanners...");
const QString ScanningText = QStringLiteral("Scanning...");

// An answer of the SANE thread that the interface thread waits for with its events running.
// Both sides hold it; the SANE thread gives the answer through SaneSession::reply, so that every
// member is used on the interface thread only, except `cancelled`.
template <typename T> struct Answer
{
    std::optional<T> value;
    QEventLoop* waiting = nullptr;
    QPointer<QProgressDialog> progress;
    std::atomic_bool cancelled = false; // the interface thread stopped waiting

    void give(T given)
    {
        value = std::move(given);
        if (waiting)
            waiting->quit();
    }

    // Runs the events until the answer is in or the progress window is cancelled; false when
    // cancelled.
    bool wait()
    {
        QEventLoop loop;
        if (progress)
            QObject::connect(progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
        waiting = &loop;
        if (!value && !(progress && progress->wasCanceled()))
            loop.exec();
        waiting = nullptr;
        cancelled = !value;
        return value.has_value();
    }
};

using Acquisition = Answer<Acquired>;

struct Option
{
    SANE_Int index = -1;
    const SANE_Option_Descriptor* desc = nullptr;
    explicit operator bool() const { return desc != nullptr; }
};

// The active option called `name`; option 0 holds the number of options.
Option findOption(SANE_Handle handle, const char* name)
{
    SANE_Int count = 0;
    if (!sane_get_option_descriptor(handle, 0) ||
        sane_control_option(handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return {};
    for (SANE_Int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* desc = sane_get_option_descriptor(handle, i);
        if (desc && desc->name && std::strcmp(desc->name, name) == 0 && SANE_OPTION_IS_ACTIVE(desc->cap))
            return {i, desc};
    }
    return {};
}

bool isSettableNumber(const Option& option)
{
    return option && SANE_OPTION_IS_SETTABLE(option.desc->cap) &&
           (option.desc->type == SANE_TYPE_INT || option.desc->type == SANE_TYPE_FIXED) &&
           option.desc->size == sizeof(SANE_Word);
}

void setStringChoice(SANE_Handle handle, const char* name, const QString& wanted)
{
    const Option option = findOption(handle, name);
    if (!option || !SANE_OPTION_IS_SETTABLE(option.desc->cap) || option.desc->type != SANE_TYPE_STRING ||
        option.desc->constraint_type != SANE_CONSTRAINT_STRING_LIST || option.desc->size <= 0)
        return;
    for (const SANE_String_Const* choice = option.desc->constraint.string_list; *choice; ++choice) {
        if (wanted.compare(QString::fromUtf8(*choice), Qt::CaseInsensitive) != 0)
            continue;
        QByteArray value(option.desc->size, '\0');
        std::strncpy(value.data(), *choice, value.size() - 1);
        sane_control_option(handle, option.index, SANE_ACTION_SET_VALUE, value.data(), nullptr);
        return;
    }
}

// The value the option allows that is nearest `wanted`: within a range, rounded to its steps;
// from a list, the smallest value not below `wanted`, else the largest.
SANE_Word nearestAllowed(const SANE_Option_Descriptor& desc, double wanted)
{
    const SANE_Word target = desc.type == SANE_TYPE_FIXED ? SANE_FIX(wanted) : SANE_Word(qRound(wanted));
    if (desc.constraint_type == SANE_CONSTRAINT_RANGE) {
        const SANE_Range& r = *desc.constraint.range;
        SANE_Word value = qBound(r.min, target, r.max);
        if (r.quant > 0) {
            value = r.min + SANE_Word((qint64(value) - r.min + r.quant / 2) / r.quant * r.quant);
            if (value > r.max)
                value -= r.quant;
        }
        return value;
    }
    if (desc.constraint_type == SANE_CONSTRAINT_WORD_LIST && desc.constraint.word_list[0] > 0) {
        const SANE_Word* list = desc.constraint.word_list;
        SANE_Word above = 0, largest = list[1];
        bool haveAbove = false;
        for (SANE_Word i = 1; i <= list[0]; ++i) {
            largest = qMax(largest, list[i]);
            if (list[i] >= target && (!haveAbove || list[i] < above)) {
                above = list[i];
                haveAbove = true;
            }
        }
        return haveAbove ? above : largest;
    }
    return target;
}

void setNumber(SANE_Handle handle, const char* name, double wanted)
{
    const Option option = findOption(handle, name);
    if (!isSettableNumber(option))
        return;
    SANE_Word value = nearestAllowed(*option.desc, wanted);
    sane_control_option(handle, option.index, SANE_ACTION_SET_VALUE, &value, nullptr);
}

double numberValue(SANE_Handle handle, const char* name)
{
    const Option option = findOption(handle, name);
    SANE_Word value = 0;
    if (!option || option.desc->size != sizeof(SANE_Word) ||
        (option.desc->type != SANE_TYPE_INT && option.desc->type != SANE_TYPE_FIXED) ||
        sane_control_option(handle, option.index, SANE_ACTION_GET_VALUE, &value, nullptr) != SANE_STATUS_GOOD)
        return 0;
    return option.desc->type == SANE_TYPE_FIXED ? SANE_UNFIX(value) : value;
}

bool hasData(int fd, int waitMs = 0)
{
    pollfd poller{fd, POLLIN, 0};
    return ::poll(&poller, 1, waitMs) != 0; // an error or a hang-up is for sane_read to report
}

// Waits until the device's descriptor has data, or a short while has passed (for devices
// without a descriptor).
void waitForData(SANE_Int fd)
{
    if (fd >= 0)
        hasData(fd, PollMs);
    else
        QThread::msleep(PollMs);
}

// The progress window, updated from the SANE thread.
void showProgress(const std::shared_ptr<Acquisition>& scan, int maximum, int value)
{
    SaneSession::reply([scan, maximum, value] {
        if (!scan->progress)
            return;
        scan->progress->setRange(0, maximum);
        scan->progress->setValue(value);
    });
}

void showLabel(const std::shared_ptr<Acquisition>& scan, const QString& text)
{
    SaneSession::reply([scan, text] {
        if (scan->progress)
            scan->progress->setLabelText(text);
    });
}

// The SANE thread's side of an acquisition, below.
Acquired acquireOnSaneThread(QString device, const ScanSettings& settings, const std::shared_ptr<Acquisition>& scan);
Acquired scanDevice(SANE_Handle handle, const QString& device, const ScanSettings& settings,
                    const std::shared_ptr<Acquisition>& scan);
SANE_Status readFrame(SANE_Handle handle, SaneImageBuilder& builder, const ScanSettings& settings,
                      const std::shared_ptr<Acquisition>& scan, QString& error);

} // namespace

SaneImageSource::SaneImageSource(ScanSettings settings) : m_settings(std::move(settings)) {}

Opened SaneImageSource::open()
{
    auto started = std::make_shared<Answer<QString>>();
    SaneSession::run([started](const QString& startError) {
        SaneSession::reply([started, startError] { started->give(startError); });
    });
    started->wait();
    return {nullptr, *started->value};
}

Acquired SaneImageSource::acquire(QWidget* parent)
{
    if (s_acquiring)
        return Acquired::failed(QStringLiteral("The scanner is busy with another scan."));
    QScopedValueRollback busy(s_acquiring, true);

    const QString device = chosenDevice();
    QProgressDialog progress(device.isEmpty() ? LookingText : ScanningText, QStringLiteral("Cancel"), 0, 0, parent);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);

    auto scan = std::make_shared<Acquisition>();
    scan->progress = &progress;
    SaneSession::run([scan, device, settings = m_settings](const QString& startError) {
        Acquired result =
            startError.isEmpty() ? acquireOnSaneThread(device, settings, scan) : Acquired::failed(startError);
        SaneSession::reply([scan, result] { scan->give(result); });
    });
    progress.setValue(0);
    progress.show();
    if (!scan->wait())
        return Acquired::cancelled();
    return *scan->value;
}

namespace {

// On the SANE thread: the first device found when none was chosen, opened and read.
Acquired acquireOnSaneThread(QString device, const ScanSettings& settings, const std::shared_ptr<Acquisition>& scan)
{
    if (scan->cancelled) // while it waited for the jobs before it
        return Acquired::cancelled();
    if (device.isEmpty()) {
        const QList<SaneDevice> devices = SaneSession::devices();
        if (devices.isEmpty())
            return Acquired::failed(QStringLiteral("No scanner was found."));
        device = devices.first().name;
        showLabel(scan, ScanningText);
    }
    if (scan->cancelled)
        return Acquired::cancelled();

    SANE_Handle handle = nullptr;
    const SANE_Status status = sane_open(device.toUtf8().constData(), &handle);
    if (status != SANE_STATUS_GOOD)
        return Acquired::failed(QStringLiteral("The scanner %1 could not be opened: %2")
                                    .arg(device, QString::fromUtf8(sane_strstatus(status))));
    Acquired result = scanDevice(handle, device, settings, scan);
    sane_close(handle);
    return result;
}

// Sets mode, depth and resolution as far as the device allows; returns the resolution in dpi (0: unknown).
double applySettings(SANE_Handle handle, const ScanSettings& settings)
{
    // The mode first: it decides which depths and resolutions the device offers.
    setStringChoice(handle, SANE_NAME_SCAN_MODE, settings.mode);
    setNumber(handle, SANE_NAME_BIT_DEPTH, settings.depth);
    setNumber(handle, SANE_NAME_SCAN_RESOLUTION, settings.dpi);
    return numberValue(handle, SANE_NAME_SCAN_RESOLUTION);
}

Acquired scanDevice(SANE_Handle handle, const QString& device, const ScanSettings& settings,
                    const std::shared_ptr<Acquisition>& scan)
{
    const double dpi = applySettings(handle, settings);

    SaneImageBuilder builder;
    SANE_Status status = SANE_STATUS_GOOD;
    QString error;
    for (bool lastFrame = false; status == SANE_STATUS_GOOD && !lastFrame;) {
        status = sane_start(handle);
        SANE_Parameters params{};
        if (status == SANE_STATUS_GOOD)
            status = sane_get_parameters(handle, &params);
        if (status == SANE_STATUS_GOOD && !builder.beginFrame(params)) {
            error = QStringLiteral("The scanner %1 sends pictures in a form this program cannot read.").arg(device);
            status = SANE_STATUS_UNSUPPORTED;
        }
        if (status == SANE_STATUS_GOOD)
            status = readFrame(handle, builder, settings, scan, error);
        lastFrame = params.last_frame;
    }
    sane_cancel(handle);

    if (status == SANE_STATUS_CANCELLED)
        return Acquired::cancelled();
    if (status != SANE_STATUS_GOOD)
        return Acquired::failed(
            error.isEmpty()
                ? QStringLiteral("Scanning with %1 failed: %2").arg(device, QString::fromUtf8(sane_strstatus(status)))
                : error);
    QImage image = builder.image();
    if (image.isNull())
        return Acquired::failed(QStringLiteral("The scanner %1 sent no picture.").arg(device));
    if (dpi > 0) {
        const int dotsPerMeter = qRound(dpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
    }
    return Acquired::done(std::move(image));
}

SANE_Status readFrame(SANE_Handle handle, SaneImageBuilder& builder, const ScanSettings& settings,
                      const std::shared_ptr<Acquisition>& scan, QString& error)
{
    const bool nonBlocking = sane_set_io_mode(handle, SANE_TRUE) == SANE_STATUS_GOOD;
    SANE_Int fd = -1;
    if (!nonBlocking || sane_get_select_fd(handle, &fd) != SANE_STATUS_GOOD)
        fd = -1;
    const qint64 expected = builder.expectedFrameBytes();
    const int maximum = expected > 0 ? 1000 : 0;
    int shown = 0;
    showProgress(scan, maximum, shown);

    std::vector<SANE_Byte> chunk(ReadChunkBytes);
    QElapsedTimer sinceData;
    sinceData.start();
    for (;;) {
        if (scan->cancelled)
            return SANE_STATUS_CANCELLED;
        // With a descriptor, read only once it signals data (or the end): some backends lose
        // data when asked for it before it is there.
        const bool ready = fd < 0 || hasData(fd);
        SANE_Int length = 0;
        if (ready) {
            const SANE_Status status = sane_read(handle, chunk.data(), ReadChunkBytes, &length);
            if (status == SANE_STATUS_EOF)
                return SANE_STATUS_GOOD;
            if (status != SANE_STATUS_GOOD)
                return status;
        }
        if (length > 0) {
            builder.append(chunk.data(), length);
            sinceData.restart();
            const int value =
                expected > 0 ? int(qMin<qint64>(1000, builder.receivedFrameBytes() * 1000 / expected)) : 0;
            if (value != shown)
                showProgress(scan, maximum, shown = value);
        } else if (sinceData.hasExpired(settings.stallTimeoutMs)) {
            error = QStringLiteral("The scanner stopped sending data.");
            return SANE_STATUS_IO_ERROR;
        } else {
            waitForData(fd);
        }
    }
}

} // namespace

bool SaneImageSource::chooseSource(QWidget* owner)
{
    SourceDialog dialog(chosenDevice(), owner);
    // The list comes from the SANE thread while the dialog shows; the dialog may be gone by then.
    SaneSession::run([shown = QPointer<SourceDialog>(&dialog)](const QString& startError) {
        if (!startError.isEmpty())
            qWarning("%s", qPrintable(startError));
        const QList<SaneDevice> devices = startError.isEmpty() ? SaneSession::devices() : QList<SaneDevice>();
        SaneSession::reply([shown, devices] {
            if (shown)
                shown->setDevices(devices);
        });
    });
    const int answer = dialog.exec();
    if (answer != QDialog::Accepted || dialog.selectedDevice().isEmpty())
        return false;
    if (!setChosenDevice(dialog.selectedDevice())) {
        qWarning("The chosen scanner could not be remembered in %s", qPrintable(sourceChoiceFile()));
        return false;
    }
    return true;
}

} // namespace scanner
