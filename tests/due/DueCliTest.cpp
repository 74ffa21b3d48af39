// wrenpad --due, --notify and --daily as a user runs them: the real program, a private session
// bus with a recording notification server, and a recording notify-send for the fallback.
#include "core/events/ListFile.h"
#include "core/settings/SettingsStore.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/StandIn.h"
#include "tests/support/WrenpadRun.h"

#include <QDBusMetaType>
#include <gtest/gtest.h>

using namespace dw;
using namespace dw::test;

namespace {

const QString kTabName = QStringLiteral("Tab\there \"quoted\" \\ \U0001F382 <b>&");

const QByteArray kSample = listFileBytes({event("Grace Hopper", "12/03/1986", "-", 1),
                                          event(kTabName, "14/03/2001", "a@b.example"), event("Later", "15/03/2030"),
                                          event("Unknown year", "13/03/0001"), event("Outside", "20/03/1970")});

} // namespace

TEST(DueCliTest, LinesJsonAndFailures)
{
    TempDir dir;
    const QString list = dir.write(QStringLiteral("list.dwe"), kSample);
    const QStringList at{"--today", "2026-03-12", "--days", "5"};
    FileSettingsStore store(FileSettingsStore::defaultPath());
    ASSERT_TRUE(setPreferenceFlag(store, QLatin1String(kNotifyDailyKey), true));
    // The next day and the years at their edges: the turn of the year, the 29th of February in a
    // common and a leap year, a date less than a year back, and 1900 against the placeholders.
    const QString edges = dir.write("edges.dwe", listFileBytes({
        event("Wrap", "02/01/1990"), event("Leap", "29/02/1960"), event("This year", "05/05/2026"),
        event("Last year", "05/05/2025"), event("In 1900", "05/05/1900"), event("In 1899", "05/05/1899")}));
    const auto edgesOn = [&](const char *day) { return QStringList{"--due", "--days", "5", "--today", day, edges}; };

    const struct {
        QStringList args;
        bool lastList; // the list last used in the window is recorded
        int code;
        QString out;
        const char *says; // on stderr
    } runs[] = {
        {QStringList{"--due", "--json"} + at + QStringList{list}, false, 0,
         R"([{"address":null,"date":"12/03/1986","daysUntil":0,"important":true,"name":"Grace Hopper",)"
         R"("on":"2026-03-12","years":40},{"address":null,"date":"13/03/0001","daysUntil":1,"important":false,)"
         R"("name":"Unknown year","on":"2026-03-13","years":null},{"address":"a@b.example","date":"14/03/2001",)"
         R"("daysUntil":2,"important":false,"name":"Tab\there \"quoted\" \\ )" "\U0001F382" R"( <b>&",)"
         R"("on":"2026-03-14","years":25},{"address":null,"date":"15/03/2030","daysUntil":3,"important":false,)"
         R"("name":"Later","on":"2026-03-15","years":null}])" "\n", ""},
        {QStringList{"--due"} + at + QStringList{list}, false, 0,
         "* 12/03/1986  Grace Hopper - today, 40 years\n  13/03/0001  Unknown year - tomorrow\n  14/03/2001  Tab here "
         "\"quoted\" \\ \U0001F382 <b>& - in 2 days, 25 years\n  15/03/2030  Later - in 3 days\n", ""},
        {{"--due", "--today", "2026-03-12", "--days", "1"}, true, 0,
         "* 12/03/1986  Grace Hopper - today, 40 years\n", ""},
        {{"--due", "--today", "2026-07-01", list}, false, 0, "", ""}, // nothing due is no failure
        {edgesOn("2026-12-30"), false, 0, "  02/01/1990  Wrap - in 3 days, 37 years\n", ""},
        {edgesOn("2026-02-25"), false, 0, "  29/02/1960  Leap - in 3 days, 66 years\n", ""},
        {edgesOn("2028-02-28"), false, 0, "  29/02/1960  Leap - tomorrow, 68 years\n", ""},
        {edgesOn("2026-05-01"), false, 0,
         "  05/05/1899  In 1899 - in 4 days\n  05/05/1900  In 1900 - in 4 days, 126 years\n"
         "  05/05/2025  Last year - in 4 days, 1 year\n  05/05/2026  This year - in 4 days\n", ""},
        {{"--due", dir.path("missing.dwe")}, false, 1, "", "Cannot read"},
        {{"--due"}, false, 1, "", "none has been opened or saved"},
        {{"--daily"}, false, 1, "", "none has been opened or saved"},
        {{"--due", "--days", "0", list}, false, 2, "", "--days"},
        {{"--due", "--today", "12/03/2026", list}, false, 2, "", "--today"},
        {{"--notify", "--json", list}, false, 2, "", "unexpected argument"},
    };
    for (const auto &c : runs) {
        setPreference(store, QLatin1String(kLastListKey), c.lastList ? list : QString());
        const WrenpadRun r = runWrenpad(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(u' ').toStdString();
        EXPECT_EQ(r.out, c.out);
        EXPECT_TRUE(r.err.contains(QLatin1String(c.says))) << r.err.toStdString();
    }
    setPreference(store, QLatin1String(kLastListKey), QString());
    setPreferenceFlag(store, QLatin1String(kNotifyDailyKey), false);
}

TEST(DueCliTest, NotificationThroughTheBusAndTheFallback)
{
    PrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    TempDir dir;
    const QString list = dir.write(QStringLiteral("list.dwe"), kSample);
    const QStringList notify{"--notify", "--today", "2026-03-12", "--days", "3", list};
    const QString body = QStringLiteral("* 12/03/1986  Grace Hopper - today, 40 years\n"
                                        "  13/03/0001  Unknown year - tomorrow\n"
                                        "  14/03/2001  Tab here \"quoted\" \\ \U0001F382 <b>& - in 2 days, 25 years");

    // No server on the bus and no notify-send: said so, exit 1. Then notify-send takes over.
    WrenpadRun r = runWrenpadServing(notify, bus.env(dir.path("bin")));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("notify-send is not installed"))) << r.err.toStdString();
    const QString log = standIn(dir, "notify-send");
    r = runWrenpadServing(notify, bus.env(dir.path("bin")));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QString escaped = QString(body).replace("<b>&", "&lt;b&gt;&amp;");
    EXPECT_EQ(calls(log), (QList<QStringList>{{"--app-name=Datewren", "--urgency=critical", "--icon=x-office-calendar",
                                              "--", "Today: Grace Hopper", escaped}}));

    // A server: one Notify call with the interface's exact types. The daily job notifies about
    // the list last used in the window, on the real day.
    ASSERT_TRUE(bus.serveNotifications());
    const QDate today = QDate::currentDate();
    FileSettingsStore store(FileSettingsStore::defaultPath());
    const QByteArray now = listFileBytes({event("Now", today.toString("dd/MM/1990"))});
    setPreference(store, QLatin1String(kLastListKey), dir.write("now.dwe", now));
    setPreferenceFlag(store, QLatin1String(kNotifyDailyKey), true);
    const struct {
        QStringList args;
        bool markup;
        QString summary, body; // no summary: nothing is sent
        uchar urgency;
    } cases[] = {
        {notify, false, "Today: Grace Hopper", body, 2},
        {{"--notify", "--today", "2026-03-11", "--days", "5", list}, true,
         "Coming up: Grace Hopper, Unknown year, " + QString(kTabName).replace(u'\t', u' ') + ", Later",
         "* 12/03/1986  Grace Hopper - tomorrow, 40 years\n  13/03/0001  Unknown year - in 2 days\n  14/03/2001  "
         "Tab here \"quoted\" \\ \U0001F382 &lt;b&gt;&amp; - in 3 days, 25 years\n  15/03/2030  Later - in 4 days", 1},
        {{"--notify", "--today", "2026-07-01", list}, false, "", "", 0},
        {{"--daily"}, false, "Today: Now",
         "  " + today.toString("dd/MM") + "/1990  Now - today, " + QString::number(today.year() - 1990) + " years", 1},
    };
    for (const auto &c : cases) {
        bus.calls.clear();
        bus.capabilities = c.markup ? QStringList{"body", "body-markup"} : QStringList{"body"};
        r = runWrenpadServing(c.args, bus.env(dir.path("bin")));
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        ASSERT_EQ(bus.calls.size(), c.summary.isEmpty() ? 0 : 1) << c.args.join(u' ').toStdString();
        if (c.summary.isEmpty())
            continue;
        const QDBusMessage &m = bus.calls.first();
        EXPECT_EQ(m.signature(), "susssasa{sv}i");
        const QList<QVariant> v = m.arguments();
        ASSERT_EQ(v.size(), 8);
        EXPECT_EQ(v[0].toString(), "Datewren");
        EXPECT_EQ(v[3].toString(), c.summary);
        EXPECT_EQ(v[4].toString(), c.body);
        EXPECT_EQ(v[7].toInt(), -1); // the server's own timeout
        const QVariant urgency = qdbus_cast<QVariantMap>(v[6]).value("urgency");
        EXPECT_EQ(urgency.metaType(), QMetaType::fromType<uchar>());
        EXPECT_EQ(urgency.value<uchar>(), c.urgency);
    }
    EXPECT_EQ(r.out, "Notification shown: Today: Now\n");
    setPreferenceFlag(store, QLatin1String(kNotifyDailyKey), false);
}
