#include "core/events/Sort.h"

#include "core/events/EventList.h"
#include "platform/BusyIndicator.h"
#include "platform/Prompter.h"

#include <QHash>
#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>

namespace dw {

namespace {

// Lists above this size lose their duplicates before every sort.
constexpr int kDedupeBeforeSort = 200;

QString monthwiseKey(const QString &date)
{
    return date.mid(3, 2) + u'/' + date.mid(0, 2) + u'/' + date.right(4);
}

std::vector<QString> keysOf(const std::vector<EventRecord> &rows, SortKind kind)
{
    std::vector<QString> keys;
    keys.reserve(rows.size());
    for (const EventRecord &e : rows)
        keys.push_back(sortKey(e, kind));
    return keys;
}

// Ranks of string keys: equal keys share a rank, a smaller key has a smaller rank (larger when
// descending).
std::vector<int> ranksOf(const std::vector<QString> &keys, bool descending)
{
    const size_t n = keys.size();
    std::vector<size_t> byKey(n);
    std::iota(byKey.begin(), byKey.end(), size_t{0});
    std::sort(byKey.begin(), byKey.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<int> rank(n);
    int r = 0;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && keys[byKey[i]] != keys[byKey[i - 1]])
            ++r;
        rank[byKey[i]] = descending ? -r : r;
    }
    return rank;
}

// Two ASCII digits at `at`, or -1.
int twoDigits(const QString &text, qsizetype at)
{
    const char16_t a = text[at].unicode(), b = text[at + 1].unicode();
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return -1;
    return (a - '0') * 10 + (b - '0');
}

// The date keys as numbers that order exactly as their texts do. That holds when every date is
// "dd/MM/yyyy" in ASCII digits: the key texts then have their digits and slashes in the same
// places, and comparing them is comparing the numbers field by field. The Important key puts the
// mark in front, which works while every mark is one digit. Returns nothing when a row does not
// fit; its list is ordered by the texts.
std::optional<std::vector<uint32_t>> numericDateKeys(const std::vector<EventRecord> &rows, SortKind kind)
{
    if (kind != SortKind::Monthwise && kind != SortKind::Yearwise && kind != SortKind::Important)
        return std::nullopt;
    std::vector<uint32_t> keys;
    keys.reserve(rows.size());
    for (const EventRecord &e : rows) {
        const QString &d = e.date;
        if (d.size() != 10 || d[2] != u'/' || d[5] != u'/')
            return std::nullopt;
        const int day = twoDigits(d, 0), month = twoDigits(d, 3), century = twoDigits(d, 6), year = twoDigits(d, 8);
        if (day < 0 || month < 0 || century < 0 || year < 0)
            return std::nullopt;
        const uint32_t yyyy = uint32_t(century * 100 + year);
        const uint32_t monthwise = uint32_t(month) * 1000000 + uint32_t(day) * 10000 + yyyy;
        if (kind == SortKind::Yearwise) {
            keys.push_back(yyyy * 10000 + uint32_t(month) * 100 + uint32_t(day));
        } else if (kind == SortKind::Monthwise) {
            keys.push_back(monthwise);
        } else {
            if (e.mark < 0 || e.mark > 9)
                return std::nullopt;
            keys.push_back(uint32_t(e.mark) * 100000000 + monthwise);
        }
    }
    return keys;
}

std::vector<int> ranksOf(const std::vector<uint32_t> &keys, bool descending)
{
    // Key and position in one number: a plain sort of integers.
    const size_t n = keys.size();
    std::vector<uint64_t> packed(n);
    for (size_t i = 0; i < n; ++i)
        packed[i] = uint64_t(keys[i]) << 32 | i;
    std::sort(packed.begin(), packed.end());
    std::vector<int> rank(n);
    int r = 0;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && packed[i] >> 32 != packed[i - 1] >> 32)
            ++r;
        rank[packed[i] & 0xffffffffu] = descending ? -r : r;
    }
    return rank;
}

// The selection sort's order of positions: order[i] is the original index of the row that ends
// at position i. It works on the ranks of the keys so that the tournament compares ints.
std::vector<size_t> selectionOrder(const std::vector<int> &rank)
{
    const size_t n = rank.size();

    // Tournament tree over positions: each inner node holds the winning position of its
    // subtree, the smaller rank and, among equals, the smaller position - exactly the row the
    // selection sort's upward scan settles on. A finished position is retired with +inf.
    size_t size = 1;
    while (size < n)
        size *= 2;
    constexpr int kDone = std::numeric_limits<int>::max();
    std::vector<int> value(size, kDone); // rank of the row now at each position
    std::vector<size_t> slot(n);         // original index of the row now at each position
    std::vector<size_t> tree(2 * size);
    for (size_t i = 0; i < n; ++i) {
        value[i] = rank[i];
        slot[i] = i;
    }
    auto better = [&](size_t a, size_t b) { return value[b] < value[a] ? b : a; };
    for (size_t i = 0; i < size; ++i)
        tree[size + i] = i;
    for (size_t i = size - 1; i >= 1; --i)
        tree[i] = better(tree[2 * i], tree[2 * i + 1]);
    auto update = [&](size_t pos) {
        for (size_t i = (size + pos) / 2; i >= 1; i /= 2)
            tree[i] = better(tree[2 * i], tree[2 * i + 1]);
    };

    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i) {
        const size_t m = tree[1];
        std::swap(slot[i], slot[m]);
        value[m] = value[i];
        value[i] = kDone;
        order[i] = slot[i];
        update(m);
        update(i);
    }
    return order;
}

void resetView(EventList &list)
{
    list.setFirstVisible(0);
    list.select(-1);
}

} // namespace

QString sortMenuText(SortKind kind)
{
    switch (kind) {
    case SortKind::Names: return QStringLiteral("&Names/Events-wise");
    case SortKind::Monthwise: return QStringLiteral("&Monthwise");
    case SortKind::Yearwise: return QStringLiteral("&Yearwise");
    case SortKind::Address: return QStringLiteral("&Add/Des-wise");
    case SortKind::Important: return QStringLiteral("&Important-wise");
    }
    return {};
}

QString sortStatusText(SortKind kind)
{
    QString t = sortMenuText(kind);
    t.remove(QLatin1Char('&'));
    return u'(' + t + u')';
}

QString sortKey(const EventRecord &e, SortKind kind)
{
    switch (kind) {
    case SortKind::Names: return e.name.toLower();
    case SortKind::Monthwise: return monthwiseKey(e.date);
    case SortKind::Yearwise: return e.date.right(4) + u'/' + e.date.mid(3, 2) + u'/' + e.date.mid(0, 2);
    case SortKind::Address: return e.address.toLower();
    case SortKind::Important: return QString::number(e.mark) + u'-' + monthwiseKey(e.date);
    }
    return {};
}

void sortRecords(std::vector<EventRecord> &rows, SortKind kind)
{
    if (rows.size() < 2)
        return;
    const bool descending = kind == SortKind::Important;
    const std::optional<std::vector<uint32_t>> numeric = numericDateKeys(rows, kind);
    const std::vector<size_t> order =
        selectionOrder(numeric ? ranksOf(*numeric, descending) : ranksOf(keysOf(rows, kind), descending));
    std::vector<EventRecord> sorted;
    sorted.reserve(rows.size());
    for (size_t i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

void selectionSortRecords(std::vector<EventRecord> &rows, SortKind kind)
{
    std::vector<QString> keys = keysOf(rows, kind);
    const bool descending = kind == SortKind::Important;
    const size_t n = rows.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        size_t m = i;
        for (size_t j = i + 1; j < n; ++j)
            if (descending ? keys[m] < keys[j] : keys[j] < keys[m])
                m = j;
        std::swap(rows[i], rows[m]);
        std::swap(keys[i], keys[m]);
    }
}

std::vector<EventRecord> withoutDuplicates(const std::vector<EventRecord> &rows)
{
    // The lower-cased name and the date text, compared apart. Joined, "Tom1" on "2/01/2000" and
    // "Tom" on "12/01/2000" would read as one event and one of them would be lost.
    // A name in plain ASCII is lower-cased while it is hashed and compared, which is what
    // toLower() does to it; only other names get a lower-cased copy.
    struct Key {
        QStringView name; // lower-cased already unless `ascii`
        bool ascii;
        size_t hash;
    };
    const auto lowerAscii = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    std::vector<QString> lowered;
    std::vector<Key> keys;
    keys.reserve(rows.size());
    for (const EventRecord &e : rows) {
        const QStringView name(e.name);
        const bool ascii = std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
        QStringView text = name;
        if (!ascii) {
            lowered.push_back(e.name.toLower());
            text = lowered.back(); // the characters stay where they are when the vector grows
        }
        size_t h = 1469598103934665603ull;
        for (const QChar c : text)
            h = (h ^ (ascii ? lowerAscii(c.unicode()) : c.unicode())) * 1099511628211ull;
        keys.push_back(Key{text, ascii, h ^ (qHash(QStringView(e.date)) * 0x9e3779b97f4a7c15ull)});
    }
    const auto sameName = [&](const Key &a, const Key &b) {
        if (a.name.size() != b.name.size())
            return false;
        for (qsizetype i = 0; i < a.name.size(); ++i) {
            const char16_t x = a.ascii ? lowerAscii(a.name[i].unicode()) : a.name[i].unicode();
            const char16_t y = b.ascii ? lowerAscii(b.name[i].unicode()) : b.name[i].unicode();
            if (x != y)
                return false;
        }
        return true;
    };

    // Open addressing over row numbers; -1 marks a free slot.
    size_t size = 16;
    while (size < 2 * rows.size())
        size *= 2;
    std::vector<int> table(size, -1);
    std::vector<EventRecord> kept;
    kept.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const Key &k = keys[i];
        size_t slot = k.hash & (size - 1);
        bool seen = false;
        while (table[slot] >= 0) {
            const size_t j = size_t(table[slot]);
            if (keys[j].hash == k.hash && rows[j].date == rows[i].date && sameName(keys[j], k)) {
                seen = true;
                break;
            }
            slot = (slot + 1) & (size - 1);
        }
        if (seen)
            continue;
        table[slot] = int(i);
        kept.push_back(rows[i]);
    }
    return kept;
}

void removeDuplicates(EventList &list, BusyIndicator &busy)
{
    if (list.count() < 2)
        return;
    busy.show(QStringLiteral("Removing Duplicates..."));
    resetView(list);
    std::vector<EventRecord> kept = withoutDuplicates(list.rows());
    if (kept.size() != list.rows().size())
        list.replaceAll(std::move(kept));
    busy.hide();
}

void sortList(EventList &list, SortKind kind, Prompter &prompter, BusyIndicator &busy)
{
    if (list.count() < 2)
        return;
    if (kind == SortKind::Important
        && std::none_of(list.rows().begin(), list.rows().end(), [](const EventRecord &e) { return e.important(); })) {
        prompter.ask(Message{QStringLiteral("There are no marked important events."), QStringLiteral("Important Events"),
                             Icon::Exclamation, Buttons::Ok, Button::Ok});
        return;
    }
    if (list.count() > kDedupeBeforeSort)
        removeDuplicates(list, busy);
    busy.show(QStringLiteral("Sorting...\r\n") + sortStatusText(kind));
    resetView(list);
    std::vector<EventRecord> rows = list.rows();
    sortRecords(rows, kind);
    list.replaceAll(std::move(rows));
    busy.hide();
}

} // namespace dw
