#include "app/NotifyCli.h"

#include "app/PageCliArgs.h"

#include <cstdio>

namespace dw {

Notification dueNotification(const DueReport &report)
{
    Notification n;
    n.appName = QStringLiteral("Datewren");
    QStringList today, coming, lines;
    for (const DueEvent &d : report.due) {
        const EventRecord &e = report.rows[static_cast<size_t>(d.row)];
        QString name = e.name;
        for (QChar &ch : name)
            if (ch.category() == QChar::Other_Control)
                ch = QLatin1Char(' ');
        (d.daysUntil == 0 ? today : coming) << name;
        if (d.daysUntil == 0 && e.important())
            n.critical = true;
        lines << dueLine(report, d);
    }
    n.summary = today.isEmpty() ? QStringLiteral("Coming up: ") + coming.join(QStringLiteral(", "))
                                : QStringLiteral("Today: ") + today.join(QStringLiteral(", "));
    n.body = lines.join(QLatin1Char('\n'));
    return n;
}

int notifyCli(const QStringList &args)
{
    DueArgs a;
    if (const auto code = parseDueArgs(args, QStringLiteral("--notify"), false, &a))
        return *code;
    DueReport report;
    if (const auto code = dueReport(a, &report))
        return *code;
    if (report.due.empty())
        return 0;
    const NotifyResult r = sendDesktopNotification(dueNotification(report));
    if (!r.sent)
        return cliFail(QStringLiteral("wrenpad: the notification could not be shown. ") + r.error);
    return 0;
}

CliMode notifyMode()
{
    return CliMode{
        QStringLiteral("--notify"),
        QStringLiteral("--notify [--days N] [--today YYYY-MM-DD] [LIST.dwe]"),
        QStringLiteral(
            "  Shows one desktop notification with what --due prints: the summary names today's events\n"
            "  (\"Today: ...\", or \"Coming up: ...\" when none is today), the body has the lines of --due;\n"
            "  it is urgent when an important event is today. Sent to the session's notification server,\n"
            "  or through notify-send when none answers. Nothing due: nothing is shown, exit status 0.\n"
            "  Exit status 1 when the list cannot be read or no notification could be shown, 2 for bad\n"
            "  arguments."),
        notifyCli,
        false};
}

} // namespace dw
