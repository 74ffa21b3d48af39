#include "page/PageEscape.h"

#include <QList>

namespace dw {

namespace {

bool plain(char16_t c)
{
    return c >= 0x20 && c < 0x7f;
}

void appendHex4(QString &out, char16_t c)
{
    static const char digits[] = "0123456789abcdef";
    out += QLatin1String("\\u");
    for (int shift = 12; shift >= 0; shift -= 4)
        out += QLatin1Char(digits[(c >> shift) & 0xf]);
}

} // namespace

QString jsText(const QString &text, QChar quote)
{
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (!plain(c)) {
            // UTF-16 units: a character beyond the basic plane becomes its surrogate pair,
            // which a script string joins back together.
            appendHex4(out, c);
        } else if (c == '\\' || c == quote.unicode()) {
            out += QLatin1Char('\\');
            out += QChar(c);
        } else if (c == '<') {
            // Never a "<" in the script's own text: it can neither end the script element nor
            // open a comment there, and none of the list's text reads as markup in the file.
            appendHex4(out, c);
        } else {
            out += QChar(c);
        }
    }
    return out;
}

QString writtenText(const QString &text, bool inAttribute)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            out += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            out += QLatin1String("&lt;");
        else if (c == QLatin1Char('"') && inAttribute)
            out += QLatin1String("&quot;");
        else
            out += c;
    }
    return out;
}

QString markupText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const uint cp : text.toUcs4()) {
        if (cp == '"')
            out += QLatin1String("&quot;");
        else if (cp == '&')
            out += QLatin1String("&amp;");
        else if (cp == '<')
            out += QLatin1String("&lt;");
        else if (cp >= 0x20 && cp < 0x7f)
            out += QChar(char16_t(cp));
        else
            out += QLatin1String("&#") + QString::number(cp) + QLatin1Char(';');
    }
    return out;
}

QString cssText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const uint cp : text.toUcs4()) {
        if (cp >= 0x20 && cp < 0x7f && cp != '"' && cp != '\\' && cp != '<')
            out += QChar(char16_t(cp));
        else
            // The trailing space ends the escape so a following hex digit is not swallowed.
            out += QLatin1Char('\\') + QString::number(cp, 16) + QLatin1Char(' ');
    }
    return out;
}

QString cssFamily(const QString &name)
{
    // Unquoted, every word must read as a CSS identifier: it starts with a letter or "_".
    bool plainName = !name.isEmpty();
    bool wordStart = true;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool letter = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_';
        const bool digit = (u >= '0' && u <= '9') || u == '-';
        if (u == ' ') {
            wordStart = true;
            continue;
        }
        if (!(letter || (digit && !wordStart))) {
            plainName = false;
            break;
        }
        wordStart = false;
    }
    return plainName ? name : QLatin1Char('"') + cssText(name) + QLatin1Char('"');
}

} // namespace dw
