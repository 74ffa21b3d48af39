#include "ui/HelpPanel.h"

#include "core/update/UpdateCheck.h"
#include "platform/InstallLayout.h"
#include "platform/ProductInfo.h"
#include "platform/qt/QtHttpFetcher.h"
#include "ui/MainWindow.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace dw {

namespace {

QLineEdit *addressBox(const QString &name, const QString &text, QWidget *parent)
{
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setReadOnly(true); // for copying, not editing
    return box;
}

// The short help of the panel; the full manual is the help file.
const char *const kHelpText = R"(<h3>Datewren at a glance</h3>
<p>Keep your birthdays and yearly events on the <b>List</b> panel, choose the look of the
wallpaper page on the <b>Format</b> panel, and press <b>Create HTML</b> to write the page.</p>
<h3>Shortcut Keys</h3>
<table cellspacing="4">
<tr><td><b>F1</b></td><td>Help: this panel and the manual</td></tr>
<tr><td><b>F2</b></td><td>List panel</td></tr>
<tr><td><b>F3</b></td><td>Format panel</td></tr>
<tr><td><b>F5</b></td><td>Create HTML</td></tr>
<tr><td><b>F6</b></td><td>Open HTML (the page written last)</td></tr>
<tr><td><b>F7</b></td><td>Sort menu</td></tr>
<tr><td><b>F9</b></td><td>Clear the list</td></tr>
<tr><td><b>F11</b></td><td>Save the list to a file</td></tr>
<tr><td><b>F12</b></td><td>Open a list file</td></tr>
<tr><td><b>Enter</b></td><td>Add the event, or modify the selected one</td></tr>
<tr><td><b>Esc</b></td><td>Cancel modifying</td></tr>
<tr><td><b>Delete</b></td><td>Remove the selected event</td></tr>
<tr><td><b>Menu key</b></td><td>Mark as important, customise, modify</td></tr>
</table>
<h3>Autocomplete</h3>
<p>Click the right end of the column header above the list to turn autocomplete on or off.
Type <b>@</b> and a two-letter shortcut in the address box to complete an address; the
shortcuts are set on the <b>AutoC</b> tab.</p>
<h3>Files</h3>
<p>Lists are saved as <b>.dwe</b> files, looks as <b>.dwt</b> settings files. Double-click a
.dwe file in your file manager to open it in Datewren.</p>)";

} // namespace

QString helpFilePath(const QString &programDir)
{
    const QString beside = programDir.endsWith(QLatin1Char('/')) ? programDir + kHelpFileName
                                                                 : programDir + QLatin1Char('/') + kHelpFileName;
    // A build keeps the manual beside the program, an install in the shared doc folder. When
    // neither has it, the path beside the program is what the shell is asked to open.
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = install::docDir(programDir) + QLatin1Char('/') + kHelpFileName;
    return QFileInfo::exists(installed) ? installed : beside;
}

HelpPanel::HelpPanel(MainWindow &window, std::unique_ptr<HttpFetcher> fetcher, QWidget *parent)
    : QWidget(parent), fetcher_(std::move(fetcher))
{
    setObjectName(QStringLiteral("HelpPanel"));
    const AppServices &services = window.services();
    check_ = std::make_unique<UpdateCheck>(*fetcher_, services.prompter, services.shell);

    auto *boxes = new QFormLayout;
    boxes->addRow(QStringLiteral("Email :"), addressBox(QStringLiteral("txtEmail"), product::kContactEmail, this));
    boxes->addRow(QStringLiteral("Website :"), addressBox(QStringLiteral("txtWebsite"), product::kWebsite, this));
    boxes->addRow(QStringLiteral("Home page :"), addressBox(QStringLiteral("txtHomePage"), product::kHomePage, this));

    auto *feedback = new QLabel(QStringLiteral("Your comments and suggestions are welcome: please write to the "
                                               "address above and tell us what you would like Datewren to do."),
                                this);
    feedback->setObjectName(QStringLiteral("lblFeedback"));
    feedback->setWordWrap(true);

    auto *version = new QLabel(QStringLiteral("Datewren ") + product::kVersion, this);
    version->setObjectName(QStringLiteral("lblVersion"));
    QFont big = version->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    version->setFont(big);

    cmdUpdate_ = new QPushButton(check_->caption(), this);
    cmdUpdate_->setObjectName(QStringLiteral("cmdUpdate"));
    cmdUpdate_->setToolTip(kUpdateToolTip);
    cmdUpdate_->setAutoDefault(false);
    // Wide enough for "Connecting..." so the button does not jump while it animates.
    cmdUpdate_->setMinimumWidth(cmdUpdate_->fontMetrics().horizontalAdvance(QStringLiteral("Check for Update")) + 32);
    connect(check_.get(), &UpdateCheck::captionChanged, cmdUpdate_, &QPushButton::setText);
    connect(check_.get(), &UpdateCheck::enabledChanged, cmdUpdate_, &QPushButton::setEnabled);
    connect(cmdUpdate_, &QPushButton::clicked, check_.get(), [this] { check_->run(); });

    // A text view scrolls its own document; a wrapped label inside a scroll area had its
    // height worked out against the wrong width, and the bar ran backwards.
    auto *scroll = new QTextBrowser(this);
    scroll->setObjectName(QStringLiteral("fraHelpText"));
    scroll->setOpenLinks(false);
    scroll->setHtml(QString::fromUtf8(kHelpText));
    scroll->document()->setDocumentMargin(8);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *top = new QHBoxLayout;
    top->addLayout(boxes, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(version);
    right->addWidget(cmdUpdate_);
    right->addStretch(1);
    top->addLayout(right);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(feedback);
    layout->addWidget(scroll, 1);
}

HelpPanel::~HelpPanel() = default;

void installHelp(MainWindow &window)
{
    QWidget *frame = window.helpPanel();
    auto *panel = new HelpPanel(window, std::make_unique<QtHttpFetcher>(), frame);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(panel);

    // Runs after the window has shown the panel: the help file opens last.
    QObject::connect(window.panelButton(MainWindow::HelpButton), &QPushButton::clicked, &window, [&window] {
        const AppServices &services = window.services();
        services.shell.open(helpFilePath(services.paths.programDir())); // failures are not reported
    });
}

} // namespace dw
