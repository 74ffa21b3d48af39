#include "core/events/ListFile.h"
#include "tests/support/Headless.h"
#include "tests/support/TempDir.h"
#include "tests/support/StartedWindow.h"
#include "ui/EventMenus.h"
#include "ui/EventTableModel.h"
#include "ui/InputRow.h"
#include "ui/ListEditing.h"
#include "ui/ListPanel.h"
#include "ui/MainWindow.h"
#include "ui/QtBusyIndicator.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace dw;
using test::TempDir;

namespace {
// Started by each test, some after setting hooks first.
struct MainWindowTest : ::testing::Test, test::StartedWindow {
    TempDir dir;
    MainWindowTest() : StartedWindow(false) {}
    QString writeList(const QString &name, int count)
    {
        std::vector<EventRecord> events;
        for (int i = 0; i < count; ++i)
            events.push_back(EventRecord{QString("Event %1").arg(i), "01/02/2000", "-", i % 2, kDefaultRule});
        return dir.write(name, listFileBytes(events));
    }
};
} // namespace

TEST_F(MainWindowTest, StartUpRunsItsStepsInOrderAndLoadsTheCommandLineList)
{
    // Each step as "name | busy caption | count shown"; one run outside the loading says so.
    QStringList steps;
    using H = StartupHooks;
    const std::pair<std::function<void()> H::*, const char *> hooks[] = {
        {&H::setDatePickerToday, "date"}, {&H::fillFontLists, "fonts"}, {&H::placeMarkers, "markers"},
        {&H::loadSettings, "settings"}, {&H::refreshDependentControls, "refresh"}, {&H::retitleNextDays, "next days"},
        {&H::focusNameBox, "focus"}, {&H::registerFileType, "register"}};
    for (const auto &[hook, hookName] : hooks)
        window.startupHooks().*hook = [&, name = hookName] { // a binding's own capture is not portable yet
            steps << QString(name) + (window.loading() ? "" : " (not loading)") + " | " + window.busy().caption()
                         + " | " + window.listPanel()->countLabel()->text();
        };
    window.startupHooks().blankPreview = [] { throw std::runtime_error("no browser view"); }; // a failing step stops nothing

    QDir().mkpath(dir.path("My Lists"));
    const QString list = dir.path("My Lists/family.DWE");
    QFile::copy(writeList("src.dwe", 2), list);
    window.startUp("\"" + list + "\"");

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Datewren 7.0.3  -  05/03/2026"));
    const QString fonts = " | Loading Fonts... | Total events = 0";
    const QString listed = " | Populating List...\r\n(family.DWE) | Total events = 2";
    EXPECT_EQ(steps, (QStringList{"date | Loading Datewren... | Total events = 0", "fonts" + fonts, "markers" + fonts,
                                  "settings" + fonts, "refresh" + fonts, "next days" + fonts, "focus" + listed,
                                  "register" + listed}));
    EXPECT_TRUE(!window.loading() && !window.busy().isShown() && window.busy().firstRefreshMark());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainWindowTest, PanelsTabsAndButtonsCarryTheirNames)
{
    start();
    QStringList captions, tabs;
    for (const char *name : {"smtBttn0", "smtBttn1", "smtBttn2", "smtBttn3", "smtBttn4", "smtEdit0", "smtEdit1",
                             "smtEdit2", "smtEdit3", "smtSort", "smtEvents"})
        captions << window.findChild<QPushButton *>(name)->text();
    EXPECT_EQ(captions.join('|'), "List|Format|Create HTML|Open HTML|Help|Remove|Clear|Save|Open|Sort|Show Events");
    QTabWidget *strip = window.findChild<QTabWidget *>("TabStrip1");
    for (int i = 0; i < strip->count(); ++i)
        tabs << strip->tabText(i) + "=" + strip->widget(i)->objectName() + (strip->widget(i) == window.tabPage(i) ? "" : "?");
    EXPECT_EQ(tabs.join('|'),
              "&Format=fraMDS|&Effects=fraFx|P&osition=fraPOS|&Preview=fraPRE|Auto&C=fraAutoCom|Other&s=fraOthers");
}

TEST_F(MainWindowTest, ColumnsTakeDroppedListsShareSelectionAndShowTheMarkInTheImportantCaption)
{
    start();
    // A drop goes to the widget that accepted the drag (which names load is the command's).
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(writeList("l.dwe", 300)), QUrl::fromLocalFile(writeList("b.DWE", 3))});
    ListPanel *panel = window.listPanel();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel->column(1)->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel->column(1)->viewport(), &drop);
    ASSERT_EQ(window.events().count(), 300);
    QCheckBox *imp = panel->importantBox();
    imp->setChecked(true);
    // The list's selection, each column's current row, the box as "ticked" and its caption's red.
    auto rows = [&] {
        QStringList r{QString::number(window.events().selected())};
        for (int c = 0; c < 3; ++c)
            r << QString::number(panel->column(c)->currentIndex().row());
        return (r << (imp->isChecked() ? "ticked" : "") << imp->palette().color(QPalette::WindowText).name()).join(' ');
    };
    panel->column(1)->setCurrentIndex(panel->model()->index(7, EventTableModel::DateColumn));
    EXPECT_EQ(rows(), "7 7 7 7  #ff0000"); // the event is marked; choosing it unticked the box
}

// A shortcut key runs its button's command (checked on the commands) only when its condition
// holds: Delete only on the list, F12 (like F7, F9 and F11) only on the list panel, none in a
// disabled window. Return and Escape on the list are pressed in the modifying test below.
TEST_F(MainWindowTest, ShortcutKeysRunTheirCommandOnlyWhenTheConditionHolds)
{
    start();
    EventList &list = window.events();
    list.replaceAll({EventRecord{"Ann", "30/04/1980"}, EventRecord{"Bob", "01/05/1990"}});
    list.select(0);
    window.findChild<ListEditing *>("listEditing")->inputRow().nameBox()->setFocus();
    EXPECT_FALSE(window.dispatchKey(Qt::Key_Delete)); // there the box takes the key
    window.listPanel()->column(0)->setFocus();
    EXPECT_TRUE(window.dispatchKey(Qt::Key_Delete));
    EXPECT_EQ(list.count(), 1);
    window.panelButton(MainWindow::FormatButton)->click();
    EXPECT_FALSE(window.dispatchKey(Qt::Key_F12));
    window.panelButton(MainWindow::ListButton)->click();
    prompter.choose("");
    EXPECT_TRUE(window.dispatchKey(Qt::Key_F12));
    EXPECT_EQ(prompter.dialogs, std::vector<FileKind>{FileKind::Open});
    window.setEnabled(false); // F12's condition still holds: only the window's state refuses it
    EXPECT_FALSE(window.dispatchKey(Qt::Key_F12));
}

// While an event is modified, the controls that would leave or rebuild the list rest.
TEST_F(MainWindowTest, ModifyingRestsTheControlsThatWouldLeaveOrRebuildTheList)
{
    start();
    window.events().append(EventRecord{"Ann", "30/04/1980", "a@x"});
    window.events().select(0);
    const InputRow &row = window.findChild<ListEditing *>("listEditing")->inputRow();
    ListPanel *panel = window.listPanel();
    const std::pair<const char *, QWidget *> controls[] = {
        {"Add", row.button(0)}, {"Modify", row.button(1)}, {"Cancel", row.button(2)}, {"names", panel->column(0)},
        {"Remove", panel->editButton(0)}, {"Clear", panel->editButton(1)}, {"Save", panel->editButton(2)},
        {"Open", panel->editButton(3)}, {"Sort", panel->sortButton()}, {"Events", panel->eventsButton()},
        {"Format", window.panelButton(1)}, {"Create", window.panelButton(2)}, {"Help", window.panelButton(4)}};
    auto states = [&] {
        QStringList s;
        for (const auto &[name, w] : controls)
            s << QString(name) + (w->isVisible() ? "" : " hidden") + (w->isEnabled() ? "" : " off");
        return s.join(", ");
    };
    const QString idle = "Add, Modify hidden, Cancel hidden, names, Remove, Clear, Save, Open, Sort, Events, Format, Create, Help";
    EXPECT_EQ(states(), idle);
    panel->column(0)->setFocus();
    QTest::keyClick(panel->column(0), Qt::Key_Return);
    ASSERT_TRUE(window.events().editing());
    EXPECT_FALSE(window.close()); // closing would lose the change; a question would throw here
    EXPECT_EQ(states(), "Add hidden, Modify, Cancel, names off, Remove off, Clear off, Save off, Open off, Sort off, "
                        "Events off, Format off, Create off, Help");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(states(), idle);
}

TEST_F(MainWindowTest, ExitStepsRunOnlyOnceTheExitIsCertain)
{
    QStringList steps;
    window.exitHooks().storeSaveAtExit = [&] { steps << "store"; };
    window.exitHooks().saveAllSettings = [&] { steps << "save settings"; };
    start();
    QDir().mkpath(paths.cacheDir());
    const QString preview = window.previewPagePath();
    ASSERT_TRUE(QFile(preview).open(QIODevice::WriteOnly));

    window.events().append(EventRecord{"a", "d"});
    // Cancel in the question or in the save dialog that Yes opens, or a failed write, keeps
    // everything as it was: closing would lose the list.
    const QString gone = dir.path("gone/list.dwe"), saved = dir.path("saved.dwe");
    prompter.answer(Button::Cancel).answer(Button::Yes).choose("").answer(Button::Yes).choose(gone);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(window.close());
    EXPECT_TRUE(QFile::exists(preview));
    EXPECT_EQ(prompter.messages.back(), (Message{"Cannot save the list in \"" + gone + "\".\r\nNo such file or directory",
                                                 "Error", Icon::Exclamation, Buttons::Ok, Button::Ok}));
    EXPECT_TRUE(steps.isEmpty());

    window.settings().saveAtExit = true;
    prompter.answer(Button::Yes).choose(saved);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(QFile::exists(preview));
    EXPECT_EQ(steps, (QStringList{"store", "save settings"}));
    EXPECT_EQ(TempDir::read(saved), listFileBytes(window.events().rows()));
    // No closes without saving; an empty list closes without a question.
    prompter.reset();
    prompter.answer(Button::No);
    window.show();
    EXPECT_TRUE(window.close());
    window.events().clear();
    window.show();
    EXPECT_TRUE(window.close());
    EXPECT_EQ(prompter.messages, (std::vector<Message>{{"Do you want to save the list in a file?", "Datewren List File",
                                                        Icon::Exclamation, Buttons::YesNoCancel, Button::Yes}}));
}

namespace {
// The editing boxes, menus and dialog: one check per control that it reaches its command, and
// the fixed captions; what the commands do is checked on the commands.
struct EditingWindowTest : MainWindowTest {
    ListEditing &editing = *window.findChild<ListEditing *>(QStringLiteral("listEditing"));
    InputRow &row = editing.inputRow();
    EventList &list = window.events();
    QMenu *popup = editing.menus().eventPopup();
    QListView *names = window.listPanel()->column(0);

    EditingWindowTest()
    {
        start();
        list.appendRows({EventRecord{"Ann", "30/04/1980", "a@x", 0, "06/04 00/00 00/00"}, EventRecord{"Bob", "01/05/1990"}});
    }
    // Types into an emptied box key by key, then presses `then`; returns what the box shows.
    QString type(QLineEdit *box, const QString &text, Qt::Key then = Qt::Key_unknown)
    {
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
        if (then != Qt::Key_unknown)
            QTest::keyClick(box, then);
        return box->text();
    }
};
} // namespace

TEST_F(EditingWindowTest, EnterAddsOrModifiesAndCompletionFollowsTheHeaderSwitch)
{
    EXPECT_EQ(row.datePicker()->date(), QDate(2026, 3, 5));
    type(row.nameBox(), "Cy");
    row.datePicker()->setDate(QDate(1980, 4, 30));
    row.importantBox()->setChecked(true);
    QTest::keyClick(row.nameBox(), Qt::Key_Return);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(2), (EventRecord{"Cy", "30/04/1980", "-", 1, "00/00 00/00 00/00"}));
    EXPECT_EQ(row.nameBox()->text() + (row.importantBox()->isChecked() ? "ticked" : ""), ""); // the emptied row

    // Typed key by key: typing on over a shown completion brings the shortcut back; End keeps it.
    window.settings().shortcuts[7] = "bd";
    window.settings().completions[7] = "Birthday";
    window.settings().shortcuts[1] = "gg";
    window.settings().completions[1] = "gmail.com";
    QLineEdit *name = row.nameBox(), *address = row.addressBox()->lineEdit();
    EXPECT_EQ(type(name, "Happy $bd"), "Happy Birthday");
    EXPECT_EQ(name->selectedText(), "Birthday");
    EXPECT_EQ(type(name, "Happy $bdx"), "Happy $bdx");
    type(address, "ann@gg", Qt::Key_End);
    QTest::keyClicks(address, "x");
    EXPECT_EQ(address->text(), "ann@gmail.comx");
    // A click on the header's switch turns completion off.
    QLabel *header = window.listPanel()->headerLabel();
    EXPECT_EQ(header->text(), ListPanel::kHeaderCaption + " on");
    header->resize(2000, header->height());
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(4420 * header->logicalDpiX() / 96 / 15, 3)); // in twips
    EXPECT_EQ(header->text(), ListPanel::kHeaderCaption + " off");
    EXPECT_EQ(type(name, "Happy $bd"), "Happy $bd");

    // A double click on the date column shows the event with the date picker focused; Enter there
    // modifies. (Return and Escape on the list are pressed in the modifying test.)
    list.select(0);
    emit window.listPanel()->modifyRequested(0, QStringLiteral("Date"));
    ASSERT_TRUE(list.editing());
    EXPECT_EQ(QApplication::focusWidget(), row.datePicker());
    row.nameBox()->setText("Anne");
    QTest::keyClick(row.datePicker(), Qt::Key_Return);
    EXPECT_EQ(list.at(2), (EventRecord{"Anne", "30/04/1980", "a@x", 0, "00/00 00/00 00/00"}));
}

TEST_F(EditingWindowTest, EventPopupFromKeyAndMouseAndTheShowEventsMenu)
{
    EXPECT_EQ(dw::test::menuCaptions(popup), "Mark as &Important|&Customise Event|-|&Modify|Canc&el");

    list.select(1);
    names->setFocus();
    QTest::keyClick(names, Qt::Key_Menu);
    ASSERT_TRUE(popup->isVisible());
    editing.menus().markItem()->trigger();
    popup->hide();
    EXPECT_EQ(list.at(1).mark, 1);

    // A right click selects the row under the pointer, focuses the list and opens the menu.
    row.nameBox()->setFocus();
    list.select(0);
    const QRect second = names->visualRect(names->model()->index(1, 0));
    QTest::mouseClick(names->viewport(), Qt::RightButton, {}, second.center());
    EXPECT_EQ(list.selected(), 1);
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(editing.menus().markItem()->text(), "Unmark as &Important"); // by mouse: with its key
    popup->hide();

    QMenu *menu = editing.menus().showEvents();
    EXPECT_EQ(dw::test::menuCaptions(menu, true), "mnuEventsI=&Important|mnuEventsN=Next 5 days|mnuEventsT=&Today");
    window.settings().remindBefore = "7";
    editing.menus().nextDaysItem()->trigger();
    EXPECT_EQ(prompter.texts(), QStringList{"There are no events for next 7 days."});
}

TEST_F(EditingWindowTest, CustomiseEventDialog)
{
    list.select(0);
    names->setFocus();
    window.findChild<QAction *>(QStringLiteral("mnuCustom"))->trigger();
    FrmWhen *d = editing.menus().customiseDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible() && d->windowModality() == Qt::ApplicationModal);
    EXPECT_EQ(d->windowTitle() + "|" + d->eventNameLabel()->text() + "|" + d->hintLabel()->text() + "|" + d->onlyText()->text(),
              "Customise Event|Ann|All dates between 06/04 & 30/04|06/04");

    // A wrong field keeps the dialog open and takes the focus; nothing is stored.
    d->onlyText()->setText("5/4");
    d->applyButton()->click();
    EXPECT_TRUE(d->isVisible() && d->focusWidget() == d->onlyText());
    EXPECT_EQ(d->onlyText()->text() + " " + list.at(0).rule, "05/04 06/04 00/00 00/00");
    d->onlyText()->setText("15/4"); // inside the range: dropped
    d->betweenBox()->setChecked(true);
    d->fromBox()->setText("10/4");
    d->toBox()->setText("20/04");
    d->applyButton()->click();
    EXPECT_EQ(list.at(0).rule, "00/00 10/04 20/04");
    EXPECT_TRUE(prompter.messages.empty());
}

// Started without any display, wrenpad says how to get one instead of aborting.
TEST(WrenpadProgramTest, WithoutADisplayItExplainsHowToGetOne)
{
    QProcess run;
    const QString list = QStringLiteral(DW_SOURCE_DIR "/examples/birthdays.dwe");
    ASSERT_TRUE(dw::test::runWithoutDisplay(run, QStringLiteral(DW_BINARY_DIR "/wrenpad"), {list}));
    EXPECT_EQ(run.exitCode(), 3);
    EXPECT_TRUE(run.readAllStandardError().contains("xvfb-run -a scripts/run.sh"));
}
