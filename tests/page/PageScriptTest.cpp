// Runs the written page script in node with a stand-in document, for the placement arithmetic
// that a rendered page shows only as a position. What the page shows in every date style and
// with hostile names is checked in a real browser (tests/browser).
#include "NodeRunner.h"
#include "PageTestSupport.h"

using namespace dw;
using namespace dw::test;

namespace {

// The day the page is run on.
const char *const kPrelude = "var __now = [2026, 2, 5];\n";

QString runPage(const QString &pageText, const QString &after)
{
    const QString script = QString::fromLatin1(kNodeClock) + QString::fromLatin1(kNodeDocument) + QString::fromLatin1(kPrelude)
                           + scriptElements(pageText).join(QStringLiteral("\n;\n")) + after;
    const NodeResult r = runNode(script);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return r.out.trimmed();
}

} // namespace

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
