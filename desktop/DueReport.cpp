#include "desktop/DueReport.h"

#include "core/events/ListFile.h"
#include "core/events/Sort.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsStore.h"
#include "page/DateCheck.h"
#include "page/PageContext.h"

namespace dw {

namespace {

// Names are outside data: a terminal must not receive control sequences from them, nor a
// notification a line break that splits its summary.
QString withoutControls(QString text)
{
    for (QChar &ch : text)
        if (ch.category() == QChar::Other_Control)
            ch = QLatin1Char(' ');
    return text;
}

} // namespace

std::optional<QString> makeDueReport(const DueRequest &request, const SettingsStore &store, DueReport *out)
{
    QString path = request.listPath;
    if (path.isEmpty()) {
        path = getPreference(store, QLatin1String(kLastListKey));
        if (path.isEmpty())
            return QStringLiteral("wrenpad: no list file named, and none has been opened or saved in the "
                                  "window yet.\nOpen or save one there, or name one: wrenpad --due LIST.dwe");
    }
    ListReadResult list = readListFile(path);
    if (list.status != ListReadStatus::Ok)
        return listReadFailure(path, list);
    out->settings = settingsFromStore(store);

    int days = 0;
    if (request.days) {
        days = *request.days;
    } else {
        bool ok = false;
        days = out->settings.remindBefore.toInt(&ok);
        if (!ok)
            return QStringLiteral("The setting RemindBefore holds \"%1\", which is not a whole number.")
                .arg(out->settings.remindBefore);
    }

    // The rows the page would be written from. The page refuses a list with a date it cannot
    // read; here such an event is left out and named, so the others are still told.
    std::vector<EventRecord> good;
    good.reserve(list.events.size());
    for (EventRecord &r : list.events) {
        const std::optional<QDate> d = parseDayFirstDate(r.date);
        if (!d) {
            out->leftOut << QStringLiteral("Invalid date found for %1 - left out.").arg(withoutControls(r.name));
            continue;
        }
        r.date = QStringLiteral("%1/%2/%3")
                     .arg(d->day(), 2, 10, QLatin1Char('0'))
                     .arg(d->month(), 2, 10, QLatin1Char('0'))
                     .arg(d->year(), 4, 10, QLatin1Char('0'));
        good.push_back(std::move(r));
    }
    out->rows = withoutDuplicates(good);
    sortRecords(out->rows, SortKind::Monthwise);

    out->today = request.today.isValid() ? request.today : QDate::currentDate();
    out->due = dueEvents(out->rows, out->today, days);
    return std::nullopt;
}

QString dueLine(const DueReport &report, const DueEvent &due)
{
    const EventRecord &e = report.rows[static_cast<size_t>(due.row)];
    QString line = e.important() ? QStringLiteral("* ") : QStringLiteral("  ");
    line += shownNameDateText(e.date, report.settings);
    line += QStringLiteral("  ");
    line += withoutControls(e.name);
    line += QStringLiteral(" - ");
    line += howSoon(due.daysUntil);
    if (due.years)
        line += QStringLiteral(", %1 %2").arg(*due.years).arg(*due.years == 1 ? QStringLiteral("year") : QStringLiteral("years"));
    return line;
}

Notification dueNotification(const DueReport &report)
{
    Notification n;
    n.appName = QStringLiteral("Datewren");
    QStringList today, coming, lines;
    for (const DueEvent &d : report.due) {
        const EventRecord &e = report.rows[static_cast<size_t>(d.row)];
        (d.daysUntil == 0 ? today : coming) << withoutControls(e.name);
        if (d.daysUntil == 0 && e.important())
            n.critical = true;
        lines << dueLine(report, d);
    }
    n.summary = today.isEmpty() ? QStringLiteral("Coming up: ") + coming.join(QStringLiteral(", "))
                                : QStringLiteral("Today: ") + today.join(QStringLiteral(", "));
    n.body = lines.join(QLatin1Char('\n'));
    return n;
}

std::optional<QString> notifyDue(const DueReport &report)
{
    if (report.due.empty())
        return std::nullopt;
    const NotifyResult r = sendDesktopNotification(dueNotification(report));
    if (!r.sent)
        return QStringLiteral("wrenpad: the notification could not be shown. ") + r.error;
    return std::nullopt;
}

} // namespace dw
