#pragma once

#include "app/CliModes.h"
#include "desktop/DueReport.h"

#include <QStringList>
#include <optional>

namespace dw {

// What --due and --notify take from the command line.
struct DueArgs {
    DueRequest request;
    bool json = false;
};

// Parses "MODE [--days N] [--today YYYY-MM-DD] [--json] [LIST]" (--json only when allowJson).
// Returns the exit code of a bad command line.
std::optional<int> parseDueArgs(const QStringList &args, const QString &modeOption, bool allowJson, DueArgs *out);

// The report for the command line, from the saved store; on failure prints why and returns
// the exit code. Events left out for a bad date are named on stderr.
std::optional<int> dueReport(const DueArgs &args, DueReport *out);

// wrenpad --due ...; returns the exit code.
int dueCli(const QStringList &args);
CliMode dueMode();

} // namespace dw
