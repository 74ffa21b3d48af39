#pragma once

#include "core/events/EventRecord.h"

#include <QObject>
#include <QStringList>
#include <vector>

namespace dw {

// The ordered events with the state the three list columns share: one selection, one first
// visible row, the address choices, the list-focus flag and the editing state. Holding the rows
// as one vector keeps the "four columns of equal length" true by construction.
class EventList : public QObject {
    Q_OBJECT
public:
    explicit EventList(QObject *parent = nullptr) : QObject(parent) {}

    int count() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    const EventRecord &at(int i) const { return rows_.at(static_cast<size_t>(i)); }
    const std::vector<EventRecord> &rows() const { return rows_; }

    void append(const EventRecord &record);
    // Appends many rows with one change notification (loading a file).
    void appendRows(std::vector<EventRecord> records);
    void remove(int i);
    // Empties the rows and the address choices.
    void clear();
    // Replaces every row at once (sorting, duplicate removal, date rewriting).
    void replaceAll(std::vector<EventRecord> rows);
    void replace(int i, const EventRecord &record);
    void setRule(int i, const QString &rule);
    void setMark(int i, int mark);

    int selected() const { return selected_; }
    void select(int i); // -1 clears the selection
    int firstVisible() const { return firstVisible_; }
    void setFirstVisible(int row);

    const QStringList &addressChoices() const { return addressChoices_; }
    void addAddressChoice(const QString &text) { addressChoices_.append(text); emit addressChoicesChanged(); }
    void setAddressChoices(const QStringList &choices);
    // Drops empty and repeated choices (exact comparison, first one stays). Returns the address
    // box text to show: "-" when boxText is empty, boxText otherwise.
    QString removeDuplicateAddressChoices(const QString &boxText);

    bool listFocus() const { return listFocus_; }
    void setListFocus(bool on) { listFocus_ = on; }
    bool editing() const { return editing_; }
    void setEditing(bool on);

    // "Total events = N"
    QString countCaption() const;

signals:
    // Any change of rows: the views rebuild or update.
    void rowsReset();
    void rowsAppended(int first, int last);
    void rowRemoved(int row);
    void rowChanged(int row);
    void selectionChanged(int row);
    void firstVisibleChanged(int row);
    void addressChoicesChanged();
    void editingChanged(bool editing);

private:
    std::vector<EventRecord> rows_;
    int selected_ = -1;
    int firstVisible_ = 0;
    QStringList addressChoices_;
    bool listFocus_ = false;
    bool editing_ = false;
};

} // namespace dw
