#pragma once

#include "core/events/EventList.h"
#include "platform/BusyIndicator.h"
#include "platform/Prompter.h"

#include <functional>

namespace dw {

enum class LoadResult {
    Loaded,    // the file was read (a missing file is created empty and counts as read)
    NoPath,    // nothing to load
    Cancelled, // the add-or-replace question was cancelled
    Refused,   // a previous-format file
    Failed,    // the file could not be opened; nothing changed
};

enum class SaveResult {
    Saved,
    Empty,     // "Nothing to save!"
    Cancelled, // the save dialog was closed without a file
    Failed,    // the file could not be written; the old one is untouched
};

// The commands that move the whole list between memory and list files: open, save, drops,
// the command-line hand-over and the offer to save at exit. They ask the user only through
// the prompter, so every box can be scripted and checked.
class ListCommands {
public:
    ListCommands(EventList &list, Prompter &prompter, BusyIndicator &busy);

    // Read and write the address box, so a load can set an empty box to "-". Without them the
    // loader only cleans the address choices.
    void setAddressBox(std::function<QString()> text, std::function<void(const QString &)> setText);

    // Told the absolute path of every list file read or written, so the window-less modes can
    // find the list the user works with.
    void setListFileUsed(std::function<void(const QString &)> used) { used_ = std::move(used); }

    // The Open button: choose a file and load it, asking whether to add or replace.
    LoadResult openCommand();
    // ask: the add-or-replace question may be asked (only when the list is not empty).
    LoadResult loadListFile(const QString &path, bool ask);
    // Files dropped on the event columns, in drop order.
    void dropFiles(const QStringList &paths);
    // The start-up argument text; returns whether it named a list file.
    bool handOverCommandLine(const QString &argumentText);

    // The Save button.
    SaveResult saveListFile();
    // true: the window may close.
    bool offerToSaveAtExit();

    // The path last handed to the loader or chosen for saving; "" after a cancelled save dialog.
    QString pendingListPath() const { return pendingPath_; }

private:
    void finishLoad();

    EventList &list_;
    Prompter &prompter_;
    BusyIndicator &busy_;
    std::function<QString()> addressText_;
    std::function<void(const QString &)> setAddressText_;
    QString pendingPath_;
    std::function<void(const QString &)> used_;
};

// The list path named by the argument text, or "" when it names none: one pair of enclosing
// double quotes is removed, and the last three characters must be "dwe" in any letter case.
QString listPathFromCommandLine(const QString &argumentText);

// The wait notice while a file loads: "Populating List...", CR LF, "(file name)".
QString populatingCaption(const QString &path);

} // namespace dw
