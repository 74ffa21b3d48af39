#pragma once

#include "platform/FontCatalog.h"

#include <QFontMetricsF>
#include <map>

namespace dw {

// Families and measurements from Qt (needs a QGuiApplication); faces from fontconfig.
class QtFontCatalog final : public FontCatalog {
public:
    QStringList families() const override;
    double textWidth(const QString &family, double pixelSize, bool bold, bool italic,
                     const QString &text) const override;
    double widestTextWidth(const QString &family, double pixelSize, bool bold, bool italic,
                           const std::vector<QString> &texts) const override;
    std::vector<FontFace> faces() const override;

private:
    const QFontMetricsF &metrics(const QString &family, bool bold, bool italic) const;
    mutable std::map<QString, QFontMetricsF> m_metrics; // by family and style
};

} // namespace dw
