#include "core/events/EventList.h"

#include <QSet>

namespace dw {

void EventList::append(const EventRecord &record)
{
    rows_.push_back(record);
    emit rowsAppended(count() - 1, count() - 1);
}

void EventList::appendRows(std::vector<EventRecord> records)
{
    if (records.empty())
        return;
    const int first = count();
    if (rows_.empty()) {
        rows_ = std::move(records);
    } else {
        rows_.insert(rows_.end(), std::make_move_iterator(records.begin()),
                     std::make_move_iterator(records.end()));
    }
    emit rowsAppended(first, count() - 1);
}

void EventList::remove(int i)
{
    if (i < 0 || i >= count())
        return;
    rows_.erase(rows_.begin() + i);
    if (selected_ >= count())
        selected_ = count() - 1;
    emit rowRemoved(i);
}

void EventList::clear()
{
    rows_.clear();
    selected_ = -1;
    firstVisible_ = 0;
    addressChoices_.clear();
    emit rowsReset();
    emit addressChoicesChanged();
}

void EventList::replaceAll(std::vector<EventRecord> rows)
{
    rows_ = std::move(rows);
    if (selected_ >= count())
        selected_ = -1;
    emit rowsReset();
}

void EventList::replace(int i, const EventRecord &record)
{
    if (i < 0 || i >= count())
        return;
    rows_[static_cast<size_t>(i)] = record;
    emit rowChanged(i);
}

void EventList::setRule(int i, const QString &rule)
{
    if (i < 0 || i >= count())
        return;
    rows_[static_cast<size_t>(i)].rule = rule;
    emit rowChanged(i);
}

void EventList::setMark(int i, int mark)
{
    if (i < 0 || i >= count())
        return;
    rows_[static_cast<size_t>(i)].mark = mark;
    emit rowChanged(i);
}

void EventList::select(int i)
{
    if (i < -1 || i >= count())
        i = -1;
    selected_ = i;
    emit selectionChanged(i);
}

void EventList::setFirstVisible(int row)
{
    if (row == firstVisible_)
        return;
    firstVisible_ = row;
    emit firstVisibleChanged(row);
}

void EventList::setAddressChoices(const QStringList &choices)
{
    addressChoices_ = choices;
    emit addressChoicesChanged();
}

QString EventList::removeDuplicateAddressChoices(const QString &boxText)
{
    QStringList kept;
    QSet<QString> seen;
    for (const QString &c : std::as_const(addressChoices_)) {
        if (c.isEmpty() || seen.contains(c))
            continue;
        seen.insert(c);
        kept.append(c);
    }
    if (kept != addressChoices_) {
        addressChoices_ = kept;
        emit addressChoicesChanged();
    }
    return boxText.isEmpty() ? kNoAddress : boxText;
}

void EventList::setEditing(bool on)
{
    if (editing_ == on)
        return;
    editing_ = on;
    emit editingChanged(on);
}

QString EventList::countCaption() const
{
    return QStringLiteral("Total events = ") + QString::number(count());
}

} // namespace dw
