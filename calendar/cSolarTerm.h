#pragma once
// The 24 solar terms: the moments the Sun's apparent longitude reaches a multiple of 15 degrees,
// in China Standard Time (UTC+8). Term 1 is 小寒 (285 degrees) ... term 24 is 冬至 (270 degrees),
// so each Gregorian year holds its 24 terms in order, two in each month.
#include <QDate>
#include <QDateTime>
#include <QString>

class cSolarTerm {
public:
    static constexpr int FirstYear = 1900;
    static constexpr int LastYear = 2050;

    // The moment of term `index` (1 ... 24) of the Gregorian `year`, at UTC+8;
    // an invalid QDateTime outside FirstYear ... LastYear or 1 ... 24.
    static QDateTime moment(int year, int index);
    // The day of that moment at UTC+8; an invalid QDate outside the table.
    static QDate date(int year, int index);
    // The term falling on `day` (1 ... 24), 0 when none does or the day is outside the table.
    static int indexOn(const QDate& day);
    // "小寒" ... "冬至"; the empty text outside 1 ... 24.
    static QString name(int index);
};
