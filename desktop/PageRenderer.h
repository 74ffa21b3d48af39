#pragma once

#include <QDate>
#include <QImage>
#include <QSize>
#include <QString>

namespace dw::desktop {

struct RenderRequest {
    QString pagePath;
    QSize size{1920, 1080}; // the picture, in device pixels
    qreal pixelRatio = 1.0; // above 1 the page is zoomed by it, as the desktop would show it
    QDate today;            // invalid: the real date
    bool monthPanelOpen = true;
    int taskbarHeight = 35; // what the page's own settings assume the screen loses at its foot
};

struct RenderResult {
    QImage image;
    QString error;
};

// Draws a written page as the desktop would show it at rest: the blocks placed for a screen of
// the picture's size and revealed, animations settled with every row fully visible, and this
// month's panel slid out when asked. Needs a QApplication; uses no display of its own.
RenderResult renderPage(const RenderRequest &request);

// The scripts put into the page before its own script runs (exposed for tests).
QString datePinScript(const QDate &today);
QString screenScript(QSize cssSize, int taskbarHeight);

} // namespace dw::desktop
