#include "core/update/UpdateCheck.h"
#include "platform/ProductInfo.h"
#include "platform/Shell.h"
#include "platform/qt/QtHttpFetcher.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/update/LocalHttpServer.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace dw;
using Reply = test::LocalHttpServer::Reply;

namespace {

class RecordingShell final : public Shell {
public:
    bool open(const QString &pathOrUrl) override
    {
        opened << pathOrUrl;
        return false; // a browser that fails to start is not reported
    }
    QStringList opened;
};

const QString kDownload = QStringLiteral("http://127.0.0.1:1/download/");

struct Check {
    explicit Check(QtHttpFetcher::Limits limits = {}) : fetcher(limits), check(fetcher, prompter, shell)
    {
        QObject::connect(&check, &UpdateCheck::captionChanged, [this](const QString &c) { captions << c; });
        check.setAnimationInterval(40);
    }
    UpdateOutcome run(const QString &url)
    {
        check.setAddresses(url, kDownload);
        const UpdateOutcome outcome = check.run();
        EXPECT_EQ(check.caption(), QStringLiteral("Check for Update"));
        EXPECT_TRUE(check.enabled());
        return outcome;
    }
    QtHttpFetcher fetcher;
    test::ScriptedPrompter prompter;
    RecordingShell shell;
    UpdateCheck check;
    QStringList captions;
};

Reply text(const QByteArray &body)
{
    Reply r;
    r.body = body;
    return r;
}

const Message kError{QStringLiteral("Could not get update information. Try again later.\r\n"
                                    "Probably you are not connected to the internet."),
                     QStringLiteral("Error"), Icon::Critical, Buttons::Ok, Button::Ok};
const Message kLatest{QStringLiteral("You have the latest version of Datewren."), QStringLiteral("Latest"),
                      Icon::Information, Buttons::Ok, Button::Ok};
const Message kOlder{QStringLiteral("You have an older version of Datewren. Press OK to visit Datewren site."),
                     QStringLiteral("Update Available"), Icon::Information, Buttons::OkCancel, Button::Ok};
const Message kBogus{QStringLiteral("You have a bogus version of Datewren! Press OK to visit Datewren site."),
                     QStringLiteral("Update Available"), Icon::Information, Buttons::OkCancel, Button::Ok};

} // namespace

TEST(UpdateCheckTest, PublishedVersionsGiveTheDocumentedMessages)
{
    QByteArray body;
    test::LocalHttpServer server([&](const QByteArray &) { return text(body); });

    body = "7.0.3\r\nDatewren 7.0.3 was released in spring.";
    Check latest;
    EXPECT_EQ(latest.run(server.url()), UpdateOutcome::Latest);
    EXPECT_EQ(latest.prompter.messages, std::vector<Message>{kLatest});
    EXPECT_TRUE(latest.shell.opened.isEmpty());

    body = "7.1.0 is out";
    Check older;
    older.prompter.answer(Button::Ok);
    EXPECT_EQ(older.run(server.url()), UpdateOutcome::Older);
    EXPECT_EQ(older.prompter.messages, std::vector<Message>{kOlder});
    EXPECT_EQ(older.shell.opened, QStringList{kDownload});

    body = "7.0.2";
    Check bogus;
    bogus.prompter.answer(Button::Ok);
    EXPECT_EQ(bogus.run(server.url()), UpdateOutcome::Bogus);
    EXPECT_EQ(bogus.prompter.messages, std::vector<Message>{kBogus});
    EXPECT_EQ(bogus.shell.opened, QStringList{kDownload});

    // Text order, not numbers: "10.0." sorts before "7.0.3".
    body = "10.0.0";
    Check ten;
    ten.prompter.answer(Button::Cancel);
    EXPECT_EQ(ten.run(server.url()), UpdateOutcome::Bogus);
    EXPECT_EQ(ten.prompter.messages, std::vector<Message>{kBogus});
    EXPECT_TRUE(ten.shell.opened.isEmpty()); // Cancel opens nothing

    body = "8";
    Check shortText;
    shortText.prompter.answer(Button::Cancel);
    EXPECT_EQ(shortText.run(server.url()), UpdateOutcome::Older);
    EXPECT_TRUE(shortText.shell.opened.isEmpty());
    EXPECT_EQ(server.requests, 5);
}

TEST(UpdateCheckTest, CaptionCyclesWhileASlowServerWaits)
{
    test::LocalHttpServer server([](const QByteArray &) {
        Reply r = text("7.0.3");
        r.delayMs = 420;
        return r;
    });
    Check c;
    QStringList seenWhileDisabled;
    QObject::connect(&c.check, &UpdateCheck::enabledChanged, [&](bool on) { seenWhileDisabled << (on ? "on" : "off"); });
    c.run(server.url());
    ASSERT_GE(c.captions.size(), 7);
    EXPECT_EQ(c.captions.mid(0, 5), (QStringList{"Connecting   ", "Connecting.  ", "Connecting.. ", "Connecting...",
                                                  "Connecting   "}));
    EXPECT_EQ(c.captions.mid(c.captions.size() - 2), (QStringList{"Connected", "Check for Update"}));
    EXPECT_EQ(seenWhileDisabled, (QStringList{"off", "on"}));

    EXPECT_EQ(nextConnectingCaption(QStringLiteral("Connected")), QStringLiteral("Connected"));
    EXPECT_EQ(nextConnectingCaption(QStringLiteral("Connecting...")), QStringLiteral("Connecting   "));
}

TEST(UpdateCheckTest, EveryBrokenReplyEndsInTheErrorMessage)
{
    const QByteArray big(10 * 1024 * 1024, '7');
    test::LocalHttpServer server([&](const QByteArray &path) {
        if (path == "/empty")
            return text("");
        if (path == "/binary")
            return text(QByteArray("7.0\0\x01\xff\xfe binary", 15));
        if (path == "/control")
            return text("\x1b[7m7.0.3");
        if (path == "/big")
            return text(big);
        if (path == "/bigstream") {
            Reply r = text(big);
            r.noLength = true;
            return r;
        }
        if (path == "/silent") {
            Reply r;
            r.silent = true;
            return r;
        }
        if (path == "/loop") {
            Reply r;
            r.status = 302;
            r.headers = "Location: /loop\r\n";
            return r;
        }
        Reply r = text("7.0.3");
        r.status = 404;
        return r;
    });
    for (const char *path : {"/empty", "/binary", "/control", "/big", "/bigstream", "/loop", "/missing", "/silent"}) {
        Check c({300, 64 * 1024, 5});
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(c.run(server.url(QString::fromLatin1(path))), UpdateOutcome::Error) << path;
        EXPECT_EQ(c.prompter.messages, std::vector<Message>{kError}) << path;
        EXPECT_LT(clock.elapsed(), 5000) << path;
    }
    // Nothing listens on the port of a closed server; a non-HTTP address is refused outright.
    int deadPort = 0;
    {
        QTcpServer gone;
        gone.listen(QHostAddress::LocalHost, 0);
        deadPort = gone.serverPort();
    }
    for (const QString &url : {QStringLiteral("http://127.0.0.1:%1/update.txt").arg(deadPort),
                               QStringLiteral("file:///etc/hostname"), QStringLiteral("not an address")}) {
        Check c;
        EXPECT_EQ(c.run(url), UpdateOutcome::Error) << qPrintable(url);
        EXPECT_EQ(c.prompter.messages, std::vector<Message>{kError});
    }
}

TEST(UpdateCheckTest, RedirectsAreFollowedAndTheCommandAlwaysReturnsToIdle)
{
    test::LocalHttpServer server([](const QByteArray &path) {
        if (path == "/old") {
            Reply r;
            r.status = 301;
            r.headers = "Location: /update.txt\r\n";
            return r;
        }
        return text("\xef\xbb\xbf" "7.0.3");
    });
    Check c;
    EXPECT_EQ(c.run(server.url(QStringLiteral("/old"))), UpdateOutcome::Latest);
    EXPECT_EQ(c.prompter.messages, std::vector<Message>{kLatest});

    // Even when answering throws (an unscripted question), the button comes back.
    test::LocalHttpServer newer([](const QByteArray &) { return text("9.9.9"); });
    Check thrown;
    thrown.check.setAddresses(newer.url(), kDownload);
    EXPECT_THROW(thrown.check.run(), std::logic_error);
    EXPECT_EQ(thrown.check.caption(), QStringLiteral("Check for Update"));
    EXPECT_TRUE(thrown.check.enabled());
}

TEST(UpdateCheckTest, VersionTextIsTheFirstFiveCharacters)
{
    EXPECT_EQ(publishedVersion("7.0.3 and more"), QStringLiteral("7.0.3"));
    EXPECT_EQ(publishedVersion("7.1"), QStringLiteral("7.1"));
    EXPECT_EQ(publishedVersion(""), QString());
    EXPECT_EQ(publishedVersion(QByteArray("7\0", 2)), QString());
    EXPECT_EQ(publishedVersion("\xe9t\xe9 7"), QStringLiteral("\u00e9t\u00e9 7")); // Windows-1252 text
    EXPECT_EQ(compareVersions(QStringLiteral("7.0.3"), product::kVersion), UpdateOutcome::Latest);
    EXPECT_EQ(compareVersions(QStringLiteral("7.0.4"), product::kVersion), UpdateOutcome::Older);
    EXPECT_EQ(compareVersions(QStringLiteral("10.0."), product::kVersion), UpdateOutcome::Bogus);
    EXPECT_EQ(compareVersions(QString(), product::kVersion), UpdateOutcome::Error);
}
