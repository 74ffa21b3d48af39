#pragma once

#include "platform/Prompter.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace dw {

class HttpFetcher;
class Shell;

enum class UpdateOutcome { Error, Latest, Older, Bogus };

// The version the update file publishes: its first five characters (fewer when shorter).
// A reply that is not text (NUL bytes, control characters in the version) publishes nothing.
QString publishedVersion(const QByteArray &reply);

// Text comparison, character by character, as the published file has always been read:
// "10.0." sorts before "7.0.3".
UpdateOutcome compareVersions(const QString &published, const QString &own);

Message updateMessage(UpdateOutcome outcome);

// One step of the waiting caption: "Connecting   " -> "Connecting.  " -> "Connecting.. " ->
// "Connecting..." -> "Connecting   ". Any other caption stays.
QString nextConnectingCaption(const QString &caption);

inline const QString kUpdateIdleCaption = QStringLiteral("Check for Update");
inline const QString kUpdateToolTip = QStringLiteral("It downloads information from a small text file (351 bytes).");

// "Check for Update": the command behind the Help panel's button. The button shows caption()
// and enabled() and follows the signals.
class UpdateCheck : public QObject {
    Q_OBJECT
public:
    UpdateCheck(HttpFetcher &fetcher, Prompter &prompter, Shell &shell, QObject *parent = nullptr);

    // Tests shorten the animation and point the check at a local server.
    void setAnimationInterval(int ms) { timer_.setInterval(ms); }
    void setAddresses(const QString &updateFileUrl, const QString &downloadPageUrl);

    QString caption() const { return caption_; }
    bool enabled() const { return enabled_; }

    // Fetches, compares and tells the user; always ends idle again.
    UpdateOutcome run();

signals:
    void captionChanged(const QString &caption);
    void enabledChanged(bool enabled);

private:
    void setCaption(const QString &caption);
    void setEnabled(bool enabled);

    HttpFetcher &fetcher_;
    Prompter &prompter_;
    Shell &shell_;
    QTimer timer_;
    QString updateUrl_;
    QString downloadUrl_;
    QString caption_ = kUpdateIdleCaption;
    bool enabled_ = true;
};

} // namespace dw
