#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

#include <sane/sane.h>

namespace scanner {

// Puts the frames a SANE device sends together into one picture: gray or RGB frames, or the
// red, green and blue frames of a three-pass scanner, at 1, 8 or 16 bits a sample. The picture
// has 8 bits a sample (gray or RGB); 16-bit samples keep their high byte.
class SaneImageBuilder
{
public:
    // Starts the next frame; false for a frame this builder cannot use.
    bool beginFrame(const SANE_Parameters& params);
    void append(const SANE_Byte* data, int length);

    // The bytes the current frame will bring; -1 when the device does not know (hand scanners).
    qint64 expectedFrameBytes() const;
    qint64 receivedFrameBytes() const;

    // The picture from the complete lines received; null when none arrived.
    QImage image() const;

private:
    struct Frame
    {
        SANE_Parameters params;
        QByteArray data;
        int lines() const;
    };

    // A gray or RGB frame: one byte a sample in the picture, as in the frame.
    QImage interleavedImage(const Frame& frame, QImage::Format format) const;
    QImage threePassImage() const;

    QList<Frame> m_frames;
};

} // namespace scanner
