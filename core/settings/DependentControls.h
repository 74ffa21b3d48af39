#pragma once

#include "core/settings/SettingsModel.h"

#include <QString>
#include <array>

namespace dw {

// What the settings tabs show and allow for the current settings: the UI applies this after
// every change instead of working the rules out itself.
struct ControlsState {
    bool backgroundColourVisible = true;   // picker 4
    bool backgroundPictureVisible = false; // txtBrowse and "Browse..."
    std::array<bool, 5> effectPanelVisible{}; // fraEffects 1..4 (0 unused)
    bool effectColourVisible = false;      // picker 5 and its "Colour:" label
    std::array<bool, 4> blockEnabled{true, true, true, true}; // chkFormat 0..3
    bool mdSeparatorEnabled = true;        // cmbMDSep, numeric Main Date styles only
    QString daysSentence;
    std::array<double, 3> guideLines{};    // tops of lnMD, lnND, lnSc
};

// The model part of the dependent-controls refresh: every picker's text read into its colour
// (when readable) and rewritten from it in lower case, and picker 3's default colour following
// the Name-Date colour.
void refreshPickers(SettingsModel &m);

// Derived view state; no side effects.
ControlsState controlsState(const SettingsModel &m);

// refreshPickers, then the state to show.
ControlsState refreshDependentControls(SettingsModel &m);

// The user chose a colour in picker i. runRefresh is false while settings are loading.
void setPickerColour(SettingsModel &m, int picker, quint32 value, bool runRefresh);

// Index of the Main Date effect in its list, 0 ("None") for anything unknown.
int effectIndex(const QString &effect);

} // namespace dw
