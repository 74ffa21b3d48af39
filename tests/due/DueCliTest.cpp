// wrenpad --due and --notify as a user runs them: the real program, a private session bus with
// a recording notification server, and a recording notify-send for the fallback.
#include "core/settings/SettingsStore.h"
#include "tests/support/TempDir.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

using namespace dw;
using namespace dw::test;

namespace {

struct ProgramRun {
    int code = -1;
    QString out, err;
};

// Runs wrenpad without blocking this thread's event loop, so a server living here can answer.
ProgramRun wrenpad(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&p, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    p.start(QStringLiteral(DW_BINARY_DIR "/wrenpad"), args);
    loop.exec();
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray listBytes(const QList<QStringList> &events)
{
    QStringList lines;
    for (const QStringList &e : events)
        lines << e;
    return lines.join(QStringLiteral("\r\n")).toUtf8();
}

const QString kTabName = QStringLiteral("Tab\there \"quoted\" \\ \U0001F382 <b>&");

QByteArray sampleList()
{
    return listBytes({{QStringLiteral("Grace Hopper"), QStringLiteral("12/03/1986"), QStringLiteral("-"), QStringLiteral("1"), QStringLiteral("00/00 00/00 00/00")},
                      {kTabName, QStringLiteral("14/03/2001"), QStringLiteral("a@b.example"), QStringLiteral("0"), QStringLiteral("00/00 00/00 00/00")},
                      {QStringLiteral("Later"), QStringLiteral("15/03/2030"), QStringLiteral("-"), QStringLiteral("0"), QStringLiteral("00/00 00/00 00/00")},
                      {QStringLiteral("Unknown year"), QStringLiteral("13/03/0001"), QStringLiteral("-"), QStringLiteral("0"), QStringLiteral("00/00 00/00 00/00")},
                      {QStringLiteral("Outside"), QStringLiteral("20/03/1970"), QStringLiteral("-"), QStringLiteral("0"), QStringLiteral("00/00 00/00 00/00")}});
}

// Records Notify calls and answers them as a server would.
class RecordingServer final : public QDBusVirtualObject {
public:
    QList<QDBusMessage> calls;
    QStringList capabilities{QStringLiteral("body")};

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.member() == QLatin1String("GetCapabilities"))
            return connection.send(message.createReply(QVariant(capabilities)));
        if (message.member() != QLatin1String("Notify"))
            return false;
        calls << message;
        return connection.send(message.createReply(QVariant::fromValue(uint(7))));
    }
    QString introspect(const QString &) const override { return {}; }
};

// A session bus of the test's own.
class PrivateBus {
public:
    PrivateBus()
    {
        daemon_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                       QStringLiteral("--print-address=1")});
        if (daemon_.waitForStarted(5000) && daemon_.waitForReadyRead(5000))
            address = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("test-server"));
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
    QProcessEnvironment env(const QString &path = {}) const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        if (!path.isEmpty())
            e.insert(QStringLiteral("PATH"), path);
        return e;
    }
    QString address;

private:
    QProcess daemon_;
};

} // namespace

TEST(DueCliTest, LinesJsonAndFailures)
{
    TempDir dir;
    const QString list = dir.write(QStringLiteral("list.dwe"), sampleList());
    const QStringList at{QStringLiteral("--today"), QStringLiteral("2026-03-12"), QStringLiteral("--days"), QStringLiteral("5")};

    ProgramRun r = wrenpad(QStringList{QStringLiteral("--due")} + at + QStringList{list});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("* 12/03/1986  Grace Hopper - today, 40 years\n"
                                    "  13/03/0001  Unknown year - tomorrow\n"
                                    "  14/03/2001  Tab here \"quoted\" \\ \U0001F382 <b>& - in 2 days, 25 years\n"
                                    "  15/03/2030  Later - in 3 days\n"));

    r = wrenpad(QStringList{QStringLiteral("--due"), QStringLiteral("--json")} + at + QStringList{list});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonArray a = QJsonDocument::fromJson(r.out.toUtf8()).array();
    ASSERT_EQ(a.size(), 4) << r.out.toStdString();
    EXPECT_EQ(a[0].toObject(), (QJsonObject{{"name", "Grace Hopper"}, {"date", "12/03/1986"}, {"on", "2026-03-12"},
                                            {"address", QJsonValue()}, {"important", true}, {"daysUntil", 0}, {"years", 40}}));
    EXPECT_EQ(a[2].toObject().value(QLatin1String("name")).toString(), kTabName);
    EXPECT_EQ(a[2].toObject().value(QLatin1String("address")).toString(), QStringLiteral("a@b.example"));
    EXPECT_TRUE(a[1].toObject().value(QLatin1String("years")).isNull());

    // Nothing due is no failure.
    r = wrenpad({QStringLiteral("--due"), QStringLiteral("--today"), QStringLiteral("2026-07-01"), list});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QString());

    struct Bad {
        QStringList args;
        int code;
        const char *says;
    } bad[] = {
        {{QStringLiteral("--due"), dir.path(QStringLiteral("missing.dwe"))}, 1, "Cannot read"},
        {{QStringLiteral("--due")}, 1, "none has been opened or saved"},
        {{QStringLiteral("--due"), QStringLiteral("--days"), QStringLiteral("0"), list}, 2, "--days"},
        {{QStringLiteral("--due"), QStringLiteral("--today"), QStringLiteral("12/03/2026"), list}, 2, "--today"},
        {{QStringLiteral("--notify"), QStringLiteral("--json"), list}, 2, "unexpected argument"},
    };
    for (const Bad &b : bad) {
        r = wrenpad(b.args);
        EXPECT_EQ(r.code, b.code) << b.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(b.says))) << r.err.toStdString();
    }

    // The list last used in the window is the default.
    FileSettingsStore store(FileSettingsStore::defaultPath());
    ASSERT_TRUE(setPreference(store, QLatin1String(kLastListKey), list));
    r = wrenpad({QStringLiteral("--due"), QStringLiteral("--today"), QStringLiteral("2026-03-12"), QStringLiteral("--days"), QStringLiteral("1")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("* 12/03/1986  Grace Hopper - today, 40 years\n"));
    setPreference(store, QLatin1String(kLastListKey), QString());
}

TEST(DueCliTest, NotificationThroughTheBusAndTheFallback)
{
    PrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    TempDir dir;
    const QString list = dir.write(QStringLiteral("list.dwe"), sampleList());
    const QStringList today{QStringLiteral("--notify"), QStringLiteral("--today"), QStringLiteral("2026-03-12"),
                            QStringLiteral("--days"), QStringLiteral("3"), list};
    const QString body = QStringLiteral("* 12/03/1986  Grace Hopper - today, 40 years\n"
                                        "  13/03/0001  Unknown year - tomorrow\n"
                                        "  14/03/2001  Tab here \"quoted\" \\ \U0001F382 <b>& - in 2 days, 25 years");

    // No server on the bus and no notify-send: said so, exit 1.
    ProgramRun r = wrenpad(today, bus.env(dir.root()));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("notify-send is not installed"))) << r.err.toStdString();

    // No server: notify-send takes over, as an argument list.
    const QString record = dir.path(QStringLiteral("notify-send.args"));
    const QString tool = dir.write(QStringLiteral("notify-send"),
                                   QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n--\\n' \"$a\"; done > '%1'\n").arg(record).toUtf8());
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    r = wrenpad(today, bus.env(dir.root()));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(TempDir::read(record)).split(QStringLiteral("\n--\n")),
              (QStringList{QStringLiteral("--app-name=Datewren"), QStringLiteral("--urgency=critical"),
                           QStringLiteral("--icon=x-office-calendar"), QStringLiteral("--"),
                           QStringLiteral("Today: Grace Hopper"),
                           QString(body).replace(QStringLiteral("<b>&"), QStringLiteral("&lt;b&gt;&amp;")), QString()}));

    // A server: one Notify call with the interface's exact types.
    QDBusConnection conn = QDBusConnection::connectToBus(bus.address, QStringLiteral("test-server"));
    RecordingServer server;
    ASSERT_TRUE(conn.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &server));
    ASSERT_TRUE(conn.registerService(QStringLiteral("org.freedesktop.Notifications")));
    struct Case {
        QString today;
        bool markup;
        QString summary;
        uchar urgency;
    } cases[] = {
        {QStringLiteral("2026-03-12"), false, QStringLiteral("Today: Grace Hopper"), 2},
        {QStringLiteral("2026-03-11"), true, QStringLiteral("Coming up: Grace Hopper, Unknown year, ") + QString(kTabName).replace(u'\t', u' '), 1},
    };
    for (const Case &c : cases) {
        server.calls.clear();
        server.capabilities = c.markup ? QStringList{QStringLiteral("body"), QStringLiteral("body-markup")} : QStringList{QStringLiteral("body")};
        QStringList args = today;
        args[2] = c.today;
        if (c.markup)
            args[4] = QStringLiteral("5");
        r = wrenpad(args, bus.env(dir.root()));
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        ASSERT_EQ(server.calls.size(), 1);
        const QDBusMessage &m = server.calls.first();
        EXPECT_EQ(m.signature(), QStringLiteral("susssasa{sv}i"));
        const QList<QVariant> v = m.arguments();
        ASSERT_EQ(v.size(), 8);
        EXPECT_EQ(v[0].toString(), QStringLiteral("Datewren"));
        EXPECT_TRUE(v[3].toString().startsWith(c.summary)) << v[3].toString().toStdString();
        if (c.markup)
            EXPECT_TRUE(v[4].toString().contains(QStringLiteral("\U0001F382 &lt;b&gt;&amp; - in 3 days"))) << v[4].toString().toStdString();
        else
            EXPECT_EQ(v[4].toString(), body);
        EXPECT_EQ(v[7].toInt(), -1);
        const QVariantMap hints = qdbus_cast<QVariantMap>(v[6]);
        EXPECT_EQ(hints.value(QStringLiteral("urgency")).metaType(), QMetaType::fromType<uchar>());
        EXPECT_EQ(hints.value(QStringLiteral("urgency")).value<uchar>(), c.urgency);
    }

    // Nothing due: nothing sent.
    server.calls.clear();
    QStringList quiet = today;
    quiet[2] = QStringLiteral("2026-07-01");
    r = wrenpad(quiet, bus.env(dir.root()));
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(server.calls.isEmpty());
}
