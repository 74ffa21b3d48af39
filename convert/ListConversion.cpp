#include "convert/ListConversion.h"

#include <cmath>

namespace dw::convert {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes become the
// matching C1 controls, as Windows itself converts them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(QByteArray &out, char16_t c)
{
    if (c < 0x80) {
        out.append(char(c));
    } else if (c < 0x800) {
        out.append(char(0xC0 | (c >> 6)));
        out.append(char(0x80 | (c & 0x3F)));
    } else {
        out.append(char(0xE0 | (c >> 12)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    }
}

// The insertion bound of the 7.0.2 converter: (N - 1) / 3 + (N - 1), to the nearest whole number.
qsizetype insertionBound(qsizetype lineCount)
{
    const double n1 = double(lineCount - 1);
    return qsizetype(std::lround(n1 / 3.0 + n1));
}

// Share of NUL bytes at even and odd places of the first bytes: UTF-16 text of mostly Latin
// letters has one of each pair zero.
bool looksLikeUtf16(QByteArrayView raw)
{
    if (raw.startsWith("\xFF\xFE") || raw.startsWith("\xFE\xFF"))
        return true;
    const qsizetype n = qMin<qsizetype>(raw.size(), 4096) & ~qsizetype(1);
    if (n < 2)
        return false;
    qsizetype zero[2] = {0, 0};
    for (qsizetype i = 0; i < n; ++i) {
        if (raw[i] == '\0')
            ++zero[i & 1];
    }
    const qsizetype pairs = n / 2;
    return (zero[0] * 10 >= pairs * 7 && zero[1] * 10 < pairs) || (zero[1] * 10 >= pairs * 7 && zero[0] * 10 < pairs);
}

} // namespace

SourceKind classifySource(QByteArrayView raw)
{
    if (looksLikeUtf16(raw))
        return SourceKind::Utf16;
    if (raw.contains('\0'))
        return SourceKind::Binary;
    bool onlyLineEnds = true;
    qsizetype controls = 0;
    qsizetype high = 0;
    for (const char c : raw) {
        const auto b = static_cast<unsigned char>(c);
        if (b != '\r' && b != '\n')
            onlyLineEnds = false;
        if ((b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f') || b == 0x7f)
            ++controls;
        else if (b >= 0x80)
            ++high;
    }
    if (onlyLineEnds)
        return SourceKind::Empty;
    if (raw.isValidUtf8())
        return SourceKind::Text;
    // An old list in the Windows code page has the odd accented letter, never a run of control
    // characters; random data has both everywhere.
    return controls * 100 <= raw.size() && high * 10 <= raw.size() * 3 ? SourceKind::Text : SourceKind::Binary;
}

QByteArray toUtf8(QByteArrayView raw)
{
    if (raw.isValidUtf8())
        return (raw.startsWith("\xEF\xBB\xBF") ? raw.sliced(3) : raw).toByteArray();
    QByteArray out;
    out.reserve(raw.size() + raw.size() / 4);
    for (const char ch : raw) {
        const auto b = static_cast<unsigned char>(ch);
        appendUtf8(out, (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return out;
}

std::vector<QByteArrayView> splitLines(QByteArrayView text)
{
    std::vector<QByteArrayView> lines;
    const qsizetype n = text.size();
    const char *p = text.data();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] != '\r' && p[i] != '\n')
            continue;
        lines.emplace_back(p + start, i - start);
        if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.emplace_back(p + start, n - start);
    return lines;
}

bool isCurrentFormat(const std::vector<QByteArrayView> &lines)
{
    const auto n = qsizetype(lines.size());
    // Every fifth line from the fourth on is a mark in a current list; in an old list of three
    // or more events one of those lines is a name, a date or an address.
    for (qsizetype i = 3; i < n; i += 5) {
        if (lines[i] != "0" && lines[i] != "1")
            return false;
    }
    // One or two old events carry only their first mark at those places; their line count
    // gives them away.
    return !(n % 4 == 0 && n % 5 != 0);
}

ListConversion convertList(QByteArrayView raw)
{
    ListConversion result;
    result.kind = classifySource(raw);
    if (result.kind != SourceKind::Text)
        return result;
    const QByteArray text = toUtf8(raw);
    std::vector<QByteArrayView> lines = splitLines(text);
    // A last event never ends in an empty line (it ends with its mark), so empty lines there
    // are stray line ends and would only shift the count.
    while (!lines.empty() && lines.back().isEmpty())
        lines.pop_back();
    if (isCurrentFormat(lines)) {
        result.alreadyConverted = true;
        return result;
    }

    // One customised-date line after every four lines, at positions 4, 9, 14, ... up to the bound
    // the 7.0.2 converter used, but never past the end of the lines held so far: from fifteen
    // events on that bound reaches beyond them.
    const auto n = qsizetype(lines.size());
    const qsizetype bound = insertionBound(n);
    qsizetype inserts = 0;
    while (5 * inserts + 4 <= bound && 4 * inserts + 4 <= n)
        ++inserts;

    // LF-only input grows by one byte a line; each added line brings its text and a CR LF.
    result.bytes.reserve(text.size() + n + inserts * qsizetype(sizeof kNoRuleLine + 1));
    qsizetype written = 0;
    const auto put = [&](QByteArrayView line) {
        if (written++ > 0)
            result.bytes.append("\r\n", 2);
        result.bytes.append(line);
    };
    for (qsizetype i = 0; i < n; ++i) {
        put(lines[i]);
        if (i % 4 == 3 && i / 4 < inserts)
            put(kNoRuleLine);
    }
    result.events = inserts;
    return result;
}

} // namespace dw::convert
