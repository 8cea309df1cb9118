#include "calendar/LunarDateText.h"
#include "calendar/clsNongLi.h"
#include "calendar/clsdate.h"

#include <QTest>

class tst_clsNongLi : public QObject {
    Q_OBJECT
private slots:
    void lunarText_data();
    void lunarText();
    void numericLunarDate_data();
    void numericLunarDate();
    void gregorianTextAndWeekday();
    void enginesAgreeOnEverySharedDay();
};

void tst_clsNongLi::lunarText_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("text");
    QTest::newRow("first day of the table") << QDate(1921, 2, 8) << "辛酉年(鸡) 正月初一";
    QTest::newRow("last day of the table") << QDate(2021, 2, 11) << "庚子年(鼠) 腊月三十";
    QTest::newRow("2005-03-05") << QDate(2005, 3, 5) << "乙酉年(鸡) 正月廿五";
    QTest::newRow("4th month 2001") << QDate(2001, 4, 23) << "辛巳年(蛇) 四月初一";
    QTest::newRow("leap 4th month 2001") << QDate(2001, 5, 23) << "辛巳年(蛇) 闰四月初一";
    QTest::newRow("5th month 2001") << QDate(2001, 6, 21) << "辛巳年(蛇) 五月初一";
    QTest::newRow("year text follows the lunar year") << QDate(2004, 1, 21) << "癸未年(羊) 腊月三十";
    QTest::newRow("new lunar year 2004") << QDate(2004, 1, 22) << "甲申年(猴) 正月初一";
    QTest::newRow("11th month 2020") << QDate(2020, 12, 31) << "庚子年(鼠) 十一月十七";
    QTest::newRow("1933 sixth month") << QDate(1933, 7, 23) << "癸酉年(鸡) 六月初一";
    QTest::newRow("1933 leap 5th month") << QDate(1933, 7, 22) << "癸酉年(鸡) 闰五月三十";
    // Outside its own table the text comes from the other engine.
    QTest::newRow("day before the table") << QDate(1921, 2, 7) << "庚申年(猴) 腊月三十";
    QTest::newRow("day after the table") << QDate(2021, 2, 12) << "辛丑年(牛) 正月初一";
    QTest::newRow("leap 2nd month 2023") << QDate(2023, 3, 22) << "癸卯年(兔) 闰二月初一";
    QTest::newRow("first day of the other table") << QDate(1900, 1, 31) << "庚子年(鼠) 正月初一";
    QTest::newRow("last day of the other table") << QDate(2050, 1, 22) << "己巳年(蛇) 腊月廿九";
    QTest::newRow("before both tables") << QDate(1900, 1, 30) << "";
    QTest::newRow("after both tables") << QDate(2050, 1, 23) << "";
    QTest::newRow("invalid date") << QDate() << "";
}

void tst_clsNongLi::lunarText() {
    QFETCH(QDate, day);
    QTEST(LunarDateText(day), "text");
    QTEST(clsNongLi().返回中文农历日期(day), "text");
}

void tst_clsNongLi::numericLunarDate_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("text");
    QTest::newRow("4th month") << QDate(2001, 4, 23) << "4-1";
    QTest::newRow("leap 4th month loses its mark") << QDate(2001, 5, 23) << "4-1";
    QTest::newRow("12th month 30th") << QDate(2021, 2, 11) << "12-30";
    QTest::newRow("leap month of the other table") << QDate(2023, 3, 22) << "2-1";
    QTest::newRow("after both tables") << QDate(2050, 1, 23) << "";
    QTest::newRow("invalid date") << QDate() << "";
}

void tst_clsNongLi::numericLunarDate() {
    QFETCH(QDate, day);
    QTEST(clsNongLi().返回数字农历日期(day), "text");
}

void tst_clsNongLi::gregorianTextAndWeekday() {
    const clsNongLi n;
    QCOMPARE(n.返回中文公历日期(QDate(2005, 3, 5)), QStringLiteral("2005年03月05日"));
    QCOMPARE(n.返回中文公历日期(QDate(2005, 11, 25)), QStringLiteral("2005年11月25日"));
    QCOMPARE(n.返回中文星期(QDate(2005, 3, 5)), QStringLiteral("星期六"));
    QCOMPARE(n.返回中文星期(QDate(2005, 3, 6)), QStringLiteral("星期日"));
    // Neither depends on a lunar table.
    QCOMPARE(n.返回中文公历日期(QDate(1850, 1, 2)), QStringLiteral("1850年01月02日"));
    QCOMPARE(n.返回中文星期(QDate(1850, 1, 2)), QStringLiteral("星期三"));
    QCOMPARE(n.返回中文公历日期(QDate()), QString());
    QCOMPARE(n.返回中文星期(QDate()), QString());
}

// The two tables are independent; with the corrected 1933, 1954, 1956, 1978 and 1996 entries they agree.
void tst_clsNongLi::enginesAgreeOnEverySharedDay() {
    int days = 0;
    for (QDate day = clsNongLi::firstDate(); day <= clsNongLi::lastDate(); day = day.addDays(1), ++days) {
        int year = 0, month = 0, lunarDay = 0;
        QVERIFY(clsNongLi::convert(day, &year, &month, &lunarDay));
        clsdate d;
        d.用公历对类进行初始化(day);
        const int other = d.是否闰年() ? -d.农历月() : d.农历月();
        if (year != d.农历年() || month != other || lunarDay != d.农历日())
            QFAIL(qPrintable(day.toString(Qt::ISODate)));
    }
    QCOMPARE(days, 36529); // 100 years of 365 days, 25 leap days, 1921-02-08 ... 02-11
    int year = 0, month = 0, lunarDay = 0;
    QVERIFY(!clsNongLi::convert(clsNongLi::firstDate().addDays(-1), &year, &month, &lunarDay));
    QVERIFY(!clsNongLi::convert(clsNongLi::lastDate().addDays(1), &year, &month, &lunarDay));
    QCOMPARE(year + month + lunarDay, 0);
}

QTEST_GUILESS_MAIN(tst_clsNongLi)
#include "tst_clsNongLi.moc"
