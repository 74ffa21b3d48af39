#pragma once

#include <QString>

namespace dw {

struct Notification {
    QString appName;
    QString summary; // plain text
    QString body;    // plain text; escaped here for servers that read markup
    bool critical = false;
    int expireMs = -1; // -1: the server's default
};

struct NotifyResult {
    bool sent = false;
    QString via;   // "D-Bus" or the notify-send path
    QString error; // why nothing was shown
};

// Shows the notification through the session bus's notification server, or, when the bus has
// none, through notify-send found on PATH. Nothing is retried.
NotifyResult sendDesktopNotification(const Notification &n);

// `text` with "&", "<" and ">" written as entities, for a server that reads body markup.
QString notificationMarkupEscaped(const QString &text);

} // namespace dw
