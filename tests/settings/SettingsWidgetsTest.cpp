#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/settings/SettingsTabs.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

using namespace dw;

namespace {
struct SettingsPagesTest : ::testing::Test {
    SettingsModel model;
    MemorySettingsStore store;
    test::ScriptedPrompter prompter;
    test::FakeFontCatalog fonts;
    QWidget host;
    SettingsTabs tabs{SettingsContext{model, store, prompter, fonts, "/nowhere"},
                      {new QWidget(&host), new QWidget(&host), new QWidget(&host), new QWidget(&host),
                       new QWidget(&host)},
                      nullptr};

    template<class W>
    W *find(const QString &name)
    {
        W *w = host.findChild<W *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    // One user action on a control by name: a click, a choice or typed text.
    void act(const char *control, const QString &input)
    {
        QObject *w = find<QObject>(control);
        const int index = qobject_cast<QComboBox *>(w) ? static_cast<QComboBox *>(w)->findText(input) : 0;
        ASSERT_GE(index, 0) << control << " " << input.toStdString();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->click();
        else if (auto *action = qobject_cast<QAction *>(w))
            action->trigger();
        else if (auto *box = qobject_cast<QComboBox *>(w))
            box->setCurrentIndex(index), emit box->activated(index);
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(input), emit edit->textEdited(input);
    }
    QString read(const char *name, const char *property) { return find<QObject>(name)->property(property).toString(); }
};
} // namespace

TEST_F(SettingsPagesTest, ControlsCarryTheirCaptionsAndLists)
{
    const char *save = "Save Settings", *defaults = "Default Settings..."; // on every page that has one
    const struct {
        const char *widget, *text, *property = "text";
    } fixed[] = {
        {"chkFormat0", "Main Date : "}, {"chkFormat1", "Name-Date :"}, {"chkFormat2", "Scroller :"},
        {"chkFormat3", "Background :"}, {"chkAnim", "Animate"}, {"chkSaveExit", "Save at exit"}, {"cmdSave", save},
        {"cmdDefault", defaults}, {"cmdSaveAll", "Save All Settings"}, {"cmdInfo", "?"}, {"cmdBrowse", "Browse..."},
        {"cmdReset", "Reset All Settings to Default..."}, {"cmdSaveFile", "Save Current Settings to File..."},
        {"cmdGetFile", "Get Settings From File..."}, {"cmdTemplate", "Create Template From File..."},
        {"fraEffects4", "SpookyShadow", "title"}, {"lblMainDate", "Main Date"}, {"txtAutoCom1", "gmail.com"},
        {"lblDays", "Remind me             days before an event."},
        {"clrPicker0", "R:255 G:0 B:0 or #FF0000", "toolTip"}, {"chkSaveExit", "Save all settings at exit", "toolTip"},
        {"cmdGetFile", "Warning: Save settings before opening.", "toolTip"},
        {"txtTaskbar", "Please specify the height of the Taskbar (in pixels) so that \"Bottom\" positions can be "
                       "displayed correctly.", "toolTip"},
    };
    for (const auto &f : fixed)
        EXPECT_EQ(read(f.widget, f.property), QString::fromUtf8(f.text)) << f.widget << "." << f.property;
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtShortcut%1").arg(i))->maxLength(), 2);
    // A family that is not installed is kept and shown.
    model.fonts[0] = "Not Installed Sans";
    tabs.fillFontLists();
    EXPECT_EQ(read("cmbFonts0", "currentText"), "Not Installed Sans");
    EXPECT_EQ(read("lblFontNote", "text"), "Not Installed Sans is not installed; DejaVu Sans is shown instead.");
    act("cmbDays", "1");
    EXPECT_EQ(read("lblDays", "text"), "Remind me             day before an event.");
}

// Each control writes its model field (read back as text); a correcting box also shows the
// corrected text. The corrections and placing rules themselves are PositionEditorTest's.
TEST_F(SettingsPagesTest, EachControlWritesItsField)
{
    using M = const SettingsModel &;
    const auto picture = [](M m) { return m.backgroundKind + " " + m.backgroundPicture; };
    const auto place = [](M m) { return m.nameDatePosition + " " + QString::number(m.nameDateAlign); };
    const struct {
        const char *control, *input;
        std::function<QVariant(M)> field;
        const char *want, *box = nullptr;
    } rows[] = {
        {"txtShortcut8", "Z", [](M m) { return m.shortcuts[8]; }, "zz", "zz"},
        {"chkFormat0", "", [](M m) { return m.showBlock[0]; }, "false"},
        {"cmbEffects", "Glow", [](M m) { return m.mdEffect; }, "Glow"},
        {"txtMDOpacity", "101", [](M m) { return m.mdOpacity; }, "100", "100"},
        {"cmdBrowse", "", picture, "Picture /pics/sky.png"},
        {"cmbBackground", "Colour", picture, "Colour /pics/sky.png"},
        {"cmdBrowse", "", picture, "Picture /pics/sky.png"}, // cancelled: still a picture background
        {"cmbMDPosition", "Bottom Left", [](M m) { return m.mainDatePosition; }, "Bottom Left"},
        {"picAlign0", "", place, "Custom 0"},
        {"picPos1", "", [](M m) { return m.scrollerPreset; }, "1"},
        {"txtTaskbar", "70", [](M m) { return m.taskbarHeight; }, "35", "35"},
        {"mnuFade", "", [](M m) { return m.animation + " " + QVariant(m.animate).toString(); }, "Fade true"},
        {"cmdDefault2", "", place, "Custom 2"},
        {"cmdSave2", "", [this](M) { return store.getSetting(kSettingsSection, "NameDateAlign"); }, "right"},
    };
    prompter.choose("/pics/sky.png").choose("").answer(Button::Yes);
    for (const auto &r : rows) {
        act(r.control, QString::fromUtf8(r.input));
        EXPECT_EQ(r.field(model).toString(), QString::fromUtf8(r.want)) << r.control;
        if (r.box) {
            EXPECT_EQ(read(r.control, "text"), QString::fromUtf8(r.box)) << r.control;
        }
    }
    EXPECT_EQ(read("txtMDOpacity", "selectedText"), "100"); // so that typing replaces it
    EXPECT_TRUE(prompter.allAnswersUsed());
}
