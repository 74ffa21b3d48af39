#pragma once

#include "core/events/EventRecord.h"

#include <QString>
#include <vector>

namespace dw {

class BusyIndicator;
class EventList;
class Prompter;

// The five orders of the Sort menu, in menu order.
enum class SortKind { Names, Monthwise, Yearwise, Address, Important };

QString sortMenuText(SortKind kind);   // "&Names/Events-wise" ...
QString sortStatusText(SortKind kind); // "(Names/Events-wise)" ...

// The text an event is ordered by. Texts compare by character code.
QString sortKey(const EventRecord &e, SortKind kind);

// Reorders rows exactly as a selection sort does - for each position the first row holding the
// smallest key from there on (largest for Important) is swapped into it, so equal keys end in
// the same, not necessarily original, order - but in O(n log n).
void sortRecords(std::vector<EventRecord> &rows, SortKind kind);

// The selection sort itself, quadratic; the definition the fast sort must match.
void selectionSortRecords(std::vector<EventRecord> &rows, SortKind kind);

// Keeps the first event of every (lower-cased name, date text), in order.
std::vector<EventRecord> withoutDuplicates(const std::vector<EventRecord> &rows);

// The Sort menu's commands on the list, with their wait notices and message.
void sortList(EventList &list, SortKind kind, Prompter &prompter, BusyIndicator &busy);
void removeDuplicates(EventList &list, BusyIndicator &busy);

} // namespace dw
