#pragma once

#include "platform/HttpFetcher.h"

namespace dw {

// Qt Network behind HttpFetcher: HTTP or HTTPS only, the system proxy (never for the local
// machine), a bounded number of redirects that never step down from HTTPS, an overall
// deadline and a size cap, so that a wrong or hostile server cannot hang or flood the program.
class QtHttpFetcher final : public HttpFetcher {
public:
    struct Limits {
        int timeoutMs = 10000;
        qint64 maxBytes = 64 * 1024; // the update file is a few hundred bytes
        int maxRedirects = 5;
    };

    QtHttpFetcher() = default;
    explicit QtHttpFetcher(Limits limits) : limits_(limits) {}

    FetchResult fetch(const QString &url) override;

private:
    Limits limits_;
};

} // namespace dw
