// Event texts and settings from outside bytes through the date check and the page writer: no
// crash, a pure-ASCII page, script strings that decode back to the text they came from, and no
// markup from the list: the page has exactly the "<" of the same list with plain texts.
#include "page/DateCheck.h"
#include "page/PageEscape.h"
#include "page/PageWriter.h"
#include "tests/support/FakeFontCatalog.h"

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cctype>
#include <cstdlib>

using namespace dw;

namespace {

// Reads a script string body back the way a script engine would (only the escapes jsText uses).
QString decodeJs(const QString &s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != QLatin1Char('\\')) {
            out += s[i];
            continue;
        }
        ++i;
        if (i < s.size() && s[i] == QLatin1Char('u')) {
            out += QChar(char16_t(s.mid(i + 1, 4).toUShort(nullptr, 16)));
            i += 4;
        } else if (i < s.size()) {
            out += s[i];
        }
    }
    return out;
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList fields = text.split(QLatin1Char('\n'));

    for (const QString &f : fields) {
        for (QChar quote : {QLatin1Char('"'), QLatin1Char('\'')}) {
            const QString js = jsText(f, quote);
            check(decodeJs(js) == f);
            check(!js.contains(QLatin1Char('<')));
            for (qsizetype i = 0; i < js.size(); ++i) {
                check(js[i].unicode() >= 0x20 && js[i].unicode() < 0x7f);
                if (js[i] == quote) {
                    qsizetype slashes = 0;
                    for (qsizetype j = i - 1; j >= 0 && js[j] == QLatin1Char('\\'); --j)
                        ++slashes;
                    check(slashes % 2 == 1);
                }
            }
        }
    }

    std::vector<EventRecord> rows;
    for (qsizetype i = 0; i + 4 < fields.size() && rows.size() < 50; i += 5)
        rows.push_back(EventRecord{fields[i], fields[i + 1], fields[i + 2], fields[i + 3].toInt(), fields[i + 4]});
    if (rewriteDates(rows) >= 0)
        rows.clear();
    if (rows.empty())
        rows.push_back(EventRecord{fields.value(0), QStringLiteral("29/02/2000")});

    SettingsModel s;
    s.fonts[2] = fields.value(1);
    s.backgroundPicture = fields.value(2);
    s.backgroundKind = QStringLiteral("Picture");
    s.pickers[2].text = fields.value(3);
    s.ndDateSep = fields.value(4);
    s.animate = true;
    s.animation = QStringLiteral("Glow");
    test::FakeFontCatalog fonts;
    const auto write = [&](const std::vector<EventRecord> &list) {
        return pageText(PageInput{list, s, fonts, QDateTime(QDate(2026, 2, 1), QTime(12, 0)), {}});
    };
    // Only the pickers' six hex digits are written; anything else is refused.
    const QString &picked = s.pickers[2].text;
    const bool colour = picked.size() == 6 && std::all_of(picked.begin(), picked.end(), [](QChar c) {
        return c.unicode() < 0x80 && std::isxdigit(c.unicode());
    });
    std::optional<QString> page = write(rows);
    check(page.has_value() == colour);
    if (!page) {
        s.pickers[2].text = QStringLiteral("0000ff");
        page = write(rows);
        check(page.has_value());
    }
    for (QChar ch : *page)
        check(ch.unicode() < 0x80);
    check(page->endsWith(QLatin1String("</html>")));

    std::vector<EventRecord> plain = rows;
    for (EventRecord &e : plain) {
        e.name = QStringLiteral("n");
        if (e.address != QLatin1String("-"))
            e.address = QStringLiteral("a");
    }
    const std::optional<QString> plainPage = write(plain);
    check(plainPage && page->count(QLatin1Char('<')) == plainPage->count(QLatin1Char('<'))
          && page->count(QLatin1String("</script")) == plainPage->count(QLatin1String("</script")));
    return 0;
}
