#pragma once

#include "platform/print/Target.h"

#include <QPainter>

namespace print {

// A target that paints on a Qt paint device. The document begins with the first drawing
// (or startDoc) and ends with endDoc or killDoc; pictures are stretched to whole device
// pixels with nearest-neighbour sampling (1-bit ones stored losslessly in a PDF), lines and
// boxes land on whole device pixels.
class PainterTarget : public Target
{
public:
    ~PainterTarget() override;

    // True while a document is open.
    bool isPainting() const { return m_painter.isActive(); }

protected:
    PainterTarget() = default;

    // Opens the device for a new document called `docName` (empty: the program title).
    virtual QPaintDevice* beginDocument(const QString& docName) = 0;
    // Called after painting ended: hands the document over (`keep`) or discards it.
    virtual void finishDocument(bool keep) = 0;

    void render(const DrawCall& call) override;
    // Ends painting and discards the document; derived destructors call it while their device still exists.
    void abandonDocument();
    // Ends painting without ending the document, so the device can be read; the next drawing resumes it.
    void pausePainting();

private:
    void beginPainting(const QString& docName = QString());
    void applyClip();
    void drawText(const DrawCall& call);
    void drawPicture(const DrawCall& call);

    QPainter m_painter;
    bool m_pageEnded = false;
};

} // namespace print
