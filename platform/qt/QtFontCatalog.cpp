#include "platform/qt/QtFontCatalog.h"

#include "platform/linux/FontconfigFaces.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>
#include <thread>

namespace dw {

QStringList QtFontCatalog::families() const
{
    QStringList list = QFontDatabase::families();
    list.removeDuplicates();
    list.sort(Qt::CaseInsensitive);
    return list;
}

namespace {

// Unhinted advances scale linearly with the size, as a browser lays text out. Measuring at a
// large whole size and scaling keeps fractional sizes such as 14.67 px exact; the font engine
// would otherwise round the size to a whole pixel.
constexpr int kReference = 1000;

QFont referenceFont(const QString &family, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(kReference);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// At the reference size the font engine caches no glyphs, so each row costs a glyph load per
// character; long lists are measured on several threads, each with its own font.
constexpr size_t kRowsPerThread = 4000;
constexpr unsigned kMaxThreads = 4;

} // namespace

const QFontMetricsF &QtFontCatalog::metrics(const QString &family, bool bold, bool italic) const
{
    // Building the font and its metrics costs more than measuring one row, and a page measures
    // every event in the same font.
    const QString key = family + (bold ? u'b' : u'-') + (italic ? u'i' : u'-');
    auto it = m_metrics.find(key);
    if (it == m_metrics.end())
        it = m_metrics.emplace(key, QFontMetricsF(referenceFont(family, bold, italic))).first;
    return it->second;
}

double QtFontCatalog::textWidth(const QString &family, double pixelSize, bool bold, bool italic,
                                const QString &text) const
{
    return metrics(family, bold, italic).horizontalAdvance(text) * pixelSize / kReference;
}

double QtFontCatalog::widestTextWidth(const QString &family, double pixelSize, bool bold, bool italic,
                                      const std::vector<QString> &texts) const
{
    const size_t n = texts.size();
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t parts = std::min<size_t>({cores, kMaxThreads, std::max<size_t>(1, n / kRowsPerThread)});
    // The widest reference width, scaled once: scaling is monotonic, so this is the widest of
    // the scaled widths bit for bit.
    std::vector<double> widest(parts, 0.0);
    const auto measure = [&](size_t part, const QFontMetricsF &m) {
        for (size_t i = n * part / parts; i < n * (part + 1) / parts; ++i)
            widest[part] = std::max(widest[part], m.horizontalAdvance(texts[i]));
    };
    std::vector<std::thread> workers;
    for (size_t part = 1; part < parts; ++part)
        workers.emplace_back([&, part] { measure(part, QFontMetricsF(referenceFont(family, bold, italic))); });
    measure(0, metrics(family, bold, italic));
    for (std::thread &w : workers)
        w.join();
    return *std::max_element(widest.begin(), widest.end()) * pixelSize / kReference;
}

std::vector<FontFace> QtFontCatalog::faces() const
{
    return fontconfigFaces();
}

} // namespace dw
