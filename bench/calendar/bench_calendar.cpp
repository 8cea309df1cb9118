// Every day of 1900-01-31 ... 2049-12-31 through clsdate (lunar date, festival, solar term) against a
// plain QDate::addDays loop over the same days, in the same run. Prints both times and their ratio.
#include "calendar/cSolarTerm.h"
#include "calendar/clsdate.h"

#include <QElapsedTimer>
#include <cstdio>

namespace {

const QDate First(1900, 1, 31);
const QDate Last(2049, 12, 31);

// The plain loop reads the day too, so neither loop can be dropped by the compiler.
qint64 plainLoop(qint64* checksum) {
    QElapsedTimer timer;
    timer.start();
    qint64 sum = 0;
    for (QDate d = First; d <= Last; d = d.addDays(1))
        sum += d.day();
    *checksum = sum;
    return timer.nsecsElapsed();
}

qint64 calendarLoop(qint64* checksum) {
    QElapsedTimer timer;
    timer.start();
    qint64 sum = 0;
    clsdate info;
    for (QDate d = First; d <= Last; d = d.addDays(1)) {
        info.用公历对类进行初始化(d);
        sum += info.农历日() + info.农历月() + info.返回农历节日().size() + info.返回农历节气().size();
    }
    *checksum = sum;
    return timer.nsecsElapsed();
}

} // namespace

int main() {
    const qint64 days = First.daysTo(Last) + 1;

    // The tables are worked out on first use; time that apart (the terms then come a year at a time).
    QElapsedTimer setup;
    setup.start();
    (void)cSolarTerm::indexOn(First);
    clsdate warm;
    warm.用公历对类进行初始化(First);
    const qint64 setupNs = setup.nsecsElapsed();

    qint64 best = -1, bestPlain = -1, cold = 0, sumPlain = 0, sumCalendar = 0;
    for (int run = 0; run < 5; ++run) {
        const qint64 plain = plainLoop(&sumPlain);
        const qint64 calendar = calendarLoop(&sumCalendar);
        if (run == 0)
            cold = calendar; // includes working out the terms of every year
        if (bestPlain < 0 || plain < bestPlain)
            bestPlain = plain;
        if (best < 0 || calendar < best)
            best = calendar;
    }

    std::printf("days                 %lld (1900-01-31 ... 2049-12-31)\n", static_cast<long long>(days));
    std::printf("first use (tables)   %.2f ms\n", setupNs / 1e6);
    std::printf("QDate::addDays loop  %.3f ms  (%.1f ns/day)\n", bestPlain / 1e6, double(bestPlain) / days);
    std::printf("clsdate loop         %.3f ms  (%.1f ns/day)\n", best / 1e6, double(best) / days);
    std::printf("clsdate loop, cold   %.3f ms  (first run, terms of all years worked out)\n", cold / 1e6);
    std::printf("ratio                %.1fx (best of 5 runs each)\n", double(best) / double(bestPlain));
    std::printf("checksums            %lld %lld\n", static_cast<long long>(sumPlain),
                static_cast<long long>(sumCalendar));
    return 0;
}
