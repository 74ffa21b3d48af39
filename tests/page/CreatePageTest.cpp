#include "PageTestSupport.h"
#include "core/events/EventList.h"
#include "desktop/WallpaperOffer.h"
#include "page/CreatePage.h"
#include "page/DateCheck.h"
#include "page/OutputWarnings.h"
#include "tests/support/ListDoubles.h"
#include "tests/support/StartedWindow.h"

#include <QCheckBox>
#include <QPlainTextEdit>

using namespace dw;
using namespace dw::test;

namespace {

Message written(const QString &path)
{
    return Message{"\"" + path + "\" written successfully.", "File Written", Icon::Information, Buttons::Ok, Button::Ok};
}

Message overwrite(const QString &path)
{
    return Message{"File \"" + path + "\" already exists.\r\nDo you want to overwrite?", "Overwrite?", Icon::Exclamation,
                   Buttons::YesNoCancel, Button::No};
}

Message error(const QString &text)
{
    return Message{text, "Error", Icon::Critical, Buttons::Ok, Button::Ok};
}

struct Fixture {
    EventList list;
    SettingsModel settings;
    ScriptedPrompter prompter;
    RecordingBusy busy;
    FixedClock clock{2026, 3, 5};
    FakeFontCatalog fonts;
    CreatePageCommand command{list, settings, prompter, busy, clock, fonts};
    TempDir dir;
    Fixture()
    {
        busy.note = [this] { return command.createCaptionBlue() ? QString() : QStringLiteral(" (not blue)"); };
    }
};

} // namespace

TEST(CreatePageTest, FileChoiceOverwriteQuestionsAndAFailedWrite)
{
    Fixture f;
    f.command.create();
    EXPECT_EQ(f.prompter.messages,
              std::vector<Message>({Message{"Nothing to write!", "Empty", Icon::Exclamation, Buttons::Ok, Button::Ok}}));

    f.prompter.reset();
    f.list.append(event("Zed", "5/3/2026"));
    f.list.append(event("Amy", "01.02.1990", "amy@x.org", 1));
    f.list.append(event("zed", "05-03-2026"));
    const QString path = f.dir.path("page.html");
    f.prompter.choose(path);
    f.command.create();
    EXPECT_EQ(f.prompter.dialogs, std::vector<FileKind>({FileKind::Html}));
    EXPECT_EQ(f.prompter.messages, std::vector<Message>({written(path)}));
    // "Create HTML" stays blue from the start to the end of the command.
    EXPECT_EQ(f.busy.captions, QStringList({"Checking Dates...", "Removing Duplicates...", "Sorting...\r\n(Monthwise)",
                                         "Writing HTML..."}));
    // Dates rewritten, the duplicate gone, month-wise order.
    EXPECT_EQ(field(f.list.rows(), &EventRecord::date), QStringList({"01/02/1990", "05/03/2026"}));
    EXPECT_EQ(TempDir::read(path), pageText(PageInput{f.list.rows(), f.settings, f.fonts, f.clock.now(), {}})->toLatin1());

    // Later runs ask before overwriting. Yes writes without a dialog; No opens the dialog, and
    // the same file chosen there is confirmed again; Cancel, or a cancelled dialog, ends quietly.
    const struct {
        std::vector<Button> answers;
        QStringList chosen; // paths the dialog returns
        std::vector<Message> messages;
    } runs[] = {{{Button::Yes}, {}, {overwrite(path), written(path)}},
                {{Button::No, Button::Cancel}, {path}, {overwrite(path), overwrite(path)}},
                {{Button::No}, {""}, {overwrite(path)}}};
    for (const auto &run : runs) {
        f.prompter.reset();
        for (Button b : run.answers)
            f.prompter.answer(b);
        for (const QString &p : run.chosen)
            f.prompter.choose(p);
        f.command.create();
        EXPECT_EQ(f.prompter.messages, run.messages);
        EXPECT_EQ(f.prompter.dialogs.size(), size_t(run.chosen.size()));
        EXPECT_FALSE(f.command.createCaptionBlue());
    }

    // A failed write says why and keeps the page already there.
    const QByteArray before = TempDir::read(path);
    f.command.ignoreWarnings = true;
    f.settings.taskbarHeight = "abc";
    f.prompter.reset();
    f.prompter.answer(Button::Yes);
    f.command.create();
    EXPECT_EQ(f.prompter.messages.back(), error("The page could not be written to \"" + path
                                                + "\".\r\nThe setting TaskbarHeight holds \"abc\", which is not a number."));
    EXPECT_EQ(TempDir::read(path), before);
    EXPECT_FALSE(f.command.createCaptionBlue());
}

TEST(CreatePageTest, InvalidDateStopsAfterRewritingTheRowsBefore)
{
    Fixture f;
    f.list.append(event("Ann", "5/3/2026"));
    f.list.append(event("Bob", "29/02/2026"));
    f.list.append(event("Cy", "7/7/2020"));
    f.command.lastPagePath = f.dir.path("p.html");
    f.command.create();
    EXPECT_EQ(f.prompter.messages, std::vector<Message>({error("Invalid date found for Bob")}));
    EXPECT_EQ(field(f.list.rows(), &EventRecord::date), QStringList({"05/03/2026", "29/02/2026", "7/7/2020"}));
    EXPECT_FALSE(QFile::exists(f.command.lastPagePath));
    EXPECT_FALSE(f.command.createCaptionBlue());
}

// The text for each row, numbered as shown, is pinned in data/warnings.txt.
TEST(OutputWarningsTest, EveryCheckAndTheirNumbering)
{
    const std::function<void(SettingsModel &)> cases[] = {
        [](SettingsModel &) {},
        [](SettingsModel &m) { m.pickers[3].text = "008000"; },
        [](SettingsModel &m) { m.pickers[3].text = "008000", m.animate = true; },
        [](SettingsModel &m) { m.showBlock[0] = false, m.mdOpacity = "10"; },
        [](SettingsModel &m) { m.mdOpacity = "10"; },
        // Colours compare by value, whatever the case of the letters; an effect keeps the date readable.
        [](SettingsModel &m) { m.pickers[0].text = "B0D0F0"; },
        [](SettingsModel &m) { m.pickers[0].text = "B0D0F0", m.mdEffect = "Glow"; },
        [](SettingsModel &m) { m.remindBefore = "1", m.taskbarHeight = "0"; },
        [](SettingsModel &m) {
            m.ndOpacity = "0", m.pickers[2].text = m.pickers[7].text;
            m.backgroundKind = "Picture", m.backgroundPicture = "/nonexistent/sky.jpg";
        },
        [](SettingsModel &m) { m.ndOpacity = "25", m.pickers[2].text = m.pickers[7].text; },
        [](SettingsModel &m) {
            m.showBlock = {false, false, false, true}, m.mdOpacity = "0", m.pickers[1].text = "ff0000";
            m.remindBefore = "1", m.taskbarHeight = "0", m.backgroundKind = "Picture";
        },
    };
    QString all;
    for (size_t i = 0; i < std::size(cases); ++i) {
        SettingsModel m;
        cases[i](m);
        all += QStringLiteral("==== row %1\n").arg(i) + outputWarnings(m) + QStringLiteral("\n");
    }
    expectGolden(QStringLiteral("warnings.txt"), all.toUtf8());
}

TEST(DateCheckTest, DayFirstWhateverTheLocale)
{
    // The separators and short forms are rewritten by Create HTML above.
    EXPECT_EQ(parseDayFirstDate("29/2/2024"), QDate(2024, 2, 29));
    for (const char *bad : {"29/02/2026", "31/04/2026", "5/3/26", "5/3-2026", "05/13/2026", "0/1/2026", "", "5/3/2026 ",
                            "١/٣/٢٠٢٦", "5//2026", "05/03/20266", "+5/3/2026", "00/00/0000"})
        EXPECT_FALSE(parseDayFirstDate(QString::fromUtf8(bad))) << bad;
}

namespace {

struct PageWindowTest : ::testing::Test, StartedWindow {
    TempDir dir;
    PageWindowTest() : StartedWindow(false) {}
    QWidget *find(const char *name) { return window.findChild<QWidget *>(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(PageWindowTest, WarningsPanelIgnoreCancelAndTheSortMenu)
{
    window.events().append(event("Bob", "12/3/1985"));
    window.events().append(event("Ann", "01/01/1990"));
    window.settings().remindBefore = "1";
    const QString path = dir.path("wall.html");
    prompter.choose(path);
    window.listPanel()->importantBox()->setChecked(true);
    window.panelButton(MainWindow::OpenHtmlButton)->click(); // no page yet: opens nothing (see below)

    EXPECT_TRUE(window.dispatchKey(Qt::Key_F5));
    EXPECT_FALSE(window.listPanel()->importantBox()->isChecked());
    auto *text = qobject_cast<QPlainTextEdit *>(find("txtWarning"));
    ASSERT_TRUE(text);
    EXPECT_EQ(window.currentPanel(), find("fraWarning"));
    EXPECT_TRUE(text->toPlainText().startsWith("1) You will be reminded ON the day of the event."));
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(window.panelButton(i)->isEnabled()) << i;
    EXPECT_EQ(prompter.beeps, 1);
    EXPECT_FALSE(QFile::exists(path)); // nothing written while the warnings show
    EXPECT_EQ(window.events().at(1).date, "12/03/1985"); // the command ran on the window's list

    prompter.answer(Button::Ok).answer(Button::No); // "File Written", then not as wallpaper
    qobject_cast<QPushButton *>(find("cmdIgnore"))->click();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(prompter.messages.back(), desktop::wallpaperQuestion());
    EXPECT_EQ(window.currentPanel(), window.listPanel()); // the List button works again: pressed for the command

    window.panelButton(MainWindow::OpenHtmlButton)->click();
    EXPECT_EQ(shell.opened, QStringList({path}));

    // Warnings again, then Cancel Output: the Format panel, nothing written over.
    prompter.reset();
    prompter.answer(Button::Yes);
    window.panelButton(MainWindow::CreateHtmlButton)->click();
    EXPECT_EQ(window.currentPanel(), find("fraWarning"));
    qobject_cast<QPushButton *>(find("cmdExit"))->click();
    EXPECT_EQ(window.currentPanel(), window.formatPanel());
    EXPECT_EQ(prompter.messages.size(), 1u); // only the overwrite question

    // The Sort menu on the same list (month-wise now; the orders are the sort command's own test).
    window.listPanel()->importantBox()->setChecked(true);
    auto *menu = window.listPanel()->findChild<QMenu *>("mnuSort");
    ASSERT_TRUE(menu);
    EXPECT_EQ(menuCaptions(menu), "&Names/Events-wise|&Monthwise|&Yearwise|&Add/Des-wise|&Important-wise|-|&Remove Duplicates");
    menu->actions()[2]->trigger();
    EXPECT_EQ(window.events().at(0).name, "Bob");
    EXPECT_FALSE(window.listPanel()->importantBox()->isChecked());
}
