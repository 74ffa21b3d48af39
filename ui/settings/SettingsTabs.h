#pragma once

#include "ui/settings/SettingsTab.h"

#include <QObject>
#include <array>
#include <functional>
#include <memory>

namespace dw {

class AutoCTab;
class EffectsTab;
class FormatTab;
class MainWindow;
class OthersTab;
class PositionTab;

// The five settings pages of the Format panel, bound to one settings model and one store.
// Every change made on one page is shown on all of them, with the dependent-controls state.
class SettingsTabs final : public QObject {
    Q_OBJECT
public:
    struct Pages {
        QWidget *format, *effects, *position, *autoC, *others;
    };
    SettingsTabs(SettingsContext context, Pages pages, QObject *parent);
    ~SettingsTabs() override;

    SettingsModel &model() { return ctx_.model; }
    SettingsStore &store() { return ctx_.store; }
    FormatTab *formatTab() const { return format_; }
    EffectsTab *effectsTab() const { return effects_; }
    PositionTab *positionTab() const { return position_; }
    AutoCTab *autoCTab() const { return autoC_; }
    OthersTab *othersTab() const { return others_; }

    // Start-up steps.
    void fillFontLists();
    void placeMarkers();
    void loadFromStore();
    // The dependent-controls refresh: the model part, then every page shows the model.
    void refresh();
    // Every page shows the model and the derived state, without the refresh.
    void showModel();

    // Runs once after the next refresh (start-up's first-refresh mark).
    std::function<void()> afterRefresh;

signals:
    void settingsChanged();

private:
    void onChanged(bool fullRefresh);

    SettingsContext ctx_;
    FormatTab *format_ = nullptr;
    EffectsTab *effects_ = nullptr;
    PositionTab *position_ = nullptr;
    AutoCTab *autoC_ = nullptr;
    OthersTab *others_ = nullptr;
    std::array<SettingsTab *, 5> tabs_{};
};

// Puts the settings pages into the main window and fills in its settings start-up and exit steps.
void installSettings(MainWindow &window);

} // namespace dw
