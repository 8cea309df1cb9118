#include "calendar/cSolarTerm.h"

#include "calendar/cSunPosition.h"

#include <QTimeZone>
#include <array>
#include <cmath>
#include <mutex>

namespace {

constexpr int Years = cSolarTerm::LastYear - cSolarTerm::FirstYear + 1;

// Minutes of each term after 小寒 in a mean year; only a first guess for the exact moment.
constexpr int SolarTermMinutes[24] = {0,      21208,  42467,  63836,  85337,  107014, 128867, 150921,
                                      173149, 195551, 218072, 240693, 263343, 285989, 308563, 331033,
                                      353350, 375494, 397447, 419210, 440795, 462224, 483532, 504758};

constexpr double Utc8 = 8.0 / 24.0;

// 1900-01-06 02:05, the mean 小寒 the minute table counts from.
double meanEpoch() {
    return double(QDate(1900, 1, 6).toJulianDay()) - 0.5 + (2 * 60 + 5) / 1440.0;
}

// Julian Day (UT + 8 h) of the moment the Sun reaches `longitude`, starting from a guess within days.
double solveTerm(double guessJd, double longitude, int year) {
    const double deltaT = cSunPosition::deltaT(year + 0.5) / 86400.0;
    double jde = guessJd - Utc8 + deltaT;
    for (int i = 0; i < 20; ++i) {
        double diff = longitude - cSunPosition::apparentLongitude(jde);
        diff -= 360.0 * std::round(diff / 360.0);
        // The Sun moves about 1/58 radian a day.
        const double step = 58.0 * std::sin(diff * 3.14159265358979323846 / 180.0);
        jde += step;
        if (std::abs(step) < 1e-7)
            break;
    }
    return jde - deltaT + Utc8;
}

// Worked out a year at a time on first use: a lookup needs only its own year.
struct Year {
    std::once_flag done;
    std::array<double, 24> jd{}; // fractional Julian Day at UTC+8
    std::array<qint64, 24> day{};
};

const Year& year(int y) {
    static std::array<Year, Years> years;
    Year& r = years[y - cSolarTerm::FirstYear];
    std::call_once(r.done, [&r, y] {
        const double epoch = meanEpoch();
        for (int i = 0; i < 24; ++i) {
            const double guess =
                epoch + ((y - cSolarTerm::FirstYear) * 525948.76 + SolarTermMinutes[i]) / 1440.0;
            const double longitude = std::fmod(285.0 + 15.0 * i, 360.0);
            r.jd[i] = solveTerm(guess, longitude, y);
            r.day[i] = qint64(std::floor(r.jd[i] + 0.5));
        }
    });
    return r;
}

bool inTable(int year, int index) {
    return year >= cSolarTerm::FirstYear && year <= cSolarTerm::LastYear && index >= 1 && index <= 24;
}

} // namespace

QDateTime cSolarTerm::moment(int year, int index) {
    if (!inTable(year, index))
        return {};
    const double jd = ::year(year).jd[index - 1] + 0.5;
    const double whole = std::floor(jd);
    const qint64 ms = qint64(std::llround((jd - whole) * 86400000.0));
    const QDateTime midnight(QDate::fromJulianDay(qint64(whole)), QTime(0, 0), QTimeZone(8 * 3600));
    return midnight.addMSecs(ms);
}

QDate cSolarTerm::date(int year, int index) {
    if (!inTable(year, index))
        return {};
    return QDate::fromJulianDay(::year(year).day[index - 1]);
}

int cSolarTerm::indexOn(const QDate& day) {
    if (!day.isValid() || day.year() < FirstYear || day.year() > LastYear)
        return 0;
    // Every term falls in the month (index + 1) / 2, so only two can match.
    const auto& days = year(day.year()).day;
    const qint64 jd = day.toJulianDay();
    const int first = 2 * (day.month() - 1);
    if (days[first] == jd)
        return first + 1;
    if (days[first + 1] == jd)
        return first + 2;
    return 0;
}

QString cSolarTerm::name(int index) {
    static const QString names[24] = {
        QStringLiteral("小寒"), QStringLiteral("大寒"), QStringLiteral("立春"), QStringLiteral("雨水"),
        QStringLiteral("惊蛰"), QStringLiteral("春分"), QStringLiteral("清明"), QStringLiteral("谷雨"),
        QStringLiteral("立夏"), QStringLiteral("小满"), QStringLiteral("芒种"), QStringLiteral("夏至"),
        QStringLiteral("小暑"), QStringLiteral("大暑"), QStringLiteral("立秋"), QStringLiteral("处暑"),
        QStringLiteral("白露"), QStringLiteral("秋分"), QStringLiteral("寒露"), QStringLiteral("霜降"),
        QStringLiteral("立冬"), QStringLiteral("小雪"), QStringLiteral("大雪"), QStringLiteral("冬至")};
    if (index < 1 || index > 24)
        return {};
    return names[index - 1];
}
