#include "app/DueCli.h"

#include "app/PageCliArgs.h"
#include "core/events/Sort.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsStore.h"
#include "page/DateCheck.h"
#include "page/PageContext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace dw {

std::optional<int> parseDueArgs(const QStringList &args, const QString &modeOption, bool allowJson, DueArgs *out)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == modeOption) {
            continue;
        } else if (a == QLatin1String("--days")) {
            bool ok = false;
            const int n = hasValue ? args.at(++i).toInt(&ok) : 0;
            if (!ok || n < 1 || n > 366)
                return cliFail(QStringLiteral("wrenpad: --days wants a number of days from 1 to 366"), 2);
            out->days = n;
        } else if (a == QLatin1String("--today")) {
            const QString text = hasValue ? args.at(++i) : QString();
            out->today = QDate::fromString(text, Qt::ISODate);
            if (!out->today.isValid())
                return cliFail(QStringLiteral("wrenpad: --today wants a date YYYY-MM-DD, not \"%1\"").arg(text), 2);
        } else if (allowJson && a == QLatin1String("--json")) {
            out->json = true;
        } else if (a.startsWith(QLatin1String("--")) || !out->listPath.isEmpty()) {
            return cliFail(QStringLiteral("wrenpad: unexpected argument \"%1\" (see wrenpad --help)").arg(a), 2);
        } else {
            out->listPath = a;
        }
    }
    return std::nullopt;
}

std::optional<int> dueReport(const DueArgs &args, DueReport *out)
{
    const FileSettingsStore store(FileSettingsStore::defaultPath());
    QString path = args.listPath;
    if (path.isEmpty()) {
        path = getPreference(store, QLatin1String(kLastListKey));
        if (path.isEmpty())
            return cliFail(QStringLiteral("wrenpad: no list file named, and none has been opened or saved in the "
                                          "window yet.\nName one: wrenpad --due LIST.dwe"));
    }
    std::vector<EventRecord> rows;
    if (const auto code = readCliList(path, &rows))
        return *code;
    out->settings = settingsFromStore(store);

    int days = 0;
    if (args.days) {
        days = *args.days;
    } else {
        bool ok = false;
        days = out->settings.remindBefore.toInt(&ok);
        if (!ok)
            return cliFail(QStringLiteral("The setting RemindBefore holds \"%1\", which is not a whole number.")
                               .arg(out->settings.remindBefore));
    }

    // The rows the page would be written from. The page refuses a list with a date it cannot
    // read; here such an event is left out and named, so the others are still told.
    std::vector<EventRecord> good;
    good.reserve(rows.size());
    for (EventRecord &r : rows) {
        const std::optional<QDate> d = parseDayFirstDate(r.date);
        if (!d) {
            std::fprintf(stderr, "Invalid date found for %s - left out.\n", qPrintable(r.name));
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

    out->today = args.today.isValid() ? args.today : QDate::currentDate();
    out->due = dueEvents(out->rows, out->today, days);
    return std::nullopt;
}

namespace {

// Names are outside data: a terminal must not receive control sequences from them.
QString withoutControls(QString text)
{
    for (QChar &ch : text)
        if (ch.category() == QChar::Other_Control)
            ch = QLatin1Char(' ');
    return text;
}

} // namespace

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

int dueCli(const QStringList &args)
{
    DueArgs a;
    if (const auto code = parseDueArgs(args, QStringLiteral("--due"), true, &a))
        return *code;
    DueReport report;
    if (const auto code = dueReport(a, &report))
        return *code;

    QByteArray out;
    if (a.json) {
        QJsonArray list;
        for (const DueEvent &d : report.due) {
            const EventRecord &e = report.rows[static_cast<size_t>(d.row)];
            QJsonObject o;
            o.insert(QLatin1String("name"), e.name);
            o.insert(QLatin1String("date"), e.date);
            o.insert(QLatin1String("on"), d.on.toString(Qt::ISODate));
            o.insert(QLatin1String("address"), e.address == kNoAddress ? QJsonValue() : QJsonValue(e.address));
            o.insert(QLatin1String("important"), e.important());
            o.insert(QLatin1String("daysUntil"), d.daysUntil);
            o.insert(QLatin1String("years"), d.years ? QJsonValue(*d.years) : QJsonValue());
            list.append(o);
        }
        out = QJsonDocument(list).toJson(QJsonDocument::Compact) + '\n';
    } else {
        for (const DueEvent &d : report.due) {
            out += dueLine(report, d).toUtf8();
            out += '\n';
        }
    }
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    return 0;
}

CliMode dueMode()
{
    return CliMode{
        QStringLiteral("--due"),
        QStringLiteral("--due [--days N] [--today YYYY-MM-DD] [--json] [LIST.dwe]"),
        QStringLiteral(
            "  Prints the events the wallpaper page shows today - the reminder window and the customised\n"
            "  dates, by the page's own rules - one a line, in the page's order: the date as the page\n"
            "  writes it, the name, how soon (\"today\", \"tomorrow\", \"in 3 days\") and the years since the\n"
            "  event's year when there is one. \"*\" marks an important event.\n"
            "  --days N sets the reminder window (default: the saved \"Remind me\" days); --today pins the\n"
            "  date. LIST.dwe defaults to the list last opened or saved in the window.\n"
            "  --json prints an array of objects: name, date, on (YYYY-MM-DD), address (null for none),\n"
            "  important, daysUntil, years (null for none).\n"
            "  Exit status 0 also when nothing is due, 1 when the list cannot be read, 2 for bad arguments."),
        dueCli,
        false};
}

} // namespace dw
