#pragma once

#include "core/events/EditCommands.h"

#include <QObject>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace dw {

// The List panel's input row: `txtName`, `datePicker`, `cmbEMail`, the "&Important" box and
// the `smtAdd` buttons "Add", "Modify", "Cancel". The boxes show the commands' input row and
// hand every keystroke back to them; the buttons run the commands.
class InputRow final : public QObject {
    Q_OBJECT
public:
    // Adds the boxes to `row` before `chkImp` (which the panel owns) and the buttons after it.
    InputRow(EditCommands &commands, EventList &list, QHBoxLayout *row, QCheckBox *chkImp,
             QWidget *host);

    QLineEdit *nameBox() const { return txtName_; }
    QDateEdit *datePicker() const { return datePicker_; }
    QComboBox *addressBox() const { return cmbEMail_; }
    QCheckBox *importantBox() const { return chkImp_; }
    QPushButton *button(int i) const { return smtAdd_.at(static_cast<size_t>(i)); } // Add, Modify, Cancel
    QWidget *field(InputField f) const;

    // The date picker shows today (start-up).
    void showToday(QDate today);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show();
    void showChoices();
    void showEditing(bool editing);
    void addressChanged(const QString &text);
    void focusField(InputField field, bool selectAll);
    // A completion shown selected in a box, until it is typed over or accepted.
    struct Pending {
        bool active = false;
        QString typed;
        Completed shown;
    };
    void edited(QLineEdit *box, Pending &pending, const QString &text,
                   const std::function<Completed(const QString &)> &complete);
    void watchAcceptance(QLineEdit *box, Pending &pending);

    EditCommands &commands_;
    EventList &list_;
    QLineEdit *txtName_;
    QDateEdit *datePicker_;
    QComboBox *cmbEMail_;
    QCheckBox *chkImp_;
    std::array<QPushButton *, 3> smtAdd_{};
    bool updating_ = false;
    Pending namePending_, addressPending_;
};

} // namespace dw
