// The update check reads whatever the update server sends: any bytes must give one of the
// four outcomes, a message, and an idle button again.
#include "core/update/UpdateCheck.h"
#include "platform/HttpFetcher.h"
#include "platform/ProductInfo.h"
#include "platform/Shell.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

namespace {

struct BytesFetcher final : dw::HttpFetcher {
    QByteArray body;
    dw::FetchResult fetch(const QString &) override { return {true, body, {}}; }
};

struct CountingPrompter final : dw::Prompter {
    int asked = 0;
    dw::Button ask(const dw::Message &) override { return ++asked, dw::Button::Ok; }
    QString chooseFile(dw::FileKind) override { return {}; }
    void beep() override {}
};

struct CountingShell final : dw::Shell {
    int opened = 0;
    bool open(const QString &) override { return ++opened, false; }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString version = dw::publishedVersion(reply);
    if (version.size() > 5)
        std::abort();
    const dw::UpdateOutcome outcome = dw::compareVersions(version, dw::product::kVersion);
    if (version.isEmpty() != (outcome == dw::UpdateOutcome::Error))
        std::abort();

    BytesFetcher fetcher;
    fetcher.body = reply;
    CountingPrompter prompter;
    CountingShell shell;
    dw::UpdateCheck check(fetcher, prompter, shell);
    if (check.run() != outcome || prompter.asked != 1 || !check.enabled()
        || check.caption() != dw::kUpdateIdleCaption)
        std::abort();
    const bool offersSite = outcome == dw::UpdateOutcome::Older || outcome == dw::UpdateOutcome::Bogus;
    if (shell.opened != (offersSite ? 1 : 0))
        std::abort();
    return 0;
}
