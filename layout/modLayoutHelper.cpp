#include "layout/modLayoutHelper.h"

#include "capture/PictureHolder.h"
#include "capture/modSymbolRoutines.h"
#include "common/modRegistryHigh.h"
#include "layout/CardGeometry.h"
#include "layout/frmLabelLayout.h"
#include "model/CImpressionDoc.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbNumber.h"

namespace modLayoutHelper {

namespace {

constexpr QChar CR = u'\r';

// A picture's size in HIMETRIC (0.01 mm), the unit a loaded picture reports: its pixels at
// 96 to the inch, whatever resolution the file records.
double himetric(int px)
{
    return vb::toInt32(px * 2540.0 / 96.0);
}

QFont labelFont(const CImpressionDoc& doc)
{
    QFont font(doc.CwFontName());
    font.setPointSizeF(float(doc.CwFontSize()) * cardGeometry::ScreenScale);
    return font;
}

QString lines(const CImpressionDoc& doc, qint16 first)
{
    return doc.CwLines(first) + CR + doc.CwLines(qint16(first + 1)) + CR + doc.CwLines(qint16(first + 2));
}

} // namespace

std::optional<CardContent> layOutCard(const CImpressionDoc& doc, const QString& strFileName,
                                      const QString& strDisplayName, const QString& strBitmapFile, int nTopLabelTop,
                                      int nCardWidth)
{
    try {
        PictureHolder pic;
        pic.loadPicture(strBitmapFile);

        CardContent content;
        content.caption = strDisplayName;
        content.bottomFont = labelFont(doc);
        content.topFont = labelFont(doc);
        content.topCaption = lines(doc, 0);
        content.bottomCaption = lines(doc, 3);

        const qint16 bandTop = vb::toInt16(nTopLabelTop + cardGeometry::BandOffset);
        const float areaWidth = float(nCardWidth - cardGeometry::AreaMargin);
        const double srcW = himetric(pic.picture().width()) / 2 * double(cardGeometry::ScreenScale);
        const double srcH = himetric(pic.picture().height()) / 2 * double(cardGeometry::ScreenScale);
        qint16 w, h, x, y;
        modSymbolRoutines::computeSymbolPrintSize(areaWidth, cardGeometry::BandHeight, srcW, srcH, w, h, x, y);
        content.pictureWidth = w;
        content.pictureHeight = h;
        content.pictureLeft = vb::toInt16(x + cardGeometry::AreaLeft);
        content.pictureTop = vb::toInt16(bandTop + y);
        content.picture = QPixmap::fromImage(pic.picture());
        if (content.picture.isNull())
            return std::nullopt;
        content.tag = strFileName;
        return content;
    } catch (const vb::Error&) {
        return std::nullopt;
    }
}

bool placeImpression(const CImpressionDoc& doc, const QString& strFileName, const QString& strDisplayName,
                     frmLabelLayout& layoutForm, qint16 nPosition)
{
    const QString bmp = modSymbolRoutines::getTempSymbolBitmapName();
    const bool encode = modRegistryHigh::getEncodeCorvelWords();
    if (!modSymbolRoutines::makeSymbolBitmap(doc, bmp, encode, false))
        return false;
    const std::optional<CardContent> content = layOutCard(
        doc, strFileName, strDisplayName, bmp, layoutForm.topLabelTop(nPosition), layoutForm.cardWidth(nPosition));
    if (!content)
        return false;
    layoutForm.setCardContent(nPosition, *content);
    return true;
}

} // namespace modLayoutHelper
