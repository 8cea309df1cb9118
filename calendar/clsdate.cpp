#include "calendar/clsdate.h"

#include "core/Clock.h"

#include "calendar/cSolarTerm.h"

#include <algorithm>
#include <array>

namespace {

constexpr int FirstLunarYear = 1900;
constexpr int LunarYears = 150;

// Bits 3..0: leap month (0 none); bit 16: the leap month has 30 days; bit 16 - m: month m has 30 days.
// 1933, 1954, 1956, 1978, 1996 and 2033 carry the values of the published calendar; the entries
// usually circulated for them give wrong month sizes (and, in 2033, the leap month after the 7th
// instead of the 11th month).
constexpr int LunarYearInfo[LunarYears] = {
    0x04BD8, 0x04AE0, 0x0A570, 0x054D5, 0x0D260, 0x0D950, 0x16554, 0x056A0, 0x09AD0, 0x055D2, // 1900
    0x04AE0, 0x0A5B6, 0x0A4D0, 0x0D250, 0x1D255, 0x0B540, 0x0D6A0, 0x0ADA2, 0x095B0, 0x14977, // 1910
    0x04970, 0x0A4B0, 0x0B4B5, 0x06A50, 0x06D40, 0x1AB54, 0x02B60, 0x09570, 0x052F2, 0x04970, // 1920
    0x06566, 0x0D4A0, 0x0EA50, 0x16A95, 0x05AD0, 0x02B60, 0x186E3, 0x092E0, 0x1C8D7, 0x0C950, // 1930
    0x0D4A0, 0x1D8A6, 0x0B550, 0x056A0, 0x1A5B4, 0x025D0, 0x092D0, 0x0D2B2, 0x0A950, 0x0B557, // 1940
    0x06CA0, 0x0B550, 0x15355, 0x04DA0, 0x0A5B0, 0x14573, 0x052B0, 0x0A9A8, 0x0E950, 0x06AA0, // 1950
    0x0AEA6, 0x0AB50, 0x04B60, 0x0AAE4, 0x0A570, 0x05260, 0x0F263, 0x0D950, 0x05B57, 0x056A0, // 1960
    0x096D0, 0x04DD5, 0x04AD0, 0x0A4D0, 0x0D4D4, 0x0D250, 0x0D558, 0x0B540, 0x0B6A0, 0x195A6, // 1970
    0x095B0, 0x049B0, 0x0A974, 0x0A4B0, 0x0B27A, 0x06A50, 0x06D40, 0x0AF46, 0x0AB60, 0x09570, // 1980
    0x04AF5, 0x04970, 0x064B0, 0x074A3, 0x0EA50, 0x06B58, 0x05AC0, 0x0AB60, 0x096D5, 0x092E0, // 1990
    0x0C960, 0x0D954, 0x0D4A0, 0x0DA50, 0x07552, 0x056A0, 0x0ABB7, 0x025D0, 0x092D0, 0x0CAB5, // 2000
    0x0A950, 0x0B4A0, 0x0BAA4, 0x0AD50, 0x055D9, 0x04BA0, 0x0A5B0, 0x15176, 0x052B0, 0x0A930, // 2010
    0x07954, 0x06AA0, 0x0AD50, 0x05B52, 0x04B60, 0x0A6E6, 0x0A4E0, 0x0D260, 0x0EA65, 0x0D530, // 2020
    0x05AA0, 0x076A3, 0x096D0, 0x04AFB, 0x04AD0, 0x0A4D0, 0x1D0B6, 0x0D250, 0x0D520, 0x0DD45, // 2030
    0x0B5A0, 0x056D0, 0x055B2, 0x049B0, 0x0A577, 0x0A4B0, 0x0AA50, 0x1B255, 0x06D20, 0x0ADA0, // 2040
};

int leapMonth(int info) {
    return info & 0xF;
}
int leapMonthDays(int info) {
    return leapMonth(info) ? ((info & 0x10000) ? 30 : 29) : 0;
}
int monthDays(int info, int month) {
    return (info & (0x10000 >> month)) ? 30 : 29;
}

// Months of every lunar year in calendar order, and the days before each year, worked out once so
// that a conversion is a lookup rather than a walk over the years.
struct Month {
    int number;
    bool leap;
    int days;
};

struct Layout {
    std::array<int, LunarYears + 1> daysBefore{}; // days from 1900-01-31 to the first day of each year
    std::array<std::array<Month, 13>, LunarYears> months{};
    std::array<int, LunarYears> monthCount{};
};

const Layout& layout() {
    static const Layout t = [] {
        Layout r;
        for (int y = 0; y < LunarYears; ++y) {
            const int info = LunarYearInfo[y];
            int n = 0, total = 0;
            for (int m = 1; m <= 12; ++m) {
                r.months[y][n++] = {m, false, monthDays(info, m)};
                total += monthDays(info, m);
                if (m == leapMonth(info)) {
                    r.months[y][n++] = {m, true, leapMonthDays(info)};
                    total += leapMonthDays(info);
                }
            }
            r.monthCount[y] = n;
            r.daysBefore[y + 1] = r.daysBefore[y] + total;
        }
        return r;
    }();
    return t;
}

// The day before lunar 1900-01-01.
const qint64 BaseJulianDay = QDate(1900, 1, 30).toJulianDay();

const QString Stems[10] = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                           QStringLiteral("丁"), QStringLiteral("戊"), QStringLiteral("己"),
                           QStringLiteral("庚"), QStringLiteral("辛"), QStringLiteral("壬"),
                           QStringLiteral("癸")};
const QString Branches[12] = {QStringLiteral("子"), QStringLiteral("丑"), QStringLiteral("寅"),
                              QStringLiteral("卯"), QStringLiteral("辰"), QStringLiteral("巳"),
                              QStringLiteral("午"), QStringLiteral("未"), QStringLiteral("申"),
                              QStringLiteral("酉"), QStringLiteral("戌"), QStringLiteral("亥")};
const QString Animals[12] = {QStringLiteral("鼠"), QStringLiteral("牛"), QStringLiteral("虎"),
                             QStringLiteral("兔"), QStringLiteral("龙"), QStringLiteral("蛇"),
                             QStringLiteral("马"), QStringLiteral("羊"), QStringLiteral("猴"),
                             QStringLiteral("鸡"), QStringLiteral("狗"), QStringLiteral("猪")};
const QString WeekdayNames[8] = {QStringLiteral(" * "),    QStringLiteral("星期日"), QStringLiteral("星期一"),
                                 QStringLiteral("星期二"), QStringLiteral("星期三"), QStringLiteral("星期四"),
                                 QStringLiteral("星期五"), QStringLiteral("星期六")};
const QString DayTens[5] = {QStringLiteral("初"), QStringLiteral("十"), QStringLiteral("廿"),
                            QStringLiteral("卅"), QStringLiteral("\u3000")};
const QString DayUnits[11] = {QStringLiteral("日"), QStringLiteral("一"), QStringLiteral("二"),
                              QStringLiteral("三"), QStringLiteral("四"), QStringLiteral("五"),
                              QStringLiteral("六"), QStringLiteral("七"), QStringLiteral("八"),
                              QStringLiteral("九"), QStringLiteral("十")};
const QString LunarMonthNames[13] = {QString(),
                                     QStringLiteral("正月"),
                                     QStringLiteral("二月"),
                                     QStringLiteral("三月"),
                                     QStringLiteral("四月"),
                                     QStringLiteral("五月"),
                                     QStringLiteral("六月"),
                                     QStringLiteral("七月"),
                                     QStringLiteral("八月"),
                                     QStringLiteral("九月"),
                                     QStringLiteral("十月"),
                                     QStringLiteral("十一月"),
                                     QStringLiteral("腊月")};

struct DayName {
    int month, day;
    QString name;
};

const DayName GregorianFestivals[] = {
    {1, 1, QStringLiteral("元旦")},
    {2, 14, QStringLiteral("情人节")},
    {2, 10, QStringLiteral("国际气象节")},
    {3, 8, QStringLiteral("妇女节")},
    {3, 12, QStringLiteral("植树节")},
    {3, 15, QStringLiteral("消费者权益日")},
    {4, 1, QStringLiteral("愚人节")},
    {5, 1, QStringLiteral("劳动节")},
    {5, 4, QStringLiteral("青年节")},
    {5, 12, QStringLiteral("护士节")},
    {5, 31, QStringLiteral("世界无烟日")},
    {6, 1, QStringLiteral("儿童节")},
    {7, 1, QStringLiteral("建党节 香港回归纪念")},
    {8, 1, QStringLiteral("建军节")},
    {8, 8, QStringLiteral("中国男子节 父亲节")},
    {9, 9, QStringLiteral("毛泽东逝世纪念")},
    {9, 10, QStringLiteral("教师节")},
    {9, 18, QStringLiteral("九·一八事变纪念日")},
    {9, 28, QStringLiteral("孔子诞辰")},
    {10, 1, QStringLiteral("国庆节 国际音乐日")},
    {10, 6, QStringLiteral("老人节")},
    {10, 24, QStringLiteral("联合国日")},
    {11, 12, QStringLiteral("孙中山诞辰纪念")},
    {12, 1, QStringLiteral("世界艾滋病日")},
    {12, 3, QStringLiteral("世界残疾人日")},
    {12, 20, QStringLiteral("澳门回归纪念")},
    {12, 24, QStringLiteral("平安夜")},
    {12, 25, QStringLiteral("圣诞节")},
    {12, 26, QStringLiteral("毛泽东诞辰纪念")},
};

const DayName LunarFestivals[] = {
    {1, 1, QStringLiteral("春节")},
    {1, 15, QStringLiteral("元宵节")},
    {5, 5, QStringLiteral("端午节")},
    {7, 7, QStringLiteral("七夕情人节")},
    {7, 15, QStringLiteral("中元节 盂兰盆节")},
    {8, 15, QStringLiteral("中秋节")},
    {9, 9, QStringLiteral("重阳节")},
    {12, 8, QStringLiteral("腊八节")},
    {12, 24, QStringLiteral("小年")},
};

struct WeekdayRule {
    int month, sundays, weekday;
    QString name;
};

const WeekdayRule WeekdayFestivals[] = {
    {5, 2, 1, QStringLiteral("国际母亲节")},
    {5, 3, 1, QStringLiteral("全国助残日")},
    {6, 3, 1, QStringLiteral("父亲节")},
    {9, 3, 3, QStringLiteral("国际和平日")},
    {9, 4, 1, QStringLiteral("国际聋人节")},
    {10, 1, 2, QStringLiteral("国际住房日")},
    {10, 1, 4, QStringLiteral("国际减轻自然灾害日")},
    {11, 4, 5, QStringLiteral("感恩节")},
};

struct StarSign {
    int month, day; // first day of the sign
    QString name;
};

// In calendar order from 1-20; a day before 1-20 belongs to the last sign.
const StarSign StarSigns[] = {
    {1, 20, QStringLiteral("水瓶")},  {2, 19, QStringLiteral("双鱼")},  {3, 21, QStringLiteral("白羊")},
    {4, 20, QStringLiteral("金牛")},  {5, 21, QStringLiteral("双子")},  {6, 22, QStringLiteral("巨蟹")},
    {7, 23, QStringLiteral("狮子")},  {8, 23, QStringLiteral("处女")},  {9, 23, QStringLiteral("天秤")},
    {10, 24, QStringLiteral("天蝎")}, {11, 22, QStringLiteral("射手")}, {12, 22, QStringLiteral("摩蝎")},
};

int positiveMod(int a, int n) {
    return ((a % n) + n) % n;
}

// 1 = Sunday ... 7 = Saturday.
int weekdayNumber(const QDate& d) {
    return d.dayOfWeek() % 7 + 1;
}

} // namespace

QDate clsdate::firstDate() {
    return QDate::fromJulianDay(BaseJulianDay + 1);
}
QDate clsdate::lastDate() {
    return QDate::fromJulianDay(BaseJulianDay + layout().daysBefore[LunarYears]);
}

void clsdate::clear() {
    *this = clsdate();
}

void clsdate::setFromJulianDay(qint64 jd) {
    const Layout& t = layout();
    const qint64 offset = jd - BaseJulianDay; // 1 on 1900-01-31
    if (offset < 1 || offset > t.daysBefore[LunarYears]) {
        clear();
        return;
    }
    // The first year starting after the day, minus one.
    const auto next = std::lower_bound(t.daysBefore.begin() + 1, t.daysBefore.end(), offset);
    const int y = int(next - t.daysBefore.begin()) - 1;
    int day = int(offset) - t.daysBefore[y];
    int i = 0;
    while (day > t.months[y][i].days)
        day -= t.months[y][i++].days;

    m_date = QDate::fromJulianDay(jd);
    m_date.getDate(&m_year, &m_month, &m_day);
    m_lunarYear = FirstLunarYear + y;
    m_lunarMonth = t.months[y][i].number;
    m_lunarDay = day;
    m_leap = t.months[y][i].leap;
}

void clsdate::用公历对类进行初始化(const QDate& date) {
    if (!date.isValid()) {
        clear();
        return;
    }
    setFromJulianDay(date.toJulianDay());
}

void clsdate::lInitDate(int lunarYear, int lunarMonth, int lunarDay, bool leap) {
    const int y = lunarYear - FirstLunarYear;
    if (y < 0 || y >= LunarYears || lunarMonth < 1 || lunarMonth > 12) {
        clear();
        return;
    }
    const Layout& t = layout();
    qint64 offset = t.daysBefore[y];
    for (int i = 0; i < t.monthCount[y]; ++i) {
        const Month& m = t.months[y][i];
        if (m.number == lunarMonth && m.leap == leap) {
            if (lunarDay < 1 || lunarDay > m.days)
                break;
            setFromJulianDay(BaseJulianDay + offset + lunarDay);
            return;
        }
        offset += m.days;
    }
    clear(); // no such month in that year, or no such day in that month
}

QString clsdate::返回农历节气() const {
    if (!isValid())
        return {};
    return cSolarTerm::name(cSolarTerm::indexOn(m_date));
}

QString clsdate::返回按星期计算的节日() const {
    if (!isValid())
        return {};
    const int weekday = 返回星期编号();
    // Sundays after the 1st, up to and including today.
    const int firstWeekday = weekdayNumber(QDate(m_year, m_month, 1));
    const int firstSunday = 9 - firstWeekday; // 8 when the 1st is itself a Sunday
    const int sundays = m_day >= firstSunday ? (m_day - firstSunday) / 7 + 1 : 0;
    QString answer;
    for (const WeekdayRule& r : WeekdayFestivals)
        if (r.month == m_month && r.weekday == weekday && r.sundays == sundays)
            answer = r.name;
    return answer;
}

QString clsdate::返回农历节日() const {
    if (!isValid())
        return {};
    if (m_lunarMonth == 12 && (m_lunarDay == 29 || m_lunarDay == 30)) {
        // New Year's Eve is the day the next lunar year starts after.
        const qint64 offset = m_date.toJulianDay() - BaseJulianDay;
        return offset == layout().daysBefore[m_lunarYear - FirstLunarYear + 1] ? QStringLiteral("除夕")
                                                                               : QString();
    }
    for (const DayName& f : LunarFestivals)
        if (f.month == m_lunarMonth && f.day == m_lunarDay)
            return f.name;
    return {};
}

QString clsdate::返回公历节日() const {
    if (!isValid())
        return {};
    for (const DayName& f : GregorianFestivals)
        if (f.month == m_month && f.day == m_day)
            return f.name;
    return {};
}

int clsdate::返回星期编号() const {
    return isValid() ? weekdayNumber(m_date) : 0;
}

QString clsdate::返回中文星期名() const {
    return weekdayName(m_date);
}

QString clsdate::weekdayName(const QDate& date) {
    return date.isValid() ? WeekdayNames[weekdayNumber(date)] : QString();
}

bool clsdate::是否今天的日期(int year, int month, int day) {
    const QDate today = Clock::get().today();
    return today.year() == year && today.month() == month && today.day() == day;
}

QString clsdate::返回年代(int year) {
    auto numeral = [](int n) { return 返回中文数字(QString::number(n)); };
    if (year <= 1873)
        return QStringLiteral("未知");
    if (year == 1874)
        return QStringLiteral("清朝光绪元年");
    if (year <= 1908)
        return QStringLiteral("清朝光绪") + numeral(year - 1874 + 1) + QStringLiteral("年");
    if (year == 1909)
        return QStringLiteral("清朝宣统元年");
    if (year <= 1911) // the last Qing year, 1911, is the third of Xuantong
        return QStringLiteral("清朝宣统") + numeral(year - 1909 + 1) + QStringLiteral("年");
    if (year == 1912)
        return QStringLiteral("中华民国元年");
    if (year <= 1948)
        return QStringLiteral("中华民国") + numeral(year - 1912 + 1) + QStringLiteral("年");
    if (year == 1949)
        return QStringLiteral("中华人民共和国成立了");
    if (year == 2000)
        return QStringLiteral("千禧年");
    return QStringLiteral("中华人民共和国成立") + numeral(year - 1949) + QStringLiteral("周年");
}

QString clsdate::返回干支(int year) {
    const int i = positiveMod(year - 1864, 60);
    return Stems[i % 10] + Branches[i % 12];
}

QString clsdate::返回属相(int year) {
    return Animals[positiveMod(year - 1900, 12)];
}

QString clsdate::返回中文数字(const QString& digits) {
    static const QString DigitChars[10] = {QStringLiteral("零"), QStringLiteral("一"), QStringLiteral("二"),
                                           QStringLiteral("三"), QStringLiteral("四"), QStringLiteral("五"),
                                           QStringLiteral("六"), QStringLiteral("七"), QStringLiteral("八"),
                                           QStringLiteral("九")};
    static const QString Units[10] = {QString(),
                                      QString(),
                                      QStringLiteral("十"),
                                      QStringLiteral("百"),
                                      QStringLiteral("千"),
                                      QStringLiteral("万"),
                                      QStringLiteral("十"),
                                      QStringLiteral("百"),
                                      QStringLiteral("千"),
                                      QStringLiteral("亿")};
    const QString s = digits.trimmed();
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return {};
    QString text;
    for (int i = 1; i <= s.size(); ++i) {
        const int digit = s.at(s.size() - i).unicode() - u'0';
        QString piece;
        if (digit != 0)
            piece = DigitChars[digit] + (i < 10 ? Units[i] : QString());
        else if (i == 1)
            piece = QString();
        else if (i == 5)
            piece = QStringLiteral("万");
        else if (i == 9)
            piece = QStringLiteral("亿");
        else
            piece = DigitChars[0];
        const QString built = text.trimmed();
        if (piece == DigitChars[0] &&
            (built.startsWith(DigitChars[0]) || built.startsWith(u'万') || built.startsWith(u'亿')))
            continue;
        text.prepend(piece);
    }
    return text;
}

QString clsdate::返回中文日期(int day) {
    if (day < 0 || day > 49)
        return {};
    switch (day) {
    case 0:
        return {};
    case 10:
        return QStringLiteral("初十");
    case 20:
        return QStringLiteral("二十");
    case 30:
        return QStringLiteral("三十");
    default:
        return DayTens[day / 10] + DayUnits[day % 10];
    }
}

QString clsdate::Constellation(int month, int day) {
    if (!QDate::isValid(2000, month, day))
        return {};
    const StarSign* sign = &StarSigns[11]; // 1-1 ... 1-19
    for (const StarSign& s : StarSigns)
        if (month > s.month || (month == s.month && day >= s.day))
            sign = &s;
    return sign->name;
}

QString clsdate::返回中文农历月() const {
    return lunarMonthName(m_lunarMonth);
}

QString clsdate::返回中文农历日() const {
    return lunarDayName(m_lunarDay);
}

QString clsdate::lunarMonthName(int month) {
    return (month >= 1 && month <= 12) ? LunarMonthNames[month] : QString();
}

QString clsdate::lunarDayName(int day) {
    if (day < 1 || day > 30)
        return {};
    const int tens = day / 10, units = day % 10;
    const QString& unit = units == 0 ? DayUnits[10] : DayUnits[units];
    switch (tens) {
    case 0:
        return QStringLiteral("初") + unit;
    case 1:
        return units == 0 ? QStringLiteral("初十") : QStringLiteral("十") + unit;
    case 2:
        return units == 0 ? QStringLiteral("二十") : QStringLiteral("廿") + unit;
    default:
        return QStringLiteral("三") + unit;
    }
}
