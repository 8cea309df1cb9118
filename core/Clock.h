#pragma once
// Today's date, the time of day and a monotonic clock, replaceable in tests.
#include <QDate>
#include <QDateTime>
#include <QTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds from an arbitrary start; never goes back, unaffected by midnight.
    virtual qint64 monotonicMs() const = 0;

    QDate today() const { return now().date(); }
    QTime time() const { return now().time(); }

    // The installed clock (the system clock unless a test installed another).
    static Clock& get();
    // Installs a clock (not owned); nullptr restores the system clock.
    static void install(Clock* c);
};

// Lets pending events run until more than `ms` milliseconds have passed on the clock.
void Pause(int ms);
