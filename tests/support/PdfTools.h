#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

// Reads PDF files back with poppler's command-line tools.
namespace pdf_tools {

// Page `page` rendered at `dpi` in shades of grey; a null image when rendering failed.
QImage rasterise(const QString& pdfFile, int dpi = 300, int page = 1);
// Page `page`, or the part `crop` of it (in pixels), rendered at `dpi` in shades of grey into
// the PGM file `pgmFile` (a name ending in ".pgm"); false when rendering failed.
bool rasteriseToFile(const QString& pdfFile, const QString& pgmFile, int dpi, const QRect& crop = QRect(),
                     int page = 1);
// The images the PDF holds, as `pdfimages -list` lists them: one line each, without the heading.
QStringList images(const QString& pdfFile);
// The text of every page.
QString text(const QString& pdfFile);
int pageCount(const QString& pdfFile);

} // namespace pdf_tools
