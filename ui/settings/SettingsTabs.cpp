#include "ui/settings/SettingsTabs.h"

#include "core/settings/PositionEditor.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "platform/FontCatalog.h"
#include "ui/MainWindow.h"
#include "ui/QtBusyIndicator.h"
#include "ui/settings/AutoCTab.h"
#include "ui/settings/EffectsTab.h"
#include "ui/settings/FormatTab.h"
#include "ui/settings/OthersTab.h"
#include "ui/settings/PositionTab.h"

#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace dw {

namespace {
template<class Tab>
Tab *addTo(QWidget *page, SettingsContext &ctx)
{
    auto *layout = page->layout() ? page->layout() : new QVBoxLayout(page);
    auto *tab = new Tab(ctx, page);
    layout->addWidget(tab);
    return tab;
}
} // namespace

SettingsTabs::SettingsTabs(SettingsContext context, Pages pages, QObject *parent)
    : QObject(parent), ctx_(std::move(context))
{
    format_ = addTo<FormatTab>(pages.format, ctx_);
    effects_ = addTo<EffectsTab>(pages.effects, ctx_);
    position_ = addTo<PositionTab>(pages.position, ctx_);
    autoC_ = addTo<AutoCTab>(pages.autoC, ctx_);
    others_ = addTo<OthersTab>(pages.others, ctx_);
    tabs_ = {format_, effects_, position_, autoC_, others_};
    for (SettingsTab *tab : tabs_)
        connect(tab, &SettingsTab::changed, this, &SettingsTabs::onChanged);
    showModel();
}

SettingsTabs::~SettingsTabs() = default;

void SettingsTabs::fillFontLists()
{
    format_->fillFontLists(ctx_.fonts.families());
}

void SettingsTabs::placeMarkers()
{
    placeMarkersAtRightEdge(ctx_.model);
    showModel();
}

void SettingsTabs::loadFromStore()
{
    loadSettings(ctx_.model, ctx_.store, &ctx_.prompter);
    showModel();
}

void SettingsTabs::showModel()
{
    const ControlsState state = controlsState(ctx_.model);
    for (SettingsTab *tab : tabs_) {
        tab->sync();
        tab->applyState(state);
    }
}

void SettingsTabs::refresh()
{
    refreshPickers(ctx_.model);
    showModel();
    if (afterRefresh) {
        auto once = std::move(afterRefresh);
        afterRefresh = nullptr;
        once();
    }
    emit settingsChanged();
}

void SettingsTabs::onChanged(bool fullRefresh)
{
    if (fullRefresh) {
        refresh();
        return;
    }
    showModel();
    emit settingsChanged();
}

// ---------------------------------------------------------------------------------------------

namespace {
// The store belongs to the window's settings pages and lives as long as they do.
class OwnedStore final : public QObject {
public:
    explicit OwnedStore(QObject *parent) : QObject(parent), store(FileSettingsStore::defaultPath()) {}
    FileSettingsStore store;
};
} // namespace

void installSettings(MainWindow &window)
{
    auto *owned = new OwnedStore(&window);
    const AppServices &services = window.services();
    SettingsContext ctx{window.settings(), owned->store, services.prompter, services.fonts,
                        services.paths.userFontsDir(), [&window] { return window.loading(); }};
    auto *tabs = new SettingsTabs(ctx,
                                  {window.tabPage(MainWindow::FormatTab), window.tabPage(MainWindow::EffectsTab),
                                   window.tabPage(MainWindow::PositionTab), window.tabPage(MainWindow::AutoCTab),
                                   window.tabPage(MainWindow::OthersTab)},
                                  &window);
    tabs->setObjectName(QStringLiteral("settingsTabs"));

    StartupHooks &start = window.startupHooks();
    start.fillFontLists = [tabs] { tabs->fillFontLists(); };
    start.placeMarkers = [tabs] { tabs->placeMarkers(); };
    start.loadSettings = [tabs] { tabs->loadFromStore(); };
    start.refreshDependentControls = [tabs, &window] {
        tabs->refresh();
        // From now on the first refresh after start-up hands the focus to the name box.
        tabs->afterRefresh = [&window] {
            if (!window.busy().firstRefreshMark())
                return;
            window.busy().setFirstRefreshMark(false);
            if (window.startupHooks().focusNameBox)
                window.startupHooks().focusNameBox();
        };
    };

    ExitHooks &exit = window.exitHooks();
    exit.storeSaveAtExit = [tabs] { storeSaveAtExit(tabs->model(), tabs->store()); };
    exit.saveAllSettings = [tabs] { saveAllGroups(tabs->model(), tabs->store(), kSettingsSection); };

    // The Preview tab runs the refresh itself before it writes the page.
}

} // namespace dw
