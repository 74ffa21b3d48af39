#include "core/settings/PositionEditor.h"

#include "core/settings/DependentControls.h"
#include "core/settings/SettingsLists.h"
#include "platform/Prompter.h"

#include <cmath>

namespace dw {

MarkerSize markerSize(Marker marker)
{
    switch (marker) {
    case Marker::MainDate: return kMainDateMarker;
    case Marker::NameDate: return kNameDateMarker;
    case Marker::Scroller: return kScrollerMarker;
    }
    return kMainDateMarker;
}

QPointF presetPlace(int index, MarkerSize size)
{
    const double W = kFrameWidth;
    const double H = kFrameHeight;
    const int row = (index - 1) / 3; // 0 top, 1 middle, 2 bottom
    const int col = (index - 1) % 3; // 0 left, 1 center, 2 right
    const double top = row == 0 ? kTopBand : row == 1 ? (H - size.height) / 2 : H - size.height - 30;
    const double left = col == 0 ? 0 : col == 1 ? (W - size.width) / 2 : W - size.width;
    return {left, top};
}

int positionIndex(const QString &name)
{
    return int(qMax<qsizetype>(0, lists::positions().indexOf(name)));
}

namespace {
// Two blocks never share a preset: the list being chosen steps back one entry, with a beep.
int resolveConflict(int index, int otherIndex, Prompter *beeper)
{
    if (index != 0 && index == otherIndex) {
        if (beeper)
            beeper->beep();
        return index - 1;
    }
    return index;
}
} // namespace

void chooseMainDatePosition(SettingsModel &m, int index, Prompter *beeper)
{
    if (index < 0 || index > 9)
        return;
    index = resolveConflict(index, positionIndex(m.nameDatePosition), beeper);
    m.mainDatePosition = lists::positions().at(index);
    if (index > 0) {
        const QPointF p = presetPlace(index, kMainDateMarker);
        m.mainDateLeft = p.x();
        m.mainDateTop = p.y();
    }
    refreshPickers(m);
}

void chooseNameDatePosition(SettingsModel &m, int index, Prompter *beeper)
{
    if (index < 0 || index > 9)
        return;
    index = resolveConflict(index, positionIndex(m.mainDatePosition), beeper);
    m.nameDatePosition = lists::positions().at(index);
    if (index == 0) {
        chooseAlignment(m, 2);
        return;
    }
    const QPointF p = presetPlace(index, kNameDateMarker);
    m.nameDateLeft = p.x();
    m.nameDateTop = p.y();
    m.nameDateAlign = -1;
    refreshPickers(m);
}

void chooseAlignment(SettingsModel &m, int index)
{
    if (index < 0 || index > 2)
        return;
    m.nameDatePosition = lists::positions().at(0);
    m.nameDateAlign = index;
}

void chooseScrollerPosition(SettingsModel &m, int index)
{
    if (index < 0 || index > 2)
        return;
    const double H = kFrameHeight;
    const double h = kScrollerMarker.height;
    m.scrollerPreset = index;
    m.scrollerTop = index == 0 ? kTopBand : index == 1 ? (H - h) / 2 : H - h - 30;
    refreshPickers(m);
}

double roundHalfEven(double value)
{
    const double down = std::floor(value);
    const double diff = value - down;
    if (diff < 0.5)
        return down;
    if (diff > 0.5)
        return down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

void dropMarker(SettingsModel &m, Marker marker, double x, double y, Prompter *beeper)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    const MarkerSize size = markerSize(marker);
    const double W = kFrameWidth;
    const double H = kFrameHeight;
    double top = roundHalfEven(y - size.height / 2);

    if (marker == Marker::Scroller) {
        if (top + size.height > H)
            top = H - size.height;
        if (top < kTopBand)
            top = kTopBand;
        m.scrollerTop = top;
        m.scrollerPreset = -1;
        return;
    }

    double left = roundHalfEven(x - size.width / 2);
    if (left + size.width > W)
        left = W - size.width;
    if (top + size.height > H)
        top = H - size.height;
    if (left < 0)
        left = 0;
    if (top < kTopBand)
        top = kTopBand;

    if (marker == Marker::MainDate) {
        m.mainDateLeft = left;
        m.mainDateTop = top;
        chooseMainDatePosition(m, 0, beeper);
    } else {
        m.nameDateLeft = left;
        m.nameDateTop = top;
        chooseAlignment(m, 2);
        chooseNameDatePosition(m, 0, beeper);
    }
}

void placeMarkersAtRightEdge(SettingsModel &m)
{
    m.mainDateLeft = kFrameWidth - kMainDateMarker.width - 10;
    m.nameDateLeft = kFrameWidth - kNameDateMarker.width - 10;
}

} // namespace dw
