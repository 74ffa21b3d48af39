#pragma once

#include "core/events/Completion.h"
#include "core/events/EventList.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"

#include <QDate>
#include <QObject>
#include <functional>

namespace dw {

// The boxes of the List panel's input row that a command reads or changes.
enum class InputField { Name, Date, Email };

struct InputState {
    QString name;
    QDate date;
    QString address = kNoAddress;
    bool important = false;    // chkImp ticked: the mark of the next event added
    bool importantRed = false; // chkImp caption drawn red: the selected event is marked
};

// Adding, modifying, removing, clearing and marking events, and the completion of the name and
// address boxes. Holds the input row so every command runs without a window; the row widget
// shows `input()` after `inputChanged` and feeds typing back through the *Edited calls.
class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(EventList &list, Prompter &prompter, const Clock &clock,
                 QObject *parent = nullptr);

    const InputState &input() const { return input_; }
    bool modifying() const { return list_.editing(); }
    int modifyingRow() const { return modifyingRow_; }

    // Typing. The returned text replaces the box text when `changed` is set.
    Completed nameEdited(const QString &text);
    Completed addressEdited(const QString &text);
    void setDate(QDate date) { input_.date = date; }
    void setImportant(bool on) { input_.important = on; }

    bool completionOn() const { return completionOn_; }
    void setCompletionOn(bool on) { completionOn_ = on; }
    void toggleCompletion() { completionOn_ = !completionOn_; }
    // Where the completion pairs come from at the moment of typing (the AutoC tab's fields).
    void setSlotsSource(std::function<CompletionSlots()> source) { slots_ = std::move(source); }

    // The commands. add/modify return true when the list changed.
    bool add();
    void startModify(InputField field);
    bool modify();
    void cancel();
    void remove();
    void clear();
    void toggleMark();
    // The event pop-up's mark item for the selected event; the keyboard's menu shows it
    // without the access key.
    QString markCaption(bool fromKeyboard) const;
    // The row the Customise Event dialog is for, or -1 (nothing selected, or a date without a
    // day and month, which is reported).
    int customiseRow();

    // The "dd/MM/yyyy" text of the date box.
    QString dateText() const;

signals:
    // A command changed the input row (texts, tick or caption colour).
    void inputChanged();
    // A command wants the keyboard focus in `field`, with its whole text selected if asked.
    void focusRequested(InputField field, bool selectAll);

private:
    bool nameChecks();
    void finish();
    void onSelectionChanged(int row);
    void focus(InputField field, bool selectAll = false);
    EventRecord recordFromInput() const;

    EventList &list_;
    Prompter &prompter_;
    const Clock &clock_;
    InputState input_;
    bool completionOn_ = true;
    int modifyingRow_ = -1;
    std::function<CompletionSlots()> slots_;
};

} // namespace dw
