#include "platform/qt/QtFontCatalog.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace dw;

// The pair table gives the font engine's width bit for bit for every text it accepts, in the
// fonts a page uses and the installed ones, in every style; complex scripts, marks and emoji it
// leaves to the engine. Plain names it must accept, or long pages are slow again.
TEST(FontCatalogTest, PairTableMatchesTheFontEngine)
{
    QtFontCatalog fonts;
    std::vector<QString> texts;
    const QString letters = QStringLiteral("AVWTYLPfiflffjxyzåéßøÆŒœŁžǅ'\"-.,/&()");
    for (int i = 0; i < 260; ++i)
        texts.push_back(QStringLiteral("Person %1 %2").arg(i * 7919).arg(letters[i % letters.size()])
                        + letters.mid(i * 5 % letters.size(), 3)
                        + QStringLiteral("  -  %1/%2/19%3").arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                              .arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(i % 90 + 10));
    const std::vector<QString> refused{"Zoë\u0301 Adams", "Party 🎂 time", "سارة أحمد", "Ελένη", "a\tb",
                                       "soft\u00adhyphen"};
    texts.insert(texts.end(), refused.begin(), refused.end());
    for (const QString family : {"Times New Roman", "Arial", "DejaVu Sans", "Noto Color Emoji"}) {
        for (int style = 0; style < 4; ++style) {
            const bool bold = style & 1, italic = style & 2;
            double widest = 0;
            size_t tabled = 0;
            for (const QString &t : texts) {
                const double exact = fonts.textWidth(family, 14.67, bold, italic, t);
                widest = std::max(widest, exact);
                const std::optional<double> w = fonts.tableWidth(family, 14.67, bold, italic, t);
                tabled += w.has_value();
                EXPECT_EQ(w.value_or(exact), exact) << family.toStdString() << ' ' << style << ' ' << t.toStdString();
            }
            const bool emoji = family == QLatin1String("Noto Color Emoji"); // emoji are left to the engine
            EXPECT_GE(tabled, emoji ? 0 : texts.size() / 2 + 1) << family.toStdString();
            EXPECT_EQ(fonts.widestTextWidth(family, 14.67, bold, italic, texts), widest);
        }
    }
}

// The page's Scroller rows are measured at sizes such as (13 - 2) * 96 / 72 = 14.67 px: the
// measurement must follow the fractional size, not a rounded one.
TEST(FontCatalogTest, FamiliesArePlainNamesAndWidthsFollowFractionalSizes)
{
    const std::pair<const char *, const char *> names[] = {
        {"Nimbus Sans [urw]", "Nimbus Sans"}, {"C059 [UKWN]", "C059"}, {"Verdana", "Verdana"},
        {"Odd [name", "Odd [name"}, {"[urw]", "[urw]"}, {"A [] ", "A [] "}, {"A [b]]", "A [b]]"}};
    for (const auto &[tagged, plain] : names)
        EXPECT_EQ(plainFontFamily(QString::fromUtf8(tagged)), QString::fromUtf8(plain));
    // The installed families are listed once each, without tags; a missing one has a stand-in among them.
    QtFontCatalog fonts;
    const QStringList families = fonts.families();
    for (const QString &f : families)
        EXPECT_FALSE(f.endsWith(']')) << f.toStdString();
    EXPECT_EQ(families.size(), QSet<QString>(families.begin(), families.end()).size());
    EXPECT_TRUE(families.contains(fonts.substitute(QStringLiteral("No Such Family, Really"))));
    const QString text = QStringLiteral("Mum's birthday  -  14/02/1958");
    const auto width = [&](double px, bool bold) { return fonts.textWidth("DejaVu Sans", px, bold, false, text); };
    EXPECT_LT(width(14, false), width(14.0 + 2.0 / 3.0, false));
    EXPECT_LT(width(14.0 + 2.0 / 3.0, false), width(15, false));
    EXPECT_GT(width(14, true), width(14, false));
    EXPECT_DOUBLE_EQ(fonts.textWidth("DejaVu Sans", 14, false, false, QString()), 0);
}
