#pragma once

#include "core/events/EventList.h"
#include "core/events/ListCommands.h"
#include "core/settings/SettingsModel.h"
#include "ui/AppServices.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QPushButton;
class QStackedWidget;
class QTabWidget;

namespace dw {

class ListPanel;
class QtBusyIndicator;

// The steps of the start-up sequence that other parts of the program fill in. An unset step is
// skipped; a step that throws is skipped too, and the sequence goes on.
struct StartupHooks {
    std::function<void()> setDatePickerToday;       // the date picker shows today, "dd/MM/yyyy"
    std::function<void()> blankPreview;             // the preview view shows "about:blank"
    std::function<void()> fillFontLists;            // the three font lists from the installed fonts
    std::function<void()> placeMarkers;             // Main Date and Name-Date markers at the right edge
    std::function<void()> loadSettings;             // every setting from the settings store
    std::function<void()> refreshDependentControls; // enabled states, marker captions and colours
    std::function<void()> retitleNextDays;          // "Next N days" entry of the Show Events menu
    std::function<void()> focusNameBox;             // the input focus in the name box
    std::function<void()> registerFileType;         // list files open with this program
};

// The steps of the exit sequence that belong to the settings and the other windows.
struct ExitHooks {
    std::function<void()> storeSaveAtExit;  // the save-at-exit choice into the settings store
    std::function<void()> saveAllSettings;  // the four groups, when save-at-exit is ticked
};

// The main window `frmMain`: three panels (List, Format, Help) chosen by the panel buttons,
// the start-up and exit sequences and the shortcut keys. It owns the event list and the current
// settings for the life of the program; the outside world comes in through AppServices.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class Panel { List, Format, Help };
    enum PanelButton { ListButton, FormatButton, CreateHtmlButton, OpenHtmlButton, HelpButton };
    enum Tab { FormatTab, EffectsTab, PositionTab, PreviewTab, AutoCTab, OthersTab };

    explicit MainWindow(AppServices services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shared objects.
    const AppServices &services() const { return services_; }
    EventList &events() { return events_; }
    SettingsModel &settings() { return settings_; }
    QtBusyIndicator &busy() { return *busy_; }
    ListCommands &listCommands() { return *listCommands_; }

    // Panels and pages.
    ListPanel *listPanel() const { return listPanel_; }
    QWidget *formatPanel() const { return formatPanel_; }
    QWidget *helpPanel() const { return helpPanel_; }
    QTabWidget *tabStrip() const { return tabStrip_; }
    QWidget *tabPage(int tab) const { return tabPages_.at(static_cast<size_t>(tab)); }
    QPushButton *panelButton(int index) const { return smtBttn_.at(static_cast<size_t>(index)); }
    // Another panel (the output warnings) shown in the same place as the three panels.
    void addPanel(QWidget *panel);
    void showPanel(QWidget *panel);
    QWidget *currentPanel() const;

    // Marks a panel active: its button caption red, the other two in the button-text colour.
    void setActivePanel(Panel panel);
    Panel activePanel() const { return activePanel_; }
    // The control that gets the focus when the Format button shows a tab page.
    void setTabFocusWidget(int tab, QWidget *widget);

    // Window state.
    bool loading() const { return loading_; }
    QString lastPagePath() const { return lastPagePath_; }
    void setLastPagePath(const QString &path); // also the tool tip of "Open HTML"
    // "Add visible": no event is being modified.
    bool addVisible() const { return !events_.editing(); }
    // Where the preview page lives; deleted at exit.
    QString previewPagePath() const;

    StartupHooks &startupHooks() { return startupHooks_; }
    ExitHooks &exitHooks() { return exitHooks_; }

    // Adds a row to the shortcut table. Rows of one key are tried in the order they were added;
    // the first whose condition holds runs its command and consumes the key.
    void addShortcut(int key, std::function<bool()> condition, std::function<void()> command);
    // Runs the shortcut table for a key; true when a command ran.
    bool dispatchKey(int key);

    // The start-up sequence, with the program's argument text (possibly empty).
    void startUp(const QString &argumentText);
    // The exit sequence; true when the window may close.
    bool runExitSequence();

    // "Datewren 7.0.3  -  dd/MM/yyyy"
    static QString captionFor(const QDate &today);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPanels();
    void wireCommands();
    void installOwnShortcuts();
    void showListPanel();
    void showFormatPanel();
    void showHelpPanel();

    AppServices services_;
    EventList events_;
    SettingsModel settings_;
    std::unique_ptr<QtBusyIndicator> busy_;
    std::unique_ptr<ListCommands> listCommands_;

    QStackedWidget *stack_ = nullptr;
    ListPanel *listPanel_ = nullptr;
    QWidget *formatPanel_ = nullptr;
    QWidget *helpPanel_ = nullptr;
    QTabWidget *tabStrip_ = nullptr;
    std::array<QWidget *, 6> tabPages_{};
    std::array<QWidget *, 6> tabFocus_{};
    std::array<QPushButton *, 5> smtBttn_{};

    bool loading_ = false;
    QString lastPagePath_;
    Panel activePanel_ = Panel::List;
    StartupHooks startupHooks_;
    ExitHooks exitHooks_;

    struct Shortcut {
        std::function<bool()> condition;
        std::function<void()> command;
    };
    std::map<int, std::vector<Shortcut>> shortcuts_;
};

// Lets every part of the program add its widgets, commands, hooks and keys to a new window.
// Defined in ui/MainWindowExtensions.cpp: one line per part.
void installExtensions(MainWindow &window);

} // namespace dw
