#pragma once

#include "core/events/EventRecord.h"
#include "core/settings/SettingsModel.h"
#include "page/PageOptions.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace dw {

class FontCatalog;

// Everything the page writer reads, gathered by the caller at the moment of writing.
struct PageInput {
    const std::vector<EventRecord> &rows; // dates already rewritten to "dd/MM/yyyy"
    const SettingsModel &settings;
    const FontCatalog &fonts;
    QDateTime now;
    PageOptions options;
};

// Values several page sections share, computed once per page.
struct PageContext {
    explicit PageContext(const PageInput &input) : in(input), s(input.settings) {}

    const PageInput &in;
    const SettingsModel &s;

    bool showMainDate = false;
    bool showNameDate = false;
    bool showScroller = false;
    bool showBackground = false;

    int mainDateTop = 0, mainDateLeft = 0;
    int nameDateTop = 0, nameDateLeft = 0;
    int scrollerTop = 0;

    QString mainDateStyleDecl, nameDateStyleDecl, scrollerStyleDecl;

    bool animate = false;    // animation on and a known kind chosen
    QString animationKind;   // "Fade", "Blink", "ColourBlink" or "Glow"; empty when none
    QString interval;        // setInterval period of that kind
    bool wrapImportant = true; // important rows carry the important colour themselves

    int remindDays = 5;
    int currentYear = 2000;
    int mainDateStyle = 0; // position in the Main Date style list
    int nameDateStyle = 0; // position in the Name-Date style list
    QString mainDateSep;   // separator text as put into a single-quoted script string
    QString nameDateSep;   // separator text as put into a double-quoted script string

    QString effectX = QStringLiteral("0"), effectY = QStringLiteral("0"), effectZ = QStringLiteral("20");
    int effect = 0; // position in the effect list

    // Builds the context; on a setting that cannot be used, returns nothing and sets *error.
    static std::optional<PageContext> build(const PageInput &in, QString *error);
};

// Font style declaration of a block ("Bold" -> "font-weight: bold;" ...), empty for "Regular".
QString fontStyleDeclaration(const QString &style);

// Percentage of the layout frame: single precision, halves to the even neighbour.
int topPercent(double markerTop);
int leftPercent(double markerLeft);

// Separator as put into the page: "-" spaced, "," followed by a space, others unchanged.
QString separatorText(const QString &sep);

// The Name-Date text of one stored date at the given style position (0-5).
QString nameDateText(const QString &date, int style, const QString &sep);

// The Name-Date text of one stored date as the page shows it, in the look's style and separator.
QString shownNameDateText(const QString &date, const SettingsModel &s);

// Whether `date` is exactly "dd/MM/yyyy" in digits.
bool isStoredDateForm(const QString &date);

} // namespace dw
