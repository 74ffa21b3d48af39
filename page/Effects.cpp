#include "page/PageEscape.h"
#include "page/PageSections.h"

#include <QLocale>

namespace dw {

QString effectFilterLine(const PageContext &c)
{
    const SettingsModel &s = c.s;
    const QChar q = QLatin1Char('\'');
    const QString opacity = jsText(s.mdOpacity, q);
    const QString colour = jsText(s.pickers[5].text, q);
    switch (c.effect) {
    case 1:
        return "m.style.filter = 'Blur(Add=1,Direction=" + jsText(s.blurDirection, q) + ",Strength="
               + jsText(s.blurStrength, q) + "); Alpha (Opacity = " + opacity + ")';";
    case 2:
        return "m.style.filter = 'DropShadow(Color= #" + colour + ",OffX=" + jsText(s.dropX, q) + ",OffY="
               + jsText(s.dropY, q) + ",Positive=1); Alpha (Opacity = " + opacity + ")';";
    case 3:
        return "m.style.filter = 'Glow(Color= #" + colour + ",Strength=" + jsText(s.glowStrength, q)
               + "); Alpha (Opacity = " + opacity + ")';";
    case 4:
        return "m.style.filter = 'Shadow (Color= #" + colour + ", Direction=" + jsText(s.spookyDirection, q)
               + "); Alpha (Opacity = " + opacity + ")';";
    default:
        if (QLocale::c().toDouble(s.mdOpacity) != 100) // "100.0" is full opacity too
            return "m.style.filter = 'Alpha (Opacity = " + opacity + ")';";
        return {};
    }
}

} // namespace dw
