#include "platform/print/PdfTarget.h"
#include "platform/units/Units.h"

#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"

#include <QPageLayout>
#include <QSaveFile>

namespace print {

namespace {

constexpr long fileAccessError = 75;

vb::Error fileError(const QString& fileName, const QString& reason)
{
    return vb::Error(fileAccessError, ui::programTitle(),
                     vb::Error::standardDescription(fileAccessError) + QStringLiteral(": ") + fileName +
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
    m_file = std::make_unique<QSaveFile>(m_fileName);
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString reason = m_file->errorString();
        m_file.reset();
        throw fileError(m_fileName, reason);
    }
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    setUp(*m_writer, docName.isEmpty() ? ui::programTitle() : docName);
    return m_writer.get();
}

void PdfTarget::finishDocument(bool keep)
{
    m_writer.reset();
    const std::unique_ptr<QSaveFile> file = std::move(m_file);
    if (!file)
        return;
    if (!keep) {
        file->cancelWriting();
        return;
    }
    if (!file->commit())
        throw fileError(m_fileName, file->errorString());
}

} // namespace print
