#include "PageTestSupport.h"
#include "core/events/EventList.h"
#include "page/CreatePage.h"
#include "page/DateCheck.h"
#include "page/OutputWarnings.h"
#include "platform/BusyIndicator.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <functional>

using namespace dw;
using namespace dw::test;

namespace {

class RecordingBusy final : public BusyIndicator {
public:
    void show(const QString &caption) override
    {
        shown << caption;
        if (onShow)
            onShow();
    }
    void hide() override {}
    QStringList shown;
    std::function<void()> onShow;
};

class RecordingShell final : public Shell {
public:
    bool open(const QString &p) override
    {
        opened << p;
        if (onOpen)
            onOpen();
        return true;
    }
    QStringList opened;
    std::function<void()> onOpen;
};

Message written(const QString &path)
{
    return Message{"\"" + path + "\" written successfully.", "File Written", Icon::Information, Buttons::Ok, Button::Ok};
}

Message overwrite(const QString &path)
{
    return Message{"File \"" + path + "\" already exists.\r\nDo you want to overwrite?", "Overwrite?", Icon::Exclamation,
                   Buttons::YesNoCancel, Button::No};
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
};

} // namespace

TEST(CreatePageTest, FirstUseAsksForAFileThenWritesAndConfirms)
{
    Fixture f;
    f.command.create();
    EXPECT_EQ(f.prompter.messages, std::vector<Message>({Message{"Nothing to write!", "Empty", Icon::Exclamation,
                                                                 Buttons::Ok, Button::Ok}}));
    EXPECT_FALSE(f.command.createCaptionBlue());

    f.prompter.reset();
    f.list.append(event("Zed", "5/3/2026"));
    f.list.append(event("Amy", "01.02.1990", "amy@x.org", 1));
    f.list.append(event("zed", "05-03-2026"));
    const QString path = f.dir.path("page.html");
    f.prompter.choose(path);
    QStringList blueWhile;
    f.busy.onShow = [&] {
        if (f.command.createCaptionBlue())
            blueWhile << f.busy.shown.back();
    };
    f.command.create();
    f.busy.onShow = nullptr;
    // "Create HTML" stays blue from the start to the end of the command.
    EXPECT_EQ(blueWhile, f.busy.shown);
    EXPECT_EQ(f.prompter.dialogs, std::vector<FileKind>({FileKind::Html}));
    EXPECT_EQ(f.prompter.messages, std::vector<Message>({written(path)}));
    EXPECT_EQ(f.busy.shown, QStringList({"Checking Dates...", "Removing Duplicates...", "Sorting...\r\n(Monthwise)",
                                         "Writing HTML..."}));
    // Dates rewritten, the duplicate gone, month-wise order.
    ASSERT_EQ(f.list.count(), 2);
    EXPECT_EQ(f.list.at(0).date, "01/02/1990");
    EXPECT_EQ(f.list.at(1).date, "05/03/2026");
    EXPECT_EQ(f.command.lastPagePath, path);
    EXPECT_FALSE(f.command.createCaptionBlue());
    const std::optional<QString> expected = pageText(PageInput{f.list.rows(), f.settings, f.fonts, f.clock.now(), {}});
    EXPECT_EQ(TempDir::read(path), expected->toLatin1());

    // Second run: the overwrite question; Yes writes without a dialog.
    f.prompter.reset();
    f.prompter.answer(Button::Yes);
    f.command.create();
    EXPECT_TRUE(f.prompter.dialogs.empty());
    EXPECT_EQ(f.prompter.messages, std::vector<Message>({overwrite(path), written(path)}));

    // No opens the dialog; the same file chosen there is confirmed again; Cancel ends quietly.
    f.prompter.reset();
    f.prompter.answer(Button::No).choose(path).answer(Button::Cancel);
    f.command.create();
    EXPECT_EQ(f.prompter.messages, std::vector<Message>({overwrite(path), overwrite(path)}));
    EXPECT_FALSE(f.command.createCaptionBlue());

    // A cancelled dialog ends quietly too.
    f.prompter.reset();
    f.prompter.answer(Button::No).choose(QString());
    f.command.create();
    EXPECT_EQ(f.prompter.messages, std::vector<Message>({overwrite(path)}));
    EXPECT_TRUE(f.prompter.allAnswersUsed());

    RecordingShell shell;
    bool openBlue = false;
    shell.onOpen = [&] { openBlue = f.command.openCaptionBlue(); };
    f.command.openPage(shell);
    EXPECT_EQ(shell.opened, QStringList({path}));
    EXPECT_TRUE(openBlue);
    EXPECT_FALSE(f.command.openCaptionBlue());
    f.command.lastPagePath.clear();
    f.command.openPage(shell);
    EXPECT_EQ(shell.opened.size(), 1);
}

TEST(CreatePageTest, InvalidDateStopsAfterRewritingTheRowsBefore)
{
    Fixture f;
    f.list.append(event("Ann", "5/3/2026"));
    f.list.append(event("Bob", "29/02/2026"));
    f.list.append(event("Cy", "7/7/2020"));
    f.command.lastPagePath = f.dir.path("p.html");
    f.command.create();
    EXPECT_EQ(f.prompter.messages, std::vector<Message>({Message{"Invalid date found for Bob", "Error", Icon::Critical,
                                                                 Buttons::Ok, Button::Ok}}));
    EXPECT_EQ(f.list.at(0).date, "05/03/2026");
    EXPECT_EQ(f.list.at(2).date, "7/7/2020");
    EXPECT_FALSE(QFile::exists(f.command.lastPagePath));
    EXPECT_FALSE(f.command.createCaptionBlue());
}

TEST(CreatePageTest, WarningsPanelIgnoreAndCancelOutput)
{
    Fixture f;
    f.list.append(event("Ann", "05/03/2026"));
    f.settings.remindBefore = "1";
    f.command.lastPagePath = f.dir.path("p.html");
    std::vector<PanelButton> panels;
    int shown = 0;
    QObject::connect(&f.command, &CreatePageCommand::panelRequested, [&](PanelButton b) { panels.push_back(b); });
    QObject::connect(&f.command, &CreatePageCommand::warningsShown, [&] { ++shown; });

    f.command.create();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(f.prompter.beeps, 1);
    EXPECT_FALSE(f.command.panelButtonsEnabled());
    EXPECT_TRUE(f.command.listCaptionBlack());
    EXPECT_FALSE(f.command.createCaptionBlue());
    EXPECT_TRUE(f.command.warningText().startsWith("1) You will be reminded ON the day of the event."));
    EXPECT_TRUE(f.prompter.messages.empty());
    EXPECT_FALSE(QFile::exists(f.command.lastPagePath));

    f.command.cancelOutput();
    EXPECT_TRUE(f.command.panelButtonsEnabled());
    EXPECT_TRUE(f.command.warningText().isEmpty());
    EXPECT_EQ(panels, std::vector<PanelButton>({PanelButton::Format}));
    EXPECT_EQ(f.command.cancelCaption(), "Cancel Output");
    EXPECT_TRUE(f.command.ignoreVisible());
    EXPECT_FALSE(QFile::exists(f.command.lastPagePath));

    f.prompter.answer(Button::Yes);
    f.command.create();
    f.command.ignore();
    EXPECT_EQ(panels.back(), PanelButton::List);
    EXPECT_TRUE(f.command.panelButtonsEnabled());
    EXPECT_TRUE(f.command.warningText().isEmpty());
    EXPECT_EQ(f.prompter.messages.back().title, "File Written");
    EXPECT_TRUE(QFile::exists(f.command.lastPagePath));

    // With "Ignore Output Warning" ticked the panel never shows.
    f.prompter.reset();
    f.command.ignoreWarnings = true;
    f.prompter.answer(Button::Yes);
    f.command.create();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(f.prompter.messages.back().title, "File Written");
}

TEST(CreatePageTest, FailedWriteKeepsThePreviousPageAndSaysWhy)
{
    Fixture f;
    f.list.append(event("Ann", "05/03/2026"));
    f.command.ignoreWarnings = true;
    const QString path = f.dir.write("p.html", "previous page");
    f.command.lastPagePath = path;
    f.settings.taskbarHeight = "abc";
    f.prompter.answer(Button::Yes);
    f.command.create();
    EXPECT_EQ(f.prompter.messages.back(),
              (Message{"The page could not be written to \"" + path
                           + "\".\r\nThe setting TaskbarHeight holds \"abc\", which is not a number.",
                       "Error", Icon::Critical, Buttons::Ok, Button::Ok}));
    EXPECT_EQ(TempDir::read(path), "previous page");

    f.settings.taskbarHeight = "35";
    f.prompter.reset();
    f.dir.write("file", "x");
    f.command.lastPagePath = f.dir.path("file/p.html");
    f.command.create();
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0].title, "Error");
    EXPECT_TRUE(f.prompter.messages[0].text.startsWith("The page could not be written to \"" + f.command.lastPagePath
                                                       + "\".\r\n"));
    EXPECT_GT(f.prompter.messages[0].text.size(), f.command.lastPagePath.size() + 40);
    EXPECT_FALSE(f.command.createCaptionBlue());
}

TEST(OutputWarningsTest, EveryCheckAndTheirNumbering)
{
    SettingsModel s;
    EXPECT_EQ(outputWarnings(s), "");

    const QString w1 = ") Main Date will not be displayed.\r\n    (Reason: Either you have not checked Main Date option in "
                       "Format or Opacity is 0 in Effects.)\r\n\r\n";
    const QString w2 = ") Main Date may not be displayed properly. \r\n    (Reason: Main Date colour = Background colour "
                       "in Format or Opacity in Effects is less than 26.)\r\n\r\n";
    const QString w3 = ") Name-Date will not be displayed.\r\n    (Reason: Either you have not checked Name-Date option in "
                       "Format or Opacity is 0 in Effects.)\r\n\r\n";
    const QString w4 = ") Name-Date may not be displayed properly.\r\n    (Reason: Opacity in Effects is less than 26 or "
                       "Name-Date colour = Background-colour.)\r\n\r\n";
    const QString w5 = ") Scroller will not be displayed.\r\n    (Reason: You have not selected Scroller option in "
                       "Format.)\r\n\r\n";
    const QString w6 = ") Background image file does not exist.\r\n\r\n";
    const QString w7 = ") Marked Important events will not be displayed properly.\r\n    (Reason: Colour of Important and "
                       "colour of Name-Date are same. Also you have not selected           Animate option in Format.)\r\n\r\n";
    const QString w8 = ") You will be reminded ON the day of the event.\r\n    (Reason: You have selected 'Remind me \"1\" "
                       "day before an event' in Format.)\r\n\r\n";
    const QString w9 = ") Taksbar height is 0. If you don't know the height of taskbar then set it to 35.";

    SettingsModel m = s;
    m.pickers[3].text = "008000";
    EXPECT_EQ(outputWarnings(m), "1" + w7);
    m.animate = true;
    EXPECT_EQ(outputWarnings(m), "");

    m = s;
    m.showBlock[0] = false;
    m.mdOpacity = "10";
    EXPECT_EQ(outputWarnings(m), "1" + w1);
    m.showBlock[0] = true;
    EXPECT_EQ(outputWarnings(m), "1" + w2);
    m.mdOpacity = "100";
    m.pickers[0].text = "B0D0F0";
    EXPECT_EQ(outputWarnings(m), "1" + w2);
    m.mdEffect = "Glow";
    EXPECT_EQ(outputWarnings(m), "");

    m = s;
    m.remindBefore = "1";
    m.taskbarHeight = "0";
    EXPECT_EQ(outputWarnings(m), "1" + w8 + "2" + w9);

    m = s;
    m.ndOpacity = "0";
    m.pickers[2].text = m.pickers[7].text;
    m.backgroundKind = "Picture";
    m.backgroundPicture = "/nonexistent/sky.jpg";
    EXPECT_EQ(outputWarnings(m), "1" + w3 + "2" + w5 + "3" + w6);
    m.ndOpacity = "25";
    m.backgroundKind = "Colour";
    EXPECT_EQ(outputWarnings(m), "1" + w4 + "2" + w5);

    m = s;
    m.showBlock = {false, false, false, true};
    m.mdOpacity = "0";
    m.pickers[1].text = "ff0000";
    m.remindBefore = "1";
    m.taskbarHeight = "0";
    m.backgroundKind = "Picture";
    EXPECT_EQ(outputWarnings(m), "1" + w1 + "2" + w3 + "3" + w5 + "4" + w6 + "5" + w7 + "6" + w8 + "7" + w9);
}

TEST(DateCheckTest, DayFirstWhateverTheLocale)
{
    std::vector<EventRecord> rows{event("a", "5/3/2026"), event("b", "05.03.2026"), event("c", "5-03-2026"),
                                  event("d", "29/02/2024"), event("e", "31/12/1999")};
    EXPECT_EQ(rewriteDates(rows), -1);
    EXPECT_EQ(rows[0].date, "05/03/2026");
    EXPECT_EQ(rows[1].date, "05/03/2026");
    EXPECT_EQ(rows[2].date, "05/03/2026");
    EXPECT_EQ(rows[3].date, "29/02/2024");
    for (const char *bad : {"29/02/2026", "31/04/2026", "5/3/26", "5/3-2026", "05/13/2026", "0/1/2026", "", "5/3/2026 ",
                            "١/٣/٢٠٢٦", "5//2026", "05/03/20266", "+5/3/2026", "00/00/0000"})
        EXPECT_FALSE(parseDayFirstDate(QString::fromUtf8(bad))) << bad;
}
