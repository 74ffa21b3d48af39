#include "core/update/UpdateCheck.h"
#include "tests/support/TestWindow.h"
#include "tests/update/LocalHttpServer.h"
#include "ui/HelpPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace dw;

struct HelpPanelTest : ::testing::Test, test::TestWindow {};

TEST_F(HelpPanelTest, HelpAndF1OpenTheManualAndCheckForUpdateDrivesItsButton)
{
    const QString manual = paths.programDir() + QStringLiteral("/Datewren.html");
    window.panelButton(MainWindow::HelpButton)->click();
    EXPECT_EQ(window.currentPanel(), window.helpPanel());
    EXPECT_TRUE(window.dispatchKey(Qt::Key_F1));
    EXPECT_EQ(shell.opened, (QStringList{manual, manual}));

    QStringList labels;
    for (auto *label : window.helpPanel()->findChildren<QLabel *>())
        labels << label->text();
    for (const char *caption : {"Email :", "Website :", "Home page :", "Datewren 7.0.3"})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(caption))) << caption;
    EXPECT_NE(window.helpPanel()->findChild<QLineEdit *>(QStringLiteral("txtEmail")), nullptr);
    auto *panel = window.helpPanel()->findChild<HelpPanel *>();
    ASSERT_NE(panel, nullptr);
    QPushButton *update = panel->updateButton();
    EXPECT_EQ(update->toolTip(), QStringLiteral("It downloads information from a small text file (351 bytes)."));

    // The button shows the check: disabled and animated while it waits, idle again after.
    test::LocalHttpServer server([](const QByteArray &) { return test::LocalHttpServer::Reply{200, "7.1.0", {}, 150}; });
    panel->updateCheck().setAddresses(server.url(), QStringLiteral("https://download.invalid/"));
    panel->updateCheck().setAnimationInterval(30);
    QStringList seen;
    QObject::connect(&panel->updateCheck(), &UpdateCheck::captionChanged, update,
                     [&] { seen << update->text() + (update->isEnabled() ? "+" : "-"); });
    prompter.answer(Button::Cancel);
    update->click();
    ASSERT_GE(seen.size(), 3);
    EXPECT_EQ(seen.first(), QStringLiteral("Connecting   -"));
    EXPECT_EQ(seen.mid(seen.size() - 2), (QStringList{"Connected-", "Check for Update-"}));
    EXPECT_TRUE(update->isEnabled());
    EXPECT_EQ(prompter.texts(), QStringList{"You have an older version of Datewren. Press OK to visit Datewren site."});
    EXPECT_EQ(shell.opened.size(), 2); // Cancel opened nothing
}
