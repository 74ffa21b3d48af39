#include "page/PageSections.h"

namespace dw {

void writePrintDate(PageText &p, const PageContext &)
{
    p.line(u"function printDate() {");
    p.blank();
    p.line(u"day = theDate.getDate();");
    p.line(u"month = theDate.getMonth()+1;");
    p.line(u"year = theDate.getYear();");
    p.line(u"year = \"\"+year;");
    p.line(u"dow = theDate.getDay();");
    p.line(u"if (day <= 9){ day=\"0\"+day;}");
    p.line(u"if (month <= 9){ month=\"0\"+month;}");
    p.line(u"}");
    p.blank();
}

namespace {

// The script expression after the opening literal of the write line. `early` picks the form
// for months up to 9, which printDate has turned into two-character texts.
QString dateExpression(int style, const QString &sep, bool early)
{
    const QString S = sep;
    const QString month = early ? QStringLiteral("mo[month.substring(1,2)]") : QStringLiteral("mo[month]");
    switch (style) {
    case 1: return "+day+'" + S + "'+month+'" + S + "'+year.substring(2,4)+ '</div>');";
    case 2: return "+month+'" + S + "'+day+'" + S + "'+year+ '</div>');";
    case 3: return "+month+'" + S + "'+day+'" + S + "'+year.substring(2,4)+ '</div>');";
    case 4: return "+year+'" + S + "'+month+'" + S + "'+day+ '</div>');";
    case 5: return "+year.substring(2,4)+'" + S + "'+month+'" + S + "'+day+ '</div>');";
    case 6: return "+d[dow]+', '+" + month + "+' '+day+', '+year+ '</div>');";
    case 7: return "+d[dow]+', '+day+' '+" + month + "+', '+year+ '</div>');";
    case 8: return "+" + month + "+' '+day+', '+year+ '</div>');";
    case 9: return "+day+' '+" + month + "+', '+year+ '</div>');";
    default: return "+day+'" + S + "'+month+'" + S + "'+year+ '</div>');";
    }
}

} // namespace

void writeMainDateScript(PageText &p, const PageContext &c)
{
    if (!c.showMainDate)
        return;
    const bool named = c.mainDateStyle >= 6;
    const QString open = QStringLiteral(
                             "document.write('<div id=maindate style=\"cursor: default; visibility: hidden; top: %1%\">' ")
                             .arg(c.mainDateTop);
    p.line(u"<script>");
    if (named) {
        p.line(u"var d = new Array(), mo = new Array();");
        p.line(u"d[0]=\"Sunday\"; d[1]=\"Monday\"; d[2]=\"Tuesday\"; d[3]=\"Wednesday\"; d[4]=\"Thursday\"; d[5]=\"Friday\"; d[6]=\"Saturday\";");
        p.line(u"mo[1]=\"January\"; mo[2]=\"February\"; mo[3]=\"March\"; mo[4]=\"April\"; mo[5]=\"May\"; mo[6]=\"June\"; mo[7]=\"July\"; mo[8]=\"August\"; mo[9]=\"September\"; mo[10]=\"October\"; mo[11]=\"November\"; mo[12]=\"December\";");
        p.blank();
    }
    p.line(u"printDate();");
    if (named)
        p.line(u"if (month<10){");
    p.line(open + dateExpression(c.mainDateStyle, c.mainDateSep, true));
    if (named) {
        p.line(u"}");
        p.line(u"else{");
        p.line(open + dateExpression(c.mainDateStyle, c.mainDateSep, false));
        p.line(u"}");
    }
    p.line(u"</script>");
    p.blank();
}

} // namespace dw
