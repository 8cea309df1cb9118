#include "calendar/ui/frmCalendar.h"
#include "tests/support/FakeClock.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QTest>

namespace {

QString text(const frmCalendar& w, const char* name) {
    return w.findChild<QLabel*>(name)->text();
}

// Clicks the day's cell the way a user does.
void clickDay(QCalendarWidget* calendar, const QDate& day) {
    calendar->setSelectedDate(day);
    auto* view = calendar->findChild<QTableView*>();
    QVERIFY(view);
    const QRect cell = view->visualRect(view->currentIndex());
    QVERIFY(cell.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class tst_frmCalendar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void opensOnToday();
    void clickShowsTheDay_data();
    void clickShowsTheDay();
    void weekdayInChineseUnderAnyLocale();
    void pagingStaysInRange_data();
    void pagingStaysInRange();
};

void tst_frmCalendar::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

void tst_frmCalendar::opensOnToday() {
    FakeClock clock(QDateTime(QDate(2005, 9, 18), QTime(10, 0)));
    frmCalendar w;
    QCOMPARE(w.windowTitle(), QStringLiteral("农历查找工具"));
    auto* mvDate = w.findChild<QCalendarWidget*>("mvDate");
    QVERIFY(mvDate);
    QCOMPARE(mvDate->selectedDate(), QDate(2005, 9, 18));
    QCOMPARE(mvDate->minimumDate(), QDate(1949, 1, 1));
    QCOMPARE(mvDate->maximumDate(), QDate(2049, 12, 31));
    QCOMPARE(text(w, "Label1"), QStringLiteral("今天的日期是："));
    QCOMPARE(text(w, "Label2"), QStringLiteral("2005-09-18 星期日"));
    QCOMPARE(text(w, "Label3"), QStringLiteral("乙酉年(鸡) 八月十五 中秋节"));
    QVERIFY(w.findChild<QWidget*>("Image2"));
    QVERIFY(w.findChild<QWidget*>("Shape1"));
}

void tst_frmCalendar::clickShowsTheDay_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("dateLine");
    QTest::addColumn<QString>("lunarLine");
    QTest::newRow("New Year's Eve") << QDate(2005, 2, 8) << "2005-02-08 星期二"
                                    << "甲申年(猴) 腊月三十 除夕";
    // Before the lunar new year the year name is still the old lunar year's.
    QTest::newRow("solar term before the lunar new year") << QDate(2005, 2, 4) << "2005-02-04 星期五"
                                                          << "甲申年(猴) 腊月廿六 立春";
    QTest::newRow("New Year's Eve 2026") << QDate(2026, 2, 16) << "2026-02-16 星期一"
                                         << "乙巳年(蛇) 腊月廿九 除夕";
    QTest::newRow("January of the old lunar year") << QDate(2026, 1, 20) << "2026-01-20 星期二"
                                                   << "乙巳年(蛇) 腊月初二 大寒";
    QTest::newRow("lunar new year") << QDate(2026, 2, 17) << "2026-02-17 星期二"
                                    << "丙午年(马) 正月初一 春节";
    QTest::newRow("leap fourth month") << QDate(2001, 5, 23) << "2001-05-23 星期三"
                                       << "辛巳年(蛇) 闰四月初一 ";
    QTest::newRow("leap sixth month") << QDate(2025, 7, 25) << "2025-07-25 星期五"
                                      << "乙巳年(蛇) 闰六月初一 ";
    QTest::newRow("leap second month") << QDate(2023, 3, 22) << "2023-03-22 星期三"
                                       << "癸卯年(兔) 闰二月初一 ";
    QTest::newRow("month after the leap month") << QDate(2023, 4, 20) << "2023-04-20 星期四"
                                                << "癸卯年(兔) 三月初一 谷雨";
    QTest::newRow("first day of the range") << QDate(1949, 1, 1) << "1949-01-01 星期六"
                                            << "戊子年(鼠) 腊月初三 ";
    QTest::newRow("last day of the range") << QDate(2049, 12, 31) << "2049-12-31 星期五"
                                           << "己巳年(蛇) 腊月初七 ";
}

void tst_frmCalendar::clickShowsTheDay() {
    QFETCH(QDate, day);
    FakeClock clock(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
    frmCalendar w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    clickDay(w.findChild<QCalendarWidget*>("mvDate"), day);
    QCOMPARE(text(w, "Label1"), QStringLiteral("您选择的日期是："));
    QTEST(text(w, "Label2"), "dateLine");
    QTEST(text(w, "Label3"), "lunarLine");
}

void tst_frmCalendar::weekdayInChineseUnderAnyLocale() {
    const QLocale before;
    QLocale::setDefault(QLocale::c());
    FakeClock clock(QDateTime(QDate(2025, 7, 25), QTime(10, 0)));
    frmCalendar w;
    QLocale::setDefault(before);
    QCOMPARE(text(w, "Label2"), QStringLiteral("2025-07-25 星期五"));
}

void tst_frmCalendar::pagingStaysInRange_data() {
    QTest::addColumn<QDate>("selected");
    QTest::addColumn<int>("pageYear");
    QTest::addColumn<int>("pageMonth");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("January 2050 back to 2049") << QDate(2049, 12, 15) << 2050 << 1 << QDate(2049, 1, 15);
    QTest::newRow("a month of 1948 up to 1949") << QDate(1949, 1, 20) << 1948 << 6 << QDate(1949, 6, 20);
    QTest::newRow("29 February into 2049") << QDate(2048, 2, 29) << 2050 << 2 << QDate(2049, 2, 28);
    QTest::newRow("inside the range unchanged") << QDate(2005, 9, 18) << 2005 << 10 << QDate(2005, 9, 18);
}

void tst_frmCalendar::pagingStaysInRange() {
    QFETCH(QDate, selected);
    QFETCH(int, pageYear);
    QFETCH(int, pageMonth);
    QFETCH(QDate, expected);
    FakeClock clock(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
    frmCalendar w;
    auto* mvDate = w.findChild<QCalendarWidget*>("mvDate");
    mvDate->setSelectedDate(selected);
    const QString lunarLine = text(w, "Label3");
    mvDate->setCurrentPage(pageYear, pageMonth);
    QCOMPARE(mvDate->selectedDate(), expected);
    if (expected.year() != pageYear) {
        QCOMPARE(mvDate->yearShown(), expected.year());
        QCOMPARE(mvDate->monthShown(), pageMonth);
    }
    QCOMPARE(text(w, "Label3"), lunarLine); // paging is not a click
}

QTEST_MAIN(tst_frmCalendar)
#include "tst_frmCalendar.moc"
