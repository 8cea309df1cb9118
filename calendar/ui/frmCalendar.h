#pragma once
// 农历查找工具: pick a day of 1949 ... 2049 and read its lunar date, year names, festival and term.
#include <QDialog>

class QCalendarWidget;
class QLabel;

class frmCalendar : public QDialog {
    Q_OBJECT
public:
    explicit frmCalendar(QWidget* parent = nullptr);

    static constexpr int FirstYear = 1949;
    static constexpr int LastYear = 2049;

private:
    void showDay(const QDate& day, bool today);
    void keepPageInRange(int year, int month);

    QCalendarWidget* mvDate;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
};
