#pragma once

#include <QString>

// Where an installed Datewren keeps its files, relative to the folder of its programs, so an
// install under any prefix (or below a staging folder) finds them without a configured path.
namespace dw::install {

// The desktop entry's name. The per-user registration of a build-folder program uses the same
// name, so a desktop that sees both lists one "Datewren", never two.
inline const QString kDesktopEntryName = QStringLiteral("example.datewren.wrenpad.desktop");

// prefix/share/doc/datewren for a program in prefix/bin.
QString docDir(const QString &programDir);

// True when the program runs from an installed tree: its desktop entry lies in
// prefix/share/applications beside the bin folder.
bool isInstalledProgram(const QString &programDir);

} // namespace dw::install
