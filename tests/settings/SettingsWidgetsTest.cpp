#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TestWindow.h"
#include "ui/MainWindow.h"
#include "ui/settings/ColourButton.h"
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
#include <QToolButton>
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
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            button->click();
        } else if (auto *box = qobject_cast<QComboBox *>(w)) {
            const int index = box->findText(input);
            ASSERT_GE(index, 0) << control << " " << input.toStdString();
            box->setCurrentIndex(index);
            emit box->activated(index);
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            edit->setText(input);
            emit edit->textEdited(input);
        }
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
        {"cmdTemplate", "text", "Create Template From File..."}, {"cmdInfo", "text", "?"},
        {"cmdBrowse", "text", "Browse..."}, {"cmdGetFile", "toolTip", "Warning: Save settings before opening."},
        {"chkSaveExit", "toolTip", "Save all settings at exit"},
        {"txtTaskbar", "toolTip",
         "Please specify the height of the Taskbar (in pixels) so that \"Bottom\" positions can be displayed correctly."},
        {"fraEffects4", "title", "SpookyShadow"}, {"lblMainDate", "text", "Main Date"},
        {"lblDays", "text", "Remind me             days before an event."},
        {"clrPicker0", "toolTip", "R:255 G:0 B:0 or #FF0000"}, {"txtAutoCom1", "text", "gmail.com"},
    };
    for (const auto &f : fixed)
        EXPECT_EQ(read(f.widget, f.property), QString::fromUtf8(f.text)) << f.widget << "." << f.property;
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtShortcut%1").arg(i))->maxLength(), 2);
    EXPECT_EQ(items("cmbFontSize0"), lists::fontSizes(0));
    EXPECT_EQ(items("cmbNDStyle"), lists::nameDateStyles());
    EXPECT_EQ(items("cmbMDPosition"), lists::positions());

    // Installed families are listed; a name that is not installed is kept and shown.
    model.fonts[0] = "Not Installed Sans";
    tabs.fillFontLists();
    EXPECT_EQ(read("cmbFonts0", "currentText"), "Not Installed Sans");
    EXPECT_EQ(read("lblFontNote", "text"), "Not Installed Sans is not installed; DejaVu Sans is shown instead.");
    EXPECT_EQ(read("cmbFonts1", "currentText"), "Arial");
    EXPECT_EQ(items("cmbFonts2"), fonts.familyList);
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
    EXPECT_EQ(model.animation, "Blink");
    EXPECT_TRUE(tabs.formatTab()->animationMenu()->isVisible());
    EXPECT_TRUE(find<QAction>("mnuBlink")->isChecked());
    find<QAction>("mnuGlow")->trigger();
    EXPECT_EQ(std::tuple(model.animate, model.animation), std::tuple(true, "Glow"));
    EXPECT_FALSE(find<QAction>("mnuBlink")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkAnim")->isChecked());
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
    EXPECT_EQ(prompter.beeps, 1);
    EXPECT_EQ(find<QLabel>("lblMainDate")->pos(), QPoint(qRound(2067.5 / 12), 10));
    EXPECT_EQ(find<QFrame>("lnMD")->y(), 10);
    EXPECT_EQ(model.scrollerTop, 3390);

    // Dropped onto a marker: nothing. On the free area: placed (the corrections are PositionEditorTest's).
    frame->dropAt(Marker::NameDate, QPointF(model.mainDateLeft + 10, model.mainDateTop + 10));
    EXPECT_EQ(model.mainDatePosition, "Top Center");
    frame->dropAt(Marker::MainDate, QPointF(4800, 3600));
    EXPECT_EQ(model.mainDatePosition, "Custom");
    EXPECT_EQ(find<QLabel>("lblMainDate")->pos(), QPoint(qRound(4135 / 12.0), qRound(3420 / 12.0)));

    // A real drag with the mouse: from the Name-Date marker to the free upper left.
    QLabel *nd = find<QLabel>("lblNameDate");
    QTest::mousePress(nd, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(nd, Qt::LeftButton, {}, nd->mapFrom(frame, QPoint(100, 150)));
    EXPECT_EQ(std::tuple(model.nameDateTop, model.nameDateAlign), std::tuple(1695, 2));

    prompter.answer(Button::Yes);
    run({{"cmdDefault2", "", "picAlign2", "text", "right"}});
    EXPECT_EQ(model.mainDateLeft, 4125);
    find<QPushButton>("cmdSave2")->click();
    EXPECT_EQ(store.getSetting(kSettingsSection, "NameDateAlign"), "right");
    find<QPushButton>("cmdInfo")->click();
    EXPECT_EQ(prompter.messages.back().title, "Info");
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
        EXPECT_EQ(window.settings().nameDateLeft, 4035); // start-up puts it at the right edge
        EXPECT_EQ(window.findChild<QComboBox *>("cmbDays")->currentText(), "9");
        EXPECT_EQ(window.findChild<QComboBox *>("cmbFonts0")->currentText(), "Verdana");
        window.settings().remindBefore = "3";
        EXPECT_TRUE(window.runExitSequence());
    }
    FileSettingsStore after(FileSettingsStore::defaultPath());
    EXPECT_EQ(after.getSetting(kSettingsSection, "RemindBefore"), "3");
    EXPECT_EQ(after.getSetting(kSettingsSection, "ShortCut0", "-"), "-"); // the key is spelt Shortcut0
    EXPECT_EQ(after.getSetting(kSettingsSection, "Shortcut0"), "aa aol.com");
    EXPECT_EQ(after.getAllSettings(kSettingsSection).front().first, "RemindBefore"); // keys keep their places
}
