#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TestWindow.h"
#include "ui/MainWindow.h"
#include "ui/settings/FormatTab.h"
#include "ui/settings/PositionTab.h"
#include "ui/settings/SettingsTabs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace dw;

namespace {
// One user action on a control by name (a click, a choice or typed text; none when `control` is
// null), then one property of a widget read back as text ("true"/"false" for flags).
struct Step {
    const char *control, *input, *widget, *property, *want;
};

struct SettingsPagesTest : ::testing::Test {
    SettingsModel model;
    MemorySettingsStore store;
    test::ScriptedPrompter prompter;
    test::FakeFontCatalog fonts;
    QWidget host;
    SettingsTabs tabs{SettingsContext{model, store, prompter, fonts, "/nowhere"},
                      {new QWidget(&host), new QWidget(&host), new QWidget(&host), new QWidget(&host), new QWidget(&host)},
                      nullptr};

    template<class W>
    W *find(const QString &name)
    {
        W *w = host.findChild<W *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void act(const char *control, const QString &input)
    {
        QWidget *w = find<QWidget>(control);
        const int index = qobject_cast<QComboBox *>(w) ? static_cast<QComboBox *>(w)->findText(input) : 0;
        ASSERT_GE(index, 0) << control << " " << input.toStdString();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->click();
        else if (auto *box = qobject_cast<QComboBox *>(w))
            box->setCurrentIndex(index), emit box->activated(index);
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(input), emit edit->textEdited(input);
    }
    QString read(const char *widget, const char *property) { return find<QWidget>(widget)->property(property).toString(); }
    QStringList items(const char *name)
    {
        QStringList l;
        for (QComboBox *box = find<QComboBox>(name); l.size() < box->count();)
            l << box->itemText(l.size());
        return l;
    }
    void run(std::initializer_list<Step> steps)
    {
        for (const Step &s : steps) {
            if (s.control)
                act(s.control, QString::fromUtf8(s.input));
            EXPECT_EQ(read(s.widget, s.property), QString::fromUtf8(s.want))
                << (s.control ? s.control : "") << " " << s.input << " -> " << s.widget << "." << s.property;
        }
    }
};
} // namespace

TEST_F(SettingsPagesTest, ControlsCarryTheirCaptionsAndLists)
{
    const char *save = "Save Settings", *defaults = "Default Settings...";
    const struct {
        const char *widget, *property, *text;
    } fixed[] = {
        {"chkFormat0", "text", "Main Date : "}, {"chkFormat1", "text", "Name-Date :"}, {"chkFormat2", "text", "Scroller :"},
        {"chkFormat3", "text", "Background :"}, {"chkAnim", "text", "Animate"}, {"chkSaveExit", "text", "Save at exit"},
        {"cmdSave", "text", save}, {"cmdSave1", "text", save}, {"cmdSave2", "text", save}, {"cmdSave3", "text", save},
        {"cmdDefault", "text", defaults}, {"cmdDefault1", "text", defaults}, {"cmdDefault2", "text", defaults},
        {"cmdSaveAll", "text", "Save All Settings"}, {"cmdReset", "text", "Reset All Settings to Default..."},
        {"cmdSaveFile", "text", "Save Current Settings to File..."}, {"cmdGetFile", "text", "Get Settings From File..."},
        {"cmdTemplate", "text", "Create Template From File..."}, {"cmdInfo", "text", "?"}, {"cmdBrowse", "text", "Browse..."},
        {"cmdGetFile", "toolTip", "Warning: Save settings before opening."}, {"chkSaveExit", "toolTip", "Save all settings at exit"},
        {"txtTaskbar", "toolTip",
         "Please specify the height of the Taskbar (in pixels) so that \"Bottom\" positions can be displayed correctly."},
        {"fraEffects4", "title", "SpookyShadow"}, {"lblMainDate", "text", "Main Date"}, {"txtAutoCom1", "text", "gmail.com"},
        {"lblDays", "text", "Remind me             days before an event."}, {"clrPicker0", "toolTip", "R:255 G:0 B:0 or #FF0000"},
    };
    for (const auto &f : fixed)
        EXPECT_EQ(read(f.widget, f.property), QString::fromUtf8(f.text)) << f.widget << "." << f.property;
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtShortcut%1").arg(i))->maxLength(), 2);
    // Installed families are listed; a name that is not installed is kept and shown.
    model.fonts[0] = "Not Installed Sans";
    tabs.fillFontLists();
    EXPECT_EQ(std::tuple(items("cmbFontSize0"), items("cmbNDStyle"), items("cmbMDPosition"), items("cmbFonts2")),
              std::tuple(lists::fontSizes(0), lists::nameDateStyles(), lists::positions(), fonts.familyList));
    run({{nullptr, nullptr, "cmbFonts0", "currentText", "Not Installed Sans"}, {nullptr, nullptr, "cmbFonts1", "currentText", "Arial"},
         {nullptr, nullptr, "lblFontNote", "text", "Not Installed Sans is not installed; DejaVu Sans is shown instead."}});
}

TEST_F(SettingsPagesTest, DependentControlsFollowTheChoices)
{
    host.show();
    prompter.choose(""); // "Browse..." cancelled still switches to a picture background
    act("txtShortcut8", "Z");
    run({{"chkFormat0", "", "chkFormat2", "enabled", "true"},         {"chkFormat1", "", "chkFormat2", "enabled", "false"},
         {nullptr, nullptr, "chkFormat2", "checked", "true"},         {"chkFormat1", "", "chkFormat2", "enabled", "true"},
         {"cmbEffects", "Blur", "fraEffects1", "visible", "true"},    {nullptr, nullptr, "clrPicker5", "visible", "false"},
         {"cmbEffects", "Glow", "fraEffects1", "visible", "false"},   {nullptr, nullptr, "fraEffects3", "visible", "true"},
         {nullptr, nullptr, "clrPicker5", "visible", "true"},         {nullptr, nullptr, "lblEffectColour", "visible", "true"},
         {"cmbMDStyle", "dd MMMM, yyyy", "cmbMDSep", "enabled", "false"},
         {"cmbDays", "1", "lblDays", "text", "Remind me             day before an event."},
         {"txtMDOpacity", "101", "txtMDOpacity", "text", "100"},      {nullptr, nullptr, "txtMDOpacity", "selectedText", "100"},
         {"txtNDOpacity", "0", "txtNDOpacity", "text", "0"},          {"txtTaskbar", "70", "txtTaskbar", "text", "35"},
         {"txtShortcut9", "y", "txtShortcut9", "text", ""}, // slot 4 has it already
         {"cmdBrowse", "", "clrPicker4", "visible", "false"},         {nullptr, nullptr, "txtBrowse", "visible", "true"}});
    EXPECT_EQ(model.showBlock, (std::array<bool, 4>{false, true, true, true}));
    EXPECT_EQ(std::tuple(model.mdEffect, model.ndOpacity, model.shortcuts[8], model.backgroundKind),
              std::tuple("Glow", "0", "zz", "Picture"));
    EXPECT_EQ(prompter.dialogs, std::vector<FileKind>{FileKind::Picture});

    // "Animate": with no kind marked, Blink is marked and the menu opens; a kind ticks the box.
    model.animation.clear();
    tabs.formatTab()->animateReleased(true);
    EXPECT_EQ(std::tuple(model.animation, tabs.formatTab()->animationMenu()->isVisible(), find<QAction>("mnuBlink")->isChecked()),
              std::tuple("Blink", true, true));
    find<QAction>("mnuGlow")->trigger();
    EXPECT_EQ(std::tuple(model.animate, model.animation, find<QAction>("mnuBlink")->isChecked(), find<QCheckBox>("chkAnim")->isChecked()),
              std::tuple(true, "Glow", false, true));
    tabs.formatTab()->animationMenu()->hide();
}

TEST_F(SettingsPagesTest, PositionPageMarkersPicturesAndButtons)
{
    host.show();
    PositionFrame *frame = tabs.positionTab()->frame();
    run({{"cmbNDPosition", "Top Right", "picAlign2", "text", ""},
         {"cmbMDPosition", "Top Right", "cmbMDPosition", "currentText", "Top Center"}, // the conflict rule
         {"picAlign1", "", "picAlign1", "text", "center"}, {nullptr, nullptr, "cmbNDPosition", "currentText", "Custom"},
         {"picPos2", "", "picPos2", "text", "bottom"}});
    EXPECT_EQ(std::tuple(prompter.beeps, find<QLabel>("lblMainDate")->pos(), find<QFrame>("lnMD")->y(), model.scrollerTop),
              std::tuple(1, QPoint(qRound(2067.5 / 12), 10), 10, 3390));

    // Dropped onto a marker: nothing. On the free area: placed (the corrections are PositionEditorTest's).
    frame->dropAt(Marker::NameDate, QPointF(model.mainDateLeft + 10, model.mainDateTop + 10));
    EXPECT_EQ(model.mainDatePosition, "Top Center");
    frame->dropAt(Marker::MainDate, QPointF(4800, 3600));
    EXPECT_EQ(std::tuple(model.mainDatePosition, find<QLabel>("lblMainDate")->pos()),
              std::tuple("Custom", QPoint(qRound(4135 / 12.0), qRound(3420 / 12.0))));

    // A real drag with the mouse: from the Name-Date marker to the free upper left.
    QLabel *nd = find<QLabel>("lblNameDate");
    QTest::mousePress(nd, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(nd, Qt::LeftButton, {}, nd->mapFrom(frame, QPoint(100, 150)));
    EXPECT_EQ(std::tuple(model.nameDateTop, model.nameDateAlign), std::tuple(1695, 2));

    prompter.answer(Button::Yes);
    run({{"cmdDefault2", "", "picAlign2", "text", "right"}});
    EXPECT_EQ(model.mainDateLeft, 4125);
    find<QPushButton>("cmdSave2")->click();
    find<QPushButton>("cmdInfo")->click();
    EXPECT_EQ(std::tuple(store.getSetting(kSettingsSection, "NameDateAlign"), prompter.messages.back().title), std::tuple("right", "Info"));
}

TEST(SettingsWindowTest, PagesSitInTheWindowAndStartUpAndExitUseTheStore)
{
    FileSettingsStore(FileSettingsStore::defaultPath())
        .saveSettings(kSettingsSection, {{"RemindBefore", "9"}, {"MDEffect", "Glow"}, {"SaveAtExit", "1"}});
    {
        test::TestWindow t;
        MainWindow &window = t.window;
        window.startUp(QString());
        for (const auto &[tab, control] : {std::pair{MainWindow::FormatTab, "chkFormat0"}, {MainWindow::PositionTab, "fraPosIn"},
                                           {MainWindow::OthersTab, "cmdSaveAll"}})
            EXPECT_NE(window.tabPage(tab)->findChild<QWidget *>(control), nullptr) << control;
        // Start-up puts the Name-Date marker at the right edge.
        EXPECT_EQ(std::tuple(window.settings().nameDateLeft, window.findChild<QComboBox *>("cmbDays")->currentText(),
                             window.findChild<QComboBox *>("cmbFonts0")->currentText()), std::tuple(4035, "9", "Verdana"));
        window.settings().remindBefore = "3";
        EXPECT_TRUE(window.runExitSequence());
    }
    FileSettingsStore after(FileSettingsStore::defaultPath());
    EXPECT_EQ(std::tuple(after.getSetting(kSettingsSection, "RemindBefore"), after.getSetting(kSettingsSection, "ShortCut0", "-"),
                         after.getSetting(kSettingsSection, "Shortcut0")), std::tuple("3", "-", "aa aol.com")); // spelt Shortcut0
    EXPECT_EQ(after.getAllSettings(kSettingsSection).front().first, "RemindBefore"); // keys keep their places
}
