#include "page/PageSections.h"

namespace dw {

namespace {

enum class Row { Top, Middle, Bottom, None };
enum class Col { Left, Center, Right, None };

struct Preset {
    Row row = Row::None;
    Col col = Col::None;
};

// The nine presets by name; anything else is a custom position.
Preset preset(const QString &name)
{
    static const struct {
        const char16_t *name;
        Preset p;
    } table[] = {
        {u"Top Left", {Row::Top, Col::Left}},          {u"Top Center", {Row::Top, Col::Center}},
        {u"Top Right", {Row::Top, Col::Right}},        {u"Middle Left", {Row::Middle, Col::Left}},
        {u"Middle Center", {Row::Middle, Col::Center}}, {u"Middle Right", {Row::Middle, Col::Right}},
        {u"Bottom Left", {Row::Bottom, Col::Left}},    {u"Bottom Center", {Row::Bottom, Col::Center}},
        {u"Bottom Right", {Row::Bottom, Col::Right}},
    };
    for (const auto &e : table)
        if (name == QStringView(e.name))
            return e.p;
    return {};
}

void writeScrollerPlacement(PageText &p, const PageContext &c)
{
    const QString &tb = c.s.taskbarHeight;
    p.line(u"if (h != \"\"){");
    p.line(u"m=document.getElementById(\"menuIn\");");
    p.line(u"h=m.offsetHeight;");
    switch (c.s.scrollerPreset) {
    case 0:
        p.line(u"m.style.top=5;}");
        break;
    case 1:
        p.line(u"h=(screen.height-h)/2;");
        p.line(u"m.style.top=h;}");
        break;
    case 2:
        p.line(QStringLiteral("h=(screen.height-h)-") + tb + u';');
        p.line(u"m.style.top=h;}");
        break;
    default: {
        const QString t = QString::number(c.scrollerTop);
        p.line("if (h + ((" + t + "*screen.height)/100) > (screen.height-" + tb + ")) {h=screen.height-h-" + tb
               + "} else {h=\"" + t + "%\"}");
        p.line(u"m.style.top=h;}");
    }
    }
    p.blank();
}

void writeNameDatePlacement(PageText &p, const PageContext &c)
{
    const QString l = QString::number(c.nameDateLeft);
    const QString rn = "if (w + ((" + l + "*screen.width) / 100)> screen.width-20) {w=screen.width-w-20;} else {w=\"" + l
                       + "%\"}";
    const Preset pos = preset(c.s.nameDatePosition);
    p.line(u"m=document.getElementById(\"cdate\");");
    p.line(u"w=m.offsetWidth;");
    switch (pos.col) {
    case Col::Left: p.line(u"w=2;"); break;
    case Col::Center: p.line(u"w=(screen.width-w)/2;"); break;
    case Col::Right: p.line(rn); break;
    case Col::None:
        p.line(rn);
        p.line(u"if (w==0){w=2}");
        break;
    }
    switch (pos.row) {
    case Row::Top: p.line(u"m.style.top=5;"); break;
    case Row::Middle:
        p.line(u"h=m.offsetHeight; ");
        p.line(u"h=(screen.height-h)/2;");
        p.line(u"m.style.top=h;");
        break;
    case Row::Bottom:
        p.line(u"h=m.offsetHeight; ");
        p.line(QStringLiteral("h=(screen.height-h)-") + c.s.taskbarHeight + u';');
        p.line(u"m.style.top=h;");
        break;
    case Row::None:
        p.line(u"h=m.offsetHeight; ");
        p.line(u"m.style.top=m.offsetTop-(h/2);");
        break;
    }
    p.line(u"m.style.left=w;");
    p.line(u"m.style.visibility=\"visible\";");
    p.blank();
}

void writeMainDatePlacement(PageText &p, const PageContext &c)
{
    const QString &x = c.effectX, &y = c.effectY, &z = c.effectZ;
    const QString widthLine = "w=m.offsetWidth+" + x + ";";
    const Preset pos = preset(c.s.mainDatePosition);
    p.line(u"m=document.getElementById(\"maindate\");");

    auto vertical = [&](Row row) {
        if (row == Row::Top || row == Row::None)
            return;
        p.line("h=m.offsetHeight+" + y + ";");
        if (row == Row::Middle)
            p.line(u"h=(screen.height-h)/2;");
        else
            p.line(QStringLiteral("h=(screen.height-h)-") + c.s.taskbarHeight + u';');
        p.line(u"m.style.top=h;");
    };

    if (pos.row == Row::Top)
        p.line(u"m.style.top=5;");
    switch (pos.col) {
    case Col::Left:
        p.line(u"m.style.left=2;");
        if (pos.row != Row::Top)
            p.line(widthLine);
        else if (!c.showNameDate)
            // Nothing else sets w here, and State would run getWidth for ever, growing the
            // box on every run.
            p.line(u"w=2;");
        break;
    case Col::Center:
        p.line(widthLine);
        p.line(u"w=(screen.width-w)/2;");
        p.line(u"m.style.left=w;");
        break;
    case Col::Right:
        p.line(widthLine);
        p.line("w=screen.width-w-" + z + ";");
        p.line(u"m.style.left=w;");
        break;
    case Col::None: {
        const QString l = QString::number(c.mainDateLeft);
        p.line(widthLine);
        p.line("if (w + ((" + l + "*screen.width)/100)> screen.width-20) {w=screen.width-w-20;} else {w=\"" + l + "%\"}");
        p.line(u"if (w==0){w=2}");
        p.line(u"m.style.left=w;");
        break;
    }
    }
    vertical(pos.row);

    const QString filter = effectFilterLine(c);
    if (!filter.isEmpty())
        p.line(filter);
    p.line("m.style.height=m.offsetHeight+" + y + ";");
    p.line("m.style.width=m.offsetWidth+" + x + ";");
    p.line(u"m.style.visibility=\"visible\";");
}

} // namespace

void writePlacement(PageText &p, const PageContext &c)
{
    if (!c.showMainDate && !c.showNameDate)
        return;
    p.line(u"State();");
    p.line(u"function State(){");
    p.line(u"if (document.readyState==\"complete\"){getWidth();}");
    p.line(u"MyTimeOut = setTimeout (\"State()\", 10);");
    p.line(u"if (w!=0){clearTimeout (MyTimeOut);}");
    p.line(u"}");
    p.blank();
    p.line(u"function getWidth(){");
    if (c.showNameDate) {
        if (c.showScroller)
            writeScrollerPlacement(p, c);
        writeNameDatePlacement(p, c);
    }
    if (c.showMainDate)
        writeMainDatePlacement(p, c);
    p.line(u"}");
    p.blank();
}

} // namespace dw
