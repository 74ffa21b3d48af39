#pragma once

#include <QByteArray>
#include <QString>

namespace dw::convert {

// Larger sources are refused rather than read into memory: no list file comes near this.
inline constexpr qint64 kMaxSourceBytes = qint64(256) * 1024 * 1024;

// Reads a whole regular file of at most kMaxSourceBytes; a pipe, a device or a folder is
// refused without blocking. False with the reason otherwise.
bool readSourceFile(const QString &path, QByteArray *bytes, QString *reason);

// Writes beside the destination (through symbolic links, the file they point to), checks every
// write and the sync, then renames over it, keeping its mode and owner. A destination that is
// not a regular file or is read-only (even for the superuser) is refused. On failure nothing
// is left behind, an old file is untouched and reason holds the system's reason.
bool writeDestinationFile(const QString &path, const QByteArray &bytes, QString *reason);

} // namespace dw::convert
