#include "convert/ConverterWindow.h"

#include "convert/Converter.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dw::convert {

namespace {

QPushButton *makeButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

// Busy pointer for the length of one conversion, restored on every way out.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace

ConverterWindow::ConverterWindow(ConvPrompter &prompter, QWidget *parent)
    : QWidget(parent), prompter_(prompter)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kWindowTitle);

    txtSource_ = new QLineEdit(this);
    txtSource_->setObjectName(QStringLiteral("txtSource"));
    txtDest_ = new QLineEdit(this);
    txtDest_->setObjectName(QStringLiteral("txtDest"));
    auto *lblSource = new QLabel(QStringLiteral("Source :"), this);
    lblSource->setBuddy(txtSource_);
    auto *lblDest = new QLabel(QStringLiteral("Destination :"), this);
    lblDest->setBuddy(txtDest_);

    cmdBrowse_ = makeButton(QStringLiteral("&Browse"), "cmdBrowse", this);
    cmdConvert_ = makeButton(QStringLiteral("&Convert"), "cmdConvert", this);
    cmdHelp_ = makeButton(QStringLiteral("Help"), "cmdHelp", this);
    cmdExit_ = makeButton(QStringLiteral("&Exit"), "cmdExit", this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblSource, 0, 0);
    grid->addWidget(txtSource_, 0, 1);
    grid->addWidget(cmdBrowse_, 0, 2);
    grid->addWidget(lblDest, 1, 0);
    grid->addWidget(txtDest_, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdConvert_);
    buttons->addWidget(cmdHelp_);
    buttons->addWidget(cmdExit_);
    grid->addLayout(buttons, 2, 0, 1, 3);
    grid->setColumnMinimumWidth(1, 360);

    connect(cmdBrowse_, &QPushButton::clicked, this, &ConverterWindow::browse);
    connect(cmdConvert_, &QPushButton::clicked, this, &ConverterWindow::convert);
    connect(cmdHelp_, &QPushButton::clicked, this, &ConverterWindow::help);
    connect(cmdExit_, &QPushButton::clicked, this, &QWidget::close);
}

void ConverterWindow::browse()
{
    const QString path = prompter_.chooseSource();
    if (path.isEmpty())
        return;
    txtSource_->setText(path);
    txtDest_->setText(proposedDestination(path));
}

void ConverterWindow::convert()
{
    BusyPointer busy;
    const ConvertResult result = convertFile(txtSource_->text(), txtDest_->text(), prompter_);
    if (!result.destination.isEmpty())
        txtDest_->setText(result.destination);
}

void ConverterWindow::help()
{
    prompter_.ask(helpBox());
}

} // namespace dw::convert
