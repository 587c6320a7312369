#pragma once

#include "platform/print/PainterTarget.h"

#include <QBuffer>
#include <QPdfWriter>

#include <memory>

namespace files {
class AtomicFile;
}

namespace print {

// A PDF file of US Letter pages without unprintable margins, as a printer of 600 dots per
// inch would print them. The file is written beside its final name and renamed over it by
// endDoc, so an abandoned or failed document never replaces an earlier file. endDoc raises
// vb::Error 75 (Path/File access error) when the file cannot be written.
class PdfTarget : public PainterTarget
{
public:
    explicit PdfTarget(const QString& fileName);
    ~PdfTarget() override;

    QString deviceName() override { return m_fileName; }
    QString fileName() const { return m_fileName; }

    static constexpr int resolution = 600;

protected:
    DeviceGeometry geometry() override;
    const QPaintDevice& metricsDevice() override { return m_metrics; }
    QPaintDevice* beginDocument(const QString& docName) override;
    void finishDocument(bool keep) override;

private:
    void setUp(QPdfWriter& writer, const QString& title) const;

    QString m_fileName;
    QBuffer m_unused;
    QPdfWriter m_metrics;
    std::unique_ptr<files::AtomicFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
};

} // namespace print
