#include "ui/EventTableModel.h"

#include "core/events/DueRules.h"
#include "page/DateCheck.h"

namespace dw {

QString dateToolTip(const QString &date, QDate today)
{
    const std::optional<QDate> day = parseDayFirstDate(date);
    if (!day)
        return date;
    const QString stored = day->toString(QStringLiteral("dd/MM/yyyy"));
    const QDate on = nextOccurrence(stored, today);
    const std::optional<int> years = yearsOn(stored, on);
    if (!years)
        return date;
    return QStringLiteral("%1 %2 on %3")
        .arg(*years)
        .arg(*years == 1 ? QStringLiteral("year") : QStringLiteral("years"), on.toString(QStringLiteral("dd/MM")));
}

EventTableModel::EventTableModel(EventList &list, QObject *parent)
    : QAbstractTableModel(parent), list_(list), rows_(list.count())
{
    connect(&list_, &EventList::rowsReset, this, [this] {
        changing_ = true;
        beginResetModel();
        rows_ = list_.count();
        endResetModel();
        changing_ = false;
    });
    connect(&list_, &EventList::rowsAppended, this, [this](int first, int last) {
        changing_ = true;
        beginInsertRows({}, first, last);
        rows_ = list_.count();
        endInsertRows();
        changing_ = false;
    });
    connect(&list_, &EventList::rowRemoved, this, [this](int row) {
        changing_ = true;
        beginRemoveRows({}, row, row);
        rows_ = list_.count();
        endRemoveRows();
        changing_ = false;
    });
    connect(&list_, &EventList::rowChanged, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    });
}

int EventTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int EventTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EventTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_ || index.row() >= list_.count())
        return {};
    const EventRecord &r = list_.at(index.row());
    if (role == MarkRole)
        return r.mark;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (role == Qt::ToolTipRole && index.column() == DateColumn && today_)
        return dateToolTip(r.date, today_());
    switch (index.column()) {
    case NameColumn: return r.name;
    case DateColumn: return r.date;
    case AddressColumn: return r.address;
    case RuleColumn: return r.rule;
    default: return {};
    }
}

QVariant EventTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn: return QStringLiteral("Names/Events:");
    case DateColumn: return QStringLiteral("Dates:");
    case AddressColumn: return QStringLiteral("Addresses/Descriptions:");
    case RuleColumn: return QStringLiteral("Rule:");
    default: return {};
    }
}

} // namespace dw
