#include "platform/qt/QtFontCatalog.h"

#include "platform/linux/FontconfigFaces.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>

namespace dw {

QStringList QtFontCatalog::families() const
{
    QStringList list = QFontDatabase::families();
    list.removeDuplicates();
    list.sort(Qt::CaseInsensitive);
    return list;
}

double QtFontCatalog::textWidth(const QString &family, double pixelSize, bool bold, bool italic,
                                const QString &text) const
{
    // Unhinted advances scale linearly with the size, as a browser lays text out. Measuring at
    // a large whole size and scaling keeps fractional sizes such as 14.67 px exact; the font
    // engine would otherwise round the size to a whole pixel.
    constexpr int kReference = 1000;
    const QString key = family + (bold ? u'b' : u'-') + (italic ? u'i' : u'-');
    auto it = m_metrics.find(key);
    if (it == m_metrics.end()) {
        // Building the font and its metrics costs more than measuring one row, and a page
        // measures every event in the same font.
        QFont font(family);
        font.setPixelSize(kReference);
        font.setBold(bold);
        font.setItalic(italic);
        font.setHintingPreference(QFont::PreferNoHinting);
        it = m_metrics.emplace(key, font).first;
    }
    return it->second.horizontalAdvance(text) * pixelSize / kReference;
}

std::vector<FontFace> QtFontCatalog::faces() const
{
    return fontconfigFaces();
}

} // namespace dw
