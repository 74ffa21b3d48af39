#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dw {

// Bytes to text: UTF-8 when the bytes are valid UTF-8 (a leading BOM is dropped), otherwise
// Windows-1252, the code page the earlier Windows program wrote.
QString decodeText(const QByteArray &bytes);

// Text to the bytes we write: UTF-8 without BOM.
QByteArray encodeText(const QString &text);

// Splits at CR LF, bare LF and bare CR. A line end after the last line does not make an extra
// empty line; an empty input has no lines.
QStringList splitLines(const QString &text);

// Joins with CR LF between lines and none after the last.
QString joinLines(const QStringList &lines);

struct ReadResult {
    bool ok = false;
    QString error; // the system's reason when !ok
    QByteArray bytes;
};

// Size limits that fit each format; nothing a user keeps comes near them.
inline constexpr qint64 kMaxListBytes = qint64(256) * 1024 * 1024;
inline constexpr qint64 kMaxSettingsBytes = qint64(16) * 1024 * 1024;

// Reads a whole regular file of at most maxBytes. Folders, pipes, devices and sockets are
// refused without being opened for long (a pipe without a writer never blocks), as is a file
// that is or grows larger than maxBytes; error then says why.
ReadResult readFileBytes(const QString &path, qint64 maxBytes = kMaxListBytes);

// True when bytes can be text of ours: no NUL byte, and either valid UTF-8 or single-byte text
// without control characters and with a minority of bytes above 0x7F.
bool looksLikeText(QByteArrayView bytes);

// Replaces the file at path (through symbolic links, the file they point to) atomically: the
// bytes go to a temporary neighbour, every write, the flush and the sync are checked, and only
// then is it renamed over the old file, which keeps its mode and owner. Refused without
// touching anything: a destination that is not a regular file (folder, pipe, device, socket)
// and a read-only one (no write permission for its owner, even for the superuser). On failure
// the temporary is removed, the old file is untouched and error holds the system's reason.
bool writeFileAtomic(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace dw
