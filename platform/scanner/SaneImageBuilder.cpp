#include "platform/scanner/SaneImageBuilder.h"

#include <cstring>

namespace scanner {

namespace {

int samplesPerPixel(SANE_Frame format)
{
    return format == SANE_FRAME_RGB ? 3 : 1;
}

// Sample `i` of a line, scaled to 0..255. 16-bit samples come in the machine's byte order;
// 1-bit samples come most significant bit first.
inline int sampleAt(const uchar* line, qsizetype i, int depth)
{
    switch (depth) {
    case 8:
        return line[i];
    case 16: {
        quint16 value;
        std::memcpy(&value, line + 2 * i, sizeof value);
        return value >> 8;
    }
    default:
        return (line[i >> 3] >> (7 - (i & 7))) & 1 ? 255 : 0;
    }
}

} // namespace

int SaneImageBuilder::Frame::lines() const
{
    const int complete = static_cast<int>(data.size() / params.bytes_per_line);
    return params.lines > 0 ? qMin(params.lines, complete) : complete;
}

bool SaneImageBuilder::beginFrame(const SANE_Parameters& params)
{
    const bool knownFormat = params.format == SANE_FRAME_GRAY || params.format == SANE_FRAME_RGB ||
                             params.format == SANE_FRAME_RED || params.format == SANE_FRAME_GREEN ||
                             params.format == SANE_FRAME_BLUE;
    if (!knownFormat || (params.depth != 1 && params.depth != 8 && params.depth != 16) || params.pixels_per_line <= 0 ||
        params.bytes_per_line <= 0)
        return false;
    const qint64 bitsPerLine = qint64(params.pixels_per_line) * samplesPerPixel(params.format) * params.depth;
    if (params.bytes_per_line < (bitsPerLine + 7) / 8)
        return false;
    m_frames.append({params, {}});
    if (params.lines > 0)
        m_frames.last().data.reserve(qint64(params.lines) * params.bytes_per_line);
    return true;
}

void SaneImageBuilder::append(const SANE_Byte* data, int length)
{
    if (!m_frames.isEmpty() && length > 0)
        m_frames.last().data.append(reinterpret_cast<const char*>(data), length);
}

qint64 SaneImageBuilder::expectedFrameBytes() const
{
    if (m_frames.isEmpty() || m_frames.last().params.lines <= 0)
        return -1;
    return qint64(m_frames.last().params.lines) * m_frames.last().params.bytes_per_line;
}

qint64 SaneImageBuilder::receivedFrameBytes() const
{
    return m_frames.isEmpty() ? 0 : m_frames.last().data.size();
}

QImage SaneImageBuilder::image() const
{
    if (m_frames.isEmpty() || m_frames.first().lines() == 0)
        return {};
    switch (m_frames.first().params.format) {
    case SANE_FRAME_GRAY:
        return interleavedImage(m_frames.first(), QImage::Format_Grayscale8);
    case SANE_FRAME_RGB:
        return interleavedImage(m_frames.first(), QImage::Format_RGB888);
    default:
        return threePassImage();
    }
}

QImage SaneImageBuilder::interleavedImage(const Frame& frame, QImage::Format format) const
{
    const SANE_Parameters& p = frame.params;
    QImage out(p.pixels_per_line, frame.lines(), format);
    if (out.isNull())
        return out;
    const qsizetype samples = qsizetype(out.width()) * samplesPerPixel(p.format);
    const int flip = p.format == SANE_FRAME_GRAY && p.depth == 1 ? 255 : 0; // in gray line art a set bit is black
    for (int y = 0; y < out.height(); ++y) {
        const auto* line = reinterpret_cast<const uchar*>(frame.data.constData()) + qint64(y) * p.bytes_per_line;
        uchar* row = out.scanLine(y);
        for (qsizetype i = 0; i < samples; ++i)
            row[i] = static_cast<uchar>(sampleAt(line, i, p.depth) ^ flip);
    }
    return out;
}

QImage SaneImageBuilder::threePassImage() const
{
    const SANE_Parameters& first = m_frames.first().params;
    int lines = m_frames.first().lines();
    for (const Frame& frame : m_frames)
        lines = qMin(lines, frame.lines());
    QImage out(first.pixels_per_line, lines, QImage::Format_RGB888);
    if (out.isNull())
        return out;
    out.fill(Qt::black);
    for (const Frame& frame : m_frames) {
        const SANE_Parameters& p = frame.params;
        if (p.pixels_per_line != first.pixels_per_line || p.format < SANE_FRAME_RED)
            continue;
        const int channel = p.format - SANE_FRAME_RED;
        for (int y = 0; y < out.height(); ++y) {
            const auto* line = reinterpret_cast<const uchar*>(frame.data.constData()) + qint64(y) * p.bytes_per_line;
            uchar* row = out.scanLine(y);
            for (int x = 0; x < out.width(); ++x)
                row[3 * x + channel] = static_cast<uchar>(sampleAt(line, x, p.depth));
        }
    }
    return out;
}

} // namespace scanner
