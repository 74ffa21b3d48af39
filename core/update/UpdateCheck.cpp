#include "core/update/UpdateCheck.h"

#include "core/io/TextFile.h"
#include "platform/HttpFetcher.h"
#include "platform/ProductInfo.h"
#include "platform/Shell.h"

namespace dw {

namespace {

const QString kConnecting[] = {QStringLiteral("Connecting   "), QStringLiteral("Connecting.  "),
                               QStringLiteral("Connecting.. "), QStringLiteral("Connecting...")};

} // namespace

QString publishedVersion(const QByteArray &reply)
{
    // A captive portal's image or a wrong file must not be read as a version and reported as
    // a "bogus" copy: such a reply tells us nothing.
    if (reply.contains('\0'))
        return {};
    const QString version = decodeText(reply).left(5);
    for (const QChar c : version)
        if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            return {};
    return version;
}

UpdateOutcome compareVersions(const QString &published, const QString &own)
{
    if (published.isEmpty())
        return UpdateOutcome::Error;
    const int order = published.compare(own, Qt::CaseSensitive);
    if (order == 0)
        return UpdateOutcome::Latest;
    return order > 0 ? UpdateOutcome::Older : UpdateOutcome::Bogus;
}

Message updateMessage(UpdateOutcome outcome)
{
    switch (outcome) {
    case UpdateOutcome::Error:
        return {QStringLiteral("Could not get update information. Try again later.\r\n"
                               "Probably you are not connected to the internet."),
                QStringLiteral("Error"), Icon::Critical, Buttons::Ok, Button::Ok};
    case UpdateOutcome::Latest:
        return {QStringLiteral("You have the latest version of Datewren."), QStringLiteral("Latest"),
                Icon::Information, Buttons::Ok, Button::Ok};
    case UpdateOutcome::Older:
        return {QStringLiteral("You have an older version of Datewren. Press OK to visit Datewren site."),
                QStringLiteral("Update Available"), Icon::Information, Buttons::OkCancel, Button::Ok};
    case UpdateOutcome::Bogus:
        return {QStringLiteral("You have a bogus version of Datewren! Press OK to visit Datewren site."),
                QStringLiteral("Update Available"), Icon::Information, Buttons::OkCancel, Button::Ok};
    }
    return {};
}

QString nextConnectingCaption(const QString &caption)
{
    for (int i = 0; i < 4; ++i)
        if (caption == kConnecting[i])
            return kConnecting[(i + 1) % 4];
    return caption;
}

UpdateCheck::UpdateCheck(HttpFetcher &fetcher, Prompter &prompter, Shell &shell, QObject *parent)
    : QObject(parent), fetcher_(fetcher), prompter_(prompter), shell_(shell),
      updateUrl_(product::kUpdateFileUrl), downloadUrl_(product::kDownloadPageUrl)
{
    timer_.setInterval(500);
    connect(&timer_, &QTimer::timeout, this, [this] { setCaption(nextConnectingCaption(caption_)); });
}

void UpdateCheck::setAddresses(const QString &updateFileUrl, const QString &downloadPageUrl)
{
    updateUrl_ = updateFileUrl;
    downloadUrl_ = downloadPageUrl;
}

UpdateOutcome UpdateCheck::run()
{
    if (!enabled_)
        return UpdateOutcome::Error;
    // Back to idle however the check ends, so the button can never stay disabled.
    struct Idle {
        UpdateCheck *check;
        ~Idle()
        {
            check->timer_.stop();
            check->setCaption(kUpdateIdleCaption);
            check->setEnabled(true);
        }
    } idle{this};

    const QString own = product::kVersion;
    setEnabled(false);
    setCaption(kConnecting[0]);
    timer_.start();
    const FetchResult reply = fetcher_.fetch(updateUrl_);
    const QString published = reply.ok ? publishedVersion(reply.body) : QString();
    timer_.stop();
    // Nothing came back: the button must not claim a connection beside the error.
    setCaption(published.isEmpty() ? kUpdateIdleCaption : QStringLiteral("Connected"));

    const UpdateOutcome outcome = compareVersions(published, own);
    const Button answer = prompter_.ask(updateMessage(outcome));
    if ((outcome == UpdateOutcome::Older || outcome == UpdateOutcome::Bogus) && answer == Button::Ok)
        shell_.open(downloadUrl_); // a browser that does not open is not reported
    return outcome;
}

void UpdateCheck::setCaption(const QString &caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    emit captionChanged(caption_);
}

void UpdateCheck::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    emit enabledChanged(enabled_);
}

} // namespace dw
