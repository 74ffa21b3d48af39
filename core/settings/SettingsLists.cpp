#include "core/settings/SettingsLists.h"

#include <QLocale>
#include <cmath>

namespace dw {

namespace lists {

namespace {
QStringList range(int from, int to, int step = 1)
{
    QStringList out;
    for (int i = from; i <= to; i += step)
        out << QString::number(i);
    return out;
}
} // namespace

const QStringList &fontSizes(int row)
{
    static const QStringList mainDate{QStringLiteral("16"), QStringLiteral("17"), QStringLiteral("18"),
                                      QStringLiteral("20"), QStringLiteral("22"), QStringLiteral("24"),
                                      QStringLiteral("26")};
    static const QStringList other{QStringLiteral("12"), QStringLiteral("13"), QStringLiteral("14"),
                                   QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("17"),
                                   QStringLiteral("18"), QStringLiteral("20")};
    return row == 0 ? mainDate : other;
}

const QStringList &fontStyles()
{
    static const QStringList l{QStringLiteral("Regular"), QStringLiteral("Bold"), QStringLiteral("Italic"),
                               QStringLiteral("Bold-Ita")};
    return l;
}

const QStringList &effects()
{
    static const QStringList l{QStringLiteral("None"), QStringLiteral("Blur"), QStringLiteral("Drop Shadow"),
                               QStringLiteral("Glow"), QStringLiteral("Spooky Shadow")};
    return l;
}

const QStringList &strengths()
{
    static const QStringList l = range(1, 5);
    return l;
}

const QStringList &directions()
{
    static const QStringList l = range(0, 315, 45);
    return l;
}

const QStringList &dropOffsets()
{
    static const QStringList l = range(-3, 3);
    return l;
}

const QStringList &mainDateStyles()
{
    static const QStringList l{QStringLiteral("dd/MM/yyyy"),          QStringLiteral("dd/MM/yy"),
                               QStringLiteral("MM/dd/yyyy"),          QStringLiteral("MM/dd/yy"),
                               QStringLiteral("yyyy/MM/dd"),          QStringLiteral("yy/MM/dd"),
                               QStringLiteral("dddd, MMMM dd, yyyy"), QStringLiteral("dddd, dd MMMM, yyyy"),
                               QStringLiteral("MMMM dd, yyyy"),       QStringLiteral("dd MMMM, yyyy")};
    return l;
}

const QStringList &nameDateStyles()
{
    static const QStringList l = mainDateStyles().mid(0, 6);
    return l;
}

const QStringList &separators()
{
    static const QStringList l{QStringLiteral("/"), QStringLiteral("."), QStringLiteral("-"),
                               QStringLiteral("\\"), QStringLiteral(","), QStringLiteral(" ")};
    return l;
}

const QStringList &scrollerBgStyles()
{
    static const QStringList l{QStringLiteral("Solid"), QStringLiteral("Trans")};
    return l;
}

const QStringList &borderStyles()
{
    static const QStringList l{QStringLiteral("Solid"), QStringLiteral("Dotted"), QStringLiteral("Dashed"),
                               QStringLiteral("Groove"), QStringLiteral("Inset"), QStringLiteral("Outset"),
                               QStringLiteral("Ridge")};
    return l;
}

const QStringList &days()
{
    static const QStringList l = range(1, 25);
    return l;
}

const QStringList &backgroundKinds()
{
    static const QStringList l{QStringLiteral("Colour"), QStringLiteral("Picture")};
    return l;
}

const QStringList &positions()
{
    static const QStringList l{QStringLiteral("Custom"),        QStringLiteral("Top Left"),
                               QStringLiteral("Top Center"),    QStringLiteral("Top Right"),
                               QStringLiteral("Middle Left"),   QStringLiteral("Middle Center"),
                               QStringLiteral("Middle Right"),  QStringLiteral("Bottom Left"),
                               QStringLiteral("Bottom Center"), QStringLiteral("Bottom Right")};
    return l;
}

const QStringList &alignments()
{
    static const QStringList l{QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")};
    return l;
}

const QStringList &scrollerPresets()
{
    static const QStringList l{QStringLiteral("top"), QStringLiteral("middle"), QStringLiteral("bottom")};
    return l;
}

const QStringList &animations()
{
    static const QStringList l{QStringLiteral("Fade"), QStringLiteral("Blink"), QStringLiteral("ColourBlink"),
                               QStringLiteral("Glow")};
    return l;
}

} // namespace lists

bool setChoice(QString &field, const QStringList &list, const QString &value)
{
    if (!list.contains(value))
        return false;
    field = value;
    return true;
}

bool isAcceptableFontName(const QString &name)
{
    if (name.isEmpty() || name.size() > 255)
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

QString missingFontNote(const std::array<QString, 3> &fonts, const QStringList &installed,
                        const std::function<QString(const QString &)> &substitute)
{
    QStringList lines;
    QStringList seen;
    for (const QString &font : fonts) {
        const QString family = plainFontFamily(font);
        if (family.isEmpty() || seen.contains(family, Qt::CaseInsensitive)
            || installed.contains(family, Qt::CaseInsensitive))
            continue;
        seen << family;
        const QString shown = substitute(family);
        lines << (shown.isEmpty() ? family + QStringLiteral(" is not installed.")
                                  : family + QStringLiteral(" is not installed; ") + shown
                                        + QStringLiteral(" is shown instead."));
    }
    return lines.join(QLatin1Char('\n'));
}

QString colourText(quint32 value)
{
    const auto hex2 = [](quint32 part) { return QStringLiteral("%1").arg(part & 255, 2, 16, QLatin1Char('0')); };
    return (hex2(value) + hex2(value >> 8) + hex2(value >> 16)).toLower();
}

namespace {
bool allDecimalDigits(QStringView part)
{
    if (part.isEmpty())
        return false;
    for (const QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

int leadingHexValue(QStringView part)
{
    int value = 0;
    for (const QChar c : part) {
        const int digit = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}
} // namespace

std::optional<quint32> colourFromText(const QString &text)
{
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const QStringView part = QStringView(text).mid(qMin<qsizetype>(2 * i, text.size()), 2);
        parts[i] = leadingHexValue(part);
        if (!allDecimalDigits(part) && parts[i] == 0)
            return std::nullopt;
    }
    return rgbValue(parts[0], parts[1], parts[2]);
}

QString colourToolTip(quint32 value)
{
    return QStringLiteral("R:%1 G:%2 B:%3 or #%4")
        .arg(value & 255)
        .arg((value >> 8) & 255)
        .arg((value >> 16) & 255)
        .arg(colourText(value).toUpper());
}

namespace {
// Decimal digits with at most one point: what the boxes call numeric. Signs, exponents and
// blanks are not, so the page never receives a number it would have to guess at.
std::optional<double> plainNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > 32 || text.count(QLatin1Char('.')) > 1)
        return std::nullopt;
    bool digit = false;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = true;
        else if (c != QLatin1Char('.'))
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    return QLocale::c().toDouble(text);
}
} // namespace

QString correctedTaskbarHeight(const QString &text)
{
    static const QString fallback = QStringLiteral("35");
    const auto value = plainNumber(text);
    if (!value || text.startsWith(QLatin1Char('.')) || text.endsWith(QLatin1Char('.')) || *value > 65)
        return fallback;
    return text;
}

QString correctedOpacity(const QString &text)
{
    const auto value = plainNumber(text);
    if (!value || *value > 100 || *value < 0)
        return QStringLiteral("100");
    return text;
}

QString positionText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // never "-0"
    // Fixed notation: a tiny stored place must not come back as "1e-05".
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

std::optional<double> parsePosition(const QString &text, double axisLength)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(v) || v < 0 || v > axisLength)
        return std::nullopt;
    return v;
}

QString daysSentence(const QString &days)
{
    const QString gap(13, QLatin1Char(' '));
    return QStringLiteral("Remind me") + gap
        + (days == QLatin1String("1") ? QStringLiteral("day") : QStringLiteral("days"))
        + QStringLiteral(" before an event.");
}

} // namespace dw
