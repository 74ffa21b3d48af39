#include "core/update/UpdateCheck.h"
#include "platform/qt/QtHttpFetcher.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TestWindow.h"
#include "tests/update/LocalHttpServer.h"
#include "ui/HelpPanel.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace dw;
using Reply = test::LocalHttpServer::Reply;

namespace {

const QString kDownload = QStringLiteral("http://127.0.0.1:1/download/");

struct Check {
    explicit Check(QtHttpFetcher::Limits limits = {}) : fetcher(limits), check(fetcher, prompter, shell)
    {
        check.setAnimationInterval(40);
        shell.result = false; // a failure to open the site stays silent
    }
    UpdateOutcome run(const QString &url, Button answer = Button::Ok)
    {
        prompter.answer(answer);
        check.setAddresses(url, kDownload);
        const UpdateOutcome outcome = check.run();
        EXPECT_EQ(check.caption(), QStringLiteral("Check for Update"));
        EXPECT_TRUE(check.enabled());
        return outcome;
    }
    QtHttpFetcher fetcher;
    test::ScriptedPrompter prompter;
    test::RecordingShell shell;
    UpdateCheck check;
};

const QString kSite = QStringLiteral(" Press OK to visit Datewren site.");
const Message kError{"Could not get update information. Try again later.\r\nProbably you are not connected to the internet.",
                     "Error", Icon::Critical, Buttons::Ok, Button::Ok};
const Message kLatest{"You have the latest version of Datewren.", "Latest", Icon::Information, Buttons::Ok, Button::Ok};
const Message kOlder{"You have an older version of Datewren." + kSite, "Update Available", Icon::Information,
                     Buttons::OkCancel, Button::Ok};
const Message kBogus{"You have a bogus version of Datewren!" + kSite, "Update Available", Icon::Information,
                     Buttons::OkCancel, Button::Ok};

} // namespace

TEST(UpdateCheckTest, PublishedVersionsGiveTheDocumentedMessages)
{
    QByteArray body;
    test::LocalHttpServer server([&](const QByteArray &path) {
        return path == "/old" ? Reply{301, {}, "Location: /update.txt\r\n"} : Reply{200, body, {}};
    });
    const struct {
        QByteArray body;
        Button answer;
        Message message;
        bool opensSite;
    } cases[] = {
        {"7.0.3\r\nDatewren 7.0.3 was released in spring.", Button::Ok, kLatest, false},
        {"\xef\xbb\xbf" "7.0.3", Button::Ok, kLatest, false}, // a byte-order mark is not part of the text
        {"7.1.0 is out", Button::Ok, kOlder, true},
        {"8", Button::Cancel, kOlder, false}, // Cancel opens nothing
        {"7.0.2", Button::Ok, kBogus, true},
        {"10.0.0", Button::Ok, kBogus, true}, // text order: "10.0." sorts before "7.0.3"
    };
    for (const auto &c : cases) {
        body = c.body;
        Check check;
        check.run(server.url(QStringLiteral("/old")), c.answer); // through a redirect
        EXPECT_EQ(check.prompter.messages, std::vector<Message>{c.message}) << c.body.constData();
        EXPECT_EQ(check.shell.opened, c.opensSite ? QStringList{kDownload} : QStringList()) << c.body.constData();
    }
}

TEST(UpdateCheckTest, EveryBrokenReplyEndsInTheErrorMessage)
{
    const QByteArray big(10 * 1024 * 1024, '7');
    test::LocalHttpServer server([&](const QByteArray &path) {
        Reply r{200, path == "/binary" ? QByteArray("7.0\0\x01\xff binary", 14)
                       : path == "/control" ? QByteArray("\x1b[7m7.0.3")
                       : path.startsWith("/big") ? big : QByteArray(), {}};
        r.noLength = path == "/bigstream";
        r.silent = path == "/silent";
        if (path == "/loop")
            r = Reply{302, {}, "Location: /loop\r\n"};
        if (path == "/missing")
            r = Reply{404, "7.0.3", {}};
        return r;
    });
    auto gone = std::make_unique<QTcpServer>();
    gone->listen(QHostAddress::LocalHost, 0);
    QStringList urls{QStringLiteral("http://127.0.0.1:%1/update.txt").arg(gone->serverPort()), "file:///etc/hostname",
                     "no address"};
    gone.reset(); // nothing listens there any more
    for (const char *path : {"/empty", "/binary", "/control", "/big", "/bigstream", "/loop", "/missing", "/silent"})
        urls << server.url(QString::fromLatin1(path));
    for (const QString &url : urls) {
        Check c({300, 64 * 1024, 5});
        EXPECT_EQ(c.run(url), UpdateOutcome::Error) << qPrintable(url);
        EXPECT_EQ(c.prompter.messages, std::vector<Message>{kError}) << qPrintable(url);
    }
}

struct HelpPanelTest : ::testing::Test, test::TestWindow {};

TEST_F(HelpPanelTest, HelpAndF1OpenTheManualAndCheckForUpdateDrivesItsButton)
{
    const QString manual = paths.programDir() + QStringLiteral("/Datewren.html");
    window.panelButton(MainWindow::HelpButton)->click();
    EXPECT_TRUE(window.dispatchKey(Qt::Key_F1));
    EXPECT_EQ(shell.opened, (QStringList{manual, manual}));

    QStringList labels;
    for (auto *label : window.helpPanel()->findChildren<QLabel *>())
        labels << label->text();
    for (const char *caption : {"Email :", "Website :", "Home page :", "Datewren 7.0.3"})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(caption))) << caption;
    auto *panel = window.helpPanel()->findChild<HelpPanel *>();
    ASSERT_NE(panel, nullptr);
    QPushButton *update = panel->updateButton();
    EXPECT_EQ(update->toolTip(), QStringLiteral("It downloads information from a small text file (351 bytes)."));

    // While a slow server keeps us waiting the button rests and its caption cycles; idle again after.
    test::LocalHttpServer server([](const QByteArray &) { return test::LocalHttpServer::Reply{200, "7.1.0", {}, 420}; });
    panel->updateCheck().setAddresses(server.url(), QStringLiteral("https://download.invalid/"));
    panel->updateCheck().setAnimationInterval(40);
    QStringList seen;
    QObject::connect(&panel->updateCheck(), &UpdateCheck::captionChanged, update,
                     [&] { seen << update->text() + (update->isEnabled() ? "+" : "-"); });
    prompter.answer(Button::Cancel);
    update->click();
    ASSERT_GE(seen.size(), 7);
    EXPECT_EQ(seen.mid(0, 5), (QStringList{"Connecting   -", "Connecting.  -", "Connecting.. -", "Connecting...-", "Connecting   -"}));
    EXPECT_EQ(seen.mid(seen.size() - 2), (QStringList{"Connected-", "Check for Update-"}));
    EXPECT_TRUE(update->isEnabled());
    EXPECT_EQ(prompter.messages, std::vector{kOlder});
    EXPECT_EQ(shell.opened.size(), 2); // Cancel opened nothing
}
