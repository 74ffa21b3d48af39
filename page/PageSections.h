#pragma once

#include "page/PageContext.h"

#include <QString>

namespace dw {

// The page being built: every line ends with CR LF.
struct PageText {
    QString text;
    void line(QStringView l)
    {
        text += l;
        text += u"\r\n";
    }
    void line(const QString &l) { line(QStringView(l)); }
    void line(const char16_t *l) { line(QStringView(l)); }
    void blank() { text += u"\r\n"; }
};

// One function per page section, in page order. Each appends its lines to the page.
void writeHead(PageText &page, const PageContext &c);          // head, style sheet
void writeRollover(PageText &page, const PageContext &c);      // changeColor, inside the head
void writeBodyAndGlobals(PageText &page, const PageContext &c); // end of head, body tag, globals
void writeAddressArray(PageText &page, const PageContext &c);
void writeEventArray(PageText &page, const PageContext &c);    // with the link wrapping
void writeAnimation(PageText &page, const PageContext &c);     // food, when animating
void writePrintDate(PageText &page, const PageContext &c);
void writePrintOcc(PageText &page, const PageContext &c);
void writePlacement(PageText &page, const PageContext &c);     // State/getWidth
void writeScroller(PageText &page, const PageContext &c);      // ends the main script
void writeMainDateScript(PageText &page, const PageContext &c);
void writeCallScript(PageText &page, const PageContext &c);

// The Main Date's filter line, or empty when it has none.
QString effectFilterLine(const PageContext &c);

} // namespace dw
