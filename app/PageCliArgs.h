#pragma once

#include "core/events/EventRecord.h"
#include "core/events/ListFile.h"
#include "core/settings/SettingsModel.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

namespace dw {

// What the page-writing modes (--write-html, --write-preview) take from the command line.
struct PageCliArgs {
    QString output;
    QString settingsPath; // empty: the saved settings
    QString listPath;
    QDate today;          // invalid: the system clock
    std::optional<bool> compat; // unset: the saved preference decides
};

// Before the application exists: a mode without a window still needs fonts and measurements,
// so it runs offscreen, and its stderr is its own report (warnings, errors), without Qt's notes
// about the session (no runtime folder and the like).
void prepareWindowlessMode();

// Prints the message on stderr and returns the exit code.
int cliFail(const QString &message, int code = 1);

// Parses "MODE OUT [--settings LOOK.dwt] [--today YYYY-MM-DD] [LIST]", plus --browser-compat and
// --no-browser-compat when allowCompat. Returns the exit code of a bad command line.
std::optional<int> parsePageCliArgs(const QStringList &args, const QString &modeOption, bool allowCompat,
                                    PageCliArgs *out);

// Reads the list file; on failure prints why and returns the exit code.
std::optional<int> readCliList(const QString &path, ListReadResult *list, ListParts parts = ListParts::Events);

// The saved settings, or the settings file applied over the defaults; on failure prints why and
// returns the exit code.
std::optional<int> readCliSettings(const QString &settingsPath, SettingsModel *settings);

} // namespace dw
