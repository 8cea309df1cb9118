#include "calendar/cSolarTerm.h"
#include "calendar/cSunPosition.h"

#include <QTest>
#include <QTimeZone>
#include <cmath>

class tst_cSolarTerm : public QObject {
    Q_OBJECT
private slots:
    void sunLongitude();
    void moments_data();
    void moments();
    void yearDates_data();
    void yearDates();
    void everyYearInOrder();
    void edgeMomentsHitTheirLongitude_data();
    void edgeMomentsHitTheirLongitude();
    void outsideTable();
};

// Meeus, Astronomical Algorithms, example 25.b: 1992-10-13 0h TD, apparent longitude 199°54'21.818".
void tst_cSolarTerm::sunLongitude() {
    const double expected = 199.0 + 54.0 / 60 + 21.818 / 3600;
    QVERIFY(qAbs(cSunPosition::apparentLongitude(2448908.5) - expected) < 1.0 / 3600);
}

// Published moments (China Standard Time, to the minute).
void tst_cSolarTerm::moments_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("published");
    QTest::newRow("2024 立春") << 2024 << 3 << "2024-02-04 16:27";
    QTest::newRow("2024 春分") << 2024 << 6 << "2024-03-20 11:06";
    QTest::newRow("2024 夏至") << 2024 << 12 << "2024-06-21 04:51";
    QTest::newRow("2024 秋分") << 2024 << 18 << "2024-09-22 20:44";
    QTest::newRow("2024 冬至") << 2024 << 24 << "2024-12-21 17:20";
    QTest::newRow("2000 春分") << 2000 << 6 << "2000-03-20 15:35";
    QTest::newRow("2000 夏至") << 2000 << 12 << "2000-06-21 09:48";
    QTest::newRow("2000 冬至") << 2000 << 24 << "2000-12-21 21:37";
    QTest::newRow("2021 立春 late evening") << 2021 << 3 << "2021-02-03 22:59";
    QTest::newRow("2022 秋分 on the 23rd") << 2022 << 18 << "2022-09-23 09:04";
    QTest::newRow("2023 冬至") << 2023 << 24 << "2023-12-22 11:27";
    QTest::newRow("2012 夏至") << 2012 << 12 << "2012-06-21 07:09";
}

void tst_cSolarTerm::moments() {
    QFETCH(int, year);
    QFETCH(int, index);
    QFETCH(QString, published);
    const QDateTime expected =
        QDateTime(QDate::fromString(published.left(10), Qt::ISODate),
                  QTime::fromString(published.mid(11), QStringLiteral("HH:mm")), QTimeZone(8 * 3600));
    const QDateTime moment = cSolarTerm::moment(year, index);
    QVERIFY(moment.isValid());
    QVERIFY2(qAbs(moment.secsTo(expected)) <= 60, qPrintable(moment.toString(Qt::ISODate)));
    QCOMPARE(cSolarTerm::date(year, index), expected.date());
}

void tst_cSolarTerm::yearDates_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QStringList>("days"); // MM-dd of 小寒 ... 冬至
    QTest::newRow("2024") << 2024 << QStringList{"01-06", "01-20", "02-04", "02-19", "03-05", "03-20",
                                                 "04-04", "04-19", "05-05", "05-20", "06-05", "06-21",
                                                 "07-06", "07-22", "08-07", "08-22", "09-07", "09-22",
                                                 "10-08", "10-23", "11-07", "11-22", "12-06", "12-21"};
    QTest::newRow("2023") << 2023 << QStringList{"01-05", "01-20", "02-04", "02-19", "03-06", "03-21",
                                                 "04-05", "04-20", "05-06", "05-21", "06-06", "06-21",
                                                 "07-07", "07-23", "08-08", "08-23", "09-08", "09-23",
                                                 "10-08", "10-24", "11-08", "11-22", "12-07", "12-22"};
}

void tst_cSolarTerm::yearDates() {
    QFETCH(int, year);
    QFETCH(QStringList, days);
    for (int i = 1; i <= 24; ++i)
        QCOMPARE(cSolarTerm::date(year, i).toString(QStringLiteral("MM-dd")), days.at(i - 1));
}

// The lookup by day relies on two terms a month, in order.
void tst_cSolarTerm::everyYearInOrder() {
    for (int year = cSolarTerm::FirstYear; year <= cSolarTerm::LastYear; ++year)
        for (int i = 1; i <= 24; ++i) {
            const QDate day = cSolarTerm::date(year, i);
            QCOMPARE(day.year(), year);
            QCOMPARE(day.month(), (i + 1) / 2);
            QCOMPARE(cSolarTerm::indexOn(day), i);
            QCOMPARE(cSolarTerm::indexOn(day.addDays(-1)), 0);
            QCOMPARE(cSolarTerm::indexOn(day.addDays(1)), 0);
            if (i > 1) {
                const qint64 gap = cSolarTerm::moment(year, i - 1).secsTo(cSolarTerm::moment(year, i));
                QVERIFY2(gap > 14 * 86400 && gap < 16 * 86400, qPrintable(QString::number(year)));
            }
        }
}

void tst_cSolarTerm::edgeMomentsHitTheirLongitude_data() {
    QTest::addColumn<int>("year");
    QTest::newRow("first year of the table") << cSolarTerm::FirstYear;
    QTest::newRow("last year of the table") << cSolarTerm::LastYear;
}

void tst_cSolarTerm::edgeMomentsHitTheirLongitude() {
    QFETCH(int, year);
    for (int i = 1; i <= 24; ++i) {
        const QDateTime utc = cSolarTerm::moment(year, i).toUTC();
        const double jd = utc.date().toJulianDay() - 0.5 + utc.time().msecsSinceStartOfDay() / 86400000.0;
        const double jde = jd + cSunPosition::deltaT(year + 0.5) / 86400.0;
        const double target = std::fmod(285.0 + 15.0 * (i - 1), 360.0);
        double diff = cSunPosition::apparentLongitude(jde) - target;
        diff -= 360.0 * std::round(diff / 360.0);
        QVERIFY2(qAbs(diff) < 0.5 / 3600, qPrintable(cSolarTerm::name(i))); // half an arc second ~ 12 s
    }
}

void tst_cSolarTerm::outsideTable() {
    QVERIFY(!cSolarTerm::moment(1899, 24).isValid());
    QVERIFY(!cSolarTerm::moment(2051, 1).isValid());
    QVERIFY(!cSolarTerm::moment(2024, 0).isValid());
    QVERIFY(!cSolarTerm::date(2024, 25).isValid());
    QCOMPARE(cSolarTerm::indexOn(QDate()), 0);
    QCOMPARE(cSolarTerm::indexOn(QDate(1899, 12, 22)), 0);
    QCOMPARE(cSolarTerm::indexOn(QDate(2051, 1, 5)), 0);
    QCOMPARE(cSolarTerm::name(0), QString());
    QCOMPARE(cSolarTerm::name(25), QString());
    QCOMPARE(cSolarTerm::name(1), QStringLiteral("小寒"));
    QCOMPARE(cSolarTerm::name(24), QStringLiteral("冬至"));
}

QTEST_GUILESS_MAIN(tst_cSolarTerm)
#include "tst_cSolarTerm.moc"
