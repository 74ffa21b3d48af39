#include "page/PageEscape.h"
#include "page/PageSections.h"

namespace dw {

void writeRollover(PageText &p, const PageContext &c)
{
    p.line(u"function changeColor(n, f){");
    p.line(u"var i=0,j=0,k=0,m;");
    p.line(u"m=document.getElementById(\"cdate\").children;");
    p.line(u"k=m.length;");
    p.line(u"for (i=0;i<k;i++){");
    p.line(u"   if (m.item(i).id == \"qelmor\"+n){ j=1 }");
    p.line(u"}");
    p.line(u"if (f==0 && j==1){");
    p.line(QStringLiteral("m.item(\"qelmor\"+n).style.color=\"") + jsText(c.s.pickers[6].text) + QStringLiteral("\";}"));
    p.line(u"if (f==1 && j==1){");
    p.line(QStringLiteral("m.item(\"qelmor\"+n).style.color=\"") + jsText(c.s.pickers[1].text) + QStringLiteral("\";}"));
    p.line(u"}");
}

void writeAnimation(PageText &p, const PageContext &c)
{
    if (!c.animate)
        return;
    const QString nameDate = jsText(c.s.pickers[1].text, QLatin1Char('\''));
    const QString important = jsText(c.s.pickers[3].text, QLatin1Char('\''));
    const QString &kind = c.animationKind;
    if (kind == QLatin1String("Fade")) {
        p.line(u"var delta = 5;");
        p.line(u"function food(obj){");
        p.line(u"obj=document.getElementById(\"cdate\").children.item('qelmor'+obj);");
        p.line(u"if (obj.style.width==\"\"){");
        p.line(u"m=document.getElementById(\"cdate\").offsetWidth;");
        p.line(u"obj.style.width=m;");
        p.line(u"document.getElementById(\"cdate\").style.width=m;");
        p.line(u"}");
        p.line(u"if ((obj.filters.item('alpha').opacity + delta > 100)||  (obj.filters.item('alpha').opacity + delta < 0))");
        p.line(u"    delta = -delta");
        p.line(u"    obj.filters.item('alpha').opacity += delta");
        p.line(u"}");
        p.blank();
    } else if (kind == QLatin1String("Blink")) {
        p.line(u"function food(obj){");
        p.line(u"obj=document.getElementById(\"cdate\").children.item('qelmor'+obj);");
        p.line(u"if (obj.style.visibility=='visible'){");
        p.line(u"    obj.style.visibility='hidden'");
        p.line(u"    return;");
        p.line(u"}");
        p.line(u"else {");
        p.line(u"    obj.style.visibility='visible'");
        p.line(u"    return;");
        p.line(u"} }");
        p.blank();
    } else if (kind == QLatin1String("ColourBlink")) {
        p.line(u"function food(obj){");
        p.line(u"m=document.getElementById(\"cdate\").children.item(\"qelmor\"+obj);");
        p.line(QStringLiteral("if (m.style.color=='#") + nameDate + QStringLiteral("'){"));
        p.line(QStringLiteral("    m.style.color='#") + important + QStringLiteral("';"));
        p.line(u"    return;");
        p.line(u"}");
        p.line(u"else{");
        p.line(QStringLiteral("    m.style.color='#") + nameDate + QStringLiteral("';"));
        p.line(u"    return;");
        p.line(u"}");
        p.line(u"}");
        p.blank();
    } else {
        p.line(u"var delta = 1;");
        p.line(u"function food(obj){");
        p.line(u"obj=document.getElementById(\"cdate\").children.item('qelmor'+obj);");
        p.line(u"if (obj.style.width==\"\"){");
        p.line(u"m=document.getElementById(\"cdate\").offsetWidth;");
        p.line(u"obj.style.width=m;");
        p.line(u"document.getElementById(\"cdate\").style.width=m;");
        p.line(QStringLiteral("obj.style.filter='Glow(Color=#") + important + QStringLiteral(",Strength=0)';"));
        p.line(u"}");
        p.blank();
        p.line(u"if ((obj.filters.item('glow').strength + delta > 4)||  (obj.filters.item('glow').strength + delta < 1)) {delta = -delta;}");
        p.line(u"obj.filters.item('glow').strength += delta");
        p.line(u"}");
        p.blank();
    }
}

} // namespace dw
