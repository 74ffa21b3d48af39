#pragma once

#include <QDate>
#include <QString>
#include <functional>

namespace dw {

// Day-first date texts, read the same way whatever the system's date settings are.

// "d/M" or "dd/MM" (surrounding blanks ignored) as a day in `year`; invalid QDate otherwise.
QDate parseDayMonth(const QString &text, int year);
// "dd/MM" when `text` is a day-first day and month valid in `year`; `text` unchanged otherwise.
QString reformatDayMonth(const QString &text, int year);
// "d/M/yyyy" or "dd/MM/yyyy" as a date; invalid QDate when it is not one.
QDate parseEventDate(const QString &text);

// The three "dd/MM" fields of a customised-date rule, read by position as the dialog reads them.
struct RuleFields {
    QString only;
    QString from;
    QString to;
};
RuleFields splitRule(const QString &rule);

// What the Customise Event dialog shows and edits.
struct WhenForm {
    bool only = false;
    QString onlyText;
    bool between = false;
    QString fromText;
    QString toText;

    bool operator==(const WhenForm &) const = default;
};

enum class WhenField { None, Only, From, To };

// The dialog's view of one event: its day and month this year (28/02 stands in for 29/02 when
// this year has none), and the texts the dialog opens with.
class CustomRuleEditor {
public:
    // `eventDate` is the event's date text; `today` names the current year.
    CustomRuleEditor(const QString &eventDate, QDate today);

    // False when the event's date gives no day and month; the dialog cannot check anything then.
    bool valid() const { return eventDay_.isValid(); }
    QDate eventDay() const { return eventDay_; }

    // The form as the dialog opens for `rule`: unset fields empty, their boxes cleared.
    static WhenForm openForm(const QString &rule);
    // The hint as the user reads it: "All dates between 06/04 & 30/04".
    QString hint() const;

    // Validates and reformats `form` in place. Returns the field that needs the focus, or None
    // with `rule` set to the rule to store.
    WhenField apply(WhenForm &form, QString &rule) const;

private:
    // The day `text` names, in the year the event implies for it: December of the previous year
    // for a January event, the current year otherwise.
    QDate impliedDay(const QString &text) const;

    QDate eventDay_;
    int year_;
};

// The caption of a label that must stay narrower than `maxWidth`: the whole text, or its longest
// beginning followed by "..." that fits. `width` measures a caption. `elided` tells which.
QString elideCaption(const QString &text, double maxWidth,
                     const std::function<double(const QString &)> &width, bool *elided = nullptr);

} // namespace dw
