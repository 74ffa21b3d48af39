#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace dw {

// One installed font face, as the template export needs it.
struct FontFace {
    QString name; // "Family Style", e.g. "DejaVu Sans Bold"
    QString file; // full path of the font file
};

class FontCatalog {
public:
    virtual ~FontCatalog() = default;
    // Installed family names, sorted, no duplicates.
    virtual QStringList families() const = 0;
    // Width in pixels of text drawn in the named font at a pixel size; the font need not be
    // installed (the system substitutes, as a browser would).
    virtual double textWidth(const QString &family, double pixelSize, bool bold, bool italic,
                             const QString &text) const = 0;
    // Every installed face with its file.
    virtual std::vector<FontFace> faces() const = 0;
};

} // namespace dw
