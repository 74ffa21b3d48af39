#include "core/events/ListFile.h"

#include "core/io/TextFile.h"

namespace dw {

namespace {
constexpr qsizetype kLinesPerEvent = 5;
constexpr qsizetype kMarkLine = 3; // 0-based place of the mark within an event

bool isMarkText(const QString &line)
{
    return line.size() == 1 && (line.at(0) == QLatin1Char('0') || line.at(0) == QLatin1Char('1'));
}

// Appends one field to the output, keeping it on one line.
void appendField(QString &out, const QString &field)
{
    if (!field.contains(QLatin1Char('\r')) && !field.contains(QLatin1Char('\n'))) {
        out += field;
        return;
    }
    QString flat = field;
    flat.replace(QLatin1String("\r\n"), QLatin1String(" "));
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    out += flat;
}
} // namespace

bool passesListFormatTest(const QStringList &lines)
{
    const qsizetype n = lines.size();
    if (n % 4 == 0 && n % kLinesPerEvent != 0)
        return false;
    for (qsizetype i = kMarkLine; i < n; i += kLinesPerEvent) {
        if (!isMarkText(lines.at(i)))
            return false;
    }
    return true;
}

std::vector<EventRecord> eventsFromLines(const QStringList &lines)
{
    std::vector<EventRecord> events;
    const qsizetype n = lines.size();
    events.reserve(static_cast<size_t>((n + kLinesPerEvent - 1) / kLinesPerEvent));
    for (qsizetype i = 0; i < n; i += kLinesPerEvent) {
        EventRecord r;
        r.name = lines.at(i);
        if (i + 1 < n)
            r.date = lines.at(i + 1);
        if (i + 2 < n)
            r.address = lines.at(i + 2);
        if (i + 3 < n) {
            bool ok = false;
            const int mark = lines.at(i + 3).toInt(&ok);
            r.mark = ok ? mark : 0;
        }
        if (i + 4 < n)
            r.rule = lines.at(i + 4);
        events.push_back(std::move(r));
    }
    return events;
}

ListReadResult parseListBytes(const QByteArray &bytes)
{
    ListReadResult result;
    const QStringList lines = splitLines(decodeText(bytes));
    if (!passesListFormatTest(lines)) {
        result.status = ListReadStatus::OldFormat;
        return result;
    }
    result.status = ListReadStatus::Ok;
    result.events = eventsFromLines(lines);
    return result;
}

ListReadResult readListFile(const QString &path)
{
    ReadResult file = readFileBytes(path);
    if (!file.ok) {
        ListReadResult result;
        result.status = ListReadStatus::Unreadable;
        result.error = file.error;
        return result;
    }
    return parseListBytes(file.bytes);
}

QByteArray listFileBytes(const std::vector<EventRecord> &events)
{
    QString out;
    qsizetype size = 0;
    for (const EventRecord &r : events)
        size += r.name.size() + r.date.size() + r.address.size() + r.rule.size() + 10;
    out.reserve(size);
    const QLatin1String crlf("\r\n");
    bool first = true;
    const EventRecord *last = events.empty() ? nullptr : &events.back();
    for (const EventRecord &r : events) {
        if (!first)
            out += crlf;
        first = false;
        appendField(out, r.name);
        out += crlf;
        appendField(out, r.date);
        out += crlf;
        appendField(out, r.address);
        out += crlf;
        out += QString::number(r.mark);
        out += crlf;
        // An empty last line reads back as a line end after the last line: the file would lose
        // a line, and a one-event list would even look like the previous format.
        appendField(out, (&r == last && r.rule.isEmpty()) ? kDefaultRule : r.rule);
    }
    return encodeText(out);
}

} // namespace dw
