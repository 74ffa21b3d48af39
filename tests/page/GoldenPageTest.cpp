// Whole pages pinned byte for byte (see expectGolden for updating them), the defaults page whole
// and every other page as its difference from it.
#include "NodeRunner.h"
#include "PageTestSupport.h"
#include "page/PageEscape.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <functional>

using namespace dw;
using namespace dw::test;

namespace {

// In the order "Create HTML" hands them to the writer: month-wise.
const std::vector<EventRecord> kGoldenEvents{
    event("New Year walk", "01/01/2000", "-", 0, "00/00 28/12 03/01"),
    event("Grandma", "02/01/1931", "grandma@example.org", 1), event("Leap Day Lou", "29/02/1996", "-", 1),
    event("Ann", "03/03/1990", "ann@example.org"),
    event("Spring fair", "04/03/2024", "Town hall", 0, "21/03 00/00 00/00"),
    event("Bob", "12/03/1985", "-", 1), event("Office party", "18/12/2020", "-", 0, "18/12 10/12 20/12")};

// Rule edges: a window that starts on the last day of February (which moves in a leap year), a
// rule that is not three dd/MM fields (the window is used instead; the rule never reaches the
// script), and addresses (only "-" means none: blanks are an address and get a link; one that
// needs references in the link gets its own text back for the click).
const std::vector<EventRecord> kEdgeEvents{event("A", "04/03/1990"), event("B", "14/11/1990", "-", 0, "0x/04 00/00 00/00\");"),
                                           event("Ann", "12/03/1990", "Ann & Co <ann@x.org>"),
                                           event("Bob", "01/04/2001", "   ")};

struct Case {
    QString name;
    std::function<void(SettingsModel &)> set;
    std::vector<EventRecord> rows = kGoldenEvents;
    QDate today{2026, 3, 5};
};

std::vector<Case> cases()
{
    static const char *const positions[] = {"Top Left",    "Top Center",    "Top Right",   "Middle Left", "Middle Center",
                                            "Middle Right", "Bottom Left", "Bottom Center", "Bottom Right"};
    static const char *const styles[] = {"dd/MM/yyyy", "dd/MM/yy", "MM/dd/yyyy", "MM/dd/yy", "yyyy/MM/dd", "yy/MM/dd",
                                         "dddd, MMMM dd, yyyy", "dddd, dd MMMM, yyyy", "MMMM dd, yyyy", "dd MMMM, yyyy"};
    static const char *const seps[] = {"/", ".", "-", "\\", ",", " "};
    std::vector<Case> c{
        {"defaults", [](SettingsModel &) {}},
        {"effect-blur", [](SettingsModel &s) { s.mdEffect = "Blur", s.blurDirection = "135", s.blurStrength = "3"; }},
        {"effect-dropshadow", [](SettingsModel &s) { s.mdEffect = "Drop Shadow", s.dropX = "-2", s.dropY = "3", s.mdOpacity = "80"; }},
        {"effect-glow", [](SettingsModel &s) { s.mdEffect = "Glow", s.glowStrength = "5", s.pickers[5].text = "ffff00"; }},
        {"effect-spooky", [](SettingsModel &s) { s.mdEffect = "Spooky Shadow", s.spookyDirection = "270"; }},
        {"opacity-edges", [](SettingsModel &s) { s.mdOpacity = "0", s.ndOpacity = "0", s.taskbarHeight = "0"; }},
        {"anim-fade", [](SettingsModel &s) { s.animate = true, s.animation = "Fade"; }},
        {"anim-blink", [](SettingsModel &s) { s.animate = true, s.animation = "Blink"; }},
        {"anim-colourblink", [](SettingsModel &s) { s.animate = true, s.animation = "ColourBlink"; }},
        {"anim-glow", [](SettingsModel &s) { s.animate = true, s.animation = "Glow", s.remindBefore = "25"; }},
        {"days-1", [](SettingsModel &s) { s.remindBefore = "1"; }},
        // 121 and 363 twips are 2.5 and 7.5 percent: halves round to even.
        {"custom-left", [](SettingsModel &s) {
             s.nameDateAlign = 0, s.nameDateLeft = 121, s.mainDateLeft = 363, s.mainDateTop = 3000;
         }},
        {"custom-center", [](SettingsModel &s) { s.nameDateAlign = 1; }},
        {"custom-noalign", [](SettingsModel &s) { s.nameDateAlign = -1; }},
        {"scroller-top", [](SettingsModel &s) { s.scrollerPreset = 0, s.scrollerTop = 0; }},
        {"scroller-middle", [](SettingsModel &s) { s.scrollerPreset = 1; }},
        {"scroller-bottom", [](SettingsModel &s) { s.scrollerPreset = 2, s.taskbarHeight = "48"; }},
        {"scroller-style", [](SettingsModel &s) {
             s.scrollerBgStyle = "Trans", s.scrollerBorderStyle = "Dashed", s.fontStyles = {"Bold", "Italic", "Bold-Ita"};
             s.fonts[2] = "DejaVu Sans", s.fontSizes[2] = "20";
         }},
        {"off-maindate", [](SettingsModel &s) { s.showBlock[0] = false; }},
        {"off-namedate", [](SettingsModel &s) { s.showBlock[1] = false; }},
        {"off-scroller", [](SettingsModel &s) { s.showBlock[2] = false; }},
        {"off-background", [](SettingsModel &s) { s.showBlock[3] = false; }},
        {"off-all", [](SettingsModel &s) { s.showBlock = {false, false, false, false}; }},
        {"maindate-topleft-alone", [](SettingsModel &s) { s.showBlock[1] = false, s.mainDatePosition = "Top Left", s.mdEffect = "Glow"; }},
        {"background-picture", [](SettingsModel &s) { s.backgroundKind = "Picture", s.backgroundPicture = "/home/ann/Pictures/sky.jpg"; }},
        {"edges-2026", [](SettingsModel &) {}, kEdgeEvents},
        {"edges-2028", [](SettingsModel &) {}, kEdgeEvents, QDate(2028, 1, 1)},
        // Colours of our own choosing; animation on without a known kind: nothing animates.
        {"own-colours", [](SettingsModel &s) {
             s.animate = true, s.animation = "Wobble";
             s.pickers[2].text = "0000aa", s.pickers[3].text = "aa0000", s.pickers[6].text = "123456";
         }},
        // The taskbar and opacity boxes keep fractions, inserted as typed.
        {"bottomright-effect-nd-off", [](SettingsModel &s) {
             s.nameDatePosition = "Custom", s.taskbarHeight = "40.5", s.mdEffect = "Glow", s.showBlock[1] = false;
             s.mainDatePosition = "Bottom Right";
         }},
        // At "Top Left" only a missing Name-Date block leaves w unset; with the block on, nothing is added.
        {"topleft-effect", [](SettingsModel &s) { s.nameDatePosition = "Custom", s.mdEffect = "Glow", s.mainDatePosition = "Top Left"; }},
        {"scroller-alone", [](SettingsModel &s) { s.showBlock[0] = s.showBlock[1] = false; }},
        {"topcenter-blur", [](SettingsModel &s) { s.mainDatePosition = "Top Center", s.mdEffect = "Blur"; }},
        {"opacity-100.0", [](SettingsModel &s) { s.mdOpacity = "100.0"; }},
        {"opacity-50.5", [](SettingsModel &s) { s.mdOpacity = "50.5"; }},
    };
    for (int i = 0; i < 9; ++i)
        c.push_back({QStringLiteral("positions-%1").arg(i),
                     [i](SettingsModel &s) { s.mainDatePosition = positions[i], s.nameDatePosition = positions[8 - i]; }});
    for (int i = 0; i < 10; ++i)
        c.push_back({QStringLiteral("datestyle-%1").arg(i), [i](SettingsModel &s) {
                         s.mdDateStyle = styles[i], s.mdDateSep = seps[i % 6];
                         s.ndDateStyle = styles[i % 6], s.ndDateSep = seps[(i + 3) % 6];
                     }});
    return c;
}

} // namespace

// Each page is pinned byte for byte, and every script element of every page must parse.
TEST(GoldenPageTest, WholePagesForASpreadOfSettings)
{
    QString js = QStringLiteral("const vm = require('vm'); const scripts = [];\n");
    for (const Case &c : cases()) {
        SettingsModel s;
        c.set(s);
        const QString text = page(s, c.rows, c.today);
        for (const QString &script : scriptElements(text)) {
            const QByteArray pair = QJsonDocument(QJsonArray{c.name, script}).toJson(QJsonDocument::Compact);
            js += "scripts.push(" + QString::fromUtf8(pair) + ");\n";
        }
        if (c.name == QLatin1String("defaults"))
            expectGolden(QStringLiteral("defaults.html"), text.toLatin1());
        else
            expectGoldenPage(c.name, QStringLiteral("defaults.html"), text);
    }
    js += QStringLiteral("let bad = 0; for (const [name, text] of scripts) { try { new vm.Script(text); } catch (e) "
                         "{ bad++; console.log(name + ': ' + e.message); } }\nconsole.log(bad ? 'FAILED' : 'OK ' + scripts.length);");
    const NodeResult r = runNode(js);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Four script elements per page, fewer where the Main Date or Name-Date block is off.
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("OK 204")) << r.out.toStdString();
}

// Settings and text that must never reach the script as they are.
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
