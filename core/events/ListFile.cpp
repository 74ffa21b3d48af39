#include "core/events/ListFile.h"

#include "core/io/TextFile.h"

namespace dw {

namespace {
constexpr qsizetype kLinesPerEvent = 5;
constexpr qsizetype kMarkLine = 3; // 0-based place of the mark within an event

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

ListReadResult parseListBytes(const QByteArray &bytes, ListParts parts)
{
    // Lines are cut as views into the decoded text: a big list then costs one string per field
    // rather than a second copy of every line.
    const QString text = decodeText(bytes);
    std::vector<QStringView> lines;
    lines.reserve(static_cast<size_t>(bytes.count('\n') + 1));
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        lines.emplace_back(p + start, i - start);
        if (c == u'\r' && i + 1 < n && p[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.emplace_back(p + start, n - start);

    ListReadResult result;
    const size_t count = lines.size();
    bool current = !(count % 4 == 0 && count % kLinesPerEvent != 0);
    for (size_t i = kMarkLine; current && i < count; i += kLinesPerEvent) {
        const QStringView mark = lines[i];
        current = mark.size() == 1 && (mark[0] == QLatin1Char('0') || mark[0] == QLatin1Char('1'));
        result.anyImportant = result.anyImportant || (current && mark[0] == QLatin1Char('1'));
    }
    if (!current) {
        result.status = ListReadStatus::OldFormat;
        result.anyImportant = false;
        return result;
    }
    result.status = ListReadStatus::Ok;
    if (parts == ListParts::MarksOnly)
        return result;
    result.events.reserve((count + kLinesPerEvent - 1) / kLinesPerEvent);
    // Most events have no address and no customised dates: they share one string for each.
    const auto shared = [](QStringView line, const QString &common) {
        return line == common ? common : line.toString();
    };
    for (size_t i = 0; i < count; i += kLinesPerEvent) {
        EventRecord r;
        r.name = lines[i].toString();
        if (i + 1 < count)
            r.date = lines[i + 1].toString();
        if (i + 2 < count)
            r.address = shared(lines[i + 2], kNoAddress);
        if (i + 3 < count)
            r.mark = lines[i + 3][0] == QLatin1Char('1') ? 1 : 0;
        if (i + 4 < count)
            r.rule = shared(lines[i + 4], kDefaultRule);
        result.events.push_back(std::move(r));
    }
    return result;
}

ListReadResult readListFile(const QString &path, ListParts parts)
{
    ReadResult file = readFileBytes(path);
    if (!file.ok) {
        ListReadResult result;
        result.status = ListReadStatus::Unreadable;
        result.error = file.error;
        return result;
    }
    return parseListBytes(file.bytes, parts);
}

QString listReadFailure(const QString &path, const ListReadResult &result)
{
    if (result.status == ListReadStatus::OldFormat)
        return QStringLiteral("Convert file using DWE Converter before opening.");
    return QStringLiteral("Cannot read \"%1\": %2").arg(path, result.error);
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
