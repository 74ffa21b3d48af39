#include "core/events/EventList.h"
#include "core/settings/SettingsModel.h"
#include "page/preview/PreviewPage.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dw;

namespace {

const QDate kThursday(2026, 3, 5);
const QString kCrLf = QStringLiteral("\r\n");

struct Preview {
    SettingsModel settings;
    test::FakeFontCatalog fonts;
    bool important = false;

    QString text() const
    {
        return previewPageText({settings, important, kThursday, QLocale(QLocale::English), fonts});
    }
    // The body, from the body tag to the end.
    QString body() const
    {
        const QString t = text();
        return t.mid(t.indexOf(QStringLiteral("<BODY")));
    }
    QString script() const
    {
        const QString t = text();
        const auto from = t.indexOf(QStringLiteral("<script>"));
        return t.mid(from, t.indexOf(QStringLiteral("</head>")) - from);
    }
};

QString lines(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *l : list)
        out << QString::fromUtf8(l);
    return out.join(kCrLf);
}

} // namespace

TEST(PreviewPageTest, DefaultLookWithFadingImportantLineMatchesGoldenFile)
{
    Preview p;
    p.important = true;
    p.settings.animate = true;
    p.settings.animation = QStringLiteral("Fade");
    QFile golden(QStringLiteral(DW_TEST_DATA "/default-fade.html"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QByteArray expected = golden.readAll();
    EXPECT_EQ(p.text().toUtf8(), expected);

    test::TempDir dir;
    const QString path = dir.path(QStringLiteral("sub/pretemp.html"));
    ASSERT_TRUE(writePreviewFile(path, p.text()));
    EXPECT_EQ(test::TempDir::read(path), expected);
    EXPECT_EQ(previewCaption(p.settings, true), QStringLiteral("Main Date,  Name-Date,  Scroller,  Important"));
}

TEST(PreviewPageTest, AllBlocksOffLeavesBareBodyAndCompleteHead)
{
    Preview p;
    p.settings.showBlock = {false, false, false, false};
    EXPECT_EQ(p.body(), QStringLiteral("<BODY scroll=no>\r\n</body>\r\n</html>\r\n"));
    const QString t = p.text();
    EXPECT_TRUE(t.contains(QStringLiteral("#menuIn1{")));
    EXPECT_TRUE(t.contains(QStringLiteral("line-height:20px; }\r\n</style>\r\n<script>\r\nfunction changeColor(n){")));
    EXPECT_TRUE(t.contains(QStringLiteral("\"}}\r\n\r\n</script>\r\n</head>\r\n\r\n<BODY")));
    EXPECT_EQ(previewCaption(p.settings, false), QString());
    EXPECT_EQ(previewCaption(p.settings, true), QStringLiteral(",  Important"));

    // Animation on but no important event: the function is written, the interval is not.
    p.settings.animate = true;
    p.settings.animation = QStringLiteral("Blink");
    EXPECT_EQ(p.body(), QStringLiteral("<BODY scroll=no>\r\n</body>\r\n</html>\r\n"));
    EXPECT_TRUE(p.script().contains(QStringLiteral("function food(){")));
}

TEST(PreviewPageTest, ScrollerWithoutNameDateKeepsAnEmptyRollOverTarget)
{
    Preview p;
    p.settings.showBlock = {false, false, true, true};
    EXPECT_EQ(p.body(),
              lines({"<BODY bgcolor=\"b0d0f0\" scroll=no>",
                     "<div id=cdate></div><div id=menuIn1><u>This Month</u></div>",
                     "<div id=menuIn><a title=\"feedback@datewren.example\" onmouseover=\"changeColor(0)\" "
                     "onmouseout=\"changeColor(1)\" onclick=\"alert('feedback@datewren.example')\" "
                     "style=\"cursor:hand\">Qelmor - 05/03/2026</a></div><br>",
                     "</body>", "</html>", ""}));
    EXPECT_EQ(previewCaption(p.settings, false), QStringLiteral("Scroller"));
    p.settings.showBlock = {true, false, true, false};
    EXPECT_EQ(previewCaption(p.settings, true), QStringLiteral("Main Date,  Scroller,  Important"));
}

TEST(PreviewPageTest, EveryMainDateEffectGivesItsFilterAttribute)
{
    Preview p;
    p.settings.pickers[5].text = QStringLiteral("123abc");
    p.settings.mdOpacity = QStringLiteral("70");
    p.settings.blurDirection = QStringLiteral("45");
    p.settings.blurStrength = QStringLiteral("3");
    p.settings.dropX = QStringLiteral("-2");
    p.settings.dropY = QStringLiteral("3");
    p.settings.glowStrength = QStringLiteral("4");
    p.settings.spookyDirection = QStringLiteral("270");
    const std::vector<std::pair<QString, QString>> cases{
        {"None", "<div id=maindate style=\"filter : Alpha (Opacity = 70)\">"},
        {"Blur", "<div id=maindate style=\"filter : Blur(Add=1,Direction=45,Strength=3) Alpha (Opacity = 70)\">"},
        {"Drop Shadow", "<div id=maindate style=\"filter : DropShadow(Color= #123abc,OffX=-2,OffY=3,Positive=1) "
                        "Alpha (Opacity = 70)\">"},
        {"Glow", "<div id=maindate style=\"filter : Glow(Color= #123abc,Strength=4) Alpha (Opacity = 70)\">"},
        {"Spooky Shadow", "<div id=maindate style=\"filter : Shadow (Color= #123abc, Direction=270) "
                          "Alpha (Opacity = 70)\">"},
        {"", "<div id=maindate >"},
    };
    for (const auto &[effect, tag] : cases) {
        p.settings.mdEffect = effect;
        EXPECT_TRUE(p.body().contains(tag + QStringLiteral("05/03/2026</div>\r\n"))) << qPrintable(effect);
    }
}

TEST(PreviewPageTest, EveryAnimationKindWritesItsFunctionAndInterval)
{
    Preview p;
    p.important = true;
    p.settings.animate = true;
    p.settings.pickers[3].text = QStringLiteral("ff8000");
    const QString head = QStringLiteral("<script>\r\nfunction changeColor(n){\r\nif (n==0){\r\n"
                                        "document.all.cdate.style.color=\"008000\"}\r\n"
                                        "else{document.all.cdate.style.color=\"008000\"}}\r\n\r\n");

    p.settings.animation = QStringLiteral("Blink");
    EXPECT_EQ(p.script(), head + lines({"function food(){", "obj=document.getElementById(\"cdate1\");",
                                        "if (obj.style.visibility=='visible'){", "    obj.style.visibility='hidden'",
                                        "    return;", "}", "else {", "    obj.style.visibility='visible'",
                                        "    return;", "} }", "</script>", ""}));
    EXPECT_TRUE(p.body().endsWith(QStringLiteral("</div><script>setInterval(\"food()\",500);</script></body>\r\n</html>\r\n")));

    p.settings.animation = QStringLiteral("ColourBlink");
    EXPECT_EQ(p.script(), head + lines({"function food(){", "m=document.getElementById(\"cdate1\").children.item(0);",
                                        "if (m.style.color=='#008000'){", "    m.style.color='#ff8000';", "    return;",
                                        "}", "else{", "    m.style.color='#008000';", "    return;", "}",
                                        "}</script>", ""}));
    EXPECT_TRUE(p.body().contains(QStringLiteral("<script>setInterval(\"food()\",500);</script></body>")));

    p.settings.animation = QStringLiteral("Glow");
    EXPECT_EQ(p.script(),
              head + lines({"var delta = 1;", "function food(obj){", "obj=document.getElementById(\"cdate1\");",
                            "if (obj.style.width==\"\"){", "m=document.getElementById(\"cdate\").offsetWidth;",
                            "obj.style.width=m;", "document.getElementById(\"cdate\").style.width=m;",
                            "obj.style.filter='Glow(Color=#ff8000,Strength=0)';", "}", "",
                            "if ((obj.filters.item('glow').strength + delta > 4)||  "
                            "(obj.filters.item('glow').strength + delta < 1)) {delta = -delta;}",
                            "obj.filters.item('glow').strength += delta", "}", "", "</script>", ""}));
    EXPECT_TRUE(p.body().contains(QStringLiteral("<script>setInterval(\"food()\",200);</script></body>")));

    p.settings.animate = false;
    EXPECT_EQ(p.script(), head + QStringLiteral("</script>\r\n"));
    EXPECT_TRUE(p.body().contains(QStringLiteral("</a></div></body>")));
}

TEST(PreviewPageTest, NameDateOpacityHundredIsPlainAndAnythingElseFiltered)
{
    Preview p;
    p.important = true;
    const QString anchor = QStringLiteral("<a title=\"feedback@datewren.example\" style=\"cursor:hand\" onmouseover");
    p.settings.ndOpacity = QStringLiteral("100");
    EXPECT_TRUE(p.body().contains(QStringLiteral("\r\n<div id=cdate>") + anchor));
    p.settings.ndOpacity = QStringLiteral("99");
    EXPECT_TRUE(p.body().contains(QStringLiteral("\r\n<div id=cdate style=\"filter: Alpha(Opacity:99)\">") + anchor));
    EXPECT_TRUE(p.body().contains(QStringLiteral("<div id=cdate1 style=\"color: 008000; filter: Alpha(Opacity:99)\">")));
    p.settings.ndOpacity = QStringLiteral("abc");
    EXPECT_TRUE(p.body().contains(QStringLiteral("<div id=cdate style=\"filter: Alpha(Opacity:abc)\">")));
}

TEST(PreviewPageTest, BorderStylesNameBlackOnlyForLineBorders)
{
    Preview p;
    for (const char *style : {"Solid", "Dotted", "Dashed"}) {
        p.settings.scrollerBorderStyle = QString::fromUtf8(style);
        EXPECT_EQ(p.text().count(QStringLiteral("border: 1px %1 black;\r\n").arg(style)), 2) << style;
    }
    for (const char *style : {"Groove", "Inset", "Outset", "Ridge"}) {
        p.settings.scrollerBorderStyle = QString::fromUtf8(style);
        EXPECT_EQ(p.text().count(QStringLiteral("border: 1px %1;\r\n").arg(style)), 2) << style;
    }
    p.settings.scrollerBgStyle = QStringLiteral("Trans");
    EXPECT_TRUE(p.text().contains(QStringLiteral("border-top: 0px solid black;\r\n\r\nwidth: ")));
    EXPECT_TRUE(p.text().contains(QStringLiteral("border-bottom: 0px solid black;\r\n\r\nwidth: ")));
}

TEST(PreviewPageTest, SampleDatesFollowEveryStyleAndSeparator)
{
    const QLocale en(QLocale::English);
    EXPECT_EQ(previewMainDateText(7, QStringLiteral("/"), kThursday, en), QStringLiteral("Thursday, 05 March, 2026"));
    EXPECT_EQ(previewMainDateText(6, QStringLiteral("/"), kThursday, en), QStringLiteral("Thursday, March 05, 2026"));
    EXPECT_EQ(previewMainDateText(8, QStringLiteral("."), kThursday, en), QStringLiteral("March 05, 2026"));
    EXPECT_EQ(previewMainDateText(9, QStringLiteral("."), kThursday, en), QStringLiteral("05 March, 2026"));
    EXPECT_EQ(previewNameDateText(2, QStringLiteral("-"), kThursday), QStringLiteral("03 - 05 - 2026"));
    EXPECT_EQ(previewMainDateText(1, QStringLiteral(","), kThursday, en), QStringLiteral("05, 03, 26"));
    EXPECT_EQ(previewNameDateText(3, QStringLiteral("\\"), kThursday), QStringLiteral("03\\05\\26"));
    EXPECT_EQ(previewNameDateText(4, QStringLiteral(" "), kThursday), QStringLiteral("2026 03 05"));
    EXPECT_EQ(previewNameDateText(5, QStringLiteral("."), QDate(2009, 11, 30)), QStringLiteral("09.11.30"));

    Preview p;
    p.important = true;
    p.settings.mdDateStyle = QStringLiteral("dddd, dd MMMM, yyyy");
    p.settings.ndDateStyle = QStringLiteral("MM/dd/yyyy");
    p.settings.ndDateSep = QStringLiteral("-");
    const QString body = p.body();
    EXPECT_TRUE(body.contains(QStringLiteral(">Thursday, 05 March, 2026</div>")));
    EXPECT_TRUE(body.contains(QStringLiteral(">Qelmor - 03 - 05 - 2026</a></div><br>")));
    EXPECT_TRUE(body.contains(QStringLiteral(">Important - 03 - 05 - 2026</a></div>")));
}

TEST(PreviewPageTest, WidthsFollowFontsStylesAndSurviveBadSizes)
{
    Preview p;
    p.settings.fontStyles = {QStringLiteral("Bold"), QStringLiteral("Bold-Ita"), QStringLiteral("Italic")};
    const QString t = p.text();
    // Name-Date: 19 characters at (13-2)*96/72 px, bold: 19*6*1.4667*1.1 = 183.9 -> 184 + 10.
    EXPECT_TRUE(t.contains(QStringLiteral("#cdate{\r\nwidth: 194px;\r\nfont-family: Arial;\r\nfont-size: 13px;\r\n"
                                          "font-weight: bold;\r\nfont-style: italic;\r\ncolor: #008000; }")));
    // Important: "194" in the Main Date's weight (bold): 3*6*1.4667*1.1 = 29.04 -> 30 + 200.
    EXPECT_TRUE(t.contains(QStringLiteral("#cdate1{\r\nwidth: 230px;")));
    EXPECT_TRUE(t.contains(QStringLiteral("width: 193px;\r\nfont-family: \"Times New Roman\";")));
    EXPECT_TRUE(t.contains(QStringLiteral("color: #0000ff;\r\nfont-style: italic;\r\nline-height:20px; }")));
    EXPECT_TRUE(t.contains(QStringLiteral("font-size: 18px;\r\nfont-weight: bold;\r\ncolor: #ff0000; }")));

    p.settings.fontSizes = {QString(), QStringLiteral("big"), QStringLiteral("1")};
    const QString bad = p.text();
    EXPECT_TRUE(bad.contains(QStringLiteral("#cdate{\r\nwidth: 10px;")));
    EXPECT_TRUE(bad.contains(QStringLiteral("#cdate1{\r\nwidth: 200px;")));
    EXPECT_TRUE(bad.contains(QStringLiteral("width: 10px;\r\nfont-family: \"Times New Roman\";")));
    EXPECT_TRUE(bad.contains(QStringLiteral("font-size: px;")));
    EXPECT_TRUE(bad.contains(QStringLiteral("font-size: bigpx;")));
}

TEST(PreviewPageTest, EmptyFontsTakeTheFirstFamilyAndBackgroundFollowsItsKind)
{
    SettingsModel s;
    s.fonts = {QString(), QString(), QString()};
    fillEmptyPreviewFonts(s, {QStringLiteral("DejaVu Sans"), QStringLiteral("Z")});
    EXPECT_EQ(s.fonts[0], QString()); // the Main Date font is left as it is
    EXPECT_EQ(s.fonts[1], QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(s.fonts[2], QStringLiteral("DejaVu Sans"));
    SettingsModel none;
    none.fonts[1].clear();
    fillEmptyPreviewFonts(none, {});
    EXPECT_EQ(none.fonts[1], QString());

    Preview p;
    p.settings.backgroundKind = QStringLiteral("Picture");
    p.settings.backgroundPicture = QStringLiteral("/home/a/sky.png");
    EXPECT_TRUE(p.body().startsWith(QStringLiteral("<BODY background=\"/home/a/sky.png\" scroll=no>\r\n")));
    p.settings.backgroundPicture.clear();
    EXPECT_TRUE(p.body().startsWith(QStringLiteral("<BODY background=\"\" scroll=no>\r\n")));
    p.settings.showBlock[3] = false;
    EXPECT_TRUE(p.body().startsWith(QStringLiteral("<BODY scroll=no>\r\n")));

    EventList events;
    EXPECT_FALSE(anyImportant(events));
    events.append({QStringLiteral("A"), QStringLiteral("01/01/2000"), kNoAddress, 0, kDefaultRule});
    EXPECT_FALSE(anyImportant(events));
    events.append({QStringLiteral("B"), QStringLiteral("01/01/2000"), kNoAddress, 1, kDefaultRule});
    EXPECT_TRUE(anyImportant(events));
}

TEST(PreviewPageTest, PreviewFileFallsBackToCacheAndIsRemovedFromBoth)
{
    test::TempDir program, cache;
    EXPECT_EQ(previewFilePath(program.root(), cache.path(QStringLiteral("c"))), program.path(kPreviewFileName));
    // A program folder the user cannot write (or that is gone) sends the preview to the cache.
    const QString fallback = previewFilePath(program.path(QStringLiteral("gone")), cache.path(QStringLiteral("c")));
    EXPECT_EQ(fallback, cache.path(QStringLiteral("c/pretemp.html")));

    ASSERT_TRUE(writePreviewFile(fallback, QStringLiteral("x")));
    program.write(kPreviewFileName, "y");
    removePreviewFiles(program.root(), cache.path(QStringLiteral("c")));
    EXPECT_FALSE(QFile::exists(fallback));
    EXPECT_FALSE(QFile::exists(program.path(kPreviewFileName)));

    QString error;
    EXPECT_FALSE(writePreviewFile(QStringLiteral("/proc/no/such/pretemp.html"), QStringLiteral("x"), &error));
    EXPECT_FALSE(error.isEmpty());
}
