#include "page/OutputWarnings.h"

#include <QFileInfo>

namespace dw {

namespace {

// A setting read as a number the lenient way: leading digits count, anything unreadable is 0.
double numberOf(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype end = 0;
    if (end < t.size() && (t.at(end) == QLatin1Char('-') || t.at(end) == QLatin1Char('+')))
        ++end;
    while (end < t.size() && (t.at(end).isDigit() || t.at(end) == QLatin1Char('.')))
        ++end;
    return t.left(end).toDouble();
}

// Colours compare by value, so "FF0000" and "ff0000" are the same colour.
qint64 colourValue(const QString &text)
{
    bool ok = false;
    const qint64 v = text.toLongLong(&ok, 16);
    return ok ? v : -1;
}

bool sameColour(const ColourPicker &a, const ColourPicker &b)
{
    return colourValue(a.text) == colourValue(b.text);
}

} // namespace

QString outputWarnings(const SettingsModel &s)
{
    QString text;
    int counter = 1;
    auto add = [&](const QString &warning, bool lineEnd = true) {
        text += QString::number(counter++) + warning;
        if (lineEnd)
            text += QStringLiteral("\r\n\r\n");
    };
    const double mdOpacity = numberOf(s.mdOpacity);
    const double ndOpacity = numberOf(s.ndOpacity);
    const auto &pick = s.pickers;

    if (!s.showBlock[0] || mdOpacity == 0)
        add(QStringLiteral(") Main Date will not be displayed.\r\n    (Reason: Either you have not checked Main Date "
                           "option in Format or Opacity is 0 in Effects.)"));
    else if (mdOpacity < 26 || (sameColour(pick[0], pick[4]) && s.mdEffect == QLatin1String("None")))
        add(QStringLiteral(") Main Date may not be displayed properly. \r\n    (Reason: Main Date colour = Background "
                           "colour in Format or Opacity in Effects is less than 26.)"));
    if (!s.showBlock[1] || ndOpacity == 0)
        add(QStringLiteral(") Name-Date will not be displayed.\r\n    (Reason: Either you have not checked Name-Date "
                           "option in Format or Opacity is 0 in Effects.)"));
    else if (ndOpacity < 26 || sameColour(pick[1], pick[4]))
        add(QStringLiteral(") Name-Date may not be displayed properly.\r\n    (Reason: Opacity in Effects is less than "
                           "26 or Name-Date colour = Background-colour.)"));
    if (!s.showBlock[2] || sameColour(pick[2], pick[7]))
        add(QStringLiteral(") Scroller will not be displayed.\r\n    (Reason: You have not selected Scroller option in "
                           "Format.)"));
    if (s.backgroundKind == QLatin1String("Picture") && !QFileInfo(s.backgroundPicture).isFile())
        add(QStringLiteral(") Background image file does not exist."));
    if (sameColour(pick[1], pick[3]) && !s.animate)
        add(QStringLiteral(") Marked Important events will not be displayed properly.\r\n    (Reason: Colour of "
                           "Important and colour of Name-Date are same. Also you have not selected           Animate "
                           "option in Format.)"));
    if (numberOf(s.remindBefore) == 1)
        add(QStringLiteral(") You will be reminded ON the day of the event.\r\n    (Reason: You have selected 'Remind "
                           "me \"1\" day before an event' in Format.)"));
    if (numberOf(s.taskbarHeight) == 0)
        add(QStringLiteral(") Taksbar height is 0. If you don't know the height of taskbar then set it to 35."), false);
    return text;
}

} // namespace dw
