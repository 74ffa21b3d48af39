#include "core/events/Sort.h"

#include "core/events/EventList.h"
#include "platform/BusyIndicator.h"
#include "platform/Prompter.h"

#include <QHash>
#include <algorithm>
#include <limits>
#include <numeric>
#include <unordered_set>

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

// The selection sort's order of positions: order[i] is the original index of the row that ends
// at position i. Keys are first replaced by their ranks so that the tournament compares ints.
std::vector<size_t> selectionOrder(const std::vector<QString> &keys, bool descending)
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
    const std::vector<size_t> order = selectionOrder(keysOf(rows, kind), kind == SortKind::Important);
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
    struct Key {
        QString name;
        QStringView date;
        bool operator==(const Key &o) const { return name == o.name && date == o.date; }
    };
    struct KeyHash {
        size_t operator()(const Key &k) const { return qHash(k.name) * 31 + qHash(k.date); }
    };
    std::unordered_set<Key, KeyHash> seen;
    seen.reserve(rows.size());
    std::vector<EventRecord> kept;
    kept.reserve(rows.size());
    for (const EventRecord &e : rows)
        if (seen.insert(Key{e.name.toLower(), e.date}).second)
            kept.push_back(e);
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
