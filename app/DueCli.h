#pragma once

#include "app/CliModes.h"
#include "core/events/DueRules.h"
#include "core/settings/SettingsModel.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

namespace dw {

// What --due and --notify take from the command line.
struct DueArgs {
    std::optional<int> days; // unset: the saved RemindBefore
    QDate today;             // invalid: the system clock
    bool json = false;
    QString listPath;        // empty: the list last opened or saved in the window
};

// Parses "MODE [--days N] [--today YYYY-MM-DD] [--json] [LIST]" (--json only when allowJson).
// Returns the exit code of a bad command line.
std::optional<int> parseDueArgs(const QStringList &args, const QString &modeOption, bool allowJson, DueArgs *out);

// The list as the page is written from it, and what is due.
struct DueReport {
    std::vector<EventRecord> rows;
    std::vector<DueEvent> due;
    SettingsModel settings;
    QDate today;
};

// Reads the list and the saved look and works out what is due; on failure prints why and
// returns the exit code.
std::optional<int> dueReport(const DueArgs &args, DueReport *out);

// One line of --due: "* 12/03/1986  Grace Hopper - today, 40 years" ("*" for important events,
// two blanks otherwise). Control characters in the name become blanks.
QString dueLine(const DueReport &report, const DueEvent &due);

// wrenpad --due ...; returns the exit code.
int dueCli(const QStringList &args);
CliMode dueMode();

} // namespace dw
