#include "page/PageContext.h"

#include "core/settings/SettingsLists.h"
#include "page/PageEscape.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace dw {

namespace {

const QStringList &mainDateStyles()
{
    static const QStringList list{
        QStringLiteral("dd/MM/yyyy"), QStringLiteral("dd/MM/yy"), QStringLiteral("MM/dd/yyyy"),
        QStringLiteral("MM/dd/yy"), QStringLiteral("yyyy/MM/dd"), QStringLiteral("yy/MM/dd"),
        QStringLiteral("dddd, MMMM dd, yyyy"), QStringLiteral("dddd, dd MMMM, yyyy"),
        QStringLiteral("MMMM dd, yyyy"), QStringLiteral("dd MMMM, yyyy")};
    return list;
}

int indexIn(const QStringList &list, const QString &value, int limit)
{
    const int i = static_cast<int>(list.indexOf(value));
    return i >= 0 && i < limit ? i : 0;
}

// Settings that end up as numbers in the page script must be numbers; anything else would
// leave the page with broken script.
bool requireNumber(const QString &key, const QString &value, int *out, QString *error)
{
    bool ok = false;
    const int v = value.toInt(&ok);
    if (!ok) {
        *error = QStringLiteral("The setting %1 holds \"%2\", which is not a whole number.").arg(key, value);
        return false;
    }
    if (out)
        *out = v;
    return true;
}

// The opacity and taskbar boxes keep plain decimal numbers, fractions included ("50.5", "100.0");
// they go into the script as typed, so a number is all they may hold.
bool requireDecimal(const QString &key, const QString &value, QString *error)
{
    static const QRegularExpression decimal(QStringLiteral("^(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)$"));
    if (decimal.match(value).hasMatch())
        return true;
    *error = QStringLiteral("The setting %1 holds \"%2\", which is not a number.").arg(key, value);
    return false;
}

// Colours go into style rules, script strings and an unquoted font attribute; only the pickers'
// six hex digits are safe in all of them. Loading never yields anything else.
bool requireColours(const SettingsModel &s, QString *error)
{
    static const char *const keys[8] = {"MainDateFontColour", "NameDateFontColour", "ScrollerFontColour",
                                        "ImportantColour", "Background", "MDEffectColor", "NDRollover",
                                        "ScrollerBgColour"};
    static const QRegularExpression hex(QStringLiteral("^[0-9a-fA-F]{6}$"));
    for (size_t i = 0; i < s.pickers.size(); ++i) {
        if (!hex.match(s.pickers[i].text).hasMatch()) {
            *error = QStringLiteral("The setting %1 holds \"%2\", which is not a colour.")
                         .arg(QLatin1String(keys[i]), s.pickers[i].text);
            return false;
        }
    }
    if (!lists::borderStyles().contains(s.scrollerBorderStyle)) {
        *error = QStringLiteral("The setting ScrollerBorderStyle holds \"%1\", which is not a border style.")
                     .arg(s.scrollerBorderStyle);
        return false;
    }
    return true;
}

int percent(double marker, double extent)
{
    const float v = static_cast<float>(marker) * 100.0f / static_cast<float>(extent);
    return static_cast<int>(std::lrint(v)); // default rounding: halves to even
}

// Position of `value` in one of the fixed lists, 0 when it is not there.
int mainDateStyleIndex(const QString &value) { return indexIn(mainDateStyles(), value, 10); }
int nameDateStyleIndex(const QString &value) { return indexIn(mainDateStyles(), value, 6); }

int effectIndex(const QString &value)
{
    static const QStringList list{QStringLiteral("None"), QStringLiteral("Blur"), QStringLiteral("Drop Shadow"),
                                  QStringLiteral("Glow"), QStringLiteral("Spooky Shadow")};
    return indexIn(list, value, 5);
}

} // namespace

QString fontStyleDeclaration(const QString &style)
{
    if (style == QLatin1String("Bold"))
        return QStringLiteral("font-weight: bold;");
    if (style == QLatin1String("Italic"))
        return QStringLiteral("font-style: italic;");
    if (style == QLatin1String("Bold-Ita"))
        return QStringLiteral("font-weight: bold;\r\nfont-style: italic;");
    return {};
}

int topPercent(double markerTop) { return percent(markerTop, kFrameHeight - 120); }
int leftPercent(double markerLeft) { return percent(markerLeft, kFrameWidth); }

QString separatorText(const QString &sep)
{
    if (sep == QLatin1String("-"))
        return QStringLiteral(" - ");
    if (sep == QLatin1String(","))
        return QStringLiteral(", ");
    return sep;
}

QString nameDateText(const QString &date, int style, const QString &sep)
{
    const QStringView d(date);
    const QStringView dd = d.mid(0, 2), mm = d.mid(3, 2), yyyy = d.mid(6, 4), yy = d.mid(8, 2);
    QString t;
    t.reserve(16);
    auto join = [&](QStringView a, QStringView b, QStringView c) {
        t += a;
        t += sep;
        t += b;
        t += sep;
        t += c;
    };
    switch (style) {
    case 1: join(dd, mm, yy); break;
    case 2: join(mm, dd, yyyy); break;
    case 3: join(mm, dd, yy); break;
    case 4: join(yyyy, mm, dd); break;
    case 5: join(yy, mm, dd); break;
    default: join(dd, mm, yyyy); break;
    }
    return t;
}

QString shownNameDateText(const QString &date, const SettingsModel &s)
{
    return nameDateText(date, nameDateStyleIndex(s.ndDateStyle), separatorText(s.ndDateSep));
}

bool isStoredDateForm(const QString &date)
{
    if (date.size() != 10 || date.at(2) != QLatin1Char('/') || date.at(5) != QLatin1Char('/'))
        return false;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!date.at(i).isDigit() || date.at(i).unicode() > '9')
            return false;
    return true;
}

std::optional<PageContext> PageContext::build(const PageInput &in, QString *error)
{
    const SettingsModel &s = in.settings;
    PageContext c(in);
    QString ignored;
    QString &err = error ? *error : ignored;

    if (!requireNumber(QStringLiteral("RemindBefore"), s.remindBefore, &c.remindDays, &err)
        || !requireDecimal(QStringLiteral("MDOpacity"), s.mdOpacity, &err)
        || !requireDecimal(QStringLiteral("NDOpacity"), s.ndOpacity, &err)
        || !requireDecimal(QStringLiteral("TaskbarHeight"), s.taskbarHeight, &err)
        || !requireNumber(QStringLiteral("MainDateFontSize"), s.fontSizes[0], nullptr, &err)
        || !requireNumber(QStringLiteral("NameDateFontSize"), s.fontSizes[1], nullptr, &err)
        || !requireNumber(QStringLiteral("ScrollerFontSize"), s.fontSizes[2], nullptr, &err)
        || !requireColours(s, &err))
        return std::nullopt;
    for (const EventRecord &r : in.rows) {
        if (!isStoredDateForm(r.date)) {
            err = QStringLiteral("Invalid date found for ") + r.name;
            return std::nullopt;
        }
    }

    c.showMainDate = s.showBlock[0];
    c.showNameDate = s.showBlock[1];
    c.showScroller = s.showBlock[2];
    c.showBackground = s.showBlock[3];

    c.mainDateTop = topPercent(s.mainDateTop);
    c.mainDateLeft = leftPercent(s.mainDateLeft);
    c.nameDateTop = topPercent(s.nameDateTop);
    c.nameDateLeft = leftPercent(s.nameDateLeft);
    c.scrollerTop = topPercent(s.scrollerTop);

    c.mainDateStyleDecl = fontStyleDeclaration(s.fontStyles[0]);
    c.nameDateStyleDecl = fontStyleDeclaration(s.fontStyles[1]);
    c.scrollerStyleDecl = fontStyleDeclaration(s.fontStyles[2]);

    // The kind and its interval are settled even with animation off; only the switch decides
    // whether the page animates.
    const QString &kind = s.animation;
    if (kind == QLatin1String("Fade"))
        c.interval = QStringLiteral("1");
    else if (kind == QLatin1String("Blink") || kind == QLatin1String("ColourBlink"))
        c.interval = QStringLiteral("500");
    else if (kind == QLatin1String("Glow"))
        c.interval = QStringLiteral("200");
    if (s.animate && !c.interval.isEmpty()) {
        c.animate = true;
        c.animationKind = kind;
        c.wrapImportant = kind == QLatin1String("Fade") || kind == QLatin1String("Blink");
    }

    c.currentYear = in.now.date().year();
    c.mainDateStyle = mainDateStyleIndex(s.mdDateStyle);
    c.nameDateStyle = nameDateStyleIndex(s.ndDateStyle);
    c.mainDateSep = jsText(writtenText(separatorText(s.mdDateSep)), QLatin1Char('\''));
    c.nameDateSep = jsText(writtenText(separatorText(s.ndDateSep)));

    c.effect = effectIndex(s.mdEffect);
    if (c.effect != 0) {
        c.effectX = QStringLiteral("7");
        c.effectY = QStringLiteral("3");
        c.effectZ = QStringLiteral("13");
    }
    return c;
}

} // namespace dw
