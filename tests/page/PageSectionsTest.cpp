// What the golden pages do not reach: our own rounding, a very long list, settings and text
// that must never reach the script as they are.
#include "PageTestSupport.h"
#include "page/PageContext.h"
#include "page/PageEscape.h"

#include <functional>

using namespace dw;
using namespace dw::test;

TEST(PageSectionsTest, TenThousandEventsOfOneMonthMakeOneGroup)
{
    std::vector<EventRecord> many;
    for (int i = 0; i < 10000; ++i)
        many.push_back(event(QString("P%1").arg(i, 5, 10, QChar('0')), "07/03/2000"));
    const QString p = page(SettingsModel(), many);
    for (const char *line : {"\r\n\r\nif (month==3) {for (i=1;i<10001;i++) {h=h+s+ent[i];} j=212}\r\n\r\n",
                             "\r\nfor (k=1;k<10001;k++) {\r\n", "\r\nent[10000]=\"P09999  -  07/03/2000\"+'<br>'\r\n"})
        EXPECT_TRUE(p.contains(line)) << line;
}

TEST(PageSectionsTest, PercentagesRoundHalvesToEven)
{
    EXPECT_EQ(QList<int>({topPercent(0), topPercent(421), topPercent(1920)}), QList<int>({0, 12, 55}));
    // 121 and 363 are 2.5 and 7.5 percent.
    EXPECT_EQ(QList<int>({leftPercent(4050), leftPercent(4125), leftPercent(121), leftPercent(363)}), QList<int>({84, 85, 2, 8}));
}

TEST(PageWriterTest, RefusesSettingsThatWouldBreakTheScript)
{
    const std::vector<EventRecord> one{event("Ann", "12/03/1990")};
    const struct {
        std::function<void(SettingsModel &)> set;
        std::vector<EventRecord> rows;
        QString error;
    } cases[] = {
        {[](SettingsModel &s) { s.taskbarHeight = "35;alert(1)"; }, one,
         "The setting TaskbarHeight holds \"35;alert(1)\", which is not a number."},
        // Would read "--5" in the script.
        {[](SettingsModel &s) { s.taskbarHeight = "-5"; }, one, "The setting TaskbarHeight holds \"-5\", which is not a number."},
        {[](SettingsModel &) {}, {event("Zed", "5/3/2026")}, "Invalid date found for Zed"},
        {[](SettingsModel &s) { s.pickers[3].text = "f00>'+alert(1)+'"; }, one,
         "The setting ImportantColour holds \"f00>'+alert(1)+'\", which is not a colour."},
        {[](SettingsModel &s) { s.scrollerBorderStyle = "Solid; color: red"; }, one,
         "The setting ScrollerBorderStyle holds \"Solid; color: red\", which is not a border style."},
    };
    for (const auto &c : cases) {
        SettingsModel s;
        c.set(s);
        FakeFontCatalog fonts;
        QString error;
        EXPECT_FALSE(pageText(PageInput{c.rows, s, fonts, QDateTime::currentDateTime(), {}}, &error)) << c.error.toStdString();
        EXPECT_EQ(error, c.error);
    }
}

TEST(PageEscapeTest, EachContextGetsItsOwnEscapes)
{
    // In: script string, written text, written attribute, markup, CSS string, font family.
    const QStringList cases[] = {
        {"</script>&amp;", "\\u003c/script>&amp;", "&lt;/script>&amp;amp;", "&lt;/script>&amp;amp;",
         "&lt;/script>&amp;amp;", "\\3c /script>&amp;", "\"\\3c /script>&amp;\""},
        {"a\"b'c\\", "a\\\"b'c\\\\", "a\"b'c\\", "a&quot;b'c\\", "a&quot;b'c\\", "a\\22 b'c\\5c ",
         "\"a\\22 b'c\\5c \""},
        {QString::fromUtf8("é😀\n"), "\\u00e9\\ud83d\\ude00\\u000a", QString::fromUtf8("é😀\n"),
         QString::fromUtf8("é😀\n"), "&#233;&#128512;&#10;", "\\e9 \\1f600 \\a ", "\"\\e9 \\1f600 \\a \""},
        {"3D x;}", "3D x;}", "3D x;}", "3D x;}", "3D x;}", "3D x;}", "\"3D x;}\""},
        {"Times New Roman", "Times New Roman", "Times New Roman", "Times New Roman", "Times New Roman",
         "Times New Roman", "Times New Roman"},
    };
    for (const QStringList &c : cases) {
        const QString &in = c[0];
        EXPECT_EQ((QStringList{in, jsText(in), writtenText(in), writtenText(in, true), markupText(in),
                               cssText(in), cssFamily(in)}),
                  c);
    }
    EXPECT_EQ(jsText("it's", QLatin1Char('\'')), "it\\'s");
}
