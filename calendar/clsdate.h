#pragma once
// Everything shown about one day: lunar date (lunar years 1900 ... 2049), festivals, solar term,
// weekday, and texts for years, numbers, days and star signs.
//
// The instance holds a date only from 1900-01-31 (lunar 1900-01-01) to 2050-01-22 (lunar 2049-12-29).
// An initialiser given an invalid date, a date outside that span or a lunar date that does not exist
// leaves the instance empty, as a new one: every number 0, the leap flag false, every text of the
// current date empty. The text helpers that take their own arguments answer whatever the date.
#include <QDate>
#include <QString>

class clsdate {
public:
    QString 返回农历节气() const;
    QString 返回按星期计算的节日() const;
    QString 返回农历节日() const;
    QString 返回公历节日() const;
    bool 是否闰年() const { return m_leap; }
    int 农历日() const { return m_lunarDay; }
    int 农历月() const { return m_lunarMonth; }
    int 农历年() const { return m_lunarYear; }
    int 返回星期编号() const;
    QString 返回中文星期名() const;
    int 公历日() const { return m_day; }
    int 公历月() const { return m_month; }
    int 公历年() const { return m_year; }
    // Compares with the system's date today, not with the current date.
    static bool 是否今天的日期(int year, int month, int day);
    static QString 返回年代(int year);
    static QString 返回干支(int year);
    static QString 返回属相(int year);
    // Digits only; the empty text for an empty text or any other character.
    static QString 返回中文数字(const QString& digits);
    // 0 ... 49; the empty text otherwise.
    static QString 返回中文日期(int day);
    // A month and day of the year 2000; the empty text otherwise.
    static QString Constellation(int month, int day);
    void 用公历对类进行初始化(const QDate& date);
    void lInitDate(int lunarYear, int lunarMonth, int lunarDay, bool leap);
    QString 返回中文农历月() const;
    QString 返回中文农历日() const;

    bool isValid() const { return m_date.isValid(); }
    QDate date() const { return m_date; }

    // Shared with the other lunar engine: 星期日 ... 星期六, 正月 ... 腊月 (1 ... 12), 初一 ... 三十 (1 ...
    // 30); the empty text for anything else.
    static QString weekdayName(const QDate& date);
    static QString lunarMonthName(int month);
    static QString lunarDayName(int day);

    static QDate firstDate(); // 1900-01-31
    static QDate lastDate();  // 2050-01-22

private:
    void clear();
    void setFromJulianDay(qint64 jd);

    QDate m_date;
    int m_year = 0, m_month = 0, m_day = 0;
    int m_lunarYear = 0, m_lunarMonth = 0, m_lunarDay = 0;
    bool m_leap = false;
};
