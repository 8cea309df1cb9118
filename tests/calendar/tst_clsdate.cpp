#include "calendar/clsdate.h"

#include <QTest>

namespace {

clsdate at(const QDate& day) {
    clsdate d;
    d.用公历对类进行初始化(day);
    return d;
}

} // namespace

class tst_clsdate : public QObject {
    Q_OBJECT
private slots:
    void lunarDate_data();
    void lunarDate();
    void lunarFestival_data();
    void lunarFestival();
    void newYearEveLeavesDateAlone();
    void leapMonthRepeatsFestival();
    void springFestivals();
    void midAutumnFestivals();
    void gregorianFestival_data();
    void gregorianFestival();
    void weekdayFestival_data();
    void weekdayFestival();
    void solarTerm_data();
    void solarTerm();
    void weekday();
    void fromLunarDate_data();
    void fromLunarDate();
    void everyDayRoundTrips();
    void outOfRangeIsEmpty_data();
    void outOfRangeIsEmpty();
    void missingLunarDateIsEmpty_data();
    void missingLunarDateIsEmpty();
    void yearNames_data();
    void yearNames();
    void era_data();
    void era();
    void numeral_data();
    void numeral();
    void chineseDay_data();
    void chineseDay();
    void lunarDayName_data();
    void lunarDayName();
    void constellation_data();
    void constellation();
    void isToday();
};

void tst_clsdate::lunarDate_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("lunarDay");
    QTest::addColumn<bool>("leap");
    QTest::newRow("first day of the 1900 table") << QDate(1900, 1, 31) << 1900 << 1 << 1 << false;
    QTest::newRow("last day of the 2049 table") << QDate(2050, 1, 22) << 2049 << 12 << 29 << false;
    QTest::newRow("2005 first month 25th") << QDate(2005, 3, 5) << 2005 << 1 << 25 << false;
    QTest::newRow("leap 4th month 2001") << QDate(2001, 5, 23) << 2001 << 4 << 1 << true;
    QTest::newRow("5th month after leap 2001") << QDate(2001, 6, 21) << 2001 << 5 << 1 << false;
    QTest::newRow("leap 4th month 2020") << QDate(2020, 5, 23) << 2020 << 4 << 1 << true;
    QTest::newRow("5th month 2020 eclipse day") << QDate(2020, 6, 21) << 2020 << 5 << 1 << false;
    QTest::newRow("leap 2nd month 2023") << QDate(2023, 3, 22) << 2023 << 2 << 1 << true;
    QTest::newRow("3rd month after leap 2023") << QDate(2023, 4, 20) << 2023 << 3 << 1 << false;
    QTest::newRow("last day of lunar 2003") << QDate(2004, 1, 21) << 2003 << 12 << 30 << false;
    QTest::newRow("first day of lunar 2004") << QDate(2004, 1, 22) << 2004 << 1 << 1 << false;
    QTest::newRow("1933 leap 5th month has 30 days") << QDate(1933, 7, 22) << 1933 << 5 << 30 << true;
    QTest::newRow("1933 sixth month") << QDate(1933, 7, 23) << 1933 << 6 << 1 << false;
    QTest::newRow("2033 leap 11th month") << QDate(2033, 12, 22) << 2033 << 11 << 1 << true;
    QTest::newRow("2033 8th month not leap") << QDate(2033, 9, 8) << 2033 << 8 << 15 << false;
}

void tst_clsdate::lunarDate() {
    QFETCH(QDate, day);
    const clsdate d = at(day);
    QVERIFY(d.isValid());
    QTEST(d.农历年(), "year");
    QTEST(d.农历月(), "month");
    QTEST(d.农历日(), "lunarDay");
    QTEST(d.是否闰年(), "leap");
    QCOMPARE(d.公历年(), day.year());
    QCOMPARE(d.公历月(), day.month());
    QCOMPARE(d.公历日(), day.day());
}

void tst_clsdate::lunarFestival_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("festival");
    QTest::newRow("12-29 of a 30-day month") << QDate(2005, 2, 7) << "";
    QTest::newRow("12-30 is New Year's Eve") << QDate(2005, 2, 8) << "除夕";
    QTest::newRow("12-29 of a 29-day month is New Year's Eve") << QDate(2006, 1, 28) << "除夕";
    QTest::newRow("New Year's Eve on the last day of the table") << QDate(2050, 1, 22) << "除夕";
    QTest::newRow("spring festival on the first day of the table") << QDate(1900, 1, 31) << "春节";
    QTest::newRow("no festival") << QDate(2005, 3, 5) << "";
    QTest::newRow("lantern") << QDate(2005, 2, 23) << "元宵节";
    QTest::newRow("dragon boat") << QDate(2005, 6, 11) << "端午节";
    QTest::newRow("mid-autumn 2005") << QDate(2005, 9, 18) << "中秋节";
    QTest::newRow("mid-autumn 1978") << QDate(1978, 9, 17) << "中秋节";
    QTest::newRow("mid-autumn 1996") << QDate(1996, 9, 27) << "中秋节";
    QTest::newRow("mid-autumn 2033") << QDate(2033, 9, 8) << "中秋节";
    QTest::newRow("double ninth 2033") << QDate(2033, 10, 1) << "重阳节";
    QTest::newRow("day after mid-autumn 1978") << QDate(1978, 9, 18) << "";
}

void tst_clsdate::lunarFestival() {
    QFETCH(QDate, day);
    QTEST(at(day).返回农历节日(), "festival");
}

void tst_clsdate::newYearEveLeavesDateAlone() {
    clsdate d = at(QDate(2005, 2, 7));
    QCOMPARE(d.返回农历节日(), QString());
    QCOMPARE(d.农历日(), 29);
    QCOMPARE(d.date(), QDate(2005, 2, 7));
    d.用公历对类进行初始化(QDate(2005, 2, 8));
    QCOMPARE(d.返回农历节日(), QStringLiteral("除夕"));
    QCOMPARE(d.农历日(), 30);
    QCOMPARE(d.农历年(), 2004);
}

// A leap month answers the festivals of its number: 端午 twice in 2009, 七夕 twice in 2006.
void tst_clsdate::leapMonthRepeatsFestival() {
    clsdate d;
    d.lInitDate(2009, 5, 5, true);
    QVERIFY(d.isValid());
    QVERIFY(d.是否闰年());
    QCOMPARE(d.返回农历节日(), QStringLiteral("端午节"));
    d.lInitDate(2006, 7, 7, true);
    QVERIFY(d.isValid());
    QCOMPARE(d.返回农历节日(), QStringLiteral("七夕情人节"));
    // 2033 has its leap month after the 11th month, so the 7th month comes once.
    d.lInitDate(2033, 7, 7, true);
    QVERIFY(!d.isValid());
}

// Spring festival dates of the published calendar; the day before is New Year's Eve.
void tst_clsdate::springFestivals() {
    const QList<QDate> days = {
        QDate(1949, 1, 29), QDate(1950, 2, 17), QDate(1976, 1, 31), QDate(1980, 2, 16), QDate(1984, 2, 2),
        QDate(1985, 2, 20), QDate(1986, 2, 9),  QDate(1987, 1, 29), QDate(1988, 2, 17), QDate(1989, 2, 6),
        QDate(1990, 1, 27), QDate(1991, 2, 15), QDate(1992, 2, 4),  QDate(1993, 1, 23), QDate(1994, 2, 10),
        QDate(1995, 1, 31), QDate(1996, 2, 19), QDate(1997, 2, 7),  QDate(1998, 1, 28), QDate(1999, 2, 16),
        QDate(2000, 2, 5),  QDate(2001, 1, 24), QDate(2002, 2, 12), QDate(2003, 2, 1),  QDate(2004, 1, 22),
        QDate(2005, 2, 9),  QDate(2006, 1, 29), QDate(2007, 2, 18), QDate(2008, 2, 7),  QDate(2009, 1, 26),
        QDate(2010, 2, 14), QDate(2011, 2, 3),  QDate(2012, 1, 23), QDate(2013, 2, 10), QDate(2014, 1, 31),
        QDate(2015, 2, 19), QDate(2016, 2, 8),  QDate(2017, 1, 28), QDate(2018, 2, 16), QDate(2019, 2, 5),
        QDate(2020, 1, 25), QDate(2021, 2, 12), QDate(2022, 2, 1),  QDate(2023, 1, 22), QDate(2024, 2, 10),
        QDate(2025, 1, 29), QDate(2026, 2, 17)};
    for (const QDate& day : days) {
        const clsdate d = at(day);
        QVERIFY2(d.农历年() == day.year() && d.农历月() == 1 && d.农历日() == 1 && !d.是否闰年(),
                 qPrintable(day.toString(Qt::ISODate)));
        QCOMPARE(d.返回农历节日(), QStringLiteral("春节"));
        QCOMPARE(at(day.addDays(-1)).返回农历节日(), QStringLiteral("除夕"));
    }
}

void tst_clsdate::midAutumnFestivals() {
    const QList<QDate> days = {QDate(2019, 9, 13), QDate(2020, 10, 1), QDate(2021, 9, 21), QDate(2022, 9, 10),
                               QDate(2023, 9, 29), QDate(2024, 9, 17), QDate(2025, 10, 6)};
    for (const QDate& day : days)
        QVERIFY2(at(day).返回农历节日() == QStringLiteral("中秋节"), qPrintable(day.toString(Qt::ISODate)));
}

void tst_clsdate::gregorianFestival_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("festival");
    QTest::newRow("new year") << QDate(2005, 1, 1) << "元旦";
    QTest::newRow("national day") << QDate(2005, 10, 1) << "国庆节 国际音乐日";
    QTest::newRow("last row") << QDate(2005, 12, 26) << "毛泽东诞辰纪念";
    QTest::newRow("no festival") << QDate(2005, 3, 5) << "";
}

void tst_clsdate::gregorianFestival() {
    QFETCH(QDate, day);
    QTEST(at(day).返回公历节日(), "festival");
}

void tst_clsdate::weekdayFestival_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("festival");
    // May 2005 begins on a Sunday, which the count of Sundays after the 1st leaves out.
    QTest::newRow("mother's day 2005, third Sunday") << QDate(2005, 5, 15) << "国际母亲节";
    QTest::newRow("second Sunday of May 2005") << QDate(2005, 5, 8) << "";
    QTest::newRow("mother's day 2006") << QDate(2006, 5, 14) << "国际母亲节";
    QTest::newRow("disabled day 2006") << QDate(2006, 5, 21) << "全国助残日";
    QTest::newRow("father's day 2005") << QDate(2005, 6, 19) << "父亲节";
    QTest::newRow("thanksgiving 2006") << QDate(2006, 11, 30) << "感恩节";
    QTest::newRow("fourth Thursday of November 2006") << QDate(2006, 11, 23) << "";
    QTest::newRow("last Thursday of November 2005") << QDate(2005, 11, 24) << "";
    QTest::newRow("habitat day, a Monday rule") << QDate(2005, 10, 3) << "国际住房日";
    QTest::newRow("disaster day, a Wednesday rule") << QDate(2005, 10, 5) << "国际减轻自然灾害日";
    QTest::newRow("wrong weekday") << QDate(2005, 5, 16) << "";
}

void tst_clsdate::weekdayFestival() {
    QFETCH(QDate, day);
    QTEST(at(day).返回按星期计算的节日(), "festival");
}

void tst_clsdate::solarTerm_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("term");
    QTest::newRow("立春 2005") << QDate(2005, 2, 4) << "立春";
    QTest::newRow("冬至 2005") << QDate(2005, 12, 22) << "冬至";
    QTest::newRow("day before 冬至 2005") << QDate(2005, 12, 21) << "";
    QTest::newRow("立春 2021 on the 3rd") << QDate(2021, 2, 3) << "立春";
    QTest::newRow("小寒 of 2050 inside the table") << QDate(2050, 1, 5) << "小寒";
}

void tst_clsdate::solarTerm() {
    QFETCH(QDate, day);
    QTEST(at(day).返回农历节气(), "term");
}

void tst_clsdate::weekday() {
    const clsdate saturday = at(QDate(2005, 3, 5));
    QCOMPARE(saturday.返回星期编号(), 7);
    QCOMPARE(saturday.返回中文星期名(), QStringLiteral("星期六"));
    const clsdate sunday = at(QDate(2005, 3, 6));
    QCOMPARE(sunday.返回星期编号(), 1);
    QCOMPARE(sunday.返回中文星期名(), QStringLiteral("星期日"));
}

void tst_clsdate::fromLunarDate_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("lunarDay");
    QTest::addColumn<bool>("leap");
    QTest::addColumn<QDate>("day");
    QTest::newRow("first day of the 1900 table") << 1900 << 1 << 1 << false << QDate(1900, 1, 31);
    QTest::newRow("last day of the 2049 table") << 2049 << 12 << 29 << false << QDate(2050, 1, 22);
    QTest::newRow("4th month 2020") << 2020 << 4 << 1 << false << QDate(2020, 4, 23);
    QTest::newRow("leap 4th month 2020") << 2020 << 4 << 1 << true << QDate(2020, 5, 23);
    QTest::newRow("5th month after leap 2020") << 2020 << 5 << 1 << false << QDate(2020, 6, 21);
    QTest::newRow("leap 2nd month 2023") << 2023 << 2 << 1 << true << QDate(2023, 3, 22);
    QTest::newRow("month before the leap one, 2023") << 2023 << 1 << 15 << false << QDate(2023, 2, 5);
    QTest::newRow("spring festival 2024") << 2024 << 1 << 1 << false << QDate(2024, 2, 10);
    QTest::newRow("mid-autumn 2033") << 2033 << 8 << 15 << false << QDate(2033, 9, 8);
}

void tst_clsdate::fromLunarDate() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, lunarDay);
    QFETCH(bool, leap);
    clsdate d;
    d.lInitDate(year, month, lunarDay, leap);
    QTEST(d.date(), "day");
    QCOMPARE(d.公历年(), d.date().year());
    QCOMPARE(d.农历年(), year);
    QCOMPARE(d.农历月(), month);
    QCOMPARE(d.农历日(), lunarDay);
    QCOMPARE(d.是否闰年(), leap);
}

// Every day of the table: Gregorian -> lunar -> Gregorian, and the lunar dates advance one day at a time.
void tst_clsdate::everyDayRoundTrips() {
    clsdate previous = at(clsdate::firstDate());
    int days = 1;
    for (QDate day = clsdate::firstDate().addDays(1); day <= clsdate::lastDate();
         day = day.addDays(1), ++days) {
        const clsdate d = at(day);
        QVERIFY2(d.isValid(), qPrintable(day.toString(Qt::ISODate)));
        clsdate back;
        back.lInitDate(d.农历年(), d.农历月(), d.农历日(), d.是否闰年());
        if (back.date() != day)
            QFAIL(qPrintable(day.toString(Qt::ISODate)));

        const bool sameMonth = d.农历年() == previous.农历年() && d.农历月() == previous.农历月() &&
                               d.是否闰年() == previous.是否闰年() && d.农历日() == previous.农历日() + 1;
        const bool nextMonth =
            d.农历日() == 1 && previous.农历日() >= 29 &&
            ((d.农历年() == previous.农历年() &&
              (d.农历月() == previous.农历月() + 1 || (d.是否闰年() && d.农历月() == previous.农历月()))) ||
             (d.农历年() == previous.农历年() + 1 && d.农历月() == 1 && previous.农历月() == 12));
        if (!sameMonth && !nextMonth)
            QFAIL(qPrintable(day.toString(Qt::ISODate)));
        previous = d;
    }
    QCOMPARE(days, int(clsdate::firstDate().daysTo(clsdate::lastDate())) + 1);
    QCOMPARE(clsdate::lastDate(), QDate(2050, 1, 22));
}

void tst_clsdate::outOfRangeIsEmpty_data() {
    QTest::addColumn<QDate>("day");
    QTest::newRow("invalid date") << QDate();
    QTest::newRow("day before the table") << QDate(1900, 1, 30);
    QTest::newRow("day after the table") << QDate(2050, 1, 23);
    QTest::newRow("far past") << QDate(1, 1, 1);
    QTest::newRow("far future") << QDate(9999, 12, 31);
}

void tst_clsdate::outOfRangeIsEmpty() {
    QFETCH(QDate, day);
    clsdate d = at(QDate(2005, 9, 18)); // a date held before is dropped
    d.用公历对类进行初始化(day);
    QVERIFY(!d.isValid());
    QCOMPARE(d.农历年() + d.农历月() + d.农历日() + d.公历年() + d.公历月() + d.公历日(), 0);
    QCOMPARE(d.返回星期编号(), 0);
    QVERIFY(!d.是否闰年());
    const QStringList texts = {d.返回农历节气(),  d.返回按星期计算的节日(), d.返回农历节日(),
                               d.返回公历节日(),  d.返回中文星期名(),       d.返回中文农历月(),
                               d.返回中文农历日()};
    QCOMPARE(texts.join(QString()), QString());
}

void tst_clsdate::missingLunarDateIsEmpty_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("lunarDay");
    QTest::addColumn<bool>("leap");
    QTest::newRow("day 30 of a small month") << 2005 << 12 << 30 << false;
    QTest::newRow("leap month the year lacks") << 2020 << 5 << 1 << true;
    QTest::newRow("leap month in a year without one") << 2005 << 1 << 1 << true;
    QTest::newRow("day 31") << 2005 << 1 << 31 << false;
    QTest::newRow("day 0") << 2005 << 1 << 0 << false;
    QTest::newRow("month 13") << 2005 << 13 << 1 << false;
    QTest::newRow("month 0") << 2005 << 0 << 1 << false;
    QTest::newRow("year before the table") << 1899 << 12 << 1 << false;
    QTest::newRow("year after the table") << 2050 << 1 << 1 << false;
}

void tst_clsdate::missingLunarDateIsEmpty() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, lunarDay);
    QFETCH(bool, leap);
    clsdate d = at(QDate(2005, 9, 18));
    d.lInitDate(year, month, lunarDay, leap);
    QVERIFY(!d.isValid());
    QCOMPARE(d.农历年() + d.农历月() + d.农历日() + d.公历年(), 0);
    QCOMPARE(d.返回中文农历日(), QString());
}

void tst_clsdate::yearNames_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("sexagenary");
    QTest::addColumn<QString>("animal");
    QTest::newRow("start of the cycle") << 1864 << "甲子"
                                        << "鼠";
    QTest::newRow("year before the cycle start") << 1863 << "癸亥"
                                                 << "猪";
    QTest::newRow("1900") << 1900 << "庚子"
                          << "鼠";
    QTest::newRow("2005") << 2005 << "乙酉"
                          << "鸡";
    QTest::newRow("2026") << 2026 << "丙午"
                          << "马";
    QTest::newRow("year 0 does not overrun") << 0 << "庚申"
                                             << "猴";
}

void tst_clsdate::yearNames() {
    QFETCH(int, year);
    QTEST(clsdate::返回干支(year), "sexagenary");
    QTEST(clsdate::返回属相(year), "animal");
}

void tst_clsdate::era_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("era");
    QTest::newRow("before any era") << 1873 << "未知";
    QTest::newRow("first Guangxu year") << 1874 << "清朝光绪元年";
    QTest::newRow("second Guangxu year") << 1875 << "清朝光绪二年";
    QTest::newRow("1908, counted from 1874 as the first year") << 1908 << "清朝光绪三十五年";
    QTest::newRow("first Xuantong year") << 1909 << "清朝宣统元年";
    QTest::newRow("1910") << 1910 << "清朝宣统二年";
    QTest::newRow("last Qing year") << 1911 << "清朝宣统三年";
    QTest::newRow("first republic year") << 1912 << "中华民国元年";
    QTest::newRow("1913") << 1913 << "中华民国二年";
    QTest::newRow("1948") << 1948 << "中华民国三十七年";
    QTest::newRow("founding") << 1949 << "中华人民共和国成立了";
    QTest::newRow("first anniversary") << 1950 << "中华人民共和国成立一周年";
    QTest::newRow("millennium") << 2000 << "千禧年";
    QTest::newRow("2005") << 2005 << "中华人民共和国成立五十六周年";
}

void tst_clsdate::era() {
    QFETCH(int, year);
    QTEST(clsdate::返回年代(year), "era");
}

void tst_clsdate::numeral_data() {
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("numeral");
    QTest::newRow("56") << "56"
                        << "五十六";
    QTest::newRow("10") << "10"
                        << "一十";
    QTest::newRow("2005") << "2005"
                          << "二千零五";
    QTest::newRow("101") << "101"
                         << "一百零一";
    QTest::newRow("blanks trimmed") << " 7 "
                                    << "七";
    QTest::newRow("zero in the ten-thousands") << "100001"
                                               << "一十万零一";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("not digits") << "12a"
                                << "";
}

void tst_clsdate::numeral() {
    QFETCH(QString, digits);
    QTEST(clsdate::返回中文数字(digits), "numeral");
}

void tst_clsdate::chineseDay_data() {
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "";
    QTest::newRow("1") << 1 << "初一";
    QTest::newRow("10") << 10 << "初十";
    QTest::newRow("15") << 15 << "十五";
    QTest::newRow("20") << 20 << "二十";
    QTest::newRow("21") << 21 << "廿一";
    QTest::newRow("30") << 30 << "三十";
    QTest::newRow("31") << 31 << "卅一";
    QTest::newRow("49") << 49 << "\u3000九";
    QTest::newRow("50 is past the tables") << 50 << "";
    QTest::newRow("negative") << -1 << "";
}

void tst_clsdate::chineseDay() {
    QFETCH(int, day);
    QTEST(clsdate::返回中文日期(day), "text");
}

void tst_clsdate::lunarDayName_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("name");
    QTest::newRow("day 10") << QDate(2005, 2, 18) << "正月"
                            << "初十";
    QTest::newRow("day 20") << QDate(2005, 2, 28) << "正月"
                            << "二十";
    QTest::newRow("day 21") << QDate(2005, 3, 1) << "正月"
                            << "廿一";
    QTest::newRow("day 30") << QDate(2005, 2, 8) << "腊月"
                            << "三十";
    QTest::newRow("11th month") << QDate(2020, 12, 31) << "十一月"
                                << "十七";
    QTest::newRow("leap month without mark") << QDate(2001, 5, 23) << "四月"
                                             << "初一";
}

void tst_clsdate::lunarDayName() {
    QFETCH(QDate, day);
    const clsdate d = at(day);
    QTEST(d.返回中文农历月(), "month");
    QTEST(d.返回中文农历日(), "name");
}

void tst_clsdate::constellation_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("sign");
    QTest::newRow("2-29 exists in 2000") << 2 << 29 << "双鱼";
    QTest::newRow("12-31") << 12 << 31 << "摩蝎";
    QTest::newRow("1-1") << 1 << 1 << "摩蝎";
    QTest::newRow("1-19") << 1 << 19 << "摩蝎";
    QTest::newRow("1-20") << 1 << 20 << "水瓶";
    QTest::newRow("3-20") << 3 << 20 << "双鱼";
    QTest::newRow("3-21") << 3 << 21 << "白羊";
    QTest::newRow("10-23") << 10 << 23 << "天秤";
    QTest::newRow("12-22") << 12 << 22 << "摩蝎";
    QTest::newRow("2-30 does not exist") << 2 << 30 << "";
    QTest::newRow("month 13") << 13 << 1 << "";
}

void tst_clsdate::constellation() {
    QFETCH(int, month);
    QFETCH(int, day);
    QTEST(clsdate::Constellation(month, day), "sign");
}

void tst_clsdate::isToday() {
    const QDate today = QDate::currentDate();
    QVERIFY(clsdate::是否今天的日期(today.year(), today.month(), today.day()));
    const QDate other = today.addDays(-1);
    QVERIFY(!clsdate::是否今天的日期(other.year(), other.month(), other.day()));
}

QTEST_GUILESS_MAIN(tst_clsdate)
#include "tst_clsdate.moc"
