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

// Reads a whole regular file. Directories and unreadable paths fail with a reason.
ReadResult readFileBytes(const QString &path);

// Replaces the file at path atomically (temporary neighbour, then rename). On failure the old
// file is untouched and error holds the system's reason.
bool writeFileAtomic(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace dw
