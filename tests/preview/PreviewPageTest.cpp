#include "core/events/ListFile.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsModel.h"
#include "page/preview/PreviewPage.h"
#include "platform/qt/QtFontCatalog.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/GoldenFiles.h"
#include "tests/support/TestWindow.h"
#include "tests/support/WrenpadRun.h"
#include "ui/MainWindow.h"
#include "ui/PreviewPanel.h"

#include <QTabWidget>
#include <functional>
#include <gtest/gtest.h>

#ifdef DW_HAVE_WEBENGINE
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#endif

using namespace dw;

namespace {

struct Combination {
    const char *golden; // tests/preview/data/<golden>
    bool important;
    std::function<void(SettingsModel &)> change;
};

// Whole pages for a spread of looks; each golden file was checked line by line.
const Combination kCombinations[] = {
    {"default-fade.html", true, [](SettingsModel &s) { s.animate = true, s.animation = "Fade"; }},
    {"all-off.html", false, [](SettingsModel &s) { s.showBlock = {false, false, false, false}; }},
    {"scroller-only-groove.html", false, [](SettingsModel &s) {
         s.showBlock = {false, false, true, true};
         s.scrollerBgStyle = "Trans", s.scrollerBorderStyle = "Groove";
     }},
    {"blink-blur-opacity99.html", true, [](SettingsModel &s) {
         s.animate = true, s.animation = "Blink", s.scrollerBorderStyle = "Dashed", s.ndDateStyle = "MM/dd/yy";
         s.mdEffect = "Blur", s.blurDirection = "45", s.blurStrength = "3", s.mdOpacity = "80", s.ndOpacity = "99";
         s.fontStyles = {"Bold", "Bold-Ita", "Italic"}, s.mdDateStyle = "dddd, MMMM dd, yyyy";
     }},
    {"colourblink-dropshadow-picture.html", true, [](SettingsModel &s) {
         s.animate = true, s.animation = "ColourBlink", s.pickers[3].text = "ff8000";
         s.mdEffect = "Drop Shadow", s.pickers[5].text = "123abc", s.dropX = "-2", s.dropY = "3";
         s.backgroundKind = "Picture", s.backgroundPicture = "/home/ann/sky.png", s.scrollerBorderStyle = "Dotted";
         s.mdDateStyle = "dddd, dd MMMM, yyyy", s.ndDateStyle = "MM/dd/yyyy", s.ndDateSep = "-";
     }},
    {"glow-glow-nd-off.html", true, [](SettingsModel &s) {
         s.animate = true, s.animation = "Glow", s.mdEffect = "Glow", s.glowStrength = "4";
         s.showBlock[1] = false, s.scrollerBorderStyle = "Ridge", s.mdDateStyle = "dd/MM/yy", s.mdDateSep = ",";
     }},
    // Animation on with no kind ticked (as at a first start): neither a function nor a timer.
    {"animate-no-kind.html", true, [](SettingsModel &s) {
         s.animate = true, s.animation.clear(), s.mdDateStyle = "dd MMMM, yyyy", s.ndDateStyle = "yyyy/MM/dd";
     }},
    {"spooky-bad-sizes.html", false, [](SettingsModel &s) {
         s.mdEffect = "Spooky Shadow", s.spookyDirection = "270", s.fontSizes = {"", "big", "1"};
         s.mdDateStyle = "MMMM dd, yyyy", s.ndDateStyle = "yy/MM/dd", s.ndDateSep = "\\", s.showBlock[3] = false;
     }},
};

} // namespace

TEST(PreviewPageTest, WholePagesMatchTheirGoldenFiles)
{
    const test::FakeFontCatalog fonts;
    for (const Combination &c : kCombinations) {
        SettingsModel s;
        c.change(s);
        const QString text = previewPageText({s, c.important, QDate(2026, 3, 5), QLocale(QLocale::English), fonts});
        test::expectGolden(QString::fromLatin1(c.golden), text.toUtf8());
    }
}

TEST(PreviewPageTest, ThePlaceOfTheFile)
{
    // A program folder the user cannot write (or that is gone) sends the preview to the cache.
    test::TempDir program, cache;
    const QString c = cache.path(QStringLiteral("c"));
    EXPECT_EQ(previewFilePath(program.root(), c), program.path(kPreviewFileName));
    const QString fallback = previewFilePath(program.path(QStringLiteral("gone")), c);
    EXPECT_EQ(fallback, cache.path(QStringLiteral("c/pretemp.html")));
    ASSERT_TRUE(writePreviewFile(fallback, QStringLiteral("x")));
    program.write(kPreviewFileName, "y");
    removePreviewFiles(program.root(), c);
    EXPECT_FALSE(QFile::exists(fallback));
    EXPECT_FALSE(QFile::exists(program.path(kPreviewFileName)));
    EXPECT_FALSE(writePreviewFile(QStringLiteral("/proc/no/such/pretemp.html"), QStringLiteral("x")));
}

TEST(WritePreviewCliTest, WritesTheTabsPageFromASettingsFileAndAList)
{
    test::TempDir dir;
    // Only the important line shown: the caption's lone part keeps its separator.
    const QString look = dir.write("look.dwt", "CheckBox0\r\n0\r\nCheckBox1\r\n0\r\nCheckBox2\r\n0\r\nImportantAnimate\r\nBlink");
    const QString list = dir.write("l.dwe", listFileBytes({{"Ann", "05/03/1990", "-", 0, kDefaultRule},
                                                          {"Bob", "06/03/1990", "-", 1, kDefaultRule}}));
    const QString page = dir.path("p.html");

    const test::WrenpadRun run = test::runWrenpad({"--write-preview", page, "--settings", look, "--today", "2026-11-05", list});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral(",  Important\n"));
    SettingsModel settings;
    ASSERT_TRUE(settingsFromDwtFile(look, &settings));
    QtFontCatalog fonts;
    fillEmptyPreviewFonts(settings, fonts.families());
    EXPECT_EQ(test::TempDir::read(page),
              previewPageText({settings, true, QDate(2026, 11, 5), QLocale::system(), fonts}).toUtf8());

    // Without a list: no important line, an empty caption. Bad arguments exit with 2, failures with 1.
    const test::WrenpadRun bare = test::runWrenpad({"--write-preview", page, "--settings", look});
    ASSERT_EQ(bare.code, 0);
    EXPECT_EQ(bare.out, QStringLiteral("\n"));
    EXPECT_FALSE(test::TempDir::read(page).contains("Important - "));
    EXPECT_EQ(test::runWrenpad({"--write-preview"}).code, 2);
    EXPECT_EQ(test::runWrenpad({"--write-preview", page, dir.path("none.dwe")}).code, 1);
}

// The preview tab writes the page from the list and the look as they are at each visit. What the
// page holds is pinned by the golden pages; its removal at exit by the main window's exit test.
TEST(PreviewPanelTest, EachVisitToThePreviewTabWritesAndShowsThePage)
{
    test::TestWindow doubles;
    MainWindow &window = doubles.window;
    auto *panel = window.tabPage(MainWindow::PreviewTab)->findChild<PreviewPanel *>();
    ASSERT_NE(panel, nullptr);
    auto reopen = [&] {
        window.tabStrip()->setCurrentIndex(MainWindow::EffectsTab);
        window.tabStrip()->setCurrentIndex(MainWindow::PreviewTab);
    };
    auto page = [&](bool important) {
        return previewPageText({window.settings(), important, QDate(2026, 3, 5), QLocale::system(), doubles.fonts}).toUtf8();
    };

    window.settings().fonts[1].clear();
    window.events().append(EventRecord{"Ann", "05/03/1990", kNoAddress, 1});
    reopen();
    EXPECT_EQ(window.settings().fonts[1], QStringLiteral("Arial")); // the first of the fake families
    const QString file = window.previewPagePath();
    EXPECT_EQ(test::TempDir::read(file), page(true));
    EXPECT_EQ(panel->title(), QStringLiteral("Main Date,  Name-Date,  Scroller,  Important"));
    ASSERT_NE(panel->view(), nullptr);
#ifdef DW_HAVE_WEBENGINE
    auto *view = qobject_cast<QWebEngineView *>(panel->view());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(file));
    // The compatibility script belongs to the view, never to the file.
    EXPECT_EQ(view->page()->scripts().find(QStringLiteral("datewren-browser-compat")).size(), 1);
#endif

    window.events().clear();
    window.settings().showBlock[0] = false;
    reopen();
    EXPECT_EQ(test::TempDir::read(file), page(false));
}
