#include "platform/qt/QtFontCatalog.h"

#include "platform/linux/FontconfigFaces.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace dw {

QStringList QtFontCatalog::families() const
{
    QStringList list;
    for (const QString &family : QFontDatabase::families())
        list << plainFontFamily(family);
    list.removeDuplicates();
    list.sort(Qt::CaseInsensitive);
    return list;
}

namespace {

// Unhinted advances scale linearly with the size, as a browser lays text out. Measuring at a
// large whole size and scaling keeps fractional sizes such as 14.67 px exact; the font engine
// would otherwise round the size to a whole pixel.
constexpr int kReference = 1000;

// Characters the pair table takes: Latin-1 and Latin Extended-A/B. Everything else (other
// scripts, marks, emoji, surrogates) is measured by the font engine as a whole.
constexpr char16_t kTableEnd = 0x250;
constexpr int32_t kUnknown = std::numeric_limits<int32_t>::min();
constexpr int32_t kRefused = kUnknown + 1;

// How many of the widest texts by the table are measured again by the font engine before the
// table's answer is taken.
constexpr size_t kChecked = 8;

QFont referenceFont(const QString &family, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(kReference);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

// One family and style at the reference size. The font engine keeps no glyphs at that size, so
// a measurement loads every glyph of the text again, which made a page of 100,000 events take
// seconds. Widths are whole 1/64 px at the reference size, and for plain Latin text the shaper
// only adds pair kerning, so a text's width is the sum of the widths of its adjacent character
// pairs less the widths of the characters each two pairs share. Pairs are measured by the font
// engine once each; a pair the shaper turns into other glyphs (a ligature) is refused, and so is
// every text containing it.
struct QtFontCatalog::Face {
    QFont font;
    QFontMetricsF metrics;
    QRawFont raw;
    std::vector<int32_t> singles;
    std::vector<int32_t> pairs;
    bool trusted = true; // cleared when a check finds the table off

    explicit Face(const QFont &f) : font(f), metrics(f), raw(QRawFont::fromFont(f)) {}

    double exact(const QString &text) const { return metrics.horizontalAdvance(text); }

    // The font engine's width in 1/64 px at the reference size; refused when not a whole number
    // of those, which the table could not add up exactly.
    int32_t measured(const QString &text) const
    {
        const double w = metrics.horizontalAdvance(text);
        const double units = w * 64;
        if (!(units >= 0 && units < 1e9) || std::round(units) != units)
            return kRefused;
        return int32_t(units);
    }

    int32_t single(char16_t c)
    {
        if (singles.empty())
            singles.assign(kTableEnd, kUnknown);
        int32_t &w = singles[c];
        if (w == kUnknown) {
            const QChar ch(c);
            const QChar::Script script = ch.script();
            const bool plain = c >= 0x20 && c != 0x7f && (c < 0x80 || c > 0xa0) && c != 0xad
                               && !ch.isMark() && ch.category() != QChar::Other_Format
                               && (script == QChar::Script_Latin || script == QChar::Script_Common)
                               && raw.supportsCharacter(ch);
            w = plain ? measured(QString(ch)) : kRefused;
        }
        return w;
    }

    int32_t pair(char16_t a, char16_t b)
    {
        if (pairs.empty())
            pairs.assign(size_t(kTableEnd) * kTableEnd, kUnknown);
        int32_t &w = pairs[size_t(a) * kTableEnd + b];
        if (w == kUnknown) {
            const QChar both[] = {QChar(a), QChar(b)};
            const QString text(both, 2);
            w = unsubstituted(text) ? measured(text) : kRefused;
        }
        return w;
    }

    // Whether the shaper draws the text with the font's own glyph for each character.
    bool unsubstituted(const QString &text) const
    {
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        return runs.size() == 1 && runs[0].rawFont().familyName() == raw.familyName()
               && runs[0].glyphIndexes() == raw.glyphIndexesForString(text);
    }

    std::optional<int64_t> table(const QString &text)
    {
        const qsizetype n = text.size();
        if (n == 0)
            return 0;
        const char16_t *u = reinterpret_cast<const char16_t *>(text.utf16());
        for (qsizetype i = 0; i < n; ++i)
            if (u[i] >= kTableEnd || single(u[i]) == kRefused)
                return std::nullopt;
        if (n == 1)
            return single(u[0]);
        int64_t sum = 0;
        for (qsizetype i = 0; i + 1 < n; ++i) {
            const int32_t p = pair(u[i], u[i + 1]);
            if (p == kRefused)
                return std::nullopt;
            sum += p;
            if (i > 0)
                sum -= single(u[i]);
        }
        return sum;
    }
};

QtFontCatalog::QtFontCatalog() = default;
QtFontCatalog::~QtFontCatalog() = default;

QtFontCatalog::Face &QtFontCatalog::face(const QString &family, bool bold, bool italic) const
{
    // Building the font and its metrics costs more than measuring one row, and a page measures
    // every event in the same font.
    const QString key = family + (bold ? u'b' : u'-') + (italic ? u'i' : u'-');
    auto it = m_faces.find(key);
    if (it == m_faces.end())
        it = m_faces.emplace(key, std::make_unique<Face>(referenceFont(family, bold, italic))).first;
    return *it->second;
}

double QtFontCatalog::textWidth(const QString &family, double pixelSize, bool bold, bool italic,
                                const QString &text) const
{
    return face(family, bold, italic).metrics.horizontalAdvance(text) * pixelSize / kReference;
}

std::optional<double> QtFontCatalog::tableWidth(const QString &family, double pixelSize, bool bold,
                                                bool italic, const QString &text) const
{
    const std::optional<int64_t> w = face(family, bold, italic).table(text);
    if (!w)
        return std::nullopt;
    return double(*w) / 64 * pixelSize / kReference;
}

double QtFontCatalog::widestTextWidth(const QString &family, double pixelSize, bool bold, bool italic,
                                      const std::vector<QString> &texts) const
{
    Face &f = face(family, bold, italic);
    double widest = 0;
    std::vector<std::pair<int64_t, size_t>> tabled;
    tabled.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::optional<int64_t> w = f.trusted ? f.table(texts[i]) : std::nullopt;
        if (w)
            tabled.emplace_back(*w, i);
        else
            widest = std::max(widest, f.exact(texts[i]));
    }
    // The widest texts by the table are measured again: should a font shape plain text in a way
    // the table does not know, its rows are measured one by one from then on.
    const size_t checked = std::min(kChecked, tabled.size());
    std::partial_sort(tabled.begin(), tabled.begin() + checked, tabled.end(), std::greater<>());
    for (size_t i = 0; i < checked && f.trusted; ++i)
        f.trusted = f.exact(texts[tabled[i].second]) == double(tabled[i].first) / 64;
    if (f.trusted) {
        if (checked > 0)
            widest = std::max(widest, double(tabled[0].first) / 64);
    } else {
        for (const auto &[w, i] : tabled)
            widest = std::max(widest, f.exact(texts[i]));
    }
    // The widest reference width, scaled once: scaling is monotonic, so this is the widest of
    // the scaled widths bit for bit.
    return widest * pixelSize / kReference;
}

std::vector<FontFace> QtFontCatalog::faces() const
{
    return fontconfigFaces();
}

QString QtFontCatalog::substitute(const QString &family) const
{
    return fontconfigMatch(family);
}

} // namespace dw
