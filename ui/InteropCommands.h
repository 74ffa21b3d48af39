#pragma once

#include "core/events/EventList.h"
#include "interop/ICalendar.h"
#include "interop/ImportMerge.h"
#include "platform/Prompter.h"

#include <QObject>
#include <functional>

class QWidget;

namespace dw {

class MainWindow;

// The doors in and out of the list: importing address books and calendars (menu and drop) and
// exporting the list as a calendar. The choices of the dialogs come in through two functions so
// that tests can answer them; every message goes through the prompter.
class InteropCommands final : public QObject {
    Q_OBJECT
public:
    // Returns false when the user cancels the import dialog.
    using AskImportOptions = std::function<bool(ImportOptions &)>;
    // Returns false when cancelled; fills the options. The file is chosen through the prompter.
    using AskExport = std::function<bool(ExportOptions &)>;

    InteropCommands(EventList &list, Prompter &prompter, AskImportOptions askImport, AskExport askExport,
                    QObject *parent = nullptr);

    // Reads the files, asks add-or-replace when the list is not empty, adds what is new and
    // reports. A file that cannot be read changes nothing, so the list is never cleared for it.
    void importFiles(const QStringList &paths);
    // The menu entry: the files are chosen through the prompter first.
    void importCommand();
    void exportCalendar();

    // The paths of a drop that this command takes: .vcf, .vcard and .ics, in any letter case.
    static QStringList importablePaths(const QStringList &paths);

private:
    EventList &list_;
    Prompter &prompter_;
    AskImportOptions askImport_;
    AskExport askExport_;
};

// The import question, report and error boxes, built here so tests compare them exactly.
Message addOrReplaceQuestion();
Message importReportMessage(const ImportSummary &summary);
Message importFailedMessage(const QString &error);

} // namespace dw
