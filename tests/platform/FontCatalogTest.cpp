#include "platform/qt/QtFontCatalog.h"

#include <gtest/gtest.h>

using namespace dw;

// The page's Scroller rows are measured at sizes such as (13 - 2) * 96 / 72 = 14.67 px: the
// measurement must follow the fractional size, not a rounded one.
TEST(FontCatalogTest, MeasuresAtFractionalPixelSizes)
{
    QtFontCatalog fonts;
    const QString text = QStringLiteral("Mum's birthday  -  14/02/1958");
    const QString family = QStringLiteral("DejaVu Sans");
    const double at14 = fonts.textWidth(family, 14, false, false, text);
    const double at1467 = fonts.textWidth(family, 14.0 + 2.0 / 3.0, false, false, text);
    const double at15 = fonts.textWidth(family, 15, false, false, text);
    EXPECT_GT(at14, 100);
    EXPECT_LT(at14, at1467);
    EXPECT_LT(at1467, at15);
    EXPECT_GT(fonts.textWidth(family, 14, true, false, text), at14);
    EXPECT_DOUBLE_EQ(fonts.textWidth(family, 14, false, false, QString()), 0);
    EXPECT_FALSE(fonts.families().isEmpty());
}
