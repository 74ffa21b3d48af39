#pragma once

#include "core/events/EventList.h"

#include <QAbstractTableModel>
#include <QDate>
#include <functional>

namespace dw {

// The event list as an item model: column 0 names (the mark as MarkRole), 1 dates,
// 2 addresses, 3 the customised-date rule (never shown). The three visible columns are views
// over this one model, so they hold the same rows by construction.
class EventTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, DateColumn, AddressColumn, RuleColumn, ColumnCount };
    static constexpr int MarkRole = Qt::UserRole;

    explicit EventTableModel(EventList &list, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // True while the rows change: the views then move their current row on their own, which
    // must not be taken for the user selecting another event.
    bool changing() const { return changing_; }

    // Where "today" comes from for the date column's tool tip ("40 years on 12/03").
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

private:
    EventList &list_;
    std::function<QDate()> today_;
    bool changing_ = false;
    // Rows the views know about; differs from the list only inside a change notification.
    int rows_ = 0;
};

// The date column's tool tip: "40 years on 12/03" at the event's next day from `today`, or the
// date itself when it has no years to tell (a later year, a placeholder before 1900).
QString dateToolTip(const QString &date, QDate today);

} // namespace dw
