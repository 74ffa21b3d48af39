#include "core/update/UpdateCheck.h"
#include "platform/qt/QtHttpFetcher.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TestWindow.h"
#include "ui/HelpPanel.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace dw;

namespace {

struct Reply {
    int status = 200;
    QByteArray body = {}, headers = {}; // extra header lines, each ending in CR LF
    int delayMs = 0;
    bool noLength = false; // no Content-Length: the body ends when the connection closes
};

// A tiny HTTP/1.1 server on 127.0.0.1 in the test's own thread (the fetch under test keeps the
// event loop running), so update checks never leave the machine.
struct LocalHttpServer : QObject {
    QTcpServer server;
    std::function<Reply(const QByteArray &path)> handler;

    explicit LocalHttpServer(std::function<Reply(const QByteArray &path)> h) : handler(std::move(h))
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
    }
    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server.serverPort()).arg(path);
    }
    void serve(QTcpSocket *socket)
    {
        // A request may come in pieces; it waits on the socket until its head is complete.
        const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        socket->setProperty("request", request);
        if (!request.contains("\r\n\r\n"))
            return;
        const Reply r = handler(request.split(' ').value(1));
        const QByteArray length = r.noLength ? "" : "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
        const QByteArray bytes = "HTTP/1.1 " + QByteArray::number(r.status) + " X\r\n" + length
                                 + "Connection: close\r\n" + r.headers + "\r\n" + r.body;
        QTimer::singleShot(r.delayMs, this, [guard = QPointer<QTcpSocket>(socket), bytes] {
            if (guard)
                guard->write(bytes), guard->disconnectFromHost();
        });
    }
};

const QString kDownload = QStringLiteral("http://127.0.0.1:1/download/");

const QString kSite = QStringLiteral(" Press OK to visit Datewren site.");
const Message kError{"Could not get update information. Try again later.\r\n"
                     "Probably you are not connected to the internet.",
                     "Error", Icon::Critical, Buttons::Ok, Button::Ok};
const Message kLatest{"You have the latest version of Datewren.", "Latest", Icon::Information, Buttons::Ok, Button::Ok};
const Message kOlder{"You have an older version of Datewren." + kSite, "Update Available", Icon::Information,
                     Buttons::OkCancel, Button::Ok};
const Message kBogus{"You have a bogus version of Datewren!" + kSite, "Update Available", Icon::Information,
                     Buttons::OkCancel, Button::Ok};

} // namespace

struct HelpPanelTest : ::testing::Test, test::TestWindow {};

// Every reply on one table: the published versions (each reached through a redirect), then every
// broken reply, which all end in the error message. Then the help panel on the same server.
TEST_F(HelpPanelTest, EachReplyGivesItsMessageAndTheHelpPanelDrivesTheCheck)
{
    const QByteArray big(10 * 1024 * 1024, '7');
    const struct {
        QString url; // a path on the local server, or an address of its own
        Reply reply;
        Message message;
        Button answer = Button::Ok;
        bool opensSite = false;
    } rows[] = {
        {"/old/latest", {200, "7.0.3\r\nDatewren 7.0.3 was released in spring."}, kLatest},
        {"/old/bom", {200, "\xef\xbb\xbf" "7.0.3"}, kLatest}, // a byte-order mark is not part of the text
        {"/old/newer", {200, "7.1.0 is out"}, kOlder, Button::Ok, true},
        {"/old/eight", {200, "8", {}, 420}, kOlder, Button::Cancel}, // slow; Cancel opens nothing
        {"/old/ten", {200, "10.0.0"}, kBogus, Button::Ok, true}, // text order: "10.0." sorts before "7.0.3"
        {"/empty", {}, kError}, {"/binary", {200, QByteArray("7.0\0\x01\xff binary", 14)}, kError},
        {"/control", {200, "\x1b[7m7.0.3"}, kError}, {"/big", {200, big}, kError},
        {"/bigstream", {.body = big, .noLength = true}, kError}, {"/late", {.delayMs = 60000}, kError},
        {"/loop", {302, {}, "Location: /loop\r\n"}, kError}, {"/missing", {404, "7.0.3"}, kError},
        {"http://127.0.0.1:1/update.txt", {}, kError}, // a privileged port nothing listens on
        {"file:///etc/hostname", {}, kError}, {"no address", {}, kError},
    };
    LocalHttpServer server([&](const QByteArray &path) {
        if (path.startsWith("/old/"))
            return Reply{301, {}, "Location: " + path.mid(4) + "\r\n"};
        for (const auto &r : rows)
            if (r.url.toUtf8() == path || r.url.toUtf8() == "/old" + path)
                return r.reply;
        return Reply{404};
    });
    QtHttpFetcher fetcher({2000, 64 * 1024, 5});
    for (const auto &r : rows) {
        test::ScriptedPrompter asked;
        test::RecordingShell browser;
        browser.result = false; // a failure to open the site stays silent
        UpdateCheck check(fetcher, asked.answer(r.answer), browser);
        check.setAnimationInterval(40);
        check.setAddresses(r.url.startsWith('/') ? server.url(r.url) : r.url, kDownload);
        EXPECT_EQ(check.run() == UpdateOutcome::Error, r.message == kError) << qPrintable(r.url);
        // The button is idle again after every reply.
        EXPECT_EQ(check.caption(), "Check for Update") << qPrintable(r.url);
        EXPECT_TRUE(check.enabled()) << qPrintable(r.url);
        EXPECT_EQ(asked.messages, std::vector<Message>{r.message}) << qPrintable(r.url);
        EXPECT_EQ(browser.opened, r.opensSite ? QStringList{kDownload} : QStringList()) << qPrintable(r.url);
    }

    const QString manual = paths.programDir() + QStringLiteral("/Datewren.html");
    window.panelButton(MainWindow::HelpButton)->click();
    EXPECT_TRUE(window.dispatchKey(Qt::Key_F1));
    EXPECT_EQ(shell.opened, (QStringList{manual, manual}));

    const auto labels = window.helpPanel()->findChildren<QLabel *>();
    for (const char *caption : {"Email :", "Website :", "Home page :", "Datewren 7.0.3"})
        EXPECT_TRUE(std::ranges::any_of(labels, [&](QLabel *l) { return l->text() == caption; })) << caption;
    auto *panel = window.helpPanel()->findChild<HelpPanel *>();
    QPushButton *update = panel->updateButton();
    EXPECT_EQ(update->toolTip(), QStringLiteral("It downloads information from a small text file (351 bytes)."));

    // While a slow server keeps us waiting the button rests and its caption cycles; idle again after.
    panel->updateCheck().setAddresses(server.url("/old/eight"), kDownload);
    panel->updateCheck().setAnimationInterval(40);
    QStringList seen;
    QObject::connect(&panel->updateCheck(), &UpdateCheck::captionChanged, update,
                     [&] { seen << update->text() + (update->isEnabled() ? "+" : "-"); });
    prompter.answer(Button::Cancel);
    update->click();
    EXPECT_EQ(seen.mid(0, 5),
              (QStringList{"Connecting   -", "Connecting.  -", "Connecting.. -", "Connecting...-", "Connecting   -"}));
    EXPECT_EQ(seen.mid(seen.size() - 2), (QStringList{"Connected-", "Check for Update-"}));
    EXPECT_TRUE(update->isEnabled());
}
