#pragma once

#include "core/events/EventList.h"

#include <QListView>
#include <QWidget>
#include <array>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace dw {

class EventTableModel;

// One of the three visible event columns: a view of one model column. It reports focus to the
// list-focus flag and hands dropped files to its panel.
class EventColumn final : public QListView {
    Q_OBJECT
public:
    EventColumn(EventList &list, int column, QWidget *parent = nullptr);

signals:
    void filesDropped(const QStringList &paths);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    EventList &list_;
};

// The List panel `fraMain`: the header label, the three event columns sharing one selection
// and one first visible row, the count label, the input row area, the edit buttons and the
// Sort / Show Events buttons.
class ListPanel final : public QWidget {
    Q_OBJECT
public:
    // The 85-character design caption of the column header.
    static const QString kHeaderCaption;

    explicit ListPanel(EventList &list, QWidget *parent = nullptr);

    EventTableModel *model() const { return model_; }
    EventColumn *column(int i) const { return columns_.at(static_cast<size_t>(i)); } // 0 name, 1 date, 2 address
    QLabel *headerLabel() const { return lblName_; }
    QLabel *countLabel() const { return lblEvents_; }
    // The "&Important" box: its caption turns red while a marked event is selected. It sits at
    // the end of the input row; the input row code adds its own widgets before it.
    QCheckBox *importantBox() const { return chkImp_; }
    QHBoxLayout *inputRowLayout() const { return inputRow_; }
    QWidget *inputRowHost() const { return inputHost_; }
    QPushButton *editButton(int i) const { return smtEdit_.at(static_cast<size_t>(i)); } // Remove, Clear, Save, Open
    QPushButton *sortButton() const { return smtSort_; }
    QPushButton *eventsButton() const { return smtEvents_; }

    // Shows the header with the completion switch state: " on" or " off" after the design caption.
    void setCompletionCaption(bool on);
    // "Total events = N"; runs by itself after every change of the rows.
    void refreshCount();

signals:
    void filesDropped(const QStringList &paths);
    // A double click on a row: field is "Name", "Date" or "Email".
    void modifyRequested(int row, const QString &field);

private:
    void showSelection(int row);
    void selectionChanged(int row);
    void showFirstVisible(int row);

    EventList &list_;
    EventTableModel *model_;
    std::array<EventColumn *, 3> columns_{};
    QLabel *lblName_;
    QLabel *lblEvents_;
    QCheckBox *chkImp_;
    QWidget *inputHost_;
    QHBoxLayout *inputRow_;
    std::array<QPushButton *, 4> smtEdit_{};
    QPushButton *smtSort_;
    QPushButton *smtEvents_;
    bool syncing_ = false;
};

} // namespace dw
