#pragma once

#include <QDateTime>

namespace dw {

// The only source of "today". Commands never read the system clock directly.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock pinned to one moment (tests, and the command line's --today).
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    FixedClock(int year, int month, int day, int hour = 12, int minute = 0)
        : at_(QDate(year, month, day), QTime(hour, minute)) {}
    QDateTime now() const override { return at_; }
    void set(QDateTime at) { at_ = std::move(at); }

private:
    QDateTime at_;
};

} // namespace dw
