#pragma once

#include <QStringList>
#include <QTextStream>

namespace dw::convert {

// The window-less mode: `wrenfix [--force] OLD.dwe [NEW.dwe]` and `--help`, `--version`.
// args excludes the program name. Returns the exit status: 0 only when a list was written
// (or help was asked for), 1 when nothing was written, 2 for a wrong command line.
int runCommandLine(const QStringList &args, QTextStream &out, QTextStream &err);

// The text printed when no display can be reached, with the ways out.
QString noDisplayText();

} // namespace dw::convert
