#include "core/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

namespace {
class SystemClock final : public Clock {
public:
    SystemClock() { m_timer.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

Clock* installed = nullptr;
} // namespace

Clock& Clock::get() {
    static SystemClock system;
    return installed ? *installed : system;
}

void Clock::install(Clock* c) { installed = c; }

void Pause(int ms) {
    const Clock& clock = Clock::get();
    const qint64 start = clock.monotonicMs();
    while (clock.monotonicMs() - start <= ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}
