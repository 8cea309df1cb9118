#include "tray/HourlyChime.h"

bool HourlyChime::tick(const QDateTime& now, bool ring) {
    if (now.time().minute() != 0) {
        m_chimedHour = QDateTime();
        return false;
    }
    const QDateTime hour(now.date(), QTime(now.time().hour(), 0));
    if (!ring || m_chimedHour == hour)
        return false;
    m_chimedHour = hour;
    return true;
}
