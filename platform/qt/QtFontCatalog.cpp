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
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setItalic(italic);
    return QFontMetricsF(font).horizontalAdvance(text);
}

std::vector<FontFace> QtFontCatalog::faces() const
{
    return fontconfigFaces();
}

} // namespace dw
