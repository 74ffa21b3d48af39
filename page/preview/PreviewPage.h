#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace dw {

class EventList;
class FontCatalog;
struct SettingsModel;

// The small sample page the Preview tab shows: today's date and fixed sample lines drawn with
// the current look, so the user sees fonts, colours and effects without writing the real page.
struct PreviewRequest {
    const SettingsModel &settings;
    bool importantExists = false; // at least one event carries the important mark
    QDate today;
    QLocale locale; // weekday and month names of the long Main Date styles
    const FontCatalog &fonts;
};

// An empty Name-Date or Scroller font takes the first installed family; the Format tab shows
// the change, as it does after any other font choice.
void fillEmptyPreviewFonts(SettingsModel &settings, const QStringList &fontList);

bool anyImportant(const EventList &events);

// Today in the Main Date style at `styleIndex` (0..9) with the chosen separator.
QString previewMainDateText(int styleIndex, const QString &separator, const QDate &today,
                            const QLocale &locale);
// Today in the Name-Date style at `styleIndex` (0..5); the year is today's.
QString previewNameDateText(int styleIndex, const QString &separator, const QDate &today);

// "Main Date,  Name-Date,  Scroller,  Important", listing only the parts shown.
QString previewCaption(const SettingsModel &settings, bool importantExists);

// The whole page text, CR LF line ends.
QString previewPageText(const PreviewRequest &request);

// Where "pretemp.html" goes: the program folder when it is writable, otherwise the per-user
// cache folder (an installed program usually lives in a folder the user cannot write).
QString previewFilePath(const QString &programDir, const QString &cacheDir);

// Writes the text; false (with the reason) when the file cannot be written. The caller shows
// no message: a preview that cannot be written simply is not refreshed.
bool writePreviewFile(const QString &path, const QString &text, QString *error = nullptr);

// Removes the preview from both places it may have been written to.
void removePreviewFiles(const QString &programDir, const QString &cacheDir);

inline const QString kPreviewFileName = QStringLiteral("pretemp.html");

} // namespace dw
