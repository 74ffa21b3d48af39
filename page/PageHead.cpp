#include "page/PageEscape.h"
#include "page/PageSections.h"
#include "platform/ProductInfo.h"

namespace dw {

namespace {

QString nameDateAlignLine(const SettingsModel &s)
{
    const QStringView tail = QStringView(s.nameDatePosition).right(4);
    if (tail == u"Left")
        return QStringLiteral("text-align: left;");
    if (tail == u"ight")
        return QStringLiteral("text-align: right;");
    if (tail == u"nter")
        return QStringLiteral("text-align: center;");
    static const char16_t *const names[] = {u"left", u"center", u"right"};
    if (s.nameDateAlign >= 0 && s.nameDateAlign <= 2)
        return QStringLiteral("text-align: ") + QString::fromUtf16(names[s.nameDateAlign]) + u';';
    return {};
}

} // namespace

void writeHead(PageText &p, const PageContext &c)
{
    const SettingsModel &s = c.s;
    p.line(u"<html>");
    p.line(u"<HEAD>");
    if (c.in.options.browserCompat && !c.in.options.compatScript.isEmpty())
        p.line(c.in.options.compatScript);
    p.line(u"<meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=x-user-defined\">");
    p.line(u"<meta GENERATOR=\"Datewren\" BY=\"Tolvane\">");
    p.line(QStringLiteral("<meta DOWNLOAD-IT-FROM=\" ") + product::kDownloadPageUrl + QStringLiteral(" \">"));
    p.line(QStringLiteral("<title>Datewren - Created on ")
           + markupText(c.in.now.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))) + QStringLiteral("</title>"));
    p.line(u"<STYLE>");

    if (c.showScroller) {
        p.line(u"#menuOut, #menuIn");
        p.line(u"{");
        p.line(u"position: absolute;");
        p.line(u"left:365px;");
        p.line(u"width:375px;");
        p.line(QStringLiteral("top:%1%;").arg(c.scrollerTop));
        p.line(QStringLiteral("border: 1px ") + cssText(s.scrollerBorderStyle) + u';');
        if (s.scrollerBgStyle == QLatin1String("Solid"))
            p.line(QStringLiteral("background-color: #") + cssText(s.pickers[7].text) + u';');
        else
            p.blank();
        p.line(QStringLiteral("font-family: \"") + cssText(s.fonts[2]) + QStringLiteral("\", sans-serif;"));
        p.line(QStringLiteral("font-size: ") + s.fontSizes[2] + QStringLiteral("px;"));
        p.line(c.scrollerStyleDecl);
        p.line(u"line-height: 20px;");
        p.line(u"}");
    }
    if (c.showMainDate) {
        p.line(u"#maindate");
        p.line(u"{position: absolute;");
        p.line(QStringLiteral("font-family: \"") + cssText(s.fonts[0]) + QStringLiteral("\", sans-serif;"));
        p.line(u"font-weight: normal;");
        p.line(QStringLiteral("font-size: ") + s.fontSizes[0] + QStringLiteral("px;"));
        p.line(QStringLiteral("color: #") + cssText(s.pickers[0].text) + u';');
        p.line(c.mainDateStyleDecl);
        p.line(u"}");
    }
    if (c.showNameDate) {
        p.line(u"#cdate");
        p.line(u"{position: absolute;");
        p.line(QStringLiteral("font-family: \"") + cssText(s.fonts[1]) + QStringLiteral("\", sans-serif;"));
        p.line(u"font-weight: normal;");
        p.line(QStringLiteral("font-size: ") + s.fontSizes[1] + QStringLiteral("px;"));
        p.line(c.nameDateStyleDecl);
        p.line(QStringLiteral("color: #") + cssText(s.pickers[1].text) + u';');
        const QString align = nameDateAlignLine(s);
        if (!align.isEmpty())
            p.line(align);
        p.line(u"}");
    }
    p.line(u"</STYLE>");
    p.blank();
    p.line(u"<SCRIPT LANGUAGE=\"JavaScript\">");
}

void writeBodyAndGlobals(PageText &p, const PageContext &c)
{
    const SettingsModel &s = c.s;
    p.line(u"</SCRIPT>");
    p.line(u"</HEAD>");
    p.blank();
    if (!c.showBackground)
        p.line(u"<BODY>");
    else if (s.backgroundKind == QLatin1String("Picture"))
        p.line(QStringLiteral("<BODY background=\"") + markupText(s.backgroundPicture) + QStringLiteral("\">"));
    else
        p.line(QStringLiteral("<BODY bgcolor=\"") + markupText(s.pickers[4].text) + QStringLiteral("\">"));

    p.line(u"<SCRIPT LANGUAGE=\"JavaScript\">");
    p.line(u"var day=0,month=0,year=0,k=0,w=0,h=0,m,s;");
    p.line(u"var siteName = new Array(),theDate = new Date(),ent = new Array(),email = new Array(),mo = new Array();");
    p.blank();
}

} // namespace dw
