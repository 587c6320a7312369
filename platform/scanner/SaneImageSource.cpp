#include "platform/scanner/SaneImageSource.h"

#include "platform/scanner/SaneImageBuilder.h"
#include "platform/scanner/SaneSession.h"
#include "platform/scanner/SourceChoice.h"
#include "platform/scanner/SourceDialog.h"
#include "platform/vb/EventWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <QSocketNotifier>
#include <QTimer>

#include <sane/saneopts.h>

#include <cstring>
#include <memory>
#include <poll.h>
#include <vector>

namespace scanner {

namespace {

bool s_acquiring = false;

// How long a read loop waits in the event loop for a non-blocking device before asking again.
constexpr int PollMs = 50;
// The progress window appears only for scans that take longer than this.
constexpr int ProgressDelayMs = 500;
constexpr int ReadChunkBytes = 64 * 1024;

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

bool hasData(int fd)
{
    pollfd poller{fd, POLLIN, 0};
    return ::poll(&poller, 1, 0) != 0; // an error or a hang-up is for sane_read to report
}

// Runs the event loop until the device's descriptor has data, the user cancels, or a short
// while has passed (for devices without a descriptor).
void waitForData(SANE_Int fd, QProgressDialog& progress)
{
    QEventLoop loop;
    QTimer::singleShot(PollMs, &loop, &QEventLoop::quit);
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    std::unique_ptr<QSocketNotifier> notifier;
    if (fd >= 0) {
        notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    }
    loop.exec();
}

} // namespace

SaneImageSource::SaneImageSource(ScanSettings settings) : m_settings(std::move(settings)) {}

Opened SaneImageSource::open()
{
    auto session = std::make_shared<SaneSession>();
    if (!*session)
        return {nullptr, session->error()};
    return {std::move(session), QString()};
}

Acquired SaneImageSource::acquire(QWidget* parent)
{
    if (s_acquiring)
        return Acquired::failed(QStringLiteral("The scanner is busy with another scan."));
    QScopedValueRollback busy(s_acquiring, true);
    const vb::EventWait waiting; // the progress window lets events run until the image is in

    SaneSession session;
    if (!session)
        return Acquired::failed(session.error());
    QString device = chosenDevice();
    if (device.isEmpty()) {
        const QList<SaneDevice> devices = session.devices();
        if (devices.isEmpty())
            return Acquired::failed(QStringLiteral("No scanner was found."));
        device = devices.first().name;
    }

    SANE_Handle handle = nullptr;
    const SANE_Status status = sane_open(device.toUtf8().constData(), &handle);
    if (status != SANE_STATUS_GOOD)
        return Acquired::failed(QStringLiteral("The scanner %1 could not be opened: %2")
                                    .arg(device, QString::fromUtf8(sane_strstatus(status))));
    Acquired result = scan(handle, device, parent);
    sane_close(handle);
    return result;
}

double SaneImageSource::applySettings(SANE_Handle handle) const
{
    // The mode first: it decides which depths and resolutions the device offers.
    setStringChoice(handle, SANE_NAME_SCAN_MODE, m_settings.mode);
    setNumber(handle, SANE_NAME_BIT_DEPTH, m_settings.depth);
    setNumber(handle, SANE_NAME_SCAN_RESOLUTION, m_settings.dpi);
    return numberValue(handle, SANE_NAME_SCAN_RESOLUTION);
}

Acquired SaneImageSource::scan(SANE_Handle handle, const QString& device, QWidget* parent)
{
    const double dpi = applySettings(handle);

    QProgressDialog progress(QStringLiteral("Scanning..."), QStringLiteral("Cancel"), 0, 0, parent);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(ProgressDelayMs);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setValue(0);

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
            status = readFrame(handle, builder, progress, error);
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

SANE_Status SaneImageSource::readFrame(SANE_Handle handle, SaneImageBuilder& builder, QProgressDialog& progress,
                                       QString& error) const
{
    const bool nonBlocking = sane_set_io_mode(handle, SANE_TRUE) == SANE_STATUS_GOOD;
    SANE_Int fd = -1;
    if (!nonBlocking || sane_get_select_fd(handle, &fd) != SANE_STATUS_GOOD)
        fd = -1;
    const qint64 expected = builder.expectedFrameBytes();
    progress.setRange(0, expected > 0 ? 1000 : 0);

    std::vector<SANE_Byte> chunk(ReadChunkBytes);
    QElapsedTimer sinceData;
    sinceData.start();
    for (;;) {
        if (progress.wasCanceled())
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
            if (expected > 0)
                progress.setValue(int(qMin<qint64>(1000, builder.receivedFrameBytes() * 1000 / expected)));
            QCoreApplication::processEvents();
        } else if (sinceData.hasExpired(m_settings.stallTimeoutMs)) {
            error = QStringLiteral("The scanner stopped sending data.");
            return SANE_STATUS_IO_ERROR;
        } else {
            waitForData(fd, progress);
        }
    }
}

bool SaneImageSource::chooseSource(QWidget* owner)
{
    QList<SaneDevice> devices;
    {
        SaneSession session;
        if (session)
            devices = session.devices();
        else
            qWarning("%s", qPrintable(session.error()));
    }
    SourceDialog dialog(devices, chosenDevice(), owner);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedDevice().isEmpty())
        return false;
    if (!setChosenDevice(dialog.selectedDevice())) {
        qWarning("The chosen scanner could not be remembered in %s", qPrintable(sourceChoiceFile()));
        return false;
    }
    return true;
}

} // namespace scanner
