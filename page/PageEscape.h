#pragma once

#include <QString>

namespace dw {

// The page is pure ASCII so that it reads the same whatever character set the renderer assumes
// (the head declares "x-user-defined"). Each helper leaves plain ASCII text without special
// characters exactly as it is, so ordinary pages are byte for byte unchanged.

// For the inside of a script string delimited by `quote`: the quote and "\" are escaped, "</"
// and "<!" are broken so they can neither close the script element nor open a comment in it,
// controls and non-ASCII characters become \uXXXX. Markup such as <b> keeps working because
// document.write receives the original characters.
QString jsText(const QString &text, QChar quote = QLatin1Char('"'));

// For markup text and double-quoted attribute values: non-ASCII and control characters become
// numeric character references, the double quote becomes &quot;.
QString markupText(const QString &text);

// For a double-quoted CSS string inside the style element: CSS hex escapes for non-ASCII,
// controls, the quote, "\" and "<".
QString cssText(const QString &text);

} // namespace dw
