#pragma once

#include "core/settings/SettingsModel.h"

#include "platform/FontCatalog.h"

#include <array>
#include <functional>
#include <QString>
#include <QStringList>
#include <optional>

namespace dw {

// The store sections. "Preferences" holds program preferences that are not part of a look and
// never travel in settings files.
inline const QString kSettingsSection = QStringLiteral("Settings");
inline const QString kTempSection = QStringLiteral("TempSettings");
inline const QString kPreferencesSection = QStringLiteral("Preferences");

// Fixed lists of the settings controls. A value outside its list is refused.
namespace lists {
const QStringList &fontSizes(int row); // 0 Main Date, 1 Name-Date, 2 Scroller
const QStringList &fontStyles();       // Regular, Bold, Italic, Bold-Ita
const QStringList &effects();          // None, Blur, Drop Shadow, Glow, Spooky Shadow
const QStringList &strengths();        // 1..5 (blur and glow)
const QStringList &directions();       // 0, 45, ..., 315 (blur and spooky shadow)
const QStringList &dropOffsets();      // -3..3
const QStringList &mainDateStyles();   // ten styles; 0..5 numeric, 6..9 with names
const QStringList &nameDateStyles();   // the six numeric styles
const QStringList &separators();       // "/", ".", "-", "\", ",", " "
const QStringList &scrollerBgStyles(); // Solid, Trans
const QStringList &borderStyles();     // Solid, Dotted, Dashed, Groove, Inset, Outset, Ridge
const QStringList &days();             // 1..25
const QStringList &backgroundKinds();  // Colour, Picture
const QStringList &positions();        // Custom, Top Left, ..., Bottom Right
const QStringList &alignments();       // left, center, right (picAlign 0..2)
const QStringList &scrollerPresets();  // top, middle, bottom (picPos 0..2)
const QStringList &animations();       // Fade, Blink, ColourBlink, Glow (save order)
} // namespace lists

// Puts value into field when the list holds it; otherwise the field keeps its own.
bool setChoice(QString &field, const QStringList &list, const QString &value);

// Font fields take any family name, installed or not (the page only names the font); a name
// with line breaks or control characters, or an absurdly long one, is refused.
bool isAcceptableFontName(const QString &name);
// The Format tab's note on chosen fonts that are not installed: one line per such family,
// naming what fontconfig shows instead; "" when every family is installed.
QString missingFontNote(const std::array<QString, 3> &fonts, const QStringList &installed,
                        const std::function<QString(const QString &)> &substitute);

// Colour text (six lower-case hex digits, red green blue) of a picker colour value.
QString colourText(quint32 value);
// Reads a colour text the way the pickers do: characters 1-2, 3-4, 5-6 are red, green, blue
// in hex. A part that is not decimal digits and reads as hex 0 makes the whole text unreadable
// (nullopt) and the picker keeps its colour; otherwise each part counts its leading hex digits.
std::optional<quint32> colourFromText(const QString &text);
// The pointer tool tip of a picker: "R:255 G:0 B:0 or #FF0000".
QString colourToolTip(quint32 value);

// The box checks of the Position and Effects tabs: the text itself when it passes, the box's
// fallback otherwise ("35" for the taskbar height, "100" for the opacities).
QString correctedTaskbarHeight(const QString &text);
QString correctedOpacity(const QString &text);

// "Editor position" text: the shortest decimal form of a marker coordinate.
QString positionText(double value);
// A stored coordinate: a finite decimal number inside the layout frame along its axis.
std::optional<double> parsePosition(const QString &text, double axisLength);

// The sentence around the days list: "Remind me             days before an event." ("day" for 1).
QString daysSentence(const QString &days);

} // namespace dw
