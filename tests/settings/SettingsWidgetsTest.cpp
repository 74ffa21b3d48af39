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
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace dw;

namespace {
struct Pages : ::testing::Test {
    SettingsModel model;
    MemorySettingsStore store;
    test::ScriptedPrompter prompter;
    test::FakeFontCatalog fonts;
    QWidget host;
    std::array<QWidget *, 5> page{new QWidget(&host), new QWidget(&host), new QWidget(&host), new QWidget(&host),
                                  new QWidget(&host)};
    SettingsTabs tabs{SettingsContext{model, store, prompter, fonts, QStringLiteral("/nowhere")},
                      {page[0], page[1], page[2], page[3], page[4]},
                      nullptr};

    template<class W>
    W *find(const char *name)
    {
        W *w = host.findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void choose(const char *combo, const QString &text)
    {
        QComboBox *box = find<QComboBox>(combo);
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << combo << " " << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void type(const char *edit, const QString &text)
    {
        QLineEdit *e = find<QLineEdit>(edit);
        e->setText(text);
        emit e->textEdited(text);
    }
    bool shown(const char *name) { return find<QWidget>(name)->isVisibleTo(&host); }
};
using SettingsPagesTest = Pages;

QStringList items(QComboBox *box)
{
    QStringList l;
    for (int i = 0; i < box->count(); ++i)
        l << box->itemText(i);
    return l;
}
} // namespace

TEST_F(SettingsPagesTest, ControlsCarryTheirNamesCaptionsAndLists)
{
    host.show();
    for (const char *name : {"cmbFonts0", "cmbFonts2", "cmbFontSize1", "cmbFStyle2", "cmbBackground", "cmbDays",
                             "cmbEffects", "cmbStrBlur", "cmbDirBlur", "cmbXDs", "cmbYDs", "cmbStrGlow", "cmbDirSS",
                             "cmbMDStyle", "cmbMDSep", "cmbNDStyle", "cmbNDSep", "cmbSBgStyle", "cmbSBoStyle",
                             "cmbMDPosition", "cmbNDPosition"})
        find<QComboBox>(name);
    for (int i = 0; i < 8; ++i)
        find<ColourButton>(qPrintable(QStringLiteral("clrPicker%1").arg(i)));
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(find<QLineEdit>(qPrintable(QStringLiteral("txtShortcut%1").arg(i)))->maxLength(), 2);
        find<QLineEdit>(qPrintable(QStringLiteral("txtAutoCom%1").arg(i)));
    }
    const std::pair<const char *, const char *> captions[] = {
        {"chkFormat0", "Main Date : "}, {"chkFormat1", "Name-Date :"}, {"chkFormat2", "Scroller :"},
        {"chkFormat3", "Background :"}, {"chkAnim", "Animate"}, {"chkSaveExit", "Save at exit"}};
    for (const auto &[name, caption] : captions)
        EXPECT_EQ(find<QCheckBox>(name)->text(), QString::fromLatin1(caption));
    const std::pair<const char *, const char *> buttons[] = {
        {"cmdSave", "Save Settings"}, {"cmdSave1", "Save Settings"}, {"cmdSave2", "Save Settings"},
        {"cmdSave3", "Save Settings"}, {"cmdDefault", "Default Settings..."}, {"cmdDefault1", "Default Settings..."},
        {"cmdDefault2", "Default Settings..."}, {"cmdSaveAll", "Save All Settings to Registry"},
        {"cmdReset", "Reset All Settings to Default..."}, {"cmdSaveFile", "Save Current Settings to File..."},
        {"cmdGetFile", "Get Settings From File..."}, {"cmdTemplate", "Create Template From File..."},
        {"cmdInfo", "?"}, {"cmdBrowse", "Browse..."}};
    for (const auto &[name, caption] : buttons)
        EXPECT_EQ(find<QPushButton>(name)->text(), QString::fromLatin1(caption));
    EXPECT_EQ(find<QPushButton>("cmdGetFile")->toolTip(), QStringLiteral("Warning: Save settings before opening."));
    EXPECT_EQ(find<QCheckBox>("chkSaveExit")->toolTip(), QStringLiteral("Save all settings at exit"));
    EXPECT_EQ(find<QLineEdit>("txtTaskbar")->toolTip(),
              QStringLiteral("Please specify the height of the Taskbar (in pixels) so that \"Bottom\" positions can be "
                             "displayed correctly."));
    EXPECT_EQ(find<QGroupBox>("fraEffects4")->title(), QStringLiteral("SpookyShadow"));
    EXPECT_EQ(items(find<QComboBox>("cmbFontSize0")), lists::fontSizes(0));
    EXPECT_EQ(items(find<QComboBox>("cmbNDStyle")), lists::nameDateStyles());
    EXPECT_EQ(items(find<QComboBox>("cmbMDPosition")), lists::positions());
    EXPECT_EQ(find<QLabel>("lblMainDate")->text(), QStringLiteral("Main Date"));
    EXPECT_EQ(find<QLabel>("lblDays")->text(), QStringLiteral("Remind me             days before an event."));
    EXPECT_EQ(find<ColourButton>("clrPicker0")->toolTip(), QStringLiteral("R:255 G:0 B:0 or #FF0000"));
    EXPECT_EQ(find<QLineEdit>("txtAutoCom1")->text(), QStringLiteral("gmail.com"));

    // Installed families are listed; a name that is not installed is kept and shown.
    model.fonts[0] = QStringLiteral("Not Installed Sans");
    tabs.fillFontLists();
    EXPECT_EQ(find<QComboBox>("cmbFonts0")->currentText(), QStringLiteral("Not Installed Sans"));
    EXPECT_EQ(find<QComboBox>("cmbFonts1")->currentText(), QStringLiteral("Arial"));
    EXPECT_EQ(items(find<QComboBox>("cmbFonts2")), fonts.familyList);
}

TEST_F(SettingsPagesTest, DependentControlsFollowTheChoices)
{
    host.show();
    find<QCheckBox>("chkFormat0")->click();
    find<QCheckBox>("chkFormat1")->click();
    EXPECT_FALSE(find<QCheckBox>("chkFormat2")->isEnabled());
    EXPECT_TRUE(find<QCheckBox>("chkFormat2")->isChecked());
    find<QCheckBox>("chkFormat1")->click();
    EXPECT_TRUE(find<QCheckBox>("chkFormat2")->isEnabled());
    EXPECT_EQ(model.showBlock, (std::array<bool, 4>{false, true, true, true}));

    choose("cmbEffects", QStringLiteral("Blur"));
    EXPECT_TRUE(shown("fraEffects1"));
    EXPECT_FALSE(shown("fraEffects3"));
    EXPECT_FALSE(shown("clrPicker5"));
    EXPECT_FALSE(shown("lblEffectColour"));
    choose("cmbEffects", QStringLiteral("Glow"));
    EXPECT_FALSE(shown("fraEffects1"));
    EXPECT_TRUE(shown("fraEffects3"));
    EXPECT_TRUE(shown("clrPicker5"));
    EXPECT_EQ(model.mdEffect, QStringLiteral("Glow"));

    choose("cmbMDStyle", QStringLiteral("dd MMMM, yyyy"));
    EXPECT_FALSE(find<QComboBox>("cmbMDSep")->isEnabled());
    choose("cmbDays", QStringLiteral("1"));
    EXPECT_EQ(find<QLabel>("lblDays")->text(), QStringLiteral("Remind me             day before an event."));

    type("txtMDOpacity", QStringLiteral("101"));
    EXPECT_EQ(find<QLineEdit>("txtMDOpacity")->text(), QStringLiteral("100"));
    EXPECT_EQ(find<QLineEdit>("txtMDOpacity")->selectedText(), QStringLiteral("100"));
    type("txtNDOpacity", QStringLiteral("0"));
    EXPECT_EQ(model.ndOpacity, QStringLiteral("0"));
    type("txtTaskbar", QStringLiteral("70"));
    EXPECT_EQ(find<QLineEdit>("txtTaskbar")->text(), QStringLiteral("35"));
    type("txtShortcut8", QStringLiteral("Z"));
    EXPECT_EQ(model.shortcuts[8], QStringLiteral("zz"));
    type("txtShortcut9", QStringLiteral("y")); // slot 4 has it already
    EXPECT_EQ(find<QLineEdit>("txtShortcut9")->text(), QString());

    // "Browse..." cancelled still switches to a picture background.
    prompter.choose(QString());
    find<QPushButton>("cmdBrowse")->click();
    EXPECT_EQ(prompter.dialogs, std::vector<FileKind>{FileKind::Picture});
    EXPECT_EQ(model.backgroundKind, QStringLiteral("Picture"));
    EXPECT_FALSE(shown("clrPicker4"));
    EXPECT_TRUE(shown("txtBrowse"));

    // "Animate": with no kind marked, Blink is marked and the menu opens; a kind ticks the box.
    model.animation.clear();
    tabs.formatTab()->animateReleased(true);
    EXPECT_EQ(model.animation, QStringLiteral("Blink"));
    EXPECT_TRUE(tabs.formatTab()->animationMenu()->isVisible());
    EXPECT_TRUE(find<QAction>("mnuBlink")->isChecked());
    find<QAction>("mnuGlow")->trigger();
    EXPECT_TRUE(model.animate);
    EXPECT_EQ(model.animation, QStringLiteral("Glow"));
    EXPECT_FALSE(find<QAction>("mnuBlink")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkAnim")->isChecked());
    tabs.formatTab()->animationMenu()->hide();
}

TEST_F(SettingsPagesTest, PositionPageMarkersPicturesAndButtons)
{
    host.show();
    PositionFrame *frame = tabs.positionTab()->frame();
    choose("cmbNDPosition", QStringLiteral("Top Right"));
    choose("cmbMDPosition", QStringLiteral("Top Right"));
    EXPECT_EQ(find<QComboBox>("cmbMDPosition")->currentText(), QStringLiteral("Top Center"));
    EXPECT_EQ(prompter.beeps, 1);
    EXPECT_EQ(find<QLabel>("lblMainDate")->pos(), QPoint(qRound(2067.5 / 12), 10));
    EXPECT_EQ(find<QFrame>("lnMD")->y(), 10);
    EXPECT_EQ(find<QToolButton>("picAlign2")->text(), QString());

    find<QToolButton>("picAlign1")->click();
    EXPECT_EQ(find<QToolButton>("picAlign1")->text(), QStringLiteral("center"));
    EXPECT_EQ(find<QComboBox>("cmbNDPosition")->currentText(), QStringLiteral("Custom"));
    find<QToolButton>("picPos2")->click();
    EXPECT_EQ(find<QToolButton>("picPos2")->text(), QStringLiteral("bottom"));
    EXPECT_EQ(model.scrollerTop, 3390);

    // Dropped onto a marker: nothing. On the free area: placed, corrected, Custom.
    frame->dropAt(Marker::NameDate, QPointF(model.mainDateLeft + 10, model.mainDateTop + 10));
    EXPECT_EQ(model.mainDatePosition, QStringLiteral("Top Center"));
    frame->dropAt(Marker::MainDate, QPointF(4800, 3600));
    EXPECT_EQ(model.mainDatePosition, QStringLiteral("Custom"));
    EXPECT_EQ(model.mainDateLeft, 4135);
    EXPECT_EQ(find<QLabel>("lblMainDate")->pos(), QPoint(qRound(4135 / 12.0), qRound(3420 / 12.0)));
    frame->dropAt(Marker::Scroller, QPointF(100, 800));
    EXPECT_EQ(find<QToolButton>("picPos2")->text(), QString());
    EXPECT_EQ(model.scrollerTop, 695);

    // A real drag with the mouse: from the Name-Date marker to the free upper left.
    QLabel *nd = find<QLabel>("lblNameDate");
    QTest::mousePress(nd, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(nd, Qt::LeftButton, {}, nd->mapFrom(frame, QPoint(100, 150)));
    EXPECT_EQ(model.nameDateTop, 1695);
    EXPECT_EQ(model.nameDateAlign, 2);

    prompter.answer(Button::Yes);
    find<QPushButton>("cmdDefault2")->click();
    EXPECT_EQ(model.mainDateLeft, 4125);
    EXPECT_EQ(find<QToolButton>("picAlign2")->text(), QStringLiteral("right"));
    find<QPushButton>("cmdSave2")->click();
    EXPECT_EQ(store.getSetting(kSettingsSection, QStringLiteral("NameDateAlign")), QStringLiteral("right"));
    find<QPushButton>("cmdInfo")->click();
    EXPECT_EQ(prompter.messages.back().title, QStringLiteral("Info"));
}

TEST(SettingsWindowTest, PagesSitInTheWindowAndStartUpAndExitUseTheStore)
{
    FileSettingsStore(FileSettingsStore::defaultPath())
        .saveSettings(kSettingsSection, {{"RemindBefore", "9"}, {"MDEffect", "Glow"}, {"SaveAtExit", "1"}});
    {
        test::TestWindow t;
        MainWindow &window = t.window;
        window.startUp(QString());
        EXPECT_NE(window.tabPage(MainWindow::FormatTab)->findChild<QCheckBox *>(QStringLiteral("chkFormat0")), nullptr);
        EXPECT_NE(window.tabPage(MainWindow::PositionTab)->findChild<QWidget *>(QStringLiteral("fraPosIn")), nullptr);
        EXPECT_NE(window.tabPage(MainWindow::OthersTab)->findChild<QWidget *>(QStringLiteral("cmdSaveAll")), nullptr);
        EXPECT_EQ(window.settings().remindBefore, QStringLiteral("9"));
        EXPECT_EQ(window.settings().nameDateLeft, 4035); // start-up puts it at the right edge
        auto *days = window.findChild<QComboBox *>(QStringLiteral("cmbDays"));
        EXPECT_EQ(days->currentText(), QStringLiteral("9"));
        auto *fonts0 = window.findChild<QComboBox *>(QStringLiteral("cmbFonts0"));
        EXPECT_EQ(fonts0->currentText(), QStringLiteral("Verdana"));
        window.settings().remindBefore = QStringLiteral("3");
        EXPECT_TRUE(window.runExitSequence());
    }
    FileSettingsStore after(FileSettingsStore::defaultPath());
    EXPECT_EQ(after.getSetting(kSettingsSection, QStringLiteral("RemindBefore")), QStringLiteral("3"));
    EXPECT_EQ(after.getSetting(kSettingsSection, QStringLiteral("ShortCut0"), QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(after.getSetting(kSettingsSection, QStringLiteral("Shortcut0")), QStringLiteral("aa aol.com"));
    EXPECT_EQ(after.getAllSettings(kSettingsSection).front().first, QStringLiteral("RemindBefore"));
}
