#include "PageTestSupport.h"
#include "page/PageContext.h"

using namespace dw;
using namespace dw::test;

namespace {

const std::vector<EventRecord> kOne{event(QStringLiteral("Ann"), QStringLiteral("12/03/1990"))};

} // namespace

TEST(PageHeadTest, StyleRulesFollowTheSwitchesAndStyles)
{
    SettingsModel s;
    QString p = page(s, kOne);
    EXPECT_TRUE(p.startsWith(QStringLiteral("<html>\r\n<HEAD>\r\n<meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                                            "charset=x-user-defined\">\r\n<meta GENERATOR=\"Datewren\" BY=\"Tolvane\">\r\n")));
    EXPECT_TRUE(hasLine(p, QStringLiteral("<title>Datewren - Created on 05/03/2026 12:00:00</title>")));
    EXPECT_TRUE(p.endsWith(QStringLiteral("\r\n</body>\r\n</html>")));
    // "Regular" leaves an empty line where the declaration would stand, in all three rules.
    EXPECT_TRUE(hasLines(p, {QStringLiteral("font-size: 14px;"), QString(), QStringLiteral("line-height: 20px;")}));
    EXPECT_TRUE(hasLines(p, {QStringLiteral("color: #ff0000;"), QString(), QStringLiteral("}")}));
    EXPECT_TRUE(hasLines(p, {QStringLiteral("font-size: 13px;"), QString(), QStringLiteral("color: #008000;"),
                             QStringLiteral("text-align: right;"), QStringLiteral("}"), QStringLiteral("</STYLE>")}));

    s.fontStyles = {QStringLiteral("Bold"), QStringLiteral("Bold-Ita"), QStringLiteral("Italic")};
    s.scrollerTop = 0;
    s.scrollerBgStyle = QStringLiteral("Trans");
    s.nameDatePosition = QStringLiteral("Middle Center");
    p = page(s, kOne);
    EXPECT_TRUE(hasLines(p, {QStringLiteral("top:0%;"), QStringLiteral("border: 1px Solid;"), QString(),
                             QStringLiteral("font-family: \"Times New Roman\", sans-serif;")}));
    EXPECT_TRUE(hasLines(p, {QStringLiteral("font-size: 14px;"), QStringLiteral("font-style: italic;"),
                             QStringLiteral("line-height: 20px;")}));
    EXPECT_TRUE(hasLines(p, {QStringLiteral("color: #ff0000;"), QStringLiteral("font-weight: bold;"), QStringLiteral("}")}));
    EXPECT_TRUE(hasLines(p, {QStringLiteral("font-size: 13px;"), QStringLiteral("font-weight: bold;"),
                             QStringLiteral("font-style: italic;"), QStringLiteral("color: #008000;"),
                             QStringLiteral("text-align: center;"), QStringLiteral("}")}));

    // Custom position without a chosen alignment: no alignment line at all.
    s.nameDatePosition = QStringLiteral("Custom");
    s.nameDateAlign = -1;
    EXPECT_TRUE(hasLines(page(s, kOne), {QStringLiteral("color: #008000;"), QStringLiteral("}"), QStringLiteral("</STYLE>")}));

    // Name-Date off: no rule, no alignment line, no extra brace.
    s.showBlock[1] = false;
    p = page(s, kOne);
    EXPECT_FALSE(p.contains(QStringLiteral("#cdate")));
    EXPECT_FALSE(p.contains(QStringLiteral("text-align")));

    s.showBlock = {false, false, false, false};
    p = page(s, kOne);
    EXPECT_TRUE(hasLines(p, {QStringLiteral("<STYLE>"), QStringLiteral("</STYLE>"), QString(),
                             QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">"), QStringLiteral("function changeColor(n, f){")}));
    EXPECT_TRUE(hasLines(p, {QStringLiteral("</SCRIPT>"), QStringLiteral("</HEAD>"), QString(), QStringLiteral("<BODY>")}));
    // With the Scroller off its section is only the end of the main script.
    EXPECT_TRUE(hasLines(p, {QStringLiteral("}"), QString(), QStringLiteral("</script>"), QString(), QString(),
                             QStringLiteral("</body>")}));
}

TEST(PageHeadTest, BodyTagAndPercentages)
{
    SettingsModel s;
    EXPECT_TRUE(hasLine(page(s, kOne), QStringLiteral("<BODY bgcolor=\"b0d0f0\">")));
    s.backgroundKind = QStringLiteral("Picture");
    s.backgroundPicture = QStringLiteral("/home/ann/sky.jpg");
    EXPECT_TRUE(hasLine(page(s, kOne), QStringLiteral("<BODY background=\"/home/ann/sky.jpg\">")));
    s.showBlock[3] = false;
    EXPECT_TRUE(hasLine(page(s, kOne), QStringLiteral("<BODY>")));

    EXPECT_EQ(topPercent(1920), 55);
    EXPECT_EQ(topPercent(421), 12);
    EXPECT_EQ(leftPercent(4125), 85);
    EXPECT_EQ(leftPercent(4050), 84);
    // Halves go to the even neighbour: 2.5 -> 2, 7.5 -> 8.
    EXPECT_EQ(leftPercent(121), 2);
    EXPECT_EQ(leftPercent(363), 8);
    EXPECT_EQ(topPercent(0), 0);
}

TEST(MainDateTest, WriteLinesPerStyleAndSeparator)
{
    SettingsModel s;
    s.mainDateTop = 421;
    const QString open = QStringLiteral("document.write('<div id=maindate style=\"cursor: default; visibility: hidden; top: 12%\">' ");
    EXPECT_TRUE(hasLines(page(s, kOne), {QStringLiteral("<script>"), QStringLiteral("printDate();"),
                                        open + QStringLiteral("+day+'/'+month+'/'+year+ '</div>');"),
                                        QStringLiteral("</script>"), QString()}));
    s.mdDateSep = QStringLiteral("\\");
    EXPECT_TRUE(hasLine(page(s, kOne), open + QStringLiteral("+day+'\\\\'+month+'\\\\'+year+ '</div>');")));
    s.mdDateSep = QStringLiteral("-");
    s.mdDateStyle = QStringLiteral("dd/MM/yy");
    EXPECT_TRUE(hasLine(page(s, kOne), open + QStringLiteral("+day+' - '+month+' - '+year.substring(2,4)+ '</div>');")));
    s.mdDateSep = QStringLiteral(",");
    s.mdDateStyle = QStringLiteral("yy/MM/dd");
    EXPECT_TRUE(hasLine(page(s, kOne), open + QStringLiteral("+year.substring(2,4)+', '+month+', '+day+ '</div>');")));

    s.mdDateStyle = QStringLiteral("dddd, MMMM dd, yyyy");
    const QString p = page(s, kOne);
    EXPECT_TRUE(hasLines(p, {QStringLiteral("<script>"), QStringLiteral("var d = new Array(), mo = new Array();")}));
    EXPECT_TRUE(hasLines(p, {QString(), QStringLiteral("printDate();"), QStringLiteral("if (month<10){"),
                             open + QStringLiteral("+d[dow]+', '+mo[month.substring(1,2)]+' '+day+', '+year+ '</div>');"),
                             QStringLiteral("}"), QStringLiteral("else{"),
                             open + QStringLiteral("+d[dow]+', '+mo[month]+' '+day+', '+year+ '</div>');"),
                             QStringLiteral("}"), QStringLiteral("</script>")}));

    // Main Date off: printDate stays, the main-date script goes.
    s.showBlock[0] = false;
    const QString off = page(s, kOne);
    EXPECT_TRUE(off.contains(QStringLiteral("function printDate() {")));
    EXPECT_FALSE(off.contains(QStringLiteral("maindate")));
}

TEST(NameDateTest, ReminderWindowAndRuleTests)
{
    SettingsModel s;
    auto occ = [&](const EventRecord &e, QDate today = QDate(2026, 3, 5)) { return page(s, {e}, today); };
    EXPECT_TRUE(hasLine(occ(event("A", "12/03/1990")), "if (day > 7 && day < 13 && month == 03){"));
    EXPECT_TRUE(hasLine(occ(event("A", "04/03/1990")), "if ((day == 28 && month == 2) || (day < 5 && month == 3)){"));
    EXPECT_TRUE(hasLine(occ(event("A", "04/03/1990"), QDate(2028, 1, 1)),
                        "if ((day == 29 && month == 2) || (day < 5 && month == 3)){"));
    EXPECT_TRUE(hasLine(occ(event("A", "03/03/1990")), "if ((day > 26 && month == 2) || (day < 4 && month == 3)){"));
    EXPECT_TRUE(hasLine(occ(event("A", "02/01/1990")), "if ((day > 28 && month == 12) || (day < 3 && month == 1)){"));
    EXPECT_TRUE(hasLine(occ(event("A", "29/02/2000")), "if (day > 24 && day < 30 && month == 02){"));
    EXPECT_TRUE(hasLine(occ(event("A", "14/11/1990", "-", 0, "00/00 20/12 05/01")),
                        "if ((day >  19 && month == 12) || (day <  6 && month == 01)){"));
    EXPECT_TRUE(hasLine(occ(event("A", "14/11/1990", "-", 0, "00/00 10/04 20/04")),
                        "if ((day >  9 && month == 04) && (day <  21 && month == 04)){"));
    EXPECT_TRUE(hasLine(occ(event("A", "14/11/1990", "-", 0, "06/04 00/00 00/00")), "if (day == 06 && month == 04){"));
    // Both parts: two blocks, Only-on first, and no reminder window.
    const QString both = occ(event("A", "14/11/1990", "-", 0, "06/04 10/04 20/04"));
    EXPECT_TRUE(hasLines(both, {"if (day == 06 && month == 04){", "s = s + ent[1];", "}", "",
                                "if ((day >  9 && month == 04) && (day <  21 && month == 04)){", "s = s + ent[1];", "}", ""}));
    EXPECT_FALSE(both.contains("month == 11"));
    // A rule that is not three dd/MM fields cannot reach the script; the window is used instead.
    EXPECT_TRUE(hasLine(occ(event("A", "14/11/1990", "-", 0, "0x/04 00/00 00/00\");")),
                        "if (day > 9 && day < 15 && month == 11){"));

    s.remindBefore = "1";
    EXPECT_TRUE(hasLine(occ(event("A", "12/03/1990")), "if (day > 11 && day < 13 && month == 03){"));
    s.remindBefore = "25";
    EXPECT_TRUE(hasLine(occ(event("A", "01/03/1990")), "if ((day > 4 && month == 2) || (day < 2 && month == 3)){"));
}

TEST(NameDateTest, ArraysLinksAndOccurrenceFunction)
{
    SettingsModel s;
    s.ndDateStyle = "yy/MM/dd";
    s.ndDateSep = "-";
    s.ndOpacity = "60";
    const QString p = page(s, {event("Ann", "12/03/1990", "ann@x.org"), event("Bob", "01/04/2001", "   ", 1),
                               event("Cy", "02/04/2001")});
    EXPECT_TRUE(hasLines(p, {"email[1] = \"ann@x.org\";", "email[2] = \"   \";", "email[3] = \"-\";", "",
                             "ent[1]=\"Ann  -  90 - 03 - 12\"+'<br>'",
                             "ent[2]='<font color=#ff0000>'+\"Bob  -  01 - 04 - 01\"+'</font><br>'",
                             "ent[3]=\"Cy  -  01 - 04 - 02\"+'<br>'", "", "for (k=1;k<4;k++) {",
                             "    if (email[k] != \"-\"){"}));
    EXPECT_TRUE(hasLines(p, {"        ent[k]='<span id=\"qelmor'+k+'\" style=\"filter:alpha(opacity=100); cursor: "
                             "default\">'+ent[k]+'</span>' }",
                             " }", ""}));
    EXPECT_TRUE(hasLines(p, {"function printOcc(){", "var i=0,j=0;", "s='';", ""}));
    EXPECT_TRUE(hasLines(p, {"document.write('<div id=cdate style=\"filter: Alpha(Opacity=60); visibility: hidden; "
                             "top: 65%\">'+ s +'</div>');",
                             "}", ""}));
    EXPECT_TRUE(hasLines(p, {"<script>", "   printDate();", "   printOcc();", "</script>", "", "</body>"}));

    for (const char *style : {"dd/MM/yyyy", "dd/MM/yy", "MM/dd/yyyy", "MM/dd/yy", "yyyy/MM/dd"}) {
        s.ndDateStyle = style;
        s.ndDateSep = "\\";
        const QString q = page(s, {event("Ann", "12/03/1990")});
        const QString want = QString(style).replace("dd", "12").replace("MM", "03").replace("yyyy", "1990").replace("yy", "90")
                                 .replace("/", "\\\\");
        EXPECT_TRUE(hasLine(q, "ent[1]=\"Ann  -  " + want + "\"+'<br>'")) << style;
    }

    // Arrays and printOcc stay when the block is off; the call script goes.
    s.showBlock[1] = false;
    const QString off = page(s, {event("Ann", "12/03/1990")});
    EXPECT_TRUE(off.contains("function printOcc(){"));
    EXPECT_FALSE(off.contains("   printOcc();"));
}

TEST(AnimationTest, KindsIntervalsAndWrapping)
{
    SettingsModel s;
    const std::vector<EventRecord> rows{event("Imp", "12/03/1990", "-", 1), event("Norm", "13/03/1990")};
    QString p = page(s, rows);
    EXPECT_FALSE(p.contains("function food"));
    EXPECT_FALSE(p.contains("setInterval(\"food"));
    EXPECT_TRUE(p.contains("ent[1]='<font color=#ff0000>'+\"Imp"));

    s.animate = true;
    s.animation = "ColourBlink";
    s.pickers[3].text = "aa0000";
    p = page(s, rows);
    EXPECT_TRUE(hasLine(p, "ent[1]=\"Imp  -  12/03/1990\"+'<br>'"));
    EXPECT_TRUE(hasLines(p, {"function food(obj){", "m=document.getElementById(\"cdate\").children.item(\"qelmor\"+obj);",
                             "if (m.style.color=='#008000'){", "    m.style.color='#aa0000';", "    return;", "}", "else{",
                             "    m.style.color='#008000';", "    return;", "}", "}", "", "function printDate() {"}));
    EXPECT_TRUE(hasLines(p, {"if (day > 7 && day < 13 && month == 03){", "s = s + ent[1];", "setInterval(\"food( 1)\",500);",
                             "}", "", "if (day > 8 && day < 14 && month == 03){", "s = s + ent[2];", "}"}));

    // Animation on without a known kind: nothing animates.
    s.animation = "Wobble";
    p = page(s, rows);
    EXPECT_FALSE(p.contains("food"));
    EXPECT_TRUE(p.contains("ent[1]='<font color=#aa0000>'"));

    // The roll-over colours.
    s.pickers[6].text = "123456";
    EXPECT_TRUE(hasLines(page(s, rows), {"if (f==0 && j==1){", "m.item(\"qelmor\"+n).style.color=\"123456\";}",
                                         "if (f==1 && j==1){", "m.item(\"qelmor\"+n).style.color=\"008000\";}", "}",
                                         "</SCRIPT>"}));
}

TEST(ScrollerTest, MonthLinesAndWidths)
{
    SettingsModel s;
    // Fake catalogue: 6 px per character at pixel size 10; size 14 is measured at 12 pt = 16 px.
    const QString march = page(s, {event("Ann", "12/03/1990"), event("Bo", "13/03/1990"), event("Cyrus", "20/03/1990")});
    // "Cyrus  -  20/03/1990" has 20 characters: 20 * 9.6 = 192, plus 10.
    EXPECT_TRUE(hasLines(march, {"s='&nbsp;&nbsp;';", "", "if (month==3) {for (i=1;i<4;i++) {h=h+s+ent[i];} j=202}", ""}));

    const QString two = page(s, {event("A", "01/01/1990"), event("B", "02/01/1990"), event("C", "01/03/1990"),
                                 event("D", "02/03/1990"), event("E", "03/03/1990")});
    EXPECT_TRUE(hasLines(two, {"if (month==1) {for (i=1;i<3;i++) {h=h+s+ent[i];} j=164}",
                               "if (month==3) {for (i=3;i<6;i++) {h=h+s+ent[i];} j=164}", ""}));
    EXPECT_FALSE(two.contains("month==2)"));

    // Ten thousand events of one month make one group.
    std::vector<EventRecord> many;
    for (int i = 0; i < 10000; ++i)
        many.push_back(event(QString("P%1").arg(i, 5, 10, QChar('0')), "07/03/2000"));
    const QString big = page(s, many);
    EXPECT_TRUE(hasLines(big, {"", "if (month==3) {for (i=1;i<10001;i++) {h=h+s+ent[i];} j=212}", ""}));
    EXPECT_TRUE(hasLine(big, "for (k=1;k<10001;k++) {"));
    EXPECT_TRUE(hasLine(big, "ent[10000]=\"P09999  -  07/03/2000\"+'<br>'"));

    s.pickers[2].text = "0000aa";
    const QString p = page(s, {event("Ann", "12/03/1990")});
    EXPECT_TRUE(hasLines(p, {"j=300;", "", "month = theDate.getMonth()+1;", "h=\"\";"}));
    EXPECT_TRUE(hasLine(p, "siteName[1] = '<font color=0000aa>'+h+'</font>';"));
    EXPECT_TRUE(hasLines(p, {"clearInterval(drawMenu);", "}}", "</script>", "",
                             "<layer id=\"menuOut\" onMouseover=\"pull()\" onMouseout=\"draw()\"></layer>", "<script>"}));
}

TEST(PlacementTest, PresetsCustomAndTheEndlessPollingMend)
{
    SettingsModel s;
    s.nameDatePosition = "Top Left";
    s.mainDatePosition = "Top Right";
    QString p = page(s, kOne);
    EXPECT_TRUE(hasLines(p, {"State();", "function State(){", "if (document.readyState==\"complete\"){getWidth();}",
                             "MyTimeOut = setTimeout (\"State()\", 10);", "if (w!=0){clearTimeout (MyTimeOut);}", "}", "",
                             "function getWidth(){", "if (h != \"\"){", "m=document.getElementById(\"menuIn\");",
                             "h=m.offsetHeight;",
                             "if (h + ((55*screen.height)/100) > (screen.height-35)) {h=screen.height-h-35} else {h=\"55%\"}",
                             "m.style.top=h;}", "", "m=document.getElementById(\"cdate\");", "w=m.offsetWidth;", "w=2;",
                             "m.style.top=5;", "m.style.left=w;", "m.style.visibility=\"visible\";", "",
                             "m=document.getElementById(\"maindate\");", "m.style.top=5;", "w=m.offsetWidth+0;",
                             "w=screen.width-w-20;", "m.style.left=w;", "m.style.height=m.offsetHeight+0;",
                             "m.style.width=m.offsetWidth+0;", "m.style.visibility=\"visible\";", "}", ""}));

    s.nameDatePosition = "Custom";
    s.taskbarHeight = "40.5"; // the taskbar box keeps fractions; inserted as typed
    s.mdEffect = "Glow";

    // Main Date on, Name-Date off, Scroller on: only the Main Date part.
    s.showBlock[1] = false;
    s.mainDatePosition = "Bottom Right";
    p = page(s, kOne);
    EXPECT_TRUE(hasLines(p, {"function getWidth(){", "m=document.getElementById(\"maindate\");", "w=m.offsetWidth+7;",
                             "w=screen.width-w-13;", "m.style.left=w;", "h=m.offsetHeight+3;", "h=(screen.height-h)-40.5;"}));
    EXPECT_FALSE(p.contains("menuIn\");"));

    // At "Top Left" with the Name-Date block off nothing else sets w, so it gets one.
    s.mainDatePosition = "Top Left";
    p = page(s, kOne);
    EXPECT_TRUE(hasLines(p, {"function getWidth(){", "m=document.getElementById(\"maindate\");", "m.style.top=5;",
                             "m.style.left=2;", "w=2;", "m.style.filter = 'Glow(Color= #808080,Strength=1); Alpha (Opacity = 100)';"}));
    s.showBlock[1] = true;
    EXPECT_TRUE(hasLines(page(s, kOne), {"m.style.top=5;", "m.style.left=2;",
                                         "m.style.filter = 'Glow(Color= #808080,Strength=1); Alpha (Opacity = 100)';"}));

    s.showBlock[0] = false;
    s.showBlock[1] = false;
    p = page(s, kOne);
    EXPECT_FALSE(p.contains("State"));
    EXPECT_FALSE(p.contains("getWidth"));
}

TEST(EffectsTest, FilterLinesAndAllowance)
{
    SettingsModel s;
    s.mainDatePosition = "Top Center";
    QString p = page(s, kOne);
    EXPECT_FALSE(p.contains("m.style.filter"));
    EXPECT_TRUE(hasLine(p, "w=m.offsetWidth+0;"));
    s.mdOpacity = "60";
    EXPECT_TRUE(hasLines(page(s, kOne), {"m.style.left=w;", "m.style.filter = 'Alpha (Opacity = 60)';"}));
    // The opacity box keeps fractions; they are numbers like any other.
    s.mdOpacity = "100.0";
    EXPECT_FALSE(page(s, kOne).contains("m.style.filter"));
    s.mdOpacity = "50.5";
    EXPECT_TRUE(hasLine(page(s, kOne), "m.style.filter = 'Alpha (Opacity = 50.5)';"));
    s.mdOpacity = "100";
    s.mdEffect = "Blur";
    s.blurDirection = "135";
    s.blurStrength = "3";
    p = page(s, kOne);
    EXPECT_TRUE(hasLine(p, "m.style.filter = 'Blur(Add=1,Direction=135,Strength=3); Alpha (Opacity = 100)';"));
    EXPECT_TRUE(hasLines(p, {"m.style.top=5;", "w=m.offsetWidth+7;", "w=(screen.width-w)/2;"}));
    s.mainDatePosition = "Top Right";
    EXPECT_TRUE(hasLine(page(s, kOne), "w=screen.width-w-13;"));
}

TEST(PageWriterTest, RefusesSettingsThatWouldBreakTheScript)
{
    SettingsModel s;
    test::FakeFontCatalog fonts;
    QString error;
    const auto writes = [&](const std::vector<EventRecord> &rows) {
        return pageText(PageInput{rows, s, fonts, QDateTime::currentDateTime(), {}}, &error).has_value();
    };
    s.taskbarHeight = "35;alert(1)";
    EXPECT_FALSE(writes(kOne));
    EXPECT_EQ(error, "The setting TaskbarHeight holds \"35;alert(1)\", which is not a number.");
    s.taskbarHeight = "-5"; // would read "--5" in the script
    EXPECT_FALSE(writes(kOne));
    s.taskbarHeight = "35";
    EXPECT_FALSE(writes({event("Zed", "5/3/2026")}));
    EXPECT_EQ(error, "Invalid date found for Zed");
}
