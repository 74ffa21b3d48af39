#include "core/events/ListCommands.h"

#include "core/events/ListFile.h"
#include "core/io/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace dw {

namespace {
const QString kAddQuestion = QStringLiteral(
    "Do you want to add the file(s) to the current list?\r\n"
    "(Press 'No' to clear the current list and load the file.)");
const QString kConvertFirst = QStringLiteral("Convert file using DWE Converter before opening.");

// A read-only file, as the user sees it: no write permission for its owner (what the file
// manager shows as read-only, and what even root should not silently replace), or none for us.
// Returns the system's error number, 0 when the file may be replaced.
int readOnlyError(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return 0;
    const QByteArray native = QFile::encodeName(path);
    if (::access(native.constData(), W_OK) != 0)
        return errno;
    if (!(info.permissions() & QFileDevice::WriteOwner))
        return EACCES;
    return 0;
}
} // namespace

ListCommands::ListCommands(EventList &list, Prompter &prompter, BusyIndicator &busy)
    : list_(list), prompter_(prompter), busy_(busy)
{
}

void ListCommands::setAddressBox(std::function<QString()> text,
                                 std::function<void(const QString &)> setText)
{
    addressText_ = std::move(text);
    setAddressText_ = std::move(setText);
}

LoadResult ListCommands::openCommand()
{
    const QString path = prompter_.chooseFile(FileKind::Open);
    if (path.isEmpty())
        return LoadResult::NoPath;
    return loadListFile(path, true);
}

LoadResult ListCommands::loadListFile(const QString &path, bool ask)
{
    if (path.isEmpty()) {
        finishLoad();
        return LoadResult::NoPath;
    }
    pendingPath_ = path;

    bool replace = false;
    if (ask && !list_.isEmpty()) {
        const Button b = prompter_.ask(
            {kAddQuestion, QStringLiteral("Add"), Icon::Question, Buttons::YesNoCancel, Button::Yes});
        if (b == Button::Cancel) {
            finishLoad();
            return LoadResult::Cancelled;
        }
        replace = b == Button::No;
    }

    busy_.show(populatingCaption(path));

    std::vector<EventRecord> events;
    const QFileInfo info(path);
    if (info.exists()) {
        // Reading a pipe or a device named like a list would block or never end.
        if (!info.isFile()) {
            finishLoad();
            return LoadResult::Failed;
        }
        ListReadResult read = readListFile(path);
        if (read.status == ListReadStatus::OldFormat) {
            prompter_.inform(kConvertFirst);
            finishLoad();
            return LoadResult::Refused;
        }
        if (read.status != ListReadStatus::Ok) {
            finishLoad();
            return LoadResult::Failed;
        }
        events = std::move(read.events);
    } else {
        // A missing file is created empty, so the name the user gave now exists.
        QFile created(path);
        if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            finishLoad();
            return LoadResult::Failed;
        }
    }

    // Only now that the file has been read is it safe to drop what the user had.
    if (replace)
        list_.clear();

    QStringList choices = list_.addressChoices();
    for (const EventRecord &r : events) {
        if (r.address != kNoAddress)
            choices.append(r.address);
    }
    list_.appendRows(std::move(events));
    list_.setAddressChoices(choices);
    const QString box = addressText_ ? addressText_() : QString(kNoAddress);
    const QString shown = list_.removeDuplicateAddressChoices(box);
    if (setAddressText_ && shown != box)
        setAddressText_(shown);

    prompter_.places.useList(path);
    finishLoad();
    if (used_)
        used_(QFileInfo(path).absoluteFilePath());
    return LoadResult::Loaded;
}

void ListCommands::finishLoad()
{
    busy_.hide();
}

void ListCommands::dropFiles(const QStringList &paths)
{
    bool first = true;
    for (const QString &path : paths) {
        // Case-sensitive on purpose: only files the program itself named are taken from a drop.
        if (!path.endsWith(QLatin1String("dwe")))
            continue;
        const bool ask = first && !list_.isEmpty();
        first = false;
        if (loadListFile(path, ask) == LoadResult::Cancelled)
            return;
    }
}

bool ListCommands::handOverCommandLine(const QString &argumentText)
{
    const QString path = listPathFromCommandLine(argumentText);
    if (path.isEmpty())
        return false;
    loadListFile(path, false);
    return true;
}

SaveResult ListCommands::saveListFile()
{
    if (list_.isEmpty()) {
        prompter_.ask({QStringLiteral("Nothing to save!"), QStringLiteral("Empty"), Icon::Exclamation,
                       Buttons::Ok, Button::Ok});
        return SaveResult::Empty;
    }
    QString path;
    for (;;) {
        path = prompter_.chooseFile(FileKind::Save);
        pendingPath_ = path;
        if (path.isEmpty())
            return SaveResult::Cancelled;
        if (!QFileInfo::exists(path))
            break;
        const QString question = QStringLiteral("File \"") + path
                                 + QStringLiteral("\" already exists.\r\nDo you want to replace it?");
        if (prompter_.ask({question, QStringLiteral("Save As"), Icon::Exclamation, Buttons::YesNo,
                           Button::No})
            == Button::Yes)
            break;
    }

    if (const int err = readOnlyError(path)) {
        prompter_.ask({QStringLiteral("Cannot replace that file! It's Read-Only."),
                       QStringLiteral("Error"), Icon::Exclamation, Buttons::Ok, Button::Ok});
        prompter_.ask({QStringLiteral("Error ") + QString::number(err) + QStringLiteral(": ")
                           + QString::fromLocal8Bit(std::strerror(err)),
                       kAppTitle, Icon::None, Buttons::Ok, Button::Ok});
        return SaveResult::Failed;
    }
    QString reason;
    if (!writeFileAtomic(path, listFileBytes(list_.rows()), &reason)) {
        prompter_.ask({QStringLiteral("Cannot save the list in \"") + path + QStringLiteral("\".\r\n")
                           + reason,
                       QStringLiteral("Error"), Icon::Exclamation, Buttons::Ok, Button::Ok});
        return SaveResult::Failed;
    }
    prompter_.places.useList(path);
    if (used_)
        used_(QFileInfo(path).absoluteFilePath());
    return SaveResult::Saved;
}

bool ListCommands::offerToSaveAtExit()
{
    if (list_.editing())
        return false;
    if (list_.isEmpty())
        return true;
    const Button b = prompter_.ask({QStringLiteral("Do you want to save the list in a file?"),
                                    QStringLiteral("Datewren List File"), Icon::Exclamation,
                                    Buttons::YesNoCancel, Button::Yes});
    if (b == Button::No)
        return true;
    if (b == Button::Cancel)
        return false;
    // A failed write keeps the window open too: closing would lose the list.
    return saveListFile() == SaveResult::Saved;
}

QString listPathFromCommandLine(const QString &argumentText)
{
    QString text = argumentText;
    if (text.isEmpty())
        return {};
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2);
    if (text.size() < 3 || text.right(3).toLower() != QLatin1String("dwe"))
        return {};
    return text;
}

QString populatingCaption(const QString &path)
{
    // The name is what follows the last folder separator.
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return QStringLiteral("Populating List...\r\n(") + name + QLatin1Char(')');
}

} // namespace dw
