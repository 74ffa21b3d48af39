#pragma once

#include "convert/ConvPrompter.h"
#include "convert/ListConversion.h"
#include "core/io/TextFile.h"

#include <QString>

namespace dw::convert {

// A source is a list file and is read within a list's limit.
inline constexpr qint64 kMaxSourceBytes = kMaxListBytes;

inline const QString kWindowTitle = QStringLiteral("DWE Converter - From 7.0.2 to 7.0.3");
inline const QString kBrowseTitle = QStringLiteral("Select a file to convert");
inline const QString kBrowseFilter = QStringLiteral("Datewren List File (*.dwe)");

Box alreadyConvertedBox();
Box overwriteBox();
Box successBox();
Box helpBox();
Box readFailedBox(const QString &path, const QString &reason);
Box writeFailedBox(const QString &path, const QString &reason);
// For a source that is no list of any format (empty, binary, UTF-16); Text has none.
Box notAListBox(SourceKind kind);

// The destination proposed for a source: its path without the last four characters (its
// ".dwe"), followed by "_con.dwe".
QString proposedDestination(const QString &source);

// The destination as it is written: ".dwe" appended unless it already ends so, in any case.
QString completedDestination(const QString &destination);

enum class Outcome {
    NoSource,         // nothing at the source path, or not a regular file: nothing said
    ReadFailed,       // the source exists but could not be read: reported
    NotAList,         // empty, binary or UTF-16: reported, apart from already converted
    AlreadyConverted, // reported
    Declined,         // the overwrite question was answered No
    WriteFailed,      // reported with the system's reason; an existing destination is intact
    Converted,        // reported
};

struct ConvertResult {
    Outcome outcome = Outcome::NoSource;
    QString destination; // the completed destination, once the conversion got that far
    qsizetype events = 0;
};

// The Convert command: reads the old list at source, and writes the current list to the
// destination (completed as above; "" means the proposed one), asking before it replaces a file.
ConvertResult convertFile(const QString &source, const QString &destination, ConvPrompter &prompter);

} // namespace dw::convert
