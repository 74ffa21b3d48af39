#include "ui/InputRow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace dw {

InputRow::InputRow(EditCommands &commands, EventList &list, QHBoxLayout *row, QCheckBox *chkImp,
                   QWidget *host)
    : QObject(host), commands_(commands), list_(list), chkImp_(chkImp)
{
    txtName_ = new QLineEdit(host);
    txtName_->setObjectName(QStringLiteral("txtName"));
    datePicker_ = new QDateEdit(host);
    datePicker_->setObjectName(QStringLiteral("datePicker"));
    datePicker_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    datePicker_->setCalendarPopup(true);
    datePicker_->setDate(commands_.input().date);
    cmbEMail_ = new QComboBox(host);
    cmbEMail_->setObjectName(QStringLiteral("cmbEMail"));
    cmbEMail_->setEditable(true);
    // The choices are the list's; typing never adds one by itself.
    cmbEMail_->setInsertPolicy(QComboBox::NoInsert);
    cmbEMail_->setEditText(commands_.input().address);

    int at = row->indexOf(chkImp_);
    if (at < 0)
        at = row->count();
    row->insertWidget(at, txtName_, 3);
    row->insertWidget(at + 1, datePicker_);
    row->insertWidget(at + 2, cmbEMail_, 3);
    const char *const captions[3] = {"Add", "Modify", "Cancel"};
    for (int i = 0; i < 3; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(captions[i]), host);
        b->setObjectName(QStringLiteral("smtAdd") + QString::number(i));
        b->setAutoDefault(false);
        smtAdd_[static_cast<size_t>(i)] = b;
        row->addWidget(b);
    }

    connect(txtName_, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!updating_)
            edited(txtName_, namePending_, text, [this](const QString &t) { return commands_.nameEdited(t); });
    });
    watchAcceptance(txtName_, namePending_);
    watchAcceptance(cmbEMail_->lineEdit(), addressPending_);
    connect(cmbEMail_, &QComboBox::editTextChanged, this, &InputRow::addressChanged);
    connect(datePicker_, &QDateEdit::dateChanged, this, [this](QDate d) {
        if (!updating_)
            commands_.setDate(d);
    });
    connect(chkImp_, &QCheckBox::toggled, this, [this](bool on) {
        if (!updating_)
            commands_.setImportant(on);
    });
    connect(smtAdd_[0], &QPushButton::clicked, &commands_, &EditCommands::add);
    connect(smtAdd_[1], &QPushButton::clicked, &commands_, &EditCommands::modify);
    connect(smtAdd_[2], &QPushButton::clicked, &commands_, &EditCommands::cancel);

    connect(&commands_, &EditCommands::inputChanged, this, &InputRow::show);
    connect(&commands_, &EditCommands::focusRequested, this, &InputRow::focusField);
    connect(&list_, &EventList::addressChoicesChanged, this, &InputRow::showChoices);
    connect(&list_, &EventList::editingChanged, this, &InputRow::showEditing);
    cmbEMail_->lineEdit()->installEventFilter(this);

    showChoices();
    showEditing(list_.editing());
}

QWidget *InputRow::field(InputField f) const
{
    switch (f) {
    case InputField::Name:
        return txtName_;
    case InputField::Date:
        return datePicker_;
    case InputField::Email:
        return cmbEMail_;
    }
    return txtName_;
}

void InputRow::showToday(QDate today)
{
    commands_.setDate(today);
    show();
}

void InputRow::show()
{
    updating_ = true;
    namePending_.active = addressPending_.active = false;
    const auto &in = commands_.input();
    if (txtName_->text() != in.name)
        txtName_->setText(in.name);
    if (datePicker_->date() != in.date && in.date.isValid())
        datePicker_->setDate(in.date);
    if (cmbEMail_->currentText() != in.address)
        cmbEMail_->setEditText(in.address);
    chkImp_->setChecked(in.important);
    QPalette p = chkImp_->palette();
    const QColor colour = in.importantRed ? QColor(255, 0, 0) : QColor(0, 0, 0);
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    chkImp_->setPalette(p);
    updating_ = false;
}

void InputRow::showChoices()
{
    updating_ = true;
    const QString text = cmbEMail_->currentText();
    const int cursor = cmbEMail_->lineEdit()->cursorPosition();
    cmbEMail_->clear();
    cmbEMail_->addItems(list_.addressChoices());
    cmbEMail_->setEditText(text);
    cmbEMail_->lineEdit()->setCursorPosition(cursor);
    updating_ = false;
}

void InputRow::showEditing(bool editing)
{
    smtAdd_[0]->setVisible(!editing);
    smtAdd_[1]->setVisible(editing);
    smtAdd_[2]->setVisible(editing);
}

void InputRow::addressChanged(const QString &text)
{
    if (!updating_)
        edited(cmbEMail_->lineEdit(), addressPending_, text,
               [this](const QString &t) { return commands_.addressEdited(t); });
}

void InputRow::edited(QLineEdit *box, Pending &pending, const QString &text,
                         const std::function<Completed(const QString &)> &complete)
{
    QString now = text;
    if (pending.active) {
        pending.active = false;
        const QString back = typedOverCompletion(text, pending.typed, pending.shown);
        if (!back.isNull())
            now = back;
    }
    const Completed c = complete(now);
    if (!c.changed && now == text)
        return;
    updating_ = true;
    box->setText(c.text);
    if (c.changed)
        box->setSelection(c.selectionStart, c.selectionLength);
    if (c.expanded)
        pending = {true, now, c};
    updating_ = false;
}

void InputRow::watchAcceptance(QLineEdit *box, Pending &pending)
{
    // Tab, End, a click or an arrow key leaves the selection: the completion is kept as it is.
    const auto accept = [this, box, &pending] {
        if (updating_ || !pending.active || box->text() != pending.shown.text)
            return;
        if (box->selectionStart() != pending.shown.selectionStart
            || box->selectedText().size() != pending.shown.selectionLength)
            pending.active = false;
    };
    connect(box, &QLineEdit::selectionChanged, this, accept);
    connect(box, &QLineEdit::cursorPositionChanged, this, accept);
}

void InputRow::focusField(InputField f, bool selectAll)
{
    QWidget *w = field(f);
    w->setFocus();
    if (selectAll && f == InputField::Name)
        txtName_->selectAll();
}

bool InputRow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cmbEMail_->lineEdit() && event->type() == QEvent::FocusOut) {
        // Repeated choices are dropped when the box is left, not while typing.
        const QString shown = list_.removeDuplicateAddressChoices(cmbEMail_->currentText());
        if (shown != cmbEMail_->currentText())
            cmbEMail_->setEditText(shown);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dw
