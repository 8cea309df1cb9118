#pragma once
// Lunar date texts from the month table of the lunar years 1921 ... 2020 (1921-02-08 ... 2021-02-11).
// Outside that table the lunar date comes from clsdate (1900-01-31 ... 2050-01-22) in the same text
// form; outside both, and for an invalid date, the lunar texts are empty.
#include <QDate>
#include <QString>

class clsNongLi {
public:
    // 2005年03月05日; the empty text for an invalid date.
    QString 返回中文公历日期(const QDate& date) const;
    // 乙酉年(鸡) 正月廿五, as LunarDateText.
    QString 返回中文农历日期(const QDate& date) const;
    // 星期日 ... 星期六; the empty text for an invalid date.
    QString 返回中文星期(const QDate& date) const;
    // 4-1: month and day numbers, a leap month under its plain number.
    QString 返回数字农历日期(const QDate& date) const;

    // The lunar date from this engine's own table: month -L for the leap month after month L.
    // False (and nothing set) outside 1921-02-08 ... 2021-02-11.
    static bool convert(const QDate& date, int* year, int* month, int* day);

    static QDate firstDate(); // 1921-02-08
    static QDate lastDate();  // 2021-02-11
};
