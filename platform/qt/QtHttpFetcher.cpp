#include "platform/qt/QtHttpFetcher.h"

#include "platform/ProductInfo.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace dw {

namespace {

bool isLocalHost(const QUrl &url)
{
    const QString host = url.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace

FetchResult QtHttpFetcher::fetch(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return {false, {}, QStringLiteral("not an HTTP address: %1").arg(address)};

    QNetworkAccessManager manager;
    if (isLocalHost(url)) {
        manager.setProxy(QNetworkProxy::NoProxy);
    } else {
        const auto proxies = QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
        manager.setProxy(proxies.isEmpty() ? QNetworkProxy(QNetworkProxy::NoProxy) : proxies.first());
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(limits_.maxRedirects);
    request.setTransferTimeout(limits_.timeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Datewren/") + product::kVersion);

    QNetworkReply *reply = manager.get(request);
    QByteArray body;
    QString failure;
    QEventLoop loop;

    auto fail = [&](const QString &why) {
        if (failure.isEmpty())
            failure = why;
        reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limits_.maxBytes)
            fail(QStringLiteral("reply larger than %1 bytes").arg(limits_.maxBytes));
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        body += reply->read(limits_.maxBytes + 1 - body.size());
        if (body.size() > limits_.maxBytes)
            fail(QStringLiteral("reply larger than %1 bytes").arg(limits_.maxBytes));
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop,
                     [&] { fail(QStringLiteral("no complete reply within %1 ms").arg(limits_.timeoutMs)); });
    deadline.start(limits_.timeoutMs);

    // Keyboard and mouse wait: a command runs to completion before the user starts another,
    // while painting and timers (the caption animation) go on.
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    if (failure.isEmpty() && reply->error() != QNetworkReply::NoError)
        failure = reply->errorString();
    if (failure.isEmpty()) {
        body += reply->read(limits_.maxBytes + 1 - body.size());
        if (body.size() > limits_.maxBytes)
            failure = QStringLiteral("reply larger than %1 bytes").arg(limits_.maxBytes);
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (failure.isEmpty() && (status < 200 || status > 299))
        failure = QStringLiteral("HTTP status %1").arg(status);
    // Whatever is still open is dropped with the manager.
    reply->abort();
    delete reply;

    if (!failure.isEmpty())
        return {false, {}, failure};
    return {true, body, {}};
}

} // namespace dw
