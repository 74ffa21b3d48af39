#pragma once

#include <QByteArray>
#include <QString>

namespace dw {

struct FetchResult {
    bool ok = false;
    QByteArray body;
    QString error; // why the fetch failed, for tests and logs; never shown as is
};

// Fetches one small resource over HTTP(S). The call returns when the reply is complete or has
// failed, but timers keep ticking while it waits (the caller animates a caption meanwhile).
class HttpFetcher {
public:
    virtual ~HttpFetcher() = default;
    virtual FetchResult fetch(const QString &url) = 0;
};

} // namespace dw
