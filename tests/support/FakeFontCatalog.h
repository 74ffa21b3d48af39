#pragma once

#include "platform/FontCatalog.h"

namespace dw::test {

// Fixed families and a predictable width: every character is `perChar` pixels at pixel size
// 10, scaling linearly with the size, plus 10 % for bold.
class FakeFontCatalog final : public FontCatalog {
public:
    QStringList familyList{QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"),
                           QStringLiteral("Times New Roman"), QStringLiteral("Verdana")};
    std::vector<FontFace> faceList;
    double perChar = 6;

    QStringList families() const override { return familyList; }
    double textWidth(const QString &, double pixelSize, bool bold, bool, const QString &text) const override
    {
        const double w = text.size() * perChar * pixelSize / 10.0;
        return bold ? w * 1.1 : w;
    }
    std::vector<FontFace> faces() const override { return faceList; }
    // What an uninstalled family falls back to.
    QString fallback = QStringLiteral("DejaVu Sans");
    QString substitute(const QString &family) const override
    {
        return familyList.contains(family) ? family : fallback;
    }
};

} // namespace dw::test
