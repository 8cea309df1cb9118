#include "calendar/LunarDateText.h"

#include "calendar/clsNongLi.h"

QString LunarDateText(const QDate& date) {
    return clsNongLi().返回中文农历日期(date);
}
