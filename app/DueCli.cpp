#include "app/DueCli.h"

#include "app/PageCliArgs.h"
#include "core/settings/SettingsStore.h"

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
            out->request.days = n;
        } else if (a == QLatin1String("--today")) {
            const QString text = hasValue ? args.at(++i) : QString();
            out->request.today = QDate::fromString(text, Qt::ISODate);
            if (!out->request.today.isValid())
                return cliFail(QStringLiteral("wrenpad: --today wants a date YYYY-MM-DD, not \"%1\"").arg(text), 2);
        } else if (allowJson && a == QLatin1String("--json")) {
            out->json = true;
        } else if (a.startsWith(QLatin1String("--")) || !out->request.listPath.isEmpty()) {
            return cliFail(QStringLiteral("wrenpad: unexpected argument \"%1\" (see wrenpad --help)").arg(a), 2);
        } else {
            out->request.listPath = a;
        }
    }
    return std::nullopt;
}

std::optional<int> dueReport(const DueArgs &args, DueReport *out)
{
    const FileSettingsStore store(FileSettingsStore::defaultPath());
    if (const std::optional<QString> error = makeDueReport(args.request, store, out))
        return cliFail(*error);
    for (const QString &line : out->leftOut)
        std::fprintf(stderr, "%s\n", qPrintable(line));
    return std::nullopt;
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
