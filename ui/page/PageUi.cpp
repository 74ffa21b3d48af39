#include "core/events/Sort.h"
#include "core/settings/SettingsStore.h"
#include "page/CreatePage.h"
#include "page/compat/CompatScript.h"
#include "ui/ListPanel.h"
#include "ui/MainWindow.h"
#include "ui/QtBusyIndicator.h"
#include "ui/page/WallpaperUi.h"
#include "ui/page/WarningsPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dw {

namespace {

void setCaptionColour(QWidget *w, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::ButtonText, colour);
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

// After a sort the "Important" box is cleared and its caption drawn black.
void resetImportantBox(MainWindow &w)
{
    QCheckBox *box = w.listPanel()->importantBox();
    box->setChecked(false);
    setCaptionColour(box, Qt::black);
}

// "Make the page work in current browsers" as the Others tab last stored it.
PageOptions savedPageOptions()
{
    return browserCompatOptions(browserCompatPreference(FileSettingsStore(FileSettingsStore::defaultPath())));
}

void installSortMenu(MainWindow &w)
{
    auto *menu = new QMenu(QStringLiteral("Sort"), w.listPanel());
    menu->setObjectName(QStringLiteral("mnuSort"));
    for (SortKind kind : {SortKind::Names, SortKind::Monthwise, SortKind::Yearwise, SortKind::Address, SortKind::Important}) {
        QAction *a = menu->addAction(sortMenuText(kind));
        QObject::connect(a, &QAction::triggered, &w, [&w, kind] {
            sortList(w.events(), kind, w.services().prompter, w.busy());
            resetImportantBox(w);
        });
    }
    menu->addSeparator();
    QAction *dedupe = menu->addAction(QStringLiteral("&Remove Duplicates"));
    QObject::connect(dedupe, &QAction::triggered, &w, [&w] {
        removeDuplicates(w.events(), w.busy());
        resetImportantBox(w);
    });
    QPushButton *sort = w.listPanel()->sortButton();
    QObject::connect(sort, &QPushButton::clicked, menu, [menu, sort] {
        // Just right of the button.
        menu->popup(sort->mapToGlobal(QPoint(sort->width(), 0)));
    });
}

} // namespace

void installPage(MainWindow &w)
{
    const AppServices &services = w.services();
    auto *command = new CreatePageCommand(w.events(), w.settings(), services.prompter, w.busy(), services.clock,
                                          services.fonts, &w);
    command->setObjectName(QStringLiteral("createPageCommand"));
    installWallpaper(w, *command);
    auto *panel = new WarningsPanel(&w);
    w.addPanel(panel);

    auto *ignoreBox = new QCheckBox(QStringLiteral("Ignore Output Warning"), w.tabPage(MainWindow::OthersTab));
    ignoreBox->setObjectName(QStringLiteral("chkIgnore"));
    if (QLayout *layout = w.tabPage(MainWindow::OthersTab)->layout())
        layout->addWidget(ignoreBox);
    QObject::connect(ignoreBox, &QCheckBox::toggled, command, [command](bool on) { command->ignoreWarnings = on; });

    auto sync = [&w, command, panel] {
        setCaptionColour(w.panelButton(MainWindow::CreateHtmlButton),
                         command->createCaptionBlue() ? QColor(0, 0, 255) : QColor(Qt::black));
        setCaptionColour(w.panelButton(MainWindow::OpenHtmlButton),
                         command->openCaptionBlue() ? QColor(0, 0, 255) : QColor(Qt::black));
        for (int i = 0; i < 5; ++i)
            w.panelButton(i)->setEnabled(command->panelButtonsEnabled());
        if (panel->text()->toPlainText() != command->warningText())
            panel->text()->setPlainText(command->warningText());
        panel->ignoreButton()->setVisible(command->ignoreVisible());
        panel->cancelButton()->setText(command->cancelCaption());
        if (command->lastPagePath != w.lastPagePath())
            w.setLastPagePath(command->lastPagePath);
    };
    QObject::connect(command, &CreatePageCommand::stateChanged, &w, sync);
    QObject::connect(command, &CreatePageCommand::listSorted, &w, [&w] { resetImportantBox(w); });
    QObject::connect(command, &CreatePageCommand::warningsShown, &w, [&w, command, panel, sync] {
        sync();
        if (command->listCaptionBlack())
            setCaptionColour(w.panelButton(MainWindow::ListButton), Qt::black);
        w.showPanel(panel);
        panel->text()->setFocus();
    });
    QObject::connect(command, &CreatePageCommand::panelRequested, &w, [&w, sync](PanelButton b) {
        sync(); // the buttons are enabled again before one of them is pressed
        w.panelButton(static_cast<int>(b))->click();
    });

    QObject::connect(w.panelButton(MainWindow::CreateHtmlButton), &QPushButton::clicked, command, [&w, command, sync] {
        command->lastPagePath = w.lastPagePath();
        command->options = savedPageOptions();
        command->create();
        sync();
    });
    QObject::connect(w.panelButton(MainWindow::OpenHtmlButton), &QPushButton::clicked, command, [&w, command] {
        command->lastPagePath = w.lastPagePath();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        command->openPage(w.services().shell);
        QApplication::restoreOverrideCursor();
    });
    QObject::connect(panel->ignoreButton(), &QPushButton::clicked, command, [command, sync] {
        command->options = savedPageOptions();
        command->ignore();
        sync();
    });
    QObject::connect(panel->cancelButton(), &QPushButton::clicked, command, [command, sync] {
        command->cancelOutput();
        sync();
    });

    installSortMenu(w);
}

} // namespace dw
