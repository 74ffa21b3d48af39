#include "ui/MainWindow.h"

#include "core/settings/SettingsStore.h"
#include "page/preview/PreviewPage.h"
#include "ui/EventTableModel.h"
#include "ui/ListPanel.h"
#include "ui/QtBusyIndicator.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace dw {

namespace {
// From the sixth start-up step on, a failing step must not stop the program from starting.
void runStep(const std::function<void()> &step)
{
    if (!step)
        return;
    try {
        step();
    } catch (...) {
    }
}

const char *const kPanelCaptions[5] = {"List", "Format", "Create HTML", "Open HTML", "Help"};
const char *const kTabCaptions[6] = {"&Format", "&Effects", "P&osition", "&Preview", "Auto&C", "Other&s"};
const char *const kTabPages[6] = {"fraMDS", "fraFx", "fraPOS", "fraPRE", "fraAutoCom", "fraOthers"};
// Controls that take the focus when the Format button shows their page, when no part has
// named one with setTabFocusWidget().
const char *const kTabFocusNames[6] = {"chkFormat0", "cmbEffects", "cmbMDPosition", "", "", "cmdSaveAll"};
} // namespace

MainWindow::MainWindow(AppServices services, QWidget *parent)
    : QMainWindow(parent), services_(services)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kAppTitle);
    buildPanels();
    busy_ = std::make_unique<QtBusyIndicator>(centralWidget());
    listCommands_ = std::make_unique<ListCommands>(events_, services_.prompter, *busy_);
    listCommands_->setListFileUsed([](const QString &path) {
        FileSettingsStore store(FileSettingsStore::defaultPath());
        setPreference(store, QLatin1String(kLastListKey), path);
    });
    wireCommands();
    installOwnShortcuts();
    qApp->installEventFilter(this);
    installExtensions(*this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    // The parts installed by installExtensions() are plain objects that watch the panels. They
    // go first, while this is still a whole MainWindow, so none of them sees the panels being
    // torn down.
    startupHooks_ = {};
    exitHooks_ = {};
    shortcuts_.clear();
    std::vector<QPointer<QObject>> parts;
    for (QObject *child : children()) {
        if (!child->isWidgetType() && !qobject_cast<QLayout *>(child))
            parts.emplace_back(child);
    }
    for (const QPointer<QObject> &part : parts)
        delete part.data(); // a part may already have taken another one with it
}

void MainWindow::buildPanels()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);

    auto *buttonColumn = new QVBoxLayout;
    for (int i = 0; i < 5; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(kPanelCaptions[i]), central);
        b->setObjectName(QStringLiteral("smtBttn") + QString::number(i));
        b->setAutoDefault(false);
        b->setMinimumHeight(36);
        smtBttn_[static_cast<size_t>(i)] = b;
        buttonColumn->addWidget(b);
    }
    buttonColumn->addStretch(1);

    stack_ = new QStackedWidget(central);
    listPanel_ = new ListPanel(events_, stack_);
    listPanel_->model()->setToday([this] { return services_.clock.today(); });
    stack_->addWidget(listPanel_);

    formatPanel_ = new QWidget(stack_);
    formatPanel_->setObjectName(QStringLiteral("fraFormat"));
    tabStrip_ = new QTabWidget(formatPanel_);
    tabStrip_->setObjectName(QStringLiteral("TabStrip1"));
    for (int i = 0; i < 6; ++i) {
        auto *page = new QWidget(tabStrip_);
        page->setObjectName(QString::fromLatin1(kTabPages[i]));
        tabPages_[static_cast<size_t>(i)] = page;
        tabStrip_->addTab(page, QString::fromLatin1(kTabCaptions[i]));
    }
    auto *formatLayout = new QVBoxLayout(formatPanel_);
    formatLayout->setContentsMargins(0, 0, 0, 0);
    formatLayout->addWidget(tabStrip_);
    stack_->addWidget(formatPanel_);

    helpPanel_ = new QWidget(stack_);
    helpPanel_->setObjectName(QStringLiteral("fraHelp"));
    stack_->addWidget(helpPanel_);

    auto *layout = new QHBoxLayout(central);
    layout->addLayout(buttonColumn);
    layout->addWidget(stack_, 1);

    stack_->setCurrentWidget(listPanel_);
    setActivePanel(Panel::List);
    resize(860, 600);
}

void MainWindow::wireCommands()
{
    connect(smtBttn_[ListButton], &QPushButton::clicked, this, &MainWindow::showListPanel);
    connect(smtBttn_[FormatButton], &QPushButton::clicked, this, &MainWindow::showFormatPanel);
    connect(smtBttn_[HelpButton], &QPushButton::clicked, this, &MainWindow::showHelpPanel);

    connect(listPanel_->editButton(2), &QPushButton::clicked, this, [this] { listCommands_->saveListFile(); });
    connect(listPanel_->editButton(3), &QPushButton::clicked, this, [this] { listCommands_->openCommand(); });
    connect(listPanel_, &ListPanel::filesDropped, this, [this](const QStringList &paths) {
        listCommands_->dropFiles(paths);
    });
    // While an event is modified the panel buttons that would leave or rebuild the list rest.
    connect(&events_, &EventList::editingChanged, this, [this](bool editing) {
        smtBttn_[FormatButton]->setEnabled(!editing);
        smtBttn_[CreateHtmlButton]->setEnabled(!editing);
        listPanel_->sortButton()->setEnabled(!editing);
        listPanel_->eventsButton()->setEnabled(!editing);
        for (int i = 0; i < 4; ++i)
            listPanel_->editButton(i)->setEnabled(!editing);
    });
}

void MainWindow::installOwnShortcuts()
{
    auto enabled = [this](int button) { return [this, button] { return smtBttn_[button]->isEnabled(); }; };
    auto click = [this](QPushButton *b) { return [b] { b->click(); }; };
    auto listActiveAndAdd = [this] { return activePanel_ == Panel::List && addVisible(); };

    addShortcut(Qt::Key_Delete, [this] { return listPanel_->column(0)->isEnabled() && events_.listFocus(); },
                click(listPanel_->editButton(0)));
    addShortcut(Qt::Key_F1, enabled(HelpButton), click(smtBttn_[HelpButton]));
    addShortcut(Qt::Key_F2, enabled(ListButton), click(smtBttn_[ListButton]));
    addShortcut(Qt::Key_F3, [this] { return smtBttn_[FormatButton]->isEnabled() && addVisible(); },
                click(smtBttn_[FormatButton]));
    addShortcut(Qt::Key_F5, [this] { return smtBttn_[CreateHtmlButton]->isEnabled() && addVisible(); },
                click(smtBttn_[CreateHtmlButton]));
    addShortcut(Qt::Key_F6, enabled(OpenHtmlButton), click(smtBttn_[OpenHtmlButton]));
    addShortcut(Qt::Key_F7, listActiveAndAdd, click(listPanel_->sortButton()));
    addShortcut(Qt::Key_F9, listActiveAndAdd, click(listPanel_->editButton(1)));
    addShortcut(Qt::Key_F11, listActiveAndAdd, click(listPanel_->editButton(2)));
    addShortcut(Qt::Key_F12, listActiveAndAdd, click(listPanel_->editButton(3)));
}

void MainWindow::addShortcut(int key, std::function<bool()> condition, std::function<void()> command)
{
    shortcuts_[key].push_back({std::move(condition), std::move(command)});
}

bool MainWindow::dispatchKey(int key)
{
    if (!isEnabled())
        return false;
    const auto it = shortcuts_.find(key);
    if (it == shortcuts_.end())
        return false;
    for (const Shortcut &s : it->second) {
        if (s.condition && s.condition()) {
            s.command();
            return true;
        }
    }
    return false;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The window sees every key before the focused control does.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        if (dispatchKey(key->key()))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setActivePanel(Panel panel)
{
    activePanel_ = panel;
    const QColor normal = QApplication::palette().color(QPalette::ButtonText);
    const std::pair<Panel, int> buttons[3] = {
        {Panel::List, ListButton}, {Panel::Format, FormatButton}, {Panel::Help, HelpButton}};
    for (const auto &[p, index] : buttons) {
        QPushButton *b = smtBttn_[static_cast<size_t>(index)];
        QPalette pal = b->palette();
        pal.setColor(QPalette::ButtonText, p == panel ? QColor(255, 0, 0) : normal);
        b->setPalette(pal);
    }
}

void MainWindow::setTabFocusWidget(int tab, QWidget *widget)
{
    tabFocus_[static_cast<size_t>(tab)] = widget;
}

void MainWindow::addPanel(QWidget *panel)
{
    stack_->addWidget(panel);
}

void MainWindow::showPanel(QWidget *panel)
{
    stack_->setCurrentWidget(panel);
}

QWidget *MainWindow::currentPanel() const
{
    return stack_->currentWidget();
}

void MainWindow::showListPanel()
{
    showPanel(listPanel_);
    runStep(startupHooks_.focusNameBox);
    runStep(startupHooks_.retitleNextDays);
    setActivePanel(Panel::List);
}

void MainWindow::showFormatPanel()
{
    showPanel(formatPanel_);
    setActivePanel(Panel::Format);
    const int tab = tabStrip_->currentIndex();
    if (tab < 0)
        return;
    QWidget *target = tabFocus_[static_cast<size_t>(tab)];
    if (!target && *kTabFocusNames[tab])
        target = tabPages_[static_cast<size_t>(tab)]->findChild<QWidget *>(QString::fromLatin1(kTabFocusNames[tab]));
    if (target)
        target->setFocus();
}

void MainWindow::showHelpPanel()
{
    showPanel(helpPanel_);
    if (auto *email = helpPanel_->findChild<QWidget *>(QStringLiteral("txtEmail")))
        email->setFocus();
    setActivePanel(Panel::Help);
}

void MainWindow::setLastPagePath(const QString &path)
{
    lastPagePath_ = path;
    smtBttn_[OpenHtmlButton]->setToolTip(path);
}

QString MainWindow::previewPagePath() const
{
    return previewFilePath(services_.paths.programDir(), services_.paths.cacheDir());
}

QString MainWindow::captionFor(const QDate &today)
{
    return kAppTitle + QStringLiteral(" 7.0.3  -  ") + today.toString(QStringLiteral("dd/MM/yyyy"));
}

void MainWindow::startUp(const QString &argumentText)
{
    show();
    // The first web view shown re-creates the native window for its drawing surface; a window
    // that counts as placed keeps its position then, where an unplaced one is put wherever the
    // window manager puts new windows (the centre of the screen).
    setAttribute(Qt::WA_Moved);
    setWindowTitle(captionFor(services_.clock.today()));
    loading_ = true;
    busy_->show(QStringLiteral("Loading Datewren..."));
    runStep(startupHooks_.setDatePickerToday);
    runStep(startupHooks_.blankPreview);
    listPanel_->setCompletionCaption(true);
    busy_->show(QStringLiteral("Loading Fonts..."));
    runStep(startupHooks_.fillFontLists);
    runStep(startupHooks_.placeMarkers);
    runStep(startupHooks_.loadSettings);
    runStep(startupHooks_.refreshDependentControls);
    runStep(startupHooks_.retitleNextDays);
    runStep([&] { listCommands_->handOverCommandLine(argumentText); });
    listPanel_->refreshCount();
    busy_->hide();
    busy_->setFirstRefreshMark(true);
    runStep(startupHooks_.focusNameBox);
    runStep(startupHooks_.registerFileType);
    loading_ = false;
}

bool MainWindow::runExitSequence()
{
    // Nothing is stored, saved or deleted until the exit is certain: a refused or cancelled close
    // leaves the window exactly as it was, the preview file included.
    bool anyPanelButton = false;
    for (QPushButton *b : smtBttn_)
        anyPanelButton = anyPanelButton || b->isEnabled();
    if (!anyPanelButton || events_.editing())
        return false;
    if (!listCommands_->offerToSaveAtExit())
        return false;
    runStep(exitHooks_.storeSaveAtExit);
    if (settings_.saveAtExit)
        runStep(exitHooks_.saveAllSettings);
    removePreviewFiles(services_.paths.programDir(), services_.paths.cacheDir());
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible() && w->isWindow())
            w->close();
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (runExitSequence())
        event->accept();
    else
        event->ignore();
}

} // namespace dw
