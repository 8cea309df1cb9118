#pragma once
#include <QDate>
#include <QString>

// The lunar text of a date, e.g. 乙酉年(鸡) 正月廿五; the empty text where no lunar date is known
// (an invalid date, before 1900-01-31 or after 2050-01-22).
QString LunarDateText(const QDate& date);
