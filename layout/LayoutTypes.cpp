#include "layout/LayoutTypes.h"

#include "platform/vb/VbNumber.h"

namespace modLayoutTypes {

QStringList layoutShortNames()
{
    return {QStringLiteral("Avery 5371 Compatible"), QStringLiteral("The Corvel Labels"),
            QStringLiteral("The Corvel Template")};
}

QStringList layoutLongTexts()
{
    return {QStringLiteral("Avery 5371 Compatible: 5 rows x 2 columns"),
            QStringLiteral("The Corvel Labels: 5 rows x 2 columns"),
            QStringLiteral("The Corvel Template: 3 rows x 2 columns")};
}

bool isPositionInUse(qint16 nLayoutType, qint16 nPosition)
{
    if (nPosition < 0 || nPosition >= PositionCount)
        return false;
    if (nLayoutType != TemplateLayout)
        return true;
    const int row = nPosition / 2;
    return row != 1 && row != 3;
}

qint16 templateIndexToPosition(qint16 t)
{
    return qint16(2 * t - t % 2);
}

qint16 positionToTemplateIndex(qint16 p)
{
    return vb::toInt16((p + 1) / 2.0);
}

} // namespace modLayoutTypes
