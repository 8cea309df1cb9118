#pragma once
// The chime on the full hour. A one-second timer can skip second 0, so the first tick within
// minute 0 chimes, once for that hour.
#include <QDateTime>

class HourlyChime {
public:
    // One clock tick: true when the chime is to play now.
    bool tick(const QDateTime& now, bool ring);

private:
    QDateTime m_chimedHour; // the full hour already chimed
};
