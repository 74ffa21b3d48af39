#pragma once

#include "core/settings/SettingsModel.h"

#include <QPointF>

namespace dw {

class Prompter;

// The geometry of the Position tab's layout frame, without a window. Coordinates are frame
// units; each operation leaves the model as the user's action would and runs the model part
// of the dependent-controls refresh where the action does. The beeper (may be null) sounds the
// system beep of the conflict rule.

enum class Marker { MainDate, NameDate, Scroller };

struct MarkerSize {
    double width;
    double height;
};

inline constexpr MarkerSize kMainDateMarker{705, 210};
inline constexpr MarkerSize kNameDateMarker{795, 210};
inline constexpr MarkerSize kScrollerMarker{555, 210};
// The band at the top of the frame that no marker may enter (the page's menu strip).
inline constexpr double kTopBand = 120;

MarkerSize markerSize(Marker marker);

// Left and top of a marker at preset position index 1..9 (Top Left .. Bottom Right).
QPointF presetPlace(int index, MarkerSize size);

// Index of a position name in the position lists, 0 for anything unknown.
int positionIndex(const QString &name);

void chooseMainDatePosition(SettingsModel &m, int index, Prompter *beeper);
void chooseNameDatePosition(SettingsModel &m, int index, Prompter *beeper);
void chooseAlignment(SettingsModel &m, int index);
void chooseScrollerPosition(SettingsModel &m, int index);
// A marker dragged and dropped on the frame's free area with the pointer at (x, y).
void dropMarker(SettingsModel &m, Marker marker, double x, double y, Prompter *beeper);
// Start-up: Main Date and Name-Date markers 10 units in from the frame's right edge.
void placeMarkersAtRightEdge(SettingsModel &m);

// Rounds to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

} // namespace dw
