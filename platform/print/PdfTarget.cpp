#include "platform/print/PdfTarget.h"
#include "platform/units/Units.h"

#include "platform/files/AtomicFile.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"

#include <QPageLayout>

namespace print {

namespace {

vb::Error fileError(const QString& fileName, const QString& reason)
{
    return vb::Error(vb::err::PathFileAccessError, ui::programTitle(),
                     vb::Error::standardDescription(vb::err::PathFileAccessError) + QStringLiteral(": ") + fileName +
                         QStringLiteral(": ") + reason);
}

} // namespace

PdfTarget::PdfTarget(const QString& fileName) : m_fileName(fileName), m_metrics(&m_unused)
{
    setUp(m_metrics, QString());
}

PdfTarget::~PdfTarget()
{
    abandonDocument();
}

void PdfTarget::setUp(QPdfWriter& writer, const QString& title) const
{
    writer.setResolution(resolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
    writer.setTitle(title);
    writer.setCreator(ui::programTitle());
}

DeviceGeometry PdfTarget::geometry()
{
    DeviceGeometry g;
    g.dpiX = resolution;
    g.dpiY = resolution;
    const double twipsPerPixel = units::twipsPerPixel(resolution);
    g.paper = QSize(units::twipsToPixels(letterWidthTwips, twipsPerPixel),
                    units::twipsToPixels(letterHeightTwips, twipsPerPixel));
    g.area = g.paper;
    return g;
}

QPaintDevice* PdfTarget::beginDocument(const QString& docName)
{
    m_file = std::make_unique<files::AtomicFile>(m_fileName);
    if (const files::WriteResult opened = m_file->open(); !opened) {
        m_file.reset();
        throw fileError(m_fileName, opened.error());
    }
    // The PDF streams into the temporary file page by page; a write that fails on the way
    // (a full disk) fails the commit in endDoc.
    m_writer = std::make_unique<QPdfWriter>(m_file->device());
    setUp(*m_writer, docName.isEmpty() ? ui::programTitle() : docName);
    return m_writer.get();
}

void PdfTarget::finishDocument(bool keep)
{
    m_writer.reset(); // ends the PDF: its last bytes reach the file
    const std::unique_ptr<files::AtomicFile> file = std::move(m_file);
    if (!file)
        return;
    if (!keep) {
        file->cancel();
        return;
    }
    if (const files::WriteResult committed = file->commit(); !committed)
        throw fileError(m_fileName, committed.error());
}

} // namespace print
