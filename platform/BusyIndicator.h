#pragma once

#include <QString>

namespace dw {

// The wait notice / busy caption that long commands bring to the front, with the busy pointer.
class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void show(const QString &caption) = 0;
    virtual void hide() = 0;
};

// For command-line runs and tests that do not care about the notice.
class NullBusyIndicator final : public BusyIndicator {
public:
    void show(const QString &) override {}
    void hide() override {}
};

} // namespace dw
