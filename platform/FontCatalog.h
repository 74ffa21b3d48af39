#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace dw {

// One installed font face, as the template export needs it.
struct FontFace {
    QString name; // "Family Style", e.g. "DejaVu Sans Bold"
    QString file; // full path of the font file
};

// The family name a page and a renderer can match: the font database tells apart families that
// several foundries make as "Nimbus Sans [urw]"; the bracketed foundry is dropped.
QString plainFontFamily(const QString &name);

class FontCatalog {
public:
    virtual ~FontCatalog() = default;
    // Installed family names, sorted, no duplicates.
    virtual QStringList families() const = 0;
    // Width in pixels of text drawn in the named font at a pixel size; the font need not be
    // installed (the system substitutes, as a browser would).
    virtual double textWidth(const QString &family, double pixelSize, bool bold, bool italic,
                             const QString &text) const = 0;
    // The widest of textWidth over texts (0 for none); catalogs may measure them side by side.
    virtual double widestTextWidth(const QString &family, double pixelSize, bool bold, bool italic,
                                   const std::vector<QString> &texts) const
    {
        double widest = 0;
        for (const QString &t : texts)
            widest = std::max(widest, textWidth(family, pixelSize, bold, italic, t));
        return widest;
    }
    // Every installed face with its file.
    virtual std::vector<FontFace> faces() const = 0;
    // The family fontconfig shows for a requested one (the family itself when installed).
    virtual QString substitute(const QString &family) const = 0;
};

} // namespace dw
