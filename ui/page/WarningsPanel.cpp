#include "ui/page/WarningsPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dw {

WarningsPanel::WarningsPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fraWarning"));
    title_ = new QLabel(QStringLiteral("Warnings..."), this);
    txtWarning_ = new QPlainTextEdit(this);
    txtWarning_->setObjectName(QStringLiteral("txtWarning"));
    txtWarning_->setReadOnly(true);
    cmdIgnore_ = new QPushButton(QStringLiteral("Ignore"), this);
    cmdIgnore_->setObjectName(QStringLiteral("cmdIgnore"));
    cmdExit_ = new QPushButton(QStringLiteral("Cancel Output"), this);
    cmdExit_->setObjectName(QStringLiteral("cmdExit"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdIgnore_);
    buttons->addWidget(cmdExit_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(txtWarning_, 1);
    layout->addLayout(buttons);
}

} // namespace dw
