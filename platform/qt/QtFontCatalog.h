#pragma once

#include "platform/FontCatalog.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace dw {

// Families and measurements from Qt (needs a QGuiApplication); faces from fontconfig.
class QtFontCatalog final : public FontCatalog {
public:
    QtFontCatalog();
    ~QtFontCatalog() override;
    QStringList families() const override;
    double textWidth(const QString &family, double pixelSize, bool bold, bool italic,
                     const QString &text) const override;
    double widestTextWidth(const QString &family, double pixelSize, bool bold, bool italic,
                           const std::vector<QString> &texts) const override;
    std::vector<FontFace> faces() const override;
    QString substitute(const QString &family) const override;

    // The width textWidth gives, worked out from the widths of the text's character pairs, or
    // nothing for a text outside what the pair table handles (see widestTextWidth).
    std::optional<double> tableWidth(const QString &family, double pixelSize, bool bold, bool italic,
                                     const QString &text) const;

private:
    struct Face;
    Face &face(const QString &family, bool bold, bool italic) const;
    mutable std::map<QString, std::unique_ptr<Face>> m_faces; // by family and style
};

} // namespace dw
