#include "page/PageEscape.h"
#include "page/PageSections.h"
#include "platform/FontCatalog.h"

#include <cmath>
#include <vector>

namespace dw {

namespace {

int monthOf(const EventRecord &e)
{
    return QStringView(e.date).mid(3, 2).toInt();
}

// The month lines: per month, the run of consecutive rows of that month and the panel width
// that fits its widest row. The list arrives sorted month-wise, so each month is one run.
void writeMonthLines(PageText &p, const PageContext &c)
{
    const SettingsModel &s = c.s;
    const auto &rows = c.in.rows;
    const size_t n = rows.size();
    // Measured at "size minus 2" points on a 96-DPI desktop, so that a row drawn at the full
    // pixel size after its two leading spaces still fits the panel.
    const double pixelSize = (s.fontSizes[2].toInt() - 2) * 96.0 / 72.0;
    const QString &style = s.fontStyles[2];
    const bool bold = style == QLatin1String("Bold") || style == QLatin1String("Bold-Ita");
    const bool italic = style == QLatin1String("Italic") || style == QLatin1String("Bold-Ita");

    size_t consumed = 0;
    for (int month = 1; month <= 12; ++month) {
        const size_t first = consumed + 1;
        std::vector<QString> texts;
        bool found = false;
        for (size_t i = consumed; i < n; ++i) {
            if (monthOf(rows[i]) != month)
                continue;
            found = true;
            ++consumed;
            texts.push_back(rows[i].name + QStringLiteral("  -  ") + rows[i].date);
            if (consumed >= n || monthOf(rows[consumed]) != month)
                break;
        }
        if (!found)
            continue;
        const double widest = c.in.fonts.widestTextWidth(s.fonts[2], pixelSize, bold, italic, texts);
        const long long width = static_cast<long long>(std::ceil(widest)) + 10;
        p.line(QStringLiteral("if (month==%1) {for (i=%2;i<%3;i++) {h=h+s+ent[i];} j=%4}")
                   .arg(month)
                   .arg(first)
                   .arg(consumed + 1)
                   .arg(width));
    }
}

} // namespace

void writeScroller(PageText &p, const PageContext &c)
{
    if (c.showScroller) {
        p.line(u"j=300;");
        p.blank();
        p.line(u"month = theDate.getMonth()+1;");
        p.line(u"h=\"\";");
        p.line(u"s='&nbsp;&nbsp;';");
        p.blank();
        writeMonthLines(p, c);
        p.blank();
        p.line(u"if (h != \"\"){");
        p.line(u"if (document.all)");
        p.line(u"document.write('<div id=\"menuIn\" style=\"left:'+(10-j)+';width:'+j+'\" onMouseover=\"pull()\" onMouseout=\"draw()\">')");
        p.blank();
        p.line(u"mo[1]=\"January\"; mo[2]=\"February\"; mo[3]=\"March\"; mo[4]=\"April\"; mo[5]=\"May\"; mo[6]=\"June\"; mo[7]=\"July\"; mo[8]=\"August\"; mo[9]=\"September\"; mo[10]=\"October\"; mo[11]=\"November\"; mo[12]=\"December\";");
        p.line(u"s=mo[month];");
        p.line(u"siteName[0] = '<font face=\"Times New Roman\" size=2 color=blue>&nbsp<u>In '+s+'</u></font><br>';");
        p.line(QStringLiteral("siteName[1] = '<font color=") + jsText(c.s.pickers[2].text, QLatin1Char('\''))
               + QStringLiteral(">'+h+'</font>';"));
        p.blank();
        p.line(u"for (i = 0; i <= siteName.length - 1; i++)");
        p.line(u"document.write(siteName[i]);");
        p.blank();
        static const char16_t *const engine[] = {
            u"function regenerate() {",
            u"window.location.reload();",
            u"}",
            u"function regenerate2() {",
            u"if (document.layers)",
            u"setTimeout(\"window.onresize=regenerate\", 500);",
            u"}",
            u"window.onload = regenerate2;",
            u"if (document.all) {",
            u"document.write('</div>');",
            u"slideMenu = document.all.menuIn.style;",
            u"boundryR = 0;",
            u"boundryL = 10-j;",
            u"}",
            u"else {",
            u"slideMenu = document.layers.menuOut;",
            u"boundryR = j-10;",
            u"boundryL = 10;",
            u"}",
            u"function pull() {",
            u"if (window.drawMenu)",
            u"clearInterval(drawMenu);",
            u"pullMenu = setInterval(\"pullEngine()\", 25);",
            u"}",
            u"function draw() {",
            u"clearInterval(pullMenu);",
            u"drawMenu = setInterval(\"drawEngine()\", 25);",
            u"}",
            u"function pullEngine() {",
            u"if (document.all && slideMenu.pixelLeft < boundryR)",
            u"slideMenu.pixelLeft += 5;",
            u"else if(document.layers && slideMenu.left < boundryR)",
            u"slideMenu.left += 5;",
            u"else if (window.pullMenu)",
            u"clearInterval(pullMenu);",
            u"}",
            u"function drawEngine() {",
            u"if (document.all && slideMenu.pixelLeft > boundryL)",
            u"slideMenu.pixelLeft -= 5;",
            u"else if(document.layers && slideMenu.left > boundryL)",
            u"slideMenu.left -= 5;",
            u"else if (window.drawMenu)",
            u"clearInterval(drawMenu);",
            u"}}",
        };
        for (const char16_t *l : engine)
            p.line(l);
    }
    p.line(u"</script>");
    p.blank();
    if (c.showScroller)
        p.line(u"<layer id=\"menuOut\" onMouseover=\"pull()\" onMouseout=\"draw()\"></layer>");
}

} // namespace dw
