#include "layout/LayoutTypes.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace modLayoutTypes;

TEST(PositionMaps, TemplatePositionsMapBothWaysAndHalvesGoToEven)
{
    const qint16 sheet[TemplatePositionCount] = {0, 1, 4, 5, 8, 9};
    for (qint16 t = 0; t < TemplatePositionCount; ++t) {
        EXPECT_EQ(templateIndexToPosition(t), sheet[t]) << t;
        EXPECT_EQ(positionToTemplateIndex(sheet[t]), t) << t;
    }
    // Every sheet position: (p + 1) / 2 with halves to even, so 4 gives 2 and 8 gives 4.
    const qint16 index[PositionCount] = {0, 1, 2, 2, 2, 3, 4, 4, 4, 5};
    for (qint16 p = 0; p < PositionCount; ++p)
        EXPECT_EQ(positionToTemplateIndex(p), index[p]) << p;
}

TEST(LayoutTypes, NamesTextsAndThePositionsEachTypePrints)
{
    EXPECT_EQ(layoutShortNames(),
              (QStringList{QStringLiteral("Avery 5371 Compatible"), QStringLiteral("The Corvel Labels"),
                           QStringLiteral("The Corvel Template")}));
    EXPECT_EQ(layoutLongTexts().value(TemplateLayout), QStringLiteral("The Corvel Template: 3 rows x 2 columns"));
    EXPECT_EQ(layoutLongTexts().value(AveryLayout), QStringLiteral("Avery 5371 Compatible: 5 rows x 2 columns"));
    QList<int> template_, labels;
    for (qint16 p = -1; p <= PositionCount; ++p) {
        if (isPositionInUse(TemplateLayout, p))
            template_ << p;
        if (isPositionInUse(LabelsLayout, p))
            labels << p;
    }
    EXPECT_EQ(template_, (QList<int>{0, 1, 4, 5, 8, 9}));
    EXPECT_EQ(labels, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}
