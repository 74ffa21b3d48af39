#pragma once

#include "core/events/CustomRule.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dw {

class EventList;

// "Customise Event": when one event is shown on the page. Apply checks the dates, moving the
// focus to the first wrong field without a message; only a successful Apply changes the rule.
class FrmWhen final : public QDialog {
    Q_OBJECT
public:
    // Works on row `row` of `list`; `today` names the current year.
    FrmWhen(EventList &list, int row, QDate today, QWidget *parent = nullptr);

    QLabel *eventNameLabel() const { return lblEventName_; }
    QLabel *hintLabel() const { return lblDefine_; }
    QCheckBox *betweenBox() const { return chkBetween_; }
    QCheckBox *onlyBox() const { return chkOnly_; }
    QLineEdit *fromBox() const { return txtFrom_; }
    QLineEdit *toBox() const { return txtTo_; }
    QLineEdit *onlyText() const { return txtOnly_; }
    QPushButton *applyButton() const { return cmdApply_; }
    QPushButton *cancelButton() const { return cmdCancel_; }

    void apply();

private:
    WhenForm form() const;
    void showForm(const WhenForm &f);

    EventList &list_;
    int row_;
    CustomRuleEditor editor_;
    QLabel *lblEventName_;
    QLabel *lblDefine_;
    QCheckBox *chkBetween_;
    QCheckBox *chkOnly_;
    QLineEdit *txtFrom_;
    QLineEdit *txtTo_;
    QLineEdit *txtOnly_;
    QPushButton *cmdApply_;
    QPushButton *cmdCancel_;
};

} // namespace dw
