// Runs the written page script in node with a stand-in document, so that what the page shows
// is checked, not only what it says.
#include "NodeRunner.h"
#include "PageTestSupport.h"

using namespace dw;
using namespace dw::test;

namespace {

// The day the page is run on.
const char *const kPrelude = "var __now = [2026, 2, 5];\n";

QString runPage(const QString &pageText, const QString &after, const QString &before = {})
{
    const QString script = QString::fromLatin1(kNodeClock) + QString::fromLatin1(kNodeDocument) + QString::fromLatin1(kPrelude) + before + scriptElements(pageText).join(QStringLiteral("\n;\n")) + after;
    const NodeResult r = runNode(script);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return r.out.trimmed();
}

// What the Main Date shows on the given day.
QString mainDateShown(const SettingsModel &s, int y, int m, int d)
{
    SettingsModel only = s;
    only.showBlock = {true, false, false, true};
    const QString out = runPage(page(only, {event("A", "01/01/2000")}, QDate(y, m, d)),
                                QStringLiteral("\nconsole.log(__out.join(''));"),
                                QStringLiteral("__now = [%1, %2, %3];\n").arg(y).arg(m - 1).arg(d));
    const qsizetype start = out.indexOf(QStringLiteral("%\">")) + 3;
    return out.mid(start, out.indexOf(QStringLiteral("</div>")) - start);
}

} // namespace

TEST(PageScriptTest, MainDateShowsTheWorkedExamples)
{
    const struct {
        const char *style, *sep;
        QDate day;
        const char *shown;
    } cases[] = {{"dd/MM/yyyy", "/", {2026, 3, 5}, "05/03/2026"},
                 {"dd/MM/yy", "/", {2026, 3, 5}, "05/03/26"},
                 {"dd/MM/yyyy", "\\", {2026, 3, 5}, "05\\03\\2026"},
                 {"dd/MM/yyyy", "-", {2026, 3, 5}, "05 - 03 - 2026"},
                 {"dd/MM/yyyy", ",", {2026, 3, 5}, "05, 03, 2026"},
                 {"yyyy/MM/dd", ".", {2026, 12, 24}, "2026.12.24"},
                 {"dddd, MMMM dd, yyyy", ".", {2026, 3, 5}, "Thursday, March 05, 2026"},
                 {"dddd, MMMM dd, yyyy", ".", {2026, 11, 5}, "Thursday, November 05, 2026"},
                 {"dd MMMM, yyyy", ".", {2026, 10, 1}, "01 October, 2026"}};
    for (const auto &c : cases) {
        SettingsModel s;
        s.mainDateTop = 421, s.mdDateStyle = c.style, s.mdDateSep = c.sep;
        EXPECT_EQ(mainDateShown(s, c.day.year(), c.day.month(), c.day.day()), c.shown) << c.style << " " << c.sep;
    }
}

TEST(PageScriptTest, ScrollerPanelAndItsPlacement)
{
    SettingsModel s;
    // A month without events leaves h empty: no panel at all, j stays 300.
    QString out = runPage(page(s, {event("Jan", "10/01/1990")}), "\nconsole.log(j + '|' + __out.join(''));");
    EXPECT_TRUE(out.startsWith("300|<div id=maindate")) << out.toStdString();
    EXPECT_FALSE(out.contains("<u>In "));
    out = runPage(page(s, {event("Mar", "10/03/1990")}), "\nconsole.log(__out.join(''));");
    EXPECT_TRUE(out.startsWith("<font face=\"Times New Roman\" size=2 color=blue>&nbsp<u>In March</u></font><br><font "
                               "color=0000ff>&nbsp;&nbsp;<span id=\"qelmor1\"")) << out.toStdString();

    // A custom Scroller at 90 percent, 400 pixels high on a 768-pixel screen, taskbar 35: its
    // bottom would pass the taskbar, so it sits on it at 768 - 400 - 35 = 333.
    s.scrollerTop = 3159;
    out = runPage(page(s, {event("Mar", "10/03/1990")}),
                  "\n__els.menuIn = {offsetHeight: 400, style: {}}; h = 'x'; getWidth(); console.log(__els.menuIn.style.top);");
    EXPECT_EQ(out, "333");
    out = runPage(page(s, {event("Mar", "10/03/1990")}),
                  "\n__els.menuIn = {offsetHeight: 20, style: {}}; h = 'x'; getWidth(); console.log(__els.menuIn.style.top);");
    EXPECT_EQ(out, "90%");
}

TEST(PageScriptTest, NastyNamesKeepEveryScriptValidAndReachTheDocumentAsText)
{
    const QString longText = QString(2000, QLatin1Char('x'));
    const std::vector<EventRecord> rows{
        event("Say \"hi\" it's", "05/03/1990", "a\\b \"q\" 'x'", 1),
        event("</script><script>alert(1)</script>", "05/03/1991", "<!--<script>", 0),
        event("Tab\there <b>bold</b>", "05/03/1992", "back\\", 1),
        event(QString::fromUtf8("Zoë Ünal 漢字 😀"), "05/03/1993", QString::fromUtf8("café ☕")),
        event(longText, "05/03/1994", longText),
        event("end\\", "29/02/2000"),
    };
    SettingsModel s;
    s.animate = true;
    s.fonts[2] = QString::fromUtf8("Ünïcode \"Font\" </style>");
    s.backgroundKind = "Picture";
    s.backgroundPicture = QString::fromUtf8("/home/zoë/\"sky\".jpg");
    for (const char *sep : {"\\", ","}) {
        s.ndDateSep = sep;
        s.mdDateSep = sep;
        const QString p = page(s, rows, QDate(2026, 3, 5));
        for (QChar ch : p)
            ASSERT_LT(ch.unicode(), 0x80) << "non-ASCII output";
        const QStringList scripts = scriptElements(p);
        ASSERT_EQ(scripts.size(), 4); // roll-over, main, main date, call
        for (const QString &script : scripts) {
            const NodeResult r = runNode(script, {QStringLiteral("--check")});
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString() << script.left(300).toStdString();
        }
    }

    // The script holds the names as markup text and the addresses as typed, for the alert.
    s.ndDateSep = "/";
    const QString shown = runPage(page(s, rows, QDate(2026, 3, 5)),
                                  "\nconsole.log(JSON.stringify([ent.slice(1), email.slice(1)]));");
    // Link wrapping ran too: each entry sits in its link or span.
    for (const char *want : {"])>Zoë Ünal 漢字 😀  -  05/03/1993<br></a>", "\"café ☕\"", R"(\"hi\" it's)",
                             R"(<a title=\"a\\b &quot;q&quot; 'x'\" id=)", R"("a\\b \"q\" 'x'","<!--<script>")",
                             R"(<a title=\"&lt;!--&lt;script>\")", "&lt;/script>&lt;script>alert(1)&lt;/script>  -  05/03/1991<br></a>",
                             "Tab\\there &lt;b>bold&lt;/b>", "end\\\\  -  29/02/2000<br></span>"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(want))) << want << "\n" << shown.left(400).toStdString();
}
