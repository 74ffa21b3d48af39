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
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (!plain(c)) {
            // UTF-16 units: a character beyond the basic plane becomes its surrogate pair,
            // which a script string joins back together.
            appendHex4(out, c);
        } else if (c == '\\' || c == quote.unicode()) {
            out += QLatin1Char('\\');
            out += QChar(c);
        } else if (c == '<' && i + 1 < n && (text.at(i + 1) == QLatin1Char('/') || text.at(i + 1) == QLatin1Char('!'))) {
            out += QLatin1Char('<');
            out += QLatin1Char('\\');
        } else {
            out += QChar(c);
        }
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

} // namespace dw
