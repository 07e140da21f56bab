#pragma once
// A clock that never waits: wait() only moves its time on. Optionally calls a hook at each
// wait, so a test can look at a window in the middle of an animation.
#include "ui/Clock.h"

#include <functional>

class FakeClock final : public ui::Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 8), QTime(10, 0))) : m_now(start)
    {
    }
    QDateTime now() const override { return m_now; }
    void wait(int ms) override
    {
        m_now = m_now.addMSecs(ms);
        waitedMs += ms;
        ++waits;
        if (onWait) onWait();
    }
    void setNow(const QDateTime& t) { m_now = t; }

    long long waitedMs = 0;
    int waits = 0;
    std::function<void()> onWait;

private:
    QDateTime m_now;
};
