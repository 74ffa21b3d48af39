#include "core/events/EditCommands.h"

#include "core/events/CustomRule.h"

#include <algorithm>

namespace dw {

namespace {

bool spacesOnly(const QString &s)
{
    return std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c == QLatin1Char(' '); });
}

// A line break inside a field would split the event across lines of a list file.
QString oneLine(QString s)
{
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

} // namespace

EditCommands::EditCommands(EventList &list, Prompter &prompter, const Clock &clock,
                           QObject *parent)
    : QObject(parent), list_(list), prompter_(prompter), clock_(clock)
{
    input_.date = clock_.today();
    connect(&list_, &EventList::selectionChanged, this, &EditCommands::onSelectionChanged);
}

Completed EditCommands::nameEdited(const QString &text)
{
    const CompletionSlots s = slots_ ? slots_() : CompletionSlots{};
    Completed c = completeName(text, s, completionOn_);
    input_.name = c.text;
    return c;
}

Completed EditCommands::addressEdited(const QString &text)
{
    const CompletionSlots s = slots_ ? slots_() : CompletionSlots{};
    Completed c = completeAddress(text, s, completionOn_);
    input_.address = c.text;
    return c;
}

QString EditCommands::dateText() const
{
    return input_.date.toString(QStringLiteral("dd/MM/yyyy"));
}

void EditCommands::focus(InputField field, bool selectAll)
{
    emit focusRequested(field, selectAll);
}

bool EditCommands::nameChecks()
{
    if (input_.name.isEmpty()) {
        focus(InputField::Name);
        return false;
    }
    if (spacesOnly(input_.name)) {
        input_.name.clear();
        emit inputChanged();
        focus(InputField::Name);
        return false;
    }
    return true;
}

EventRecord EditCommands::recordFromInput() const
{
    EventRecord r;
    r.name = oneLine(input_.name);
    r.date = dateText();
    r.address = oneLine(input_.address);
    r.mark = input_.important ? 1 : 0;
    return r;
}

bool EditCommands::add()
{
    if (modifying() || !nameChecks())
        return false;
    focus(InputField::Name);
    const EventRecord r = recordFromInput();
    const bool known = std::any_of(list_.rows().cbegin(), list_.rows().cend(), [&](const EventRecord &e) {
        return e.date == r.date && e.name.compare(r.name, Qt::CaseInsensitive) == 0;
    });
    if (known) {
        prompter_.ask({QStringLiteral("Already in the list!"), kAppTitle, Icon::Exclamation,
                       Buttons::Ok, Button::Ok});
        focus(InputField::Name, true);
        return false;
    }
    list_.append(r);
    list_.select(list_.count() - 1);
    finish();
    return true;
}

void EditCommands::startModify(InputField field)
{
    const int row = list_.selected();
    if (modifying() || row < 0 || row >= list_.count())
        return;
    modifyingRow_ = row;
    list_.setEditing(true);
    const EventRecord &e = list_.at(row);
    input_.name = e.name;
    input_.address = e.address;
    const QDate d = parseEventDate(e.date);
    if (d.isValid()) {
        input_.date = d;
    } else {
        prompter_.ask({QStringLiteral("Invalid Date."), QStringLiteral("Error"), Icon::Critical,
                       Buttons::Ok, Button::Ok});
    }
    if (e.important())
        input_.important = true;
    emit inputChanged();
    focus(field, field == InputField::Name);
}

bool EditCommands::modify()
{
    if (!modifying() || !nameChecks())
        return false;
    focus(InputField::Name);
    list_.append(recordFromInput());
    const int old = (modifyingRow_ >= 0 && modifyingRow_ < list_.count() - 1) ? modifyingRow_
                                                                              : list_.selected();
    if (old >= 0 && old < list_.count() - 1) {
        list_.remove(old);
        input_.important = false;
        input_.importantRed = false;
    }
    list_.select(list_.count() - 1);
    modifyingRow_ = -1;
    list_.setEditing(false);
    finish();
    return true;
}

void EditCommands::cancel()
{
    if (!modifying())
        return;
    modifyingRow_ = -1;
    list_.setEditing(false);
    finish();
}

void EditCommands::finish()
{
    input_.important = false;
    list_.addAddressChoice(input_.address);
    input_.name.clear();
    input_.date = clock_.today();
    input_.address = kNoAddress;
    emit inputChanged();
}

void EditCommands::remove()
{
    const int row = list_.selected();
    if (list_.isEmpty() || row < 0 || row >= list_.count()) {
        prompter_.ask({QStringLiteral("No item selected to remove!"),
                       QStringLiteral("No item selected"), Icon::Exclamation, Buttons::Ok,
                       Button::Ok});
        return;
    }
    list_.remove(row);
    // The removed row's neighbour must not silently become the target of the next Remove.
    list_.select(-1);
    input_.important = false;
    input_.importantRed = false;
    emit inputChanged();
}

void EditCommands::clear()
{
    if (list_.isEmpty())
        return;
    const bool marked = std::any_of(list_.rows().cbegin(), list_.rows().cend(),
                                    [](const EventRecord &e) { return e.important(); });
    const QString text = marked ? QStringLiteral(
                                      "Do you want to clear the whole list? It contains marked events.")
                                : QStringLiteral("Do you want to clear the whole list?");
    if (prompter_.ask({text, QStringLiteral("Clear List"), Icon::Critical, Buttons::YesNo,
                       Button::No})
        != Button::Yes)
        return;
    list_.clear();
    input_.address = kNoAddress;
    input_.important = false;
    input_.importantRed = false;
    emit inputChanged();
}

void EditCommands::toggleMark()
{
    const int row = list_.selected();
    if (row < 0 || row >= list_.count())
        return;
    const bool mark = list_.at(row).mark == 0;
    list_.setMark(row, mark ? 1 : 0);
    input_.importantRed = mark;
    emit inputChanged();
}

QString EditCommands::markCaption(bool fromKeyboard) const
{
    const int row = list_.selected();
    const bool unmark = row >= 0 && row < list_.count() && list_.at(row).mark != 0;
    if (fromKeyboard)
        return unmark ? QStringLiteral("Unmark as Important") : QStringLiteral("Mark as Important");
    return unmark ? QStringLiteral("Unmark as &Important") : QStringLiteral("Mark as &Important");
}

int EditCommands::customiseRow()
{
    const int row = list_.selected();
    if (row < 0 || row >= list_.count())
        return -1;
    if (!CustomRuleEditor(list_.at(row).date, clock_.today()).valid()) {
        prompter_.ask({QStringLiteral("Invalid Date."), QStringLiteral("Error"), Icon::Critical,
                       Buttons::Ok, Button::Ok});
        return -1;
    }
    return row;
}

void EditCommands::onSelectionChanged(int row)
{
    input_.important = false;
    input_.importantRed = row >= 0 && row < list_.count() && list_.at(row).important();
    emit inputChanged();
}

} // namespace dw
