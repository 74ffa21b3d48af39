// The golden pages pin whole pages for a spread of settings; these rows pin what they do not
// reach: colours and values of our own choosing, rule edges, odd inputs, mixes of switches.
#include "PageTestSupport.h"
#include "page/PageContext.h"
#include "page/PageEscape.h"

#include <functional>

using namespace dw;
using namespace dw::test;

namespace {

const std::vector<EventRecord> kOne{event(QStringLiteral("Ann"), QStringLiteral("12/03/1990"))};

QString with(const std::function<void(SettingsModel &)> &set, const std::vector<EventRecord> &rows = kOne,
             QDate today = QDate(2026, 3, 5))
{
    SettingsModel s;
    set(s);
    return page(s, rows, today);
}

const auto kDefaults = [](SettingsModel &) {};

struct SectionCase {
    const char *what;
    QString page;
    std::vector<QStringList> blocks; // each appears as consecutive whole lines
    QStringList absent;
};

} // namespace

TEST(PageSectionsTest, LinesTheGoldenPagesDoNotReach)
{
    std::vector<EventRecord> many; // ten thousand events of one month make one group
    for (int i = 0; i < 10000; ++i)
        many.push_back(event(QString("P%1").arg(i, 5, 10, QChar('0')), "07/03/2000"));
    const auto colours = [](SettingsModel &s) {
        s.animate = true, s.animation = "Wobble"; // on without a known kind: nothing animates
        s.pickers[2].text = "0000aa", s.pickers[3].text = "aa0000", s.pickers[6].text = "123456";
    };
    const auto ndOffMdGlow = [](SettingsModel &s) {
        s.nameDatePosition = "Custom", s.taskbarHeight = "40.5", s.mdEffect = "Glow", s.showBlock[1] = false;
    };

    const SectionCase cases[] = {
        // The window starts on the last day of February, which moves in a leap year.
        {"window from 28 Feb", with(kDefaults, {event("A", "04/03/1990")}),
         {{"if ((day == 28 && month == 2) || (day < 5 && month == 3)){"}}, {}},
        {"window from 29 Feb", with(kDefaults, {event("A", "04/03/1990")}, QDate(2028, 1, 1)),
         {{"if ((day == 29 && month == 2) || (day < 5 && month == 3)){"}}, {}},
        // A rule that is not three dd/MM fields cannot reach the script; the window is used instead.
        {"bad rule", with(kDefaults, {event("A", "14/11/1990", "-", 0, "0x/04 00/00 00/00\");")}),
         {{"if (day > 9 && day < 15 && month == 11){"}}, {"0x/04"}},
        // Only "-" means no address: blanks are an address and get a link.
        {"addresses", with(kDefaults, {event("Ann", "12/03/1990", "ann@x.org"), event("Bob", "01/04/2001", "   ")}),
         {{"email[1] = \"ann@x.org\";", "email[2] = \"   \";", ""}}, {}},
        {"own colours, unknown animation", with(colours, {event("Imp", "12/03/1990", "-", 1)}),
         {{"ent[1]='<font color=#aa0000>'+\"Imp  -  12/03/1990\"+'</font><br>'"},
          {"siteName[1] = '<font color=0000aa>'+h+'</font>';"},
          {"if (f==0 && j==1){", "m.item(\"qelmor\"+n).style.color=\"123456\";}", "if (f==1 && j==1){",
           "m.item(\"qelmor\"+n).style.color=\"008000\";}", "}", "</SCRIPT>"}},
         {"food"}},
        {"ten thousand in March", with(kDefaults, many),
         {{"", "if (month==3) {for (i=1;i<10001;i++) {h=h+s+ent[i];} j=212}", ""},
          {"for (k=1;k<10001;k++) {"},
          {"ent[10000]=\"P09999  -  07/03/2000\"+'<br>'"}},
         {}},
        // The taskbar box keeps fractions; inserted as typed.
        {"bottom right, effect, Name-Date off",
         with([&](SettingsModel &s) { ndOffMdGlow(s); s.mainDatePosition = "Bottom Right"; }),
         {{"function getWidth(){", "m=document.getElementById(\"maindate\");", "w=m.offsetWidth+7;", "w=screen.width-w-13;",
           "m.style.left=w;", "h=m.offsetHeight+3;", "h=(screen.height-h)-40.5;"}},
         {"menuIn\");"}},
        // At "Top Left" only a missing Name-Date block leaves w unset (the golden page has that);
        // with the block on, nothing is added.
        {"top left, effect, Name-Date on",
         with([&](SettingsModel &s) { ndOffMdGlow(s); s.showBlock[1] = true, s.mainDatePosition = "Top Left"; }),
         {{"m.style.top=5;", "m.style.left=2;", "m.style.filter = 'Glow(Color= #808080,Strength=1); Alpha (Opacity = 100)';"}},
         {}},
        {"only the Scroller placed", with([](SettingsModel &s) { s.showBlock[0] = s.showBlock[1] = false; }), {},
         {"State", "getWidth"}},
        {"centred with an effect", with([](SettingsModel &s) { s.mainDatePosition = "Top Center", s.mdEffect = "Blur"; }),
         {{"m.style.top=5;", "w=m.offsetWidth+7;", "w=(screen.width-w)/2;"}}, {}},
        // The opacity box keeps fractions; they are numbers like any other.
        {"opacity 100.0", with([](SettingsModel &s) { s.mdOpacity = "100.0"; }), {}, {"m.style.filter"}},
        {"opacity 50.5", with([](SettingsModel &s) { s.mdOpacity = "50.5"; }),
         {{"m.style.left=w;", "m.style.filter = 'Alpha (Opacity = 50.5)';"}}, {}},
    };
    for (const SectionCase &c : cases) {
        for (const QStringList &block : c.blocks)
            EXPECT_TRUE(hasLines(c.page, block)) << c.what << ": " << block.join("|").toStdString();
        for (const QString &text : c.absent)
            EXPECT_FALSE(c.page.contains(text)) << c.what << ": " << text.toStdString();
    }
}

TEST(PageSectionsTest, PercentagesRoundHalvesToEven)
{
    EXPECT_EQ(topPercent(0), 0);
    EXPECT_EQ(topPercent(421), 12);
    EXPECT_EQ(topPercent(1920), 55);
    EXPECT_EQ(leftPercent(4050), 84);
    EXPECT_EQ(leftPercent(4125), 85);
    EXPECT_EQ(leftPercent(121), 2); // 2.5
    EXPECT_EQ(leftPercent(363), 8); // 7.5
}

TEST(PageWriterTest, RefusesSettingsThatWouldBreakTheScript)
{
    SettingsModel s;
    FakeFontCatalog fonts;
    QString error;
    const auto writes = [&](const std::vector<EventRecord> &rows) {
        return pageText(PageInput{rows, s, fonts, QDateTime::currentDateTime(), {}}, &error).has_value();
    };
    s.taskbarHeight = "35;alert(1)";
    EXPECT_FALSE(writes(kOne)); // the message itself is checked with "Create HTML"
    s.taskbarHeight = "-5"; // would read "--5" in the script
    EXPECT_FALSE(writes(kOne));
    s.taskbarHeight = "35";
    EXPECT_FALSE(writes({event("Zed", "5/3/2026")}));
    EXPECT_EQ(error, "Invalid date found for Zed");
    s.pickers[3].text = "f00>'+alert(1)+'";
    EXPECT_FALSE(writes(kOne));
    EXPECT_EQ(error, "The setting ImportantColour holds \"f00>'+alert(1)+'\", which is not a colour.");
    s.pickers[3].text = "ff0000", s.scrollerBorderStyle = "Solid; color: red";
    EXPECT_FALSE(writes(kOne));
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
