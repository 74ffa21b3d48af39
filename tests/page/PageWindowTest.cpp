#include "desktop/WallpaperOffer.h"
#include "PageTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/StartedWindow.h"
#include "ui/ListPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace dw;
using namespace dw::test;

namespace {

struct PageWindowTest : ::testing::Test, StartedWindow {
    TempDir dir;
    PageWindowTest() : StartedWindow(false) {}
    QWidget *find(const char *name) { return window.findChild<QWidget *>(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(PageWindowTest, WarningsPanelThenIgnoreWritesThePage)
{
    window.events().append(event("Bob", "12/3/1985"));
    window.events().append(event("Ann", "01/01/1990"));
    window.settings().remindBefore = "1";
    const QString path = dir.path("wall.html");
    prompter.choose(path);
    window.listPanel()->importantBox()->setChecked(true);

    EXPECT_TRUE(window.dispatchKey(Qt::Key_F5));
    EXPECT_FALSE(window.listPanel()->importantBox()->isChecked());
    ASSERT_EQ(prompter.dialogs, std::vector<FileKind>({FileKind::Html}));
    auto *text = qobject_cast<QPlainTextEdit *>(find("txtWarning"));
    ASSERT_TRUE(text);
    EXPECT_EQ(window.currentPanel(), find("fraWarning"));
    EXPECT_TRUE(text->toPlainText().startsWith("1) You will be reminded ON the day of the event."));
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(window.panelButton(i)->isEnabled()) << i;
    EXPECT_EQ(window.panelButton(MainWindow::ListButton)->palette().color(QPalette::ButtonText), QColor(Qt::black));
    EXPECT_EQ(prompter.beeps, 1);
    EXPECT_FALSE(QFile::exists(path)); // nothing written while the warnings show
    EXPECT_EQ(window.events().at(1).date, "12/03/1985"); // the command ran on the window's list

    prompter.answer(Button::Ok).answer(Button::No); // "File Written", then not as wallpaper
    qobject_cast<QPushButton *>(find("cmdIgnore"))->click();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(window.currentPanel(), window.listPanel());
    EXPECT_TRUE(text->toPlainText().isEmpty());
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(window.panelButton(i)->isEnabled()) << i;
    EXPECT_EQ(window.panelButton(MainWindow::CreateHtmlButton)->palette().color(QPalette::ButtonText), QColor(Qt::black));

    window.panelButton(MainWindow::OpenHtmlButton)->click();
    EXPECT_EQ(shell.opened, QStringList({path}));

    // Warnings again, then Cancel Output: the Format panel, nothing written over.
    prompter.reset();
    prompter.answer(Button::Yes);
    window.panelButton(MainWindow::CreateHtmlButton)->click();
    EXPECT_EQ(window.currentPanel(), find("fraWarning"));
    qobject_cast<QPushButton *>(find("cmdExit"))->click();
    EXPECT_EQ(window.currentPanel(), window.formatPanel());
    EXPECT_TRUE(text->toPlainText().isEmpty());
    EXPECT_EQ(prompter.messages.size(), 1u); // only the overwrite question
    EXPECT_TRUE(window.panelButton(MainWindow::ListButton)->isEnabled());

    // "Ignore Output Warning" skips the panel.
    qobject_cast<QCheckBox *>(find("chkIgnore"))->setChecked(true);
    prompter.reset();
    prompter.answer(Button::Yes).answer(Button::Ok).answer(Button::No);
    window.panelButton(MainWindow::CreateHtmlButton)->click();
    EXPECT_EQ(prompter.messages.size(), 3u);
    EXPECT_EQ(prompter.messages.back(), desktop::wallpaperQuestion());
}

TEST_F(PageWindowTest, SortMenuOrdersTheListAndClearsTheImportantBox)
{
    window.events().append(event("bob", "05/01/2001", "-", 1));
    window.events().append(event("Alice", "04/02/1999"));
    window.events().append(event("carl", "05/01/1990"));
    window.listPanel()->importantBox()->setChecked(true);
    auto *menu = window.listPanel()->findChild<QMenu *>("mnuSort");
    ASSERT_TRUE(menu);
    EXPECT_EQ(menuCaptions(menu), "&Names/Events-wise|&Monthwise|&Yearwise|&Add/Des-wise|&Important-wise|-|&Remove Duplicates");
    menu->actions()[0]->trigger();
    EXPECT_EQ(window.events().at(0).name, "Alice");
    EXPECT_FALSE(window.listPanel()->importantBox()->isChecked());
    menu->actions()[4]->trigger();
    EXPECT_EQ(window.events().at(0).name, "bob");
    EXPECT_TRUE(prompter.messages.empty());
}
