#include "core/events/DueRules.h"
#include "page/PageEscape.h"
#include "page/PageSections.h"

#include <QDate>
#include <QRegularExpression>

namespace dw {

namespace {

int number(const QString &text, int from)
{
    return QStringView(text).mid(from, 2).toInt();
}

void block(PageText &p, const PageContext &c, const QString &test, int row, bool important)
{
    p.line(test);
    p.line(QStringLiteral("s = s + ent[%1];").arg(row));
    if (important && c.animate)
        p.line(QStringLiteral("setInterval(\"food( %1)\",%2);").arg(row).arg(c.interval));
    p.line(u"}");
    p.blank();
}

} // namespace

void writeAddressArray(PageText &p, const PageContext &c)
{
    int r = 0;
    for (const EventRecord &e : c.in.rows) {
        ++r;
        p.text += u"email[";
        p.text += QString::number(r);
        p.text += u"] = \"";
        p.text += jsText(writtenText(e.address, true));
        p.line(u"\";");
    }
    p.blank();
}

void writeEventArray(PageText &p, const PageContext &c)
{
    const QString wrapOpen = QStringLiteral("'<font color=#") + jsText(c.s.pickers[3].text, QLatin1Char('\''))
                             + QStringLiteral(">'+\"");
    int r = 0;
    for (const EventRecord &e : c.in.rows) {
        ++r;
        const bool wrap = e.important() && c.wrapImportant;
        p.text += u"ent[";
        p.text += QString::number(r);
        p.text += u"]=";
        p.text += wrap ? wrapOpen : QStringLiteral("\"");
        p.text += jsText(writtenText(e.name));
        p.text += u"  -  ";
        p.text += nameDateText(e.date, c.nameDateStyle, c.nameDateSep);
        p.line(wrap ? u"\"+'</font><br>'" : u"\"+'<br>'");
    }
    p.blank();
    p.line(QStringLiteral("for (k=1;k<%1;k++) {").arg(c.in.rows.size() + 1));
    p.line(u"    if (email[k] != \"-\"){");
    p.line(u"        t='<a title=\"'+email[k]+'\" id=\"qelmor'+k+'\" onmouseover=\"changeColor('+k+',0)\" onmouseout=\"changeColor('+k+',1)\" style=\"filter:alpha(opacity=100); cursor:hand\" onclick=alert(email['+k+'])>';");
    p.line(u"        ent[k]=t+ent[k]+'</a>' }");
    p.line(u"    else {");
    p.line(u"        ent[k]='<span id=\"qelmor'+k+'\" style=\"filter:alpha(opacity=100); cursor: default\">'+ent[k]+'</span>' }");
    p.line(u" }");
    // The wrapping above put each address into its tool tip as markup; the click alert reads the
    // array itself and must show the address as typed, so addresses that needed references get
    // their own text back.
    r = 0;
    for (const EventRecord &e : c.in.rows) {
        ++r;
        if (writtenText(e.address, true) != e.address)
            p.line(QStringLiteral("email[%1] = \"").arg(r) + jsText(e.address) + QStringLiteral("\";"));
    }
    p.blank();
}

void writePrintOcc(PageText &p, const PageContext &c)
{
    p.line(u"function printOcc(){");
    p.line(u"var i=0,j=0;");
    p.line(u"s='';");
    p.blank();

    const int n = c.remindDays;
    int r = 0;
    for (const EventRecord &e : c.in.rows) {
        ++r;
        const QString &rule = e.rule;
        if (rule != kDefaultRule && wellFormedRule(rule)) {
            if (QStringView(rule).left(5) != u"00/00")
                block(p, c,
                      QStringLiteral("if (day == ") + rule.mid(0, 2) + QStringLiteral(" && month == ") + rule.mid(3, 2)
                          + QStringLiteral("){"),
                      r, e.important());
            if (QStringView(rule).right(5) != u"00/00") {
                const QString m1 = rule.mid(9, 2), m2 = rule.mid(15, 2);
                block(p, c,
                      QStringLiteral("if ((day > %1 && month == %2) %3 (day < %4 && month == %5)){")
                          .arg(QStringLiteral(" ") + QString::number(number(rule, 6) - 1), m1,
                               m1 == m2 ? QStringLiteral("&&") : QStringLiteral("||"),
                               QStringLiteral(" ") + QString::number(number(rule, 12) + 1), m2),
                      r, e.important());
            }
            continue;
        }

        const int d = number(e.date, 0);
        const int m = number(e.date, 3);
        QString test;
        if (d - n >= 0) {
            test = QStringLiteral("if (day > %1 && day < %2 && month == %3){").arg(d - n).arg(d + 1).arg(e.date.mid(3, 2));
        } else {
            // The window reaches back into the month before, whose length follows this year's
            // calendar (February included).
            const int prevMonth = m <= 1 ? 12 : qMin(m - 1, 12);
            const int p_ = m <= 1 ? 31 : QDate(c.currentYear, prevMonth, 1).daysInMonth();
            const QString first = d - n == -1 ? QStringLiteral("if ((day == %1 && month == %2) ").arg(p_).arg(prevMonth)
                                              : QStringLiteral("if ((day > %1 && month == %2) ").arg(p_ - n + d).arg(prevMonth);
            test = first + QStringLiteral("|| (day < %1 && month == %2)){").arg(d + 1).arg(m);
        }
        block(p, c, test, r, e.important());
    }

    p.line(QStringLiteral("document.write('<div id=cdate style=\"filter: Alpha(Opacity=%1); visibility: hidden; top: %2%\">'+ s +'</div>');")
               .arg(c.s.ndOpacity)
               .arg(c.nameDateTop));
    p.line(u"}");
    p.blank();
}

void writeCallScript(PageText &p, const PageContext &c)
{
    if (!c.showNameDate)
        return;
    p.line(u"<script>");
    p.line(u"   printDate();");
    p.line(u"   printOcc();");
    p.line(u"</script>");
}

} // namespace dw
