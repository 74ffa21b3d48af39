#include "ui/InteropCommands.h"

#include "core/io/TextFile.h"
#include "ui/ListPanel.h"
#include "ui/MainWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dw {

namespace {
const QString kImportTitle = QStringLiteral("Import Contacts and Calendars");
const QString kExportTitle = QStringLiteral("Export Calendar");
constexpr int kShownSkipped = 40;
} // namespace

Message addOrReplaceQuestion()
{
    return {QStringLiteral("Do you want to add the file(s) to the current list?\r\n"
                           "(Press 'No' to clear the current list and load the file.)"),
            QStringLiteral("Add"), Icon::Question, Buttons::YesNoCancel, Button::Yes};
}

Message importReportMessage(const ImportSummary &summary)
{
    QString text = importReport(summary).join(QStringLiteral("\r\n"));
    if (summary.skipped.empty())
        return {text, kImportTitle, Icon::Information, Buttons::Ok, Button::Ok};
    text += QStringLiteral("\r\n\r\nShow the %1?")
                .arg(countOf(int(summary.skipped.size()), "skipped entry", "skipped entries"));
    return {text, kImportTitle, Icon::Information, Buttons::YesNo, Button::No};
}

Message importFailedMessage(const QString &error)
{
    return {QStringLiteral("Nothing was imported.\r\n") + error, kImportTitle, Icon::Exclamation, Buttons::Ok,
            Button::Ok};
}

InteropCommands::InteropCommands(EventList &list, Prompter &prompter, AskImportOptions askImport,
                                 AskExport askExport, QObject *parent)
    : QObject(parent), list_(list), prompter_(prompter), askImport_(std::move(askImport)),
      askExport_(std::move(askExport))
{
}

QStringList InteropCommands::importablePaths(const QStringList &paths)
{
    QStringList out;
    for (const QString &p : paths) {
        const QString suffix = QFileInfo(p).suffix().toLower();
        if (suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard") || suffix == QLatin1String("ics"))
            out << p;
    }
    return out;
}

void InteropCommands::importFiles(const QStringList &paths)
{
    if (paths.isEmpty() || list_.editing())
        return;
    ImportOptions options;
    if (askImport_ && !askImport_(options))
        return;
    // Read before asking: a refused file must not cost the user the list they have.
    ImportSummary summary = dw::importFiles(paths, {}, options);
    if (!summary.error.isEmpty()) {
        prompter_.ask(importFailedMessage(summary.error));
        return;
    }
    bool replace = false;
    if (!list_.isEmpty()) {
        const Button b = prompter_.ask(addOrReplaceQuestion());
        if (b == Button::Cancel)
            return;
        replace = b == Button::No;
    }
    if (!replace) {
        summary = dw::importFiles(paths, list_.rows(), options);
        if (!summary.error.isEmpty()) { // the file changed in between
            prompter_.ask(importFailedMessage(summary.error));
            return;
        }
    } else {
        list_.clear();
    }
    list_.appendRows(summary.added);
    for (const EventRecord &e : summary.added)
        if (e.address != kNoAddress)
            list_.addAddressChoice(e.address);
    if (prompter_.ask(importReportMessage(summary)) == Button::Yes) {
        QStringList lines = skippedLines(summary.skipped);
        const qsizetype more = lines.size() - kShownSkipped;
        if (more > 0) {
            lines = lines.mid(0, kShownSkipped);
            lines << QStringLiteral("... and %1 more").arg(more);
        }
        prompter_.inform(lines.join(QStringLiteral("\r\n")), kImportTitle);
    }
}

void InteropCommands::importCommand()
{
    importFiles(prompter_.chooseFiles(FileKind::Contacts));
}

void InteropCommands::exportCalendar()
{
    if (list_.isEmpty()) {
        prompter_.ask({QStringLiteral("Nothing to save!"), QStringLiteral("Empty"), Icon::Exclamation});
        return;
    }
    ExportOptions options;
    if (!askExport_ || !askExport_(options))
        return;
    const QString path = prompter_.chooseFile(FileKind::Calendar);
    if (path.isEmpty())
        return;
    const ExportResult out = exportICalendar(list_.rows(), options);
    QString error;
    if (!writeFileAtomic(path, out.bytes, &error)) {
        prompter_.ask({QStringLiteral("The calendar could not be written.\r\n") + path + QStringLiteral(": ") + error,
                       kExportTitle, Icon::Exclamation});
        return;
    }
    QString text = QStringLiteral("Exported %1 to %2").arg(countOf(out.written, "event", "events"), path);
    if (!out.skipped.empty())
        text += QStringLiteral("\r\n\r\nLeft out:\r\n") + skippedLines(out.skipped).mid(0, kShownSkipped).join(QStringLiteral("\r\n"));
    prompter_.inform(text, kExportTitle);
}

namespace {

// Ends the dialog's layout with OK and Cancel and runs it; true when the user pressed OK.
bool runOkCancel(QDialog &dialog, QVBoxLayout *layout)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted;
}

bool importDialog(QWidget *parent, ImportOptions &options)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(kImportTitle);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Name the imported events:"), &dialog));
    auto *plain = new QRadioButton(QStringLiteral("By the name only (Grace Hopper)"), &dialog);
    auto *withKind = new QRadioButton(QStringLiteral("With Birthday or Anniversary (Grace Hopper's birthday)"), &dialog);
    plain->setChecked(true);
    layout->addWidget(plain);
    layout->addWidget(withKind);
    layout->addWidget(new QLabel(QStringLiteral("Dates without a year are given the year 1604."), &dialog));
    if (!runOkCancel(dialog, layout))
        return false;
    options.names = withKind->isChecked() ? NameStyle::WithKind : NameStyle::Plain;
    return true;
}

bool exportDialog(QWidget *parent, const EventList &list, int days, ExportOptions &options)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(kExportTitle);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("File these events under the category Birthday:"), &dialog));
    auto *all = new QCheckBox(QStringLiteral("All events"), &dialog);
    auto *events = new QListWidget(&dialog);
    for (const EventRecord &e : list.rows()) {
        auto *item = new QListWidgetItem(e.name + QStringLiteral("  ") + e.date, events);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(e.name.contains(QLatin1String("birthday"), Qt::CaseInsensitive) ? Qt::Checked : Qt::Unchecked);
    }
    QObject::connect(all, &QCheckBox::toggled, events, &QWidget::setDisabled);
    layout->addWidget(all);
    layout->addWidget(events);
    auto *daysBox = new QSpinBox(&dialog);
    daysBox->setRange(0, 366);
    daysBox->setValue(days);
    daysBox->setPrefix(QStringLiteral("Remind "));
    daysBox->setSuffix(QStringLiteral(" days before"));
    layout->addWidget(daysBox);
    if (!runOkCancel(dialog, layout))
        return false;
    options.allBirthdays = all->isChecked();
    options.reminderDays = daysBox->value();
    options.birthdays.clear();
    for (int i = 0; i < events->count(); ++i)
        options.birthdays.push_back(events->item(i)->checkState() == Qt::Checked);
    return true;
}

// Files dropped anywhere on the window.
class DropFilter final : public QObject {
public:
    DropFilter(InteropCommands &commands, QObject *parent) : QObject(parent), commands_(commands) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *e = static_cast<QDropEvent *>(event);
            if (!InteropCommands::importablePaths(paths(e->mimeData())).isEmpty()) {
                e->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto *e = static_cast<QDropEvent *>(event);
            const QStringList files = InteropCommands::importablePaths(paths(e->mimeData()));
            if (!files.isEmpty()) {
                e->acceptProposedAction();
                commands_.importFiles(files);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static QStringList paths(const QMimeData *mime)
    {
        QStringList out;
        if (mime)
            for (const QUrl &url : mime->urls())
                if (url.isLocalFile())
                    out << url.toLocalFile();
        return out;
    }
    InteropCommands &commands_;
};

} // namespace

void installInterop(MainWindow &window)
{
    QWidget *host = &window;
    auto *commands = new InteropCommands(
        window.events(), window.services().prompter,
        [host](ImportOptions &o) { return importDialog(host, o); },
        [host, &window](ExportOptions &o) {
            bool ok = false;
            const int days = window.settings().remindBefore.toInt(&ok);
            return exportDialog(host, window.events(), ok ? days : 5, o);
        },
        &window);

    auto *importItem = new QAction(QStringLiteral("Import Contacts and Calendars..."), &window);
    QObject::connect(importItem, &QAction::triggered, commands, &InteropCommands::importCommand);
    auto *exportItem = new QAction(QStringLiteral("Export Calendar..."), &window);
    QObject::connect(exportItem, &QAction::triggered, commands, &InteropCommands::exportCalendar);
    QWidget *panel = window.listPanel();
    panel->addAction(importItem);
    panel->addAction(exportItem);
    panel->setContextMenuPolicy(Qt::ActionsContextMenu);

    window.setAcceptDrops(true);
    auto *filter = new DropFilter(*commands, commands);
    window.installEventFilter(filter);
    // The columns take drops themselves; list files go to the list loader, these come here.
    QObject::connect(window.listPanel(), &ListPanel::filesDropped, commands, [commands](const QStringList &paths) {
        const QStringList files = InteropCommands::importablePaths(paths);
        if (!files.isEmpty())
            commands->importFiles(files);
    });
}

} // namespace dw
