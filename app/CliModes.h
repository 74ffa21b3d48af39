#pragma once

#include <QStringList>
#include <functional>
#include <vector>

namespace dw {

// A way of running wrenpad without a window: `wrenpad --NAME ...`. Each mode gets the whole
// argument list (without the program name), prints its own result and returns the exit code.
struct CliMode {
    QString option;   // e.g. "--write-html"
    QString synopsis; // one line for --help, e.g. "--write-html PAGE.html [...] LIST.dwe"
    QString help;     // what it does, a few lines
    std::function<int(const QStringList &args)> run;
    // False for modes that need no fonts or windows: they start without the toolkit's display
    // part, which keeps them quick enough for a login shell or a panel.
    bool gui = true;
};

// Every mode, in the order --help lists them.
const std::vector<CliMode> &cliModes();

} // namespace dw
