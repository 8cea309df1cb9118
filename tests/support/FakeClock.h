#pragma once
// A settable clock for tests. Every read of the monotonic clock advances it by `stepMs`,
// so Pause() returns at once in logical time.
#include "core/Clock.h"

class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 10), QTime(9, 0)), qint64 stepMs = 50)
        : m_now(start), m_step(stepMs) {
        Clock::install(this);
    }
    ~FakeClock() override { Clock::install(nullptr); }

    QDateTime now() const override { return m_now; }
    qint64 monotonicMs() const override {
        m_mono += m_step;
        return m_mono;
    }

    void set(const QDateTime& t) { m_now = t; }
    void setDate(const QDate& d) { m_now.setDate(d); }
    void advanceMs(qint64 ms) {
        m_now = m_now.addMSecs(ms);
        m_mono += ms;
    }
    qint64 monotonicNoStep() const { return m_mono; }

private:
    QDateTime m_now;
    qint64 m_step;
    mutable qint64 m_mono = 0;
};
