#include "core/settings/SettingsStore.h"
#include "desktop/WallpaperPreferences.h"
#include "tests/support/TestWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace dw;

struct WallpaperGroupTest : ::testing::Test, test::TestWindow {};

TEST_F(WallpaperGroupTest, OthersTabControlsStoreTheirPreferences)
{
    auto *group = window.tabPage(MainWindow::OthersTab)->findChild<QGroupBox *>("fraWallpaper");
    ASSERT_TRUE(group);
    EXPECT_EQ(group->title(), "Desktop wallpaper");
    auto *after = group->findChild<QComboBox *>("cmbAfterCreate");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->currentIndex(), 0);
    QStringList items;
    for (int i = 0; i < after->count(); ++i)
        items << after->itemText(i);
    EXPECT_EQ(items, QStringList({"ask", "always set it", "never"}));

    const struct {
        const char *name, *caption;
        bool checked;
    } boxes[] = {
        {"chkDailyWallpaper", "Refresh the wallpaper every day and at login", false},
        {"chkMonthPanel", "Show this month's panel open on the picture", true},
        {"chkLockScreen", "Also set the lock screen picture", false},
    };
    for (const auto &b : boxes) {
        auto *box = group->findChild<QCheckBox *>(b.name);
        ASSERT_TRUE(box) << b.name;
        EXPECT_EQ(box->text(), b.caption);
        EXPECT_EQ(box->isChecked(), b.checked) << b.name;
    }
    EXPECT_EQ(group->findChild<QPushButton *>("cmdSetWallpaper")->text(), "Set Wallpaper Now");

    // The two picture choices are stored at once, in Preferences only.
    group->findChild<QCheckBox *>("chkMonthPanel")->click();
    group->findChild<QCheckBox *>("chkLockScreen")->click();
    after->setCurrentIndex(2);
    emit after->activated(2);
    const desktop::WallpaperPreferences p =
        desktop::readWallpaperPreferences(FileSettingsStore(FileSettingsStore::defaultPath()));
    EXPECT_FALSE(p.monthPanelOpen);
    EXPECT_TRUE(p.lockScreen);
    EXPECT_EQ(p.afterCreate, desktop::AfterCreate::Never);
    EXPECT_TRUE(prompter.messages.empty());
}
