#include "platform/linux/FontconfigFaces.h"

#include <fontconfig/fontconfig.h>

namespace dw {

std::vector<FontFace> fontconfigFaces()
{
    std::vector<FontFace> out;
    FcConfig *config = FcInitLoadConfigAndFonts();
    if (!config)
        return out;
    FcPattern *pattern = FcPatternCreate();
    FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, nullptr);
    FcFontSet *set = FcFontList(config, pattern, objects);
    if (set) {
        out.reserve(static_cast<size_t>(set->nfont));
        for (int i = 0; i < set->nfont; ++i) {
            FcChar8 *family = nullptr;
            FcChar8 *style = nullptr;
            FcChar8 *file = nullptr;
            if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch
                || FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
                continue;
            QString name = QString::fromUtf8(reinterpret_cast<const char *>(family));
            if (FcPatternGetString(set->fonts[i], FC_STYLE, 0, &style) == FcResultMatch)
                name += QLatin1Char(' ') + QString::fromUtf8(reinterpret_cast<const char *>(style));
            out.push_back({name, QString::fromUtf8(reinterpret_cast<const char *>(file))});
        }
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return out;
}

QString fontconfigMatch(const QString &family)
{
    QString out;
    // The current configuration (loaded once, on first use), as the renderers see it.
    FcConfig *config = nullptr;
    FcPattern *pattern = FcPatternCreate();
    // The family goes in as a value, not parsed: names may hold '-', ':' or ','.
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.constData()));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern *match = FcFontMatch(config, pattern, &result)) {
        FcChar8 *matched = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch)
            out = QString::fromUtf8(reinterpret_cast<const char *>(matched));
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return out;
}

} // namespace dw
