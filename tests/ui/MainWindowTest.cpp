#include "core/events/ListFile.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestWindow.h"
#include "ui/EventTableModel.h"
#include "ui/ListPanel.h"
#include "ui/MainWindow.h"
#include "ui/QtBusyIndicator.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace dw;
using test::TempDir;

namespace {
struct Fixture : ::testing::Test, test::TestWindow {
    TempDir dir;

    ~Fixture() override
    {
        // Let the window close without questions whatever the test left in it.
        window.events().setEditing(false);
        window.events().clear();
        for (int i = 0; i < 5; ++i)
            window.panelButton(i)->setEnabled(true);
    }
    QString writeList(const QString &name, int count)
    {
        std::vector<EventRecord> events;
        for (int i = 0; i < count; ++i)
            events.push_back({QString("Event %1").arg(i), "01/02/2000", "-", i % 2, kDefaultRule});
        return dir.write(name, listFileBytes(events));
    }
};
using MainWindowTest = Fixture;
} // namespace

TEST_F(MainWindowTest, StartUpRunsItsStepsInOrderAndLoadsTheCommandLineList)
{
    QStringList steps;
    auto step = [&](const char *name) {
        return [&, name] { steps << QString(name) + (window.loading() ? "" : " (not loading)") + " | "
                                        + window.busy().caption() + " | " + window.listPanel()->countLabel()->text(); };
    };
    auto &h = window.startupHooks();
    h.setDatePickerToday = step("date");
    h.blankPreview = [] { throw std::runtime_error("no browser view"); };
    h.fillFontLists = step("fonts");
    h.placeMarkers = step("markers");
    h.loadSettings = step("settings");
    h.refreshDependentControls = step("refresh");
    h.retitleNextDays = step("next days");
    h.focusNameBox = step("focus");
    h.registerFileType = step("register");

    QDir().mkpath(dir.path("My Lists"));
    const QString list = dir.path("My Lists/family.DWE");
    QFile::copy(writeList("src.dwe", 2), list);
    window.startUp("\"" + list + "\"");

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Datewren 7.0.3  -  05/03/2026"));
    EXPECT_EQ(steps, (QStringList{"date | Loading Datewren... | Total events = 0",
                                  "fonts | Loading Fonts... | Total events = 0",
                                  "markers | Loading Fonts... | Total events = 0",
                                  "settings | Loading Fonts... | Total events = 0",
                                  "refresh | Loading Fonts... | Total events = 0",
                                  "next days | Loading Fonts... | Total events = 0",
                                  "focus | Populating List...\r\n(family.DWE) | Total events = 2",
                                  "register | Populating List...\r\n(family.DWE) | Total events = 2"}));
    EXPECT_FALSE(window.loading());
    EXPECT_FALSE(window.busy().isShown());
    EXPECT_TRUE(window.busy().firstRefreshMark());
    EXPECT_EQ(window.events().count(), 2);
    EXPECT_EQ(window.listPanel()->headerLabel()->text(), ListPanel::kHeaderCaption + " on");
    EXPECT_EQ(window.listPanel()->headerLabel()->property("tag").toString(), QStringLiteral("ON"));
    EXPECT_TRUE(prompter.messages.empty());

    MainWindow plain{services()};
    plain.startUp("notes.txt");
    EXPECT_EQ(plain.listPanel()->countLabel()->text(), QStringLiteral("Total events = 0"));
    plain.hide();
}

TEST_F(MainWindowTest, PanelsTabsAndButtonsCarryTheirNamesAndColours)
{
    window.startUp(QString());
    for (const char *name : {"fraMain", "fraFormat", "fraHelp", "TabStrip1", "lstName", "lstDate",
                             "lstEMail", "lblName", "lblEvents", "chkImp", "smtSort", "smtEvents"})
        EXPECT_NE(window.findChild<QWidget *>(name), nullptr) << name;
    const QStringList panels{"List", "Format", "Create HTML", "Open HTML", "Help"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(window.findChild<QPushButton *>(QString("smtBttn%1").arg(i))->text(), panels[i]);
    const QStringList edits{"Remove", "Clear", "Save", "Open"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window.findChild<QPushButton *>(QString("smtEdit%1").arg(i))->text(), edits[i]);
    const QStringList tabs{"&Format", "&Effects", "P&osition", "&Preview", "Auto&C", "Other&s"};
    const QStringList pages{"fraMDS", "fraFx", "fraPOS", "fraPRE", "fraAutoCom", "fraOthers"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(window.tabStrip()->tabText(i), tabs[i]);
        EXPECT_EQ(window.tabPage(i)->objectName(), pages[i]);
        EXPECT_EQ(window.tabStrip()->widget(i), window.tabPage(i));
    }

    // The current panel's button caption is red, every other one normal.
    const QColor normal = QApplication::palette().color(QPalette::ButtonText);
    for (const auto &[button, panel] : {std::pair{0, "fraMain"}, {1, "fraFormat"}, {4, "fraHelp"}, {0, "fraMain"}}) {
        if (window.currentPanel()->objectName() != panel)
            window.panelButton(button)->click();
        EXPECT_EQ(window.currentPanel()->objectName(), QString(panel));
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(window.panelButton(i)->palette().color(QPalette::ButtonText), i == button ? QColor(255, 0, 0) : normal)
                << panel << i;
    }
}

TEST_F(MainWindowTest, ColumnsShareSelectionScrollAndShowTheMarkInTheImportantCaption)
{
    window.startUp(QString());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.listCommands().loadListFile(writeList("l.dwe", 300), false);
    ListPanel *panel = window.listPanel();
    QCheckBox *imp = panel->importantBox();
    imp->setChecked(true);

    EventColumn *dates = panel->column(1);
    dates->setCurrentIndex(panel->model()->index(7, EventTableModel::DateColumn));
    EXPECT_EQ(window.events().selected(), 7);
    EXPECT_EQ(panel->column(0)->currentIndex().row(), 7);
    EXPECT_EQ(panel->column(2)->currentIndex().row(), 7);
    EXPECT_EQ(imp->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_FALSE(imp->isChecked());
    panel->column(2)->setCurrentIndex(panel->model()->index(8, EventTableModel::AddressColumn));
    EXPECT_EQ(panel->column(0)->currentIndex().row(), 8);
    EXPECT_EQ(imp->palette().color(QPalette::WindowText), QColor(0, 0, 0));

    // Removing or reordering rows keeps the list's selection in every column and the box as ticked.
    imp->setChecked(true);
    window.events().remove(8);
    EXPECT_EQ(window.events().selected(), 8);
    window.events().replaceAll(window.events().rows());
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(panel->column(c)->currentIndex().row(), 8);
    EXPECT_TRUE(imp->isChecked());
    window.events().append({"x", "d", "-", 0, kDefaultRule});

    panel->column(0)->verticalScrollBar()->setValue(120);
    EXPECT_EQ(panel->column(1)->verticalScrollBar()->value(), 120);
    EXPECT_EQ(panel->column(2)->verticalScrollBar()->value(), 120);
    EXPECT_EQ(window.events().firstVisible(), 120);
    window.events().select(299);
    EXPECT_EQ(panel->column(0)->verticalScrollBar()->value(), panel->column(2)->verticalScrollBar()->value());
    EXPECT_GT(panel->column(0)->verticalScrollBar()->value(), 120);
    EXPECT_EQ(panel->countLabel()->text(), QStringLiteral("Total events = 300"));
}

TEST_F(MainWindowTest, FilesDroppedOnAnyColumnLoadWhenTheyEndInDwe)
{
    window.startUp(QString());
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(writeList("a.dwe", 2)), QUrl::fromLocalFile(writeList("b.DWE", 3))});
    QWidget *target = window.listPanel()->column(1)->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter); // a drop goes to the widget that accepted the drag
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(window.events().count(), 2);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainWindowTest, ShortcutKeysRunTheirCommandOnlyWhenTheConditionHolds)
{
    window.startUp(QString());
    QWidget *focus = window.listPanel()->column(0);
    prompter.choose(QString());
    QTest::keyClick(focus, Qt::Key_F12);
    EXPECT_EQ(prompter.dialogs, std::vector<FileKind>{FileKind::Open});
    QTest::keyClick(focus, Qt::Key_F11);
    EXPECT_EQ(prompter.texts(), QStringList{"Nothing to save!"});

    window.events().append({"a", "d", "-", 0, kDefaultRule});
    window.events().setEditing(true); // modifying: Add is hidden
    QTest::keyClick(focus, Qt::Key_F12);
    QTest::keyClick(focus, Qt::Key_F3);
    EXPECT_EQ(prompter.dialogs.size(), 1u);
    EXPECT_EQ(window.currentPanel(), window.listPanel());
    window.events().setEditing(false);

    QTest::keyClick(focus, Qt::Key_F3);
    EXPECT_EQ(window.currentPanel(), window.formatPanel());
    QTest::keyClick(window.tabStrip(), Qt::Key_F12); // List is not active
    EXPECT_EQ(prompter.dialogs.size(), 1u);
    QTest::keyClick(window.tabStrip(), Qt::Key_F2);
    EXPECT_EQ(window.activePanel(), MainWindow::Panel::List);

    int removes = 0;
    QObject::connect(window.listPanel()->editButton(0), &QPushButton::clicked, [&] { ++removes; });
    window.events().setListFocus(false);
    EXPECT_FALSE(window.dispatchKey(Qt::Key_Delete));
    window.events().setListFocus(true);
    EXPECT_TRUE(window.dispatchKey(Qt::Key_Delete));
    EXPECT_EQ(removes, 1);
    window.setEnabled(false);
    EXPECT_FALSE(window.dispatchKey(Qt::Key_Delete));
    EXPECT_FALSE(window.dispatchKey(Qt::Key_F4));
    window.setEnabled(true);
}

TEST_F(MainWindowTest, ExitSequenceOffersTheListAndRefusesWhileBusy)
{
    QStringList steps;
    window.exitHooks().storeSaveAtExit = [&] { steps << "store"; };
    window.exitHooks().saveAllSettings = [&] { steps << "save settings"; };
    window.startUp(QString());
    QDir().mkpath(paths.cacheDir());
    const QString preview = window.previewPagePath();

    for (int i = 0; i < 5; ++i)
        window.panelButton(i)->setEnabled(false); // the warnings panel is up
    EXPECT_FALSE(window.close());
    EXPECT_EQ(steps, QStringList{"store"});
    for (int i = 0; i < 5; ++i)
        window.panelButton(i)->setEnabled(true);

    window.events().append({"a", "d", "-", 0, kDefaultRule});
    window.events().setEditing(true);
    EXPECT_FALSE(window.close());
    window.events().setEditing(false);
    EXPECT_TRUE(prompter.messages.empty());

    {
        QFile f(preview);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    window.settings().saveAtExit = false;
    prompter.answer(Button::Cancel);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(QFile::exists(preview));
    EXPECT_EQ(prompter.texts(), QStringList{"Do you want to save the list in a file?"});
    EXPECT_EQ(steps, (QStringList{"store", "store", "save settings", "store"}));

    prompter.answer(Button::No);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

TEST(WrenpadProgramTest, WithoutADisplayItExplainsHowToGetOne)
{
    const QString program = QStringLiteral(DW_BINARY_DIR "/wrenpad");
    if (!QFile::exists(program))
        GTEST_SKIP() << "wrenpad is not built";
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    run.setProcessEnvironment(env);
    run.start(program, {QStringLiteral(DW_SOURCE_DIR "/examples/birthdays.dwe")});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 3);
    EXPECT_TRUE(run.readAllStandardError().contains("xvfb-run -a scripts/run.sh"));
}
