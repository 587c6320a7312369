#pragma once

#include <QImage>
#include <QString>

// Reads PDF files back with poppler's command-line tools.
namespace pdf_tools {

// Page `page` rendered at `dpi` in shades of grey; a null image when rendering failed.
QImage rasterise(const QString& pdfFile, int dpi = 300, int page = 1);
// The text of every page.
QString text(const QString& pdfFile);
int pageCount(const QString& pdfFile);

} // namespace pdf_tools
