#pragma once

#include <QString>

namespace dw {

// The page is pure ASCII so that it reads the same whatever character set the renderer assumes
// (the head declares "x-user-defined"). Each helper leaves plain ASCII text without special
// characters exactly as it is, so ordinary pages are byte for byte unchanged.

// For the inside of a script string delimited by `quote`: the quote and "\" are escaped, "<",
// controls and non-ASCII characters become \uXXXX, so the text can neither close the script
// element nor open a comment in it. The script receives the text unchanged.
QString jsText(const QString &text, QChar quote = QLatin1Char('"'));

// For text that the page script writes into the document (document.write, innerHTML): "&" and
// "<" become &amp; and &lt;, and in a double-quoted attribute value the quote becomes &quot; as
// well, so the renderer shows the characters instead of reading markup. Goes into
// the script through jsText; other characters stay for jsText to escape.
QString writtenText(const QString &text, bool inAttribute = false);

// For markup text and double-quoted attribute values written straight into the page: "&", "<"
// and the double quote become &amp;, &lt; and &quot;, non-ASCII and control characters numeric
// character references.
QString markupText(const QString &text);

// A font family for a style rule: a plain name (letters, digits, blanks, "-", "_") as it is,
// anything else as a double-quoted string through cssText.
QString cssFamily(const QString &name);

// For a double-quoted CSS string inside the style element: CSS hex escapes for non-ASCII,
// controls, the quote, "\" and "<".
QString cssText(const QString &text);

} // namespace dw
