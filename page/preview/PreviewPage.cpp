#include "page/preview/PreviewPage.h"

#include "core/events/EventList.h"
#include "core/io/TextFile.h"
#include "core/settings/SettingsModel.h"
#include "page/PageEscape.h"
#include "platform/FontCatalog.h"
#include "platform/ProductInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace dw {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The entries of the two date-style lists; the preview uses a style by its place in the list.
const QStringList &dateStyles()
{
    static const QStringList styles{
        QStringLiteral("dd/MM/yyyy"),          QStringLiteral("dd/MM/yy"),
        QStringLiteral("MM/dd/yyyy"),          QStringLiteral("MM/dd/yy"),
        QStringLiteral("yyyy/MM/dd"),          QStringLiteral("yy/MM/dd"),
        QStringLiteral("dddd, MMMM dd, yyyy"), QStringLiteral("dddd, dd MMMM, yyyy"),
        QStringLiteral("MMMM dd, yyyy"),       QStringLiteral("dd MMMM, yyyy")};
    return styles;
}

int styleIndex(const QString &style, int count)
{
    const int i = static_cast<int>(dateStyles().indexOf(style));
    return (i >= 0 && i < count) ? i : 0;
}

// Spaced hyphen and comma read better between numbers; every other separator stays as chosen.
QString sampleSeparator(const QString &sep)
{
    if (sep == QLatin1String("-"))
        return QStringLiteral(" - ");
    if (sep == QLatin1String(","))
        return QStringLiteral(", ");
    return sep;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Years before 1000 keep four digits, so the two-digit styles still take the last two.
QString fourDigitYear(const QDate &date)
{
    return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString styleCss(const QString &style)
{
    if (style == QLatin1String("Bold"))
        return QStringLiteral("font-weight: bold;");
    if (style == QLatin1String("Italic"))
        return QStringLiteral("font-style: italic;");
    if (style == QLatin1String("Bold-Ita"))
        return QStringLiteral("font-weight: bold;") + kCrLf + QStringLiteral("font-style: italic;");
    return {};
}

bool isBold(const QString &style)
{
    return style == QLatin1String("Bold") || style == QLatin1String("Bold-Ita");
}

bool isItalic(const QString &style)
{
    return style == QLatin1String("Italic") || style == QLatin1String("Bold-Ita");
}

// Sizes are pixels on the page, but the widths are measured two points smaller, as a 96-DPI
// desktop draws them. A size that is not a number measures as nothing rather than failing.
int measuredWidth(const FontCatalog &fonts, const QString &family, const QString &sizeText,
                  const QString &style, const QString &text)
{
    bool ok = false;
    const double size = sizeText.trimmed().toDouble(&ok);
    const double pixels = ok ? (size - 2) * 96.0 / 72.0 : 0;
    if (!(pixels > 0) || !std::isfinite(pixels) || pixels > 10000)
        return 0;
    const double w = fonts.textWidth(family, pixels, isBold(style), isItalic(style), text);
    return std::isfinite(w) && w > 0 ? static_cast<int>(std::ceil(w)) : 0;
}

QString effectAttribute(const SettingsModel &s)
{
    const QString opacity = QStringLiteral(" Alpha (Opacity = ") + s.mdOpacity + QStringLiteral(")\"");
    const QString colour = s.pickers[5].text;
    if (s.mdEffect == QLatin1String("None"))
        return QStringLiteral("style=\"filter : Alpha (Opacity = ") + s.mdOpacity + QStringLiteral(")\"");
    if (s.mdEffect == QLatin1String("Blur"))
        return QStringLiteral("style=\"filter : Blur(Add=1,Direction=") + s.blurDirection
               + QStringLiteral(",Strength=") + s.blurStrength + QStringLiteral(")") + opacity;
    if (s.mdEffect == QLatin1String("Drop Shadow"))
        return QStringLiteral("style=\"filter : DropShadow(Color= #") + colour + QStringLiteral(",OffX=")
               + s.dropX + QStringLiteral(",OffY=") + s.dropY + QStringLiteral(",Positive=1)") + opacity;
    if (s.mdEffect == QLatin1String("Glow"))
        return QStringLiteral("style=\"filter : Glow(Color= #") + colour + QStringLiteral(",Strength=")
               + s.glowStrength + QStringLiteral(")") + opacity;
    if (s.mdEffect == QLatin1String("Spooky Shadow"))
        return QStringLiteral("style=\"filter : Shadow (Color= #") + colour + QStringLiteral(", Direction=")
               + s.spookyDirection + QStringLiteral(")") + opacity;
    return {};
}

QStringList animationFunction(const QString &kind, const QString &ndColour, const QString &important)
{
    if (kind == QLatin1String("Fade"))
        return {QStringLiteral("var delta = 5;"), QStringLiteral("function food(){"),
                QStringLiteral("obj=document.getElementById(\"cdate1\");"),
                QStringLiteral("if ((obj.filters.item('alpha').opacity + delta > 100)||  "
                               "(obj.filters.item('alpha').opacity + delta < 0))"),
                QStringLiteral("    delta = -delta"),
                QStringLiteral("    obj.filters.item('alpha').opacity += delta"), QStringLiteral("}")};
    if (kind == QLatin1String("Blink"))
        return {QStringLiteral("function food(){"),
                QStringLiteral("obj=document.getElementById(\"cdate1\");"),
                QStringLiteral("if (obj.style.visibility=='visible'){"),
                QStringLiteral("    obj.style.visibility='hidden'"), QStringLiteral("    return;"),
                QStringLiteral("}"), QStringLiteral("else {"),
                QStringLiteral("    obj.style.visibility='visible'"), QStringLiteral("    return;"),
                QStringLiteral("} }"), QString()};
    if (kind == QLatin1String("ColourBlink"))
        return {QStringLiteral("function food(){"),
                QStringLiteral("m=document.getElementById(\"cdate1\").children.item(0);"),
                QStringLiteral("if (m.style.color=='#") + ndColour + QStringLiteral("'){"),
                QStringLiteral("    m.style.color='#") + important + QStringLiteral("';"),
                QStringLiteral("    return;"), QStringLiteral("}"), QStringLiteral("else{"),
                QStringLiteral("    m.style.color='#") + ndColour + QStringLiteral("';"),
                QStringLiteral("    return;"), QStringLiteral("}"), QStringLiteral("}")};
    if (kind == QLatin1String("Glow"))
        return {QStringLiteral("var delta = 1;"), QStringLiteral("function food(obj){"),
                QStringLiteral("obj=document.getElementById(\"cdate1\");"),
                QStringLiteral("if (obj.style.width==\"\"){"),
                QStringLiteral("m=document.getElementById(\"cdate\").offsetWidth;"),
                QStringLiteral("obj.style.width=m;"),
                QStringLiteral("document.getElementById(\"cdate\").style.width=m;"),
                QStringLiteral("obj.style.filter='Glow(Color=#") + important + QStringLiteral(",Strength=0)';"),
                QStringLiteral("}"), QString(),
                QStringLiteral("if ((obj.filters.item('glow').strength + delta > 4)||  "
                               "(obj.filters.item('glow').strength + delta < 1)) {delta = -delta;}"),
                QStringLiteral("obj.filters.item('glow').strength += delta"), QStringLiteral("}"),
                QString(), QString()};
    return {};
}

QString intervalScript(const QString &kind)
{
    QString ms;
    if (kind == QLatin1String("Fade"))
        ms = QStringLiteral("1");
    else if (kind == QLatin1String("Glow"))
        ms = QStringLiteral("200");
    else if (kind == QLatin1String("Blink") || kind == QLatin1String("ColourBlink"))
        ms = QStringLiteral("500");
    else
        return {};
    return QStringLiteral("<script>setInterval(\"food()\",") + ms + QStringLiteral(");</script>");
}

QString anchorOpen(const QString &tail)
{
    return QStringLiteral("<a title=\"") + product::kContactEmail + QStringLiteral("\"") + tail;
}

} // namespace

void fillEmptyPreviewFonts(SettingsModel &settings, const QStringList &fontList)
{
    if (fontList.isEmpty())
        return;
    for (int i : {1, 2})
        if (settings.fonts[static_cast<size_t>(i)].isEmpty())
            settings.fonts[static_cast<size_t>(i)] = fontList.first();
}

bool anyImportant(const EventList &events)
{
    for (const auto &row : events.rows())
        if (row.important())
            return true;
    return false;
}

QString previewMainDateText(int styleIndex, const QString &separator, const QDate &today,
                            const QLocale &locale)
{
    const QString dd = twoDigits(today.day());
    const QString yyyy = fourDigitYear(today);
    const QString weekday = locale.dayName(today.dayOfWeek(), QLocale::LongFormat);
    const QString month = locale.monthName(today.month(), QLocale::LongFormat);
    switch (styleIndex) {
    case 6:
        return weekday + QStringLiteral(", ") + month + QLatin1Char(' ') + dd + QStringLiteral(", ") + yyyy;
    case 7:
        return weekday + QStringLiteral(", ") + dd + QLatin1Char(' ') + month + QStringLiteral(", ") + yyyy;
    case 8:
        return month + QLatin1Char(' ') + dd + QStringLiteral(", ") + yyyy;
    case 9:
        return dd + QLatin1Char(' ') + month + QStringLiteral(", ") + yyyy;
    default:
        return previewNameDateText(styleIndex, separator, today);
    }
}

QString previewNameDateText(int styleIndex, const QString &separator, const QDate &today)
{
    const QString s = sampleSeparator(separator);
    const QString dd = twoDigits(today.day());
    const QString mm = twoDigits(today.month());
    const QString yyyy = fourDigitYear(today);
    const QString yy = yyyy.right(2);
    switch (styleIndex) {
    case 1: return dd + s + mm + s + yy;
    case 2: return mm + s + dd + s + yyyy;
    case 3: return mm + s + dd + s + yy;
    case 4: return yyyy + s + mm + s + dd;
    case 5: return yy + s + mm + s + dd;
    default: return dd + s + mm + s + yyyy;
    }
}

QString previewCaption(const SettingsModel &settings, bool importantExists)
{
    QStringList parts;
    if (settings.showBlock[0])
        parts << QStringLiteral("Main Date");
    if (settings.showBlock[1])
        parts << QStringLiteral("Name-Date");
    if (settings.showBlock[2])
        parts << QStringLiteral("Scroller");
    if (importantExists)
        parts << QStringLiteral("Important");
    QString caption = parts.join(QStringLiteral(",  "));
    // The important part is always introduced by the separator, even when it stands alone.
    if (importantExists && parts.size() == 1)
        caption.prepend(QStringLiteral(",  "));
    return caption;
}

QString previewPageText(const PreviewRequest &r)
{
    const SettingsModel &s = r.settings;
    const QString &mdFont = s.fonts[0], &ndFont = s.fonts[1], &scFont = s.fonts[2];
    const QString &mdSize = s.fontSizes[0], &ndSize = s.fontSizes[1], &scSize = s.fontSizes[2];
    const QString &mdStyle = s.fontStyles[0], &ndStyle = s.fontStyles[1], &scStyle = s.fontStyles[2];
    const QString &mdColour = s.pickers[0].text, &ndColour = s.pickers[1].text;
    const QString &scColour = s.pickers[2].text, &important = s.pickers[3].text;
    const QString &rollover = s.pickers[6].text;

    const QString ndText = previewNameDateText(styleIndex(s.ndDateStyle, 6), s.ndDateSep, r.today);
    const QString mdText = previewMainDateText(styleIndex(s.mdDateStyle, 10), s.mdDateSep, r.today, r.locale);
    const QString sampleLine = QStringLiteral("Qelmor - ") + ndText;
    const QString importantLine = QStringLiteral("Important - ") + ndText;

    const int ndWidth = measuredWidth(r.fonts, ndFont, ndSize, ndStyle, sampleLine) + 10;
    // The important line is as wide as the number itself in the Main Date's weight: this is
    // the measurement the sample page has always used.
    const int importantWidth = measuredWidth(r.fonts, ndFont, ndSize, mdStyle, QString::number(ndWidth)) + 200;
    const int scWidth = measuredWidth(r.fonts, scFont, scSize, scStyle, sampleLine) + 10;

    const QString border = (s.scrollerBorderStyle == QLatin1String("Solid")
                            || s.scrollerBorderStyle == QLatin1String("Dotted")
                            || s.scrollerBorderStyle == QLatin1String("Dashed"))
                               ? QStringLiteral("border: 1px ") + s.scrollerBorderStyle + QStringLiteral(" black;")
                               : QStringLiteral("border: 1px ") + s.scrollerBorderStyle + QStringLiteral(";");
    const QString background = s.scrollerBgStyle == QLatin1String("Solid")
                                   ? QStringLiteral("background-color: #") + s.pickers[7].text + QStringLiteral(";")
                                   : QString();

    QStringList lines{
        QStringLiteral("<html>"), QStringLiteral("<head>"), QStringLiteral("<style>"),
        QStringLiteral("#maindate{"), QStringLiteral("width: 400px;"), QStringLiteral("height: 50px;"),
        QStringLiteral("font-family: ") + cssFamily(mdFont) + QStringLiteral(";"),
        QStringLiteral("font-size: ") + mdSize + QStringLiteral("px;"), styleCss(mdStyle),
        QStringLiteral("color: #") + mdColour + QStringLiteral("; }"),
        QStringLiteral("#cdate{"), QStringLiteral("width: ") + QString::number(ndWidth) + QStringLiteral("px;"),
        QStringLiteral("font-family: ") + cssFamily(ndFont) + QStringLiteral(";"),
        QStringLiteral("font-size: ") + ndSize + QStringLiteral("px;"), styleCss(ndStyle),
        QStringLiteral("color: #") + ndColour + QStringLiteral("; }"),
        QStringLiteral("#cdate1{"),
        QStringLiteral("width: ") + QString::number(importantWidth) + QStringLiteral("px;"),
        QStringLiteral("font-family: ") + cssFamily(ndFont) + QStringLiteral(";"),
        QStringLiteral("font-size: ") + ndSize + QStringLiteral("px;"), styleCss(ndStyle),
        QStringLiteral("color: #") + ndColour + QStringLiteral("; }"),
        QStringLiteral("#menuIn{"), border, QStringLiteral("border-top: 0px solid black;"), background,
        QStringLiteral("width: ") + QString::number(scWidth) + QStringLiteral("px;"),
        QStringLiteral("font-family: \"") + cssText(scFont) + QStringLiteral("\";"),
        QStringLiteral("font-size: ") + scSize + QStringLiteral("px;"),
        QStringLiteral("color: #") + scColour + QStringLiteral(";"), styleCss(scStyle),
        QStringLiteral("line-height:20px; }"),
        QStringLiteral("#menuIn1{"), border, QStringLiteral("border-bottom: 0px solid black;"), background,
        QStringLiteral("width: ") + QString::number(scWidth) + QStringLiteral("px;"),
        QStringLiteral("font: 12px \"Times New Roman\";"), QStringLiteral("color: #0000FF;"),
        QStringLiteral("line-height:20px; }"),
        QStringLiteral("</style>"), QStringLiteral("<script>"), QStringLiteral("function changeColor(n){"),
        QStringLiteral("if (n==0){"),
        QStringLiteral("document.all.cdate.style.color=\"") + rollover + QStringLiteral("\"}"),
        QStringLiteral("else{document.all.cdate.style.color=\"") + ndColour + QStringLiteral("\"}}"),
        QString()};

    // A function whose last line has no line end leaves "</script>" on that same line.
    QString scriptEnd = QStringLiteral("</script>");
    if (s.animate) {
        QStringList fn = animationFunction(s.animation, ndColour, important);
        if (!fn.isEmpty()) {
            scriptEnd = fn.takeLast() + scriptEnd;
            lines << fn;
        }
    }
    lines << scriptEnd << QStringLiteral("</head>") << QString();

    if (s.showBlock[3] && s.backgroundKind == QLatin1String("Picture"))
        lines << QStringLiteral("<BODY background=\"") + markupText(s.backgroundPicture) + QStringLiteral("\" scroll=no>");
    else if (s.showBlock[3])
        lines << QStringLiteral("<BODY bgcolor=\"") + s.pickers[4].text + QStringLiteral("\" scroll=no>");
    else
        lines << QStringLiteral("<BODY scroll=no>");

    if (s.showBlock[0])
        lines << QStringLiteral("<div id=maindate ") + effectAttribute(s) + QStringLiteral(">") + mdText
                     + QStringLiteral("</div>");

    const QString sampleAnchor = QStringLiteral(" onmouseover=\"changeColor(0)\" onmouseout=\"changeColor(1)\" "
                                                "onclick=\"alert('")
                                 + product::kContactEmail + QStringLiteral("')\"");
    if (s.showBlock[1]) {
        bool ok = false;
        const double opacity = s.ndOpacity.trimmed().toDouble(&ok);
        const QString open = (ok && opacity == 100)
                                 ? QStringLiteral("<div id=cdate>")
                                 : QStringLiteral("<div id=cdate style=\"filter: Alpha(Opacity:") + s.ndOpacity
                                       + QStringLiteral(")\">");
        lines << open + anchorOpen(QStringLiteral(" style=\"cursor:hand\"") + sampleAnchor + QStringLiteral(">"))
                     + sampleLine + QStringLiteral("</a></div><br>");
    }

    // Text after the body's last line end; "</body>" continues it.
    QString tail;
    if (s.showBlock[2]) {
        // The roll-over script looks for "cdate": give it an element even without the block.
        const QString header = QStringLiteral("<div id=menuIn1><u>This Month</u></div>");
        lines << (s.showBlock[1] ? header : QStringLiteral("<div id=cdate></div>") + header);
        lines << QStringLiteral("<div id=menuIn>") + anchorOpen(sampleAnchor + QStringLiteral(" style=\"cursor:hand\">"))
                     + sampleLine + QStringLiteral("</a></div><br>");
    }
    if (r.importantExists) {
        tail = QStringLiteral("<div id=cdate1 style=\"color: ") + ndColour + QStringLiteral("; filter: Alpha(Opacity:")
               + s.ndOpacity + QStringLiteral(")\">")
               + anchorOpen(QStringLiteral(" style=\"cursor:hand\" onclick=\"alert('") + product::kContactEmail
                            + QStringLiteral("')\">"))
               + importantLine + QStringLiteral("</a></div>");
        if (s.animate)
            tail += intervalScript(s.animation);
    }
    lines << tail + QStringLiteral("</body>") << QStringLiteral("</html>");

    return lines.join(kCrLf) + kCrLf;
}

QString previewFilePath(const QString &programDir, const QString &cacheDir)
{
    const QFileInfo dir(programDir);
    if (!programDir.isEmpty() && dir.isDir() && dir.isWritable())
        return QDir(programDir).filePath(kPreviewFileName);
    return QDir(cacheDir).filePath(kPreviewFileName);
}

bool writePreviewFile(const QString &path, const QString &text, QString *error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("cannot create folder %1").arg(folder);
        return false;
    }
    return writeFileAtomic(path, encodeText(text), error);
}

void removePreviewFiles(const QString &programDir, const QString &cacheDir)
{
    for (const QString &dir : {programDir, cacheDir})
        if (!dir.isEmpty())
            QFile::remove(QDir(dir).filePath(kPreviewFileName));
}

} // namespace dw
