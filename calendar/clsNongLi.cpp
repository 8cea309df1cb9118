#include "calendar/clsNongLi.h"

#include "calendar/clsdate.h"

namespace {

constexpr int FirstYear = 1921;
constexpr int Years = 100;

// Below 4095: bits 11..0 are months 1..12, a set bit a 30-day month. From 4095 on: bits 12..0 are
// the thirteen months in calendar order, and the entry / 65536 is the month the leap month follows.
constexpr int LunarMonthCodes[Years] = {
    0xA4B,   0x5164B, 0x6A5,   0x6D4,   0x415B5, 0x2B6,   0x957,   0x2092F, 0x497,   0x60C96, // 1921
    0xD4A,   0xEA5,   0x50DA9, 0x5AD,   0x2B6,   0x3126E, 0x92E,   0x7192D, 0xC95,   0xD4A,   // 1931
    0x61B4A, 0xB55,   0x56A,   0x4155B, 0x25D,   0x92D,   0x2192B, 0xA95,   0x71695, 0x6CA,   // 1941
    0xB55,   0x50AB5, 0x4DA,   0xA5B,   0x30A57, 0x52B,   0x8152A, 0xE95,   0x6AA,   0x615AA, // 1951
    0xAB5,   0x4B6,   0x414AE, 0xA57,   0x526,   0x31D26, 0xD95,   0x70B55, 0x56A,   0x96D,   // 1961
    0x5095D, 0x4AD,   0xA4D,   0x41A4D, 0xD25,   0x81AA5, 0xB54,   0xB6A,   0x612DA, 0x95B,   // 1971
    0x49B,   0x41497, 0xA4B,   0xA164B, 0x6A5,   0x6D4,   0x615B4, 0xAB6,   0x957,   0x5092F, // 1981
    0x497,   0x64B,   0x30D4A, 0xEA5,   0x80D65, 0x5AC,   0xAB6,   0x5126D, 0x92E,   0xC96,   // 1991
    0x41A95, 0xD4A,   0xDA5,   0x20B55, 0x56A,   0x7155B, 0x25D,   0x92D,   0x5192B, 0xA95,   // 2001
    0xB4A,   0x416AA, 0xAD5,   0x90AB5, 0x4BA,   0xA5B,   0x60A57, 0x52B,   0xA93,   0x40E95, // 2011
};

constexpr int MonthStartDays[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Lunar year, month (-L for the leap month after L) and day from either engine.
bool lunarDate(const QDate& date, int* year, int* month, int* day) {
    if (clsNongLi::convert(date, year, month, day))
        return true;
    clsdate other;
    other.用公历对类进行初始化(date);
    if (!other.isValid())
        return false;
    *year = other.农历年();
    *month = other.是否闰年() ? -other.农历月() : other.农历月();
    *day = other.农历日();
    return true;
}

} // namespace

QDate clsNongLi::firstDate() {
    return QDate(1921, 2, 8);
}
QDate clsNongLi::lastDate() {
    return QDate(2021, 2, 11);
}

bool clsNongLi::convert(const QDate& date, int* year, int* month, int* day) {
    if (!date.isValid() || date < firstDate() || date > lastDate())
        return false;
    const int y = date.year(), m = date.month(), d = date.day();
    int total = (y - 1921) * 365 + (y - 1921) / 4 + MonthStartDays[m - 1] + d - 38;
    if (y % 4 == 0 && m > 2)
        ++total;

    for (int i = 0; i < Years; ++i) {
        const int code = LunarMonthCodes[i];
        const int k = code < 4095 ? 11 : 12;
        for (int n = k; n >= 0; --n) {
            const int size = 29 + ((code >> n) & 1);
            if (total > size) {
                total -= size;
                continue;
            }
            const int p = k - n + 1;
            int lunarMonth = p;
            if (k == 12) {
                const int leapAfter = code / 65536;
                if (p == leapAfter + 1)
                    lunarMonth = -leapAfter;
                else if (p > leapAfter + 1)
                    lunarMonth = p - 1;
            }
            *year = FirstYear + i;
            *month = lunarMonth;
            *day = total;
            return true;
        }
    }
    return false; // not reached inside the table's span
}

QString clsNongLi::返回中文公历日期(const QDate& date) const {
    if (!date.isValid())
        return {};
    return QStringLiteral("%1年%2月%3日")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString clsNongLi::返回中文农历日期(const QDate& date) const {
    int year = 0, month = 0, day = 0;
    if (!lunarDate(date, &year, &month, &day))
        return {};
    // The sexagenary cycle of the lunar year, not of the Gregorian one.
    const QString yearText =
        clsdate::返回干支(year) + QStringLiteral("年(") + clsdate::返回属相(year) + QStringLiteral(") ");
    const QString monthText =
        month < 1 ? QStringLiteral("闰") + clsdate::lunarMonthName(-month) : clsdate::lunarMonthName(month);
    return yearText + monthText + clsdate::lunarDayName(day);
}

QString clsNongLi::返回中文星期(const QDate& date) const {
    return clsdate::weekdayName(date);
}

QString clsNongLi::返回数字农历日期(const QDate& date) const {
    int year = 0, month = 0, day = 0;
    if (!lunarDate(date, &year, &month, &day))
        return {};
    return QStringLiteral("%1-%2").arg(month < 0 ? -month : month).arg(day);
}
