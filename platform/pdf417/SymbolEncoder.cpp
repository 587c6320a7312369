#include "platform/pdf417/SymbolEncoder.h"

#include <zint.h>

#include <memory>

namespace pdf417 {

namespace {

// A PDF417 row: start pattern and left row indicator, the data columns, right row indicator
// and stop pattern, 17 modules each but the stop pattern's 18.
constexpr int OverheadModules = 69;
constexpr int ColumnModules = 17;

struct SymbolDeleter
{
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using Symbol = std::unique_ptr<zint_symbol, SymbolDeleter>;

// Encodes with a fixed column count; null when zint refuses or only warns (a warning means it
// changed something we asked for, which would silently make a different symbol).
Symbol encodeWithColumns(const QByteArray& data, int columns, QString& error)
{
    Symbol symbol(ZBarcode_Create());
    if (!symbol) {
        error = QStringLiteral("out of memory");
        return nullptr;
    }
    symbol->symbology = BARCODE_PDF417;
    symbol->input_mode = DATA_MODE | HEIGHTPERROW_MODE;
    symbol->height = SymbolEncoder::RowHeight;
    symbol->option_1 = SymbolEncoder::ErrorCorrectionLevel;
    symbol->option_2 = columns;
    symbol->scale = 0.5f; // zint's raster scale 1 draws two pixels per module
    symbol->whitespace_width = SymbolEncoder::QuietZone;
    symbol->whitespace_height = SymbolEncoder::QuietZone;
    symbol->output_options = OUT_BUFFER_INTERMEDIATE;
    symbol->show_hrt = 0;
    symbol->warn_level = WARN_FAIL_ALL;
    const int rc =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()), int(data.size()));
    if (rc != 0) {
        error = QString::fromLatin1(symbol->errtxt);
        return nullptr;
    }
    return symbol;
}

int columnsOf(const zint_symbol& symbol)
{
    return (symbol.width - OverheadModules) / ColumnModules;
}

double widthShare(int columns)
{
    return double(OverheadModules + ColumnModules * columns + 2 * SymbolEncoder::QuietZone) / SymbolEncoder::MaxWidth;
}

double heightShare(int rows)
{
    return double(SymbolEncoder::RowHeight * rows + 2 * SymbolEncoder::QuietZone) / SymbolEncoder::MaxHeight;
}

} // namespace

int SymbolEncoder::maxColumns()
{
    return (MaxWidth - 2 * QuietZone - OverheadModules) / ColumnModules;
}

int SymbolEncoder::maxRows()
{
    return (MaxHeight - 2 * QuietZone) / RowHeight;
}

SymbolEncoder::Result SymbolEncoder::encode(const QByteArray& data)
{
    Result result;
    if (data.isEmpty()) {
        result.error = QStringLiteral("no data");
        return result;
    }
    // Fewer columns make a narrower, taller symbol. Walk down from the widest until the
    // symbol's height share of the band passes its width share; the best fit lies there.
    Symbol best;
    double bestShare = 0;
    for (int columns = maxColumns(); columns >= 1; --columns) {
        QString error;
        Symbol symbol = encodeWithColumns(data, columns, error);
        if (!symbol || symbol->rows > maxRows() || columnsOf(*symbol) != columns) {
            if (!best)
                result.error = error.isEmpty() ? QStringLiteral("data do not fit the card symbol") : error;
            break;
        }
        const double share = std::max(widthShare(columns), heightShare(symbol->rows));
        if (best && share >= bestShare)
            break;
        best = std::move(symbol);
        bestShare = share;
        if (heightShare(best->rows) >= widthShare(columns))
            break;
    }
    if (!best)
        return result;

    if (ZBarcode_Buffer(best.get(), 0) != 0) {
        result.error = QString::fromLatin1(best->errtxt);
        return result;
    }
    const int width = best->bitmap_width;
    const int height = best->bitmap_height;
    if (width > MaxWidth || height > MaxHeight) {
        result.error = QStringLiteral("symbol larger than the band");
        return result;
    }
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    const unsigned char* pixels = best->bitmap;
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            if (pixels[y * width + x] == '1')
                line[x >> 3] |= uchar(0x80 >> (x & 7));
        }
    }
    // One pixel is 1/120 inch on the printed card.
    const int dotsPerMeter = qRound(120 / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    result.image = std::move(image);
    result.columns = columnsOf(*best);
    result.rows = best->rows;
    return result;
}

} // namespace pdf417
