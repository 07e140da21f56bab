#pragma once
// The clock that timed waits read. The real one keeps the windows painted while it waits;
// tests replace it so that they never wait.
#include <QDate>
#include <QDateTime>

namespace ui {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
    // Waits `ms` milliseconds, repainting the windows meanwhile but handling no user input.
    virtual void wait(int ms) = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    void wait(int ms) override;
};

} // namespace ui
