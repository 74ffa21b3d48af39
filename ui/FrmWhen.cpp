#include "ui/FrmWhen.h"

#include "core/Twips.h"
#include "core/events/EventList.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dw {

namespace {

// The event name label keeps below this width; longer names are cut and shown whole as a tip.
constexpr double kNameWidthTwips = 1900;

QLineEdit *dateBox(const QString &name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaxLength(5);
    box->setPlaceholderText(QStringLiteral("dd/mm"));
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00/00")) * 2);
    return box;
}

} // namespace

FrmWhen::FrmWhen(EventList &list, int row, QDate today, QWidget *parent)
    : QDialog(parent), list_(list), row_(row), editor_(list.at(row).date, today)
{
    setObjectName(QStringLiteral("frmWhen"));
    setWindowTitle(QStringLiteral("Customise Event"));
    // A dialog: a title and a close button, no minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // The main window takes no input until the dialog closes, yet nothing waits for it.
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);

    const EventRecord &e = list_.at(row_);
    lblEventName_ = new QLabel(this);
    lblEventName_->setObjectName(QStringLiteral("lblEventName"));
    lblEventName_->setTextFormat(Qt::PlainText);
    QFont bold = lblEventName_->font();
    bold.setBold(true);
    lblEventName_->setFont(bold);
    const QFontMetricsF metrics(bold, this);
    bool cut = false;
    const double maxWidth = twips::toPixels(kNameWidthTwips, logicalDpiX());
    lblEventName_->setText(elideCaption(
        e.name, maxWidth, [&](const QString &s) { return metrics.horizontalAdvance(s); }, &cut));
    lblEventName_->setToolTip(cut ? e.name : QString());

    chkBetween_ = new QCheckBox(QStringLiteral("Between"), this);
    chkBetween_->setObjectName(QStringLiteral("chkBetween"));
    txtFrom_ = dateBox(QStringLiteral("txtFrom"), this);
    txtTo_ = dateBox(QStringLiteral("txtTo"), this);
    chkOnly_ = new QCheckBox(QStringLiteral("Only on"), this);
    chkOnly_->setObjectName(QStringLiteral("chkOnly"));
    txtOnly_ = dateBox(QStringLiteral("txtOnly"), this);
    lblDefine_ = new QLabel(editor_.hint(), this);
    lblDefine_->setObjectName(QStringLiteral("lblDefine"));
    lblDefine_->setTextFormat(Qt::PlainText);
    cmdApply_ = new QPushButton(QStringLiteral("&Apply"), this);
    cmdApply_->setObjectName(QStringLiteral("cmdApply"));
    cmdApply_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));

    auto *grid = new QGridLayout(this);
    // A fixed size: window managers then draw no resize handle (the empty strip at the bottom).
    grid->setSizeConstraint(QLayout::SetFixedSize);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Show"), this));
    nameRow->addWidget(lblEventName_, 1);
    grid->addLayout(nameRow, 0, 0, 1, 4);
    grid->addWidget(chkBetween_, 1, 0);
    grid->addWidget(txtFrom_, 1, 1);
    auto *amp = new QLabel(QStringLiteral("&"), this);
    amp->setTextFormat(Qt::PlainText);
    grid->addWidget(amp, 1, 2);
    grid->addWidget(txtTo_, 1, 3);
    grid->addWidget(chkOnly_, 2, 0);
    grid->addWidget(txtOnly_, 2, 1);
    grid->addWidget(lblDefine_, 3, 0, 1, 4);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdApply_);
    buttons->addWidget(cmdCancel_);
    grid->addLayout(buttons, 4, 0, 1, 4);

    showForm(CustomRuleEditor::openForm(e.rule));
    connect(cmdApply_, &QPushButton::clicked, this, &FrmWhen::apply);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

WhenForm FrmWhen::form() const
{
    WhenForm f;
    f.only = chkOnly_->isChecked();
    f.onlyText = txtOnly_->text();
    f.between = chkBetween_->isChecked();
    f.fromText = txtFrom_->text();
    f.toText = txtTo_->text();
    return f;
}

void FrmWhen::showForm(const WhenForm &f)
{
    chkOnly_->setChecked(f.only);
    txtOnly_->setText(f.onlyText);
    chkBetween_->setChecked(f.between);
    txtFrom_->setText(f.fromText);
    txtTo_->setText(f.toText);
}

void FrmWhen::apply()
{
    WhenForm f = form();
    QString rule;
    const WhenField wrong = editor_.apply(f, rule);
    showForm(f);
    switch (wrong) {
    case WhenField::Only:
        txtOnly_->setFocus();
        return;
    case WhenField::From:
        txtFrom_->setFocus();
        return;
    case WhenField::To:
        txtTo_->setFocus();
        return;
    case WhenField::None:
        break;
    }
    if (row_ >= 0 && row_ < list_.count())
        list_.setRule(row_, rule);
    accept();
}

} // namespace dw
