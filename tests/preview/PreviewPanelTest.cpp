#include "page/preview/PreviewPage.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestWindow.h"
#include "ui/MainWindow.h"
#include "ui/PreviewPanel.h"

#include <QTabWidget>
#include <gtest/gtest.h>

#ifdef DW_HAVE_WEBENGINE
#include "page/compat/CompatScript.h"
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#endif

using namespace dw;

// The preview tab writes the page from the list and the look as they are at each visit. What the
// page holds is pinned by the golden pages; its removal at exit by the main window's exit test.
TEST(PreviewPanelTest, EachVisitToThePreviewTabWritesAndShowsThePage)
{
    test::TestWindow doubles;
    MainWindow &window = doubles.window;
    auto *panel = window.tabPage(MainWindow::PreviewTab)->findChild<PreviewPanel *>();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->view(), nullptr); // no browser engine until the tab is opened
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
    EXPECT_EQ(file, previewFilePath(doubles.paths.programDir(), doubles.paths.cacheDir()));
    EXPECT_EQ(test::TempDir::read(file), page(true));
    EXPECT_EQ(panel->title(), QStringLiteral("Main Date,  Name-Date,  Scroller,  Important"));
    ASSERT_NE(panel->view(), nullptr);
#ifdef DW_HAVE_WEBENGINE
    auto *view = qobject_cast<QWebEngineView *>(panel->view());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(file));
    // The compatibility script belongs to the view, never to the file.
    const QString compat = QStringLiteral("datewren-browser-compat");
    ASSERT_EQ(view->page()->scripts().find(compat).size(), 1);
    EXPECT_EQ(view->page()->scripts().find(compat).first().sourceCode(), compatScript());
#endif

    window.events().clear();
    window.settings().showBlock[0] = false;
    reopen();
    EXPECT_EQ(test::TempDir::read(file), page(false));
    EXPECT_EQ(panel->title(), QStringLiteral("Name-Date,  Scroller"));
    EXPECT_TRUE(doubles.prompter.messages.empty());
}
