#include "calendar/LunarDateText.h"
#include "core/AppSettings.h"
#include "core/JetSql.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tray/ReminderScan.h"

#include <QtTest>

namespace {
// A database with no festival rows, a scripted prompt and a clock at `today` 09:30.
struct Fixture {
    explicit Fixture(const QDate& today) : clock(QDateTime(today, QTime(9, 30))) {
        QVERIFY2(home.ok(), "init tool");
        QVERIFY(home.raw(QStringLiteral("DELETE FROM [节日]")));
    }
    static QString value(const QVariant& v) {
        return v.isNull() ? QStringLiteral("NULL") : SqlQuote::text(v.toString());
    }
    void contact(const QString& name, const QVariant& birthday,
                 const QString& remind = QStringLiteral("提醒")) {
        QVERIFY(home.raw(QStringLiteral("INSERT INTO [联系人] ([姓名],[生日],[生日提醒]) VALUES (%1,%2,%3)")
                             .arg(value(name), value(birthday), value(remind))));
    }
    void visit(const QString& what, const QVariant& from, const QVariant& to, const QVariant& work,
               const QString& remind = QStringLiteral("需要提醒")) {
        QVERIFY(home.raw(
            QStringLiteral(
                "INSERT INTO [拜访] ([拜访事项],[开始提醒时间],[结束提醒时间],[工作开始时间],[需要提醒]) "
                "VALUES (%1,%2,%3,%4,%5)")
                .arg(value(what), value(from), value(to), value(work), value(remind))));
    }
    void festival(const QVariant& code, const QString& name) {
        QVERIFY(home.raw(QStringLiteral("INSERT INTO [节日] ([日期],[节日名称]) VALUES (%1,%2)")
                             .arg(value(code), value(name))));
    }
    QStringList run(ReminderItem::Kind kind) {
        text = scan.run();
        QStringList out;
        for (const ReminderItem& item : scan.items())
            if (item.kind == kind)
                out << item.text;
        return out;
    }

    TempHome home;
    FakePrompt prompt;
    FakeClock clock;
    ReminderScan scan;
    QString text;
};
} // namespace

class TestReminderScan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { AppSettings = AppSettingsRecord(); }
    void birthdays_data();
    void birthdays();
    void emptyAndUnmarkedRowsPassedOver();
    void appointments_data();
    void appointments();
    void festivals_data();
    void festivals();
    void getWHoliday_data();
    void getWHoliday();
    void solarTermsByDay();
    void numberingAndGreeting();
    void failedQueryShownAndScanGoesOn();
    void nothingDueGivesNoText();
    void tickGate();
};

void TestReminderScan::birthdays_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("birthday");
    QTest::addColumn<QStringList>("expected");
    const QDate june10(2026, 6, 10);
    QTest::newRow("today") << june10 << QDate(1980, 6, 10) << QStringList{"1) 今天是 张三 的生日！"};
    QTest::newRow("day 7") << june10 << QDate(1980, 6, 17)
                           << QStringList{"1) 6月17日是：张三的生日,距今还有7天。"};
    QTest::newRow("day 8") << june10 << QDate(1980, 6, 18) << QStringList{};
    QTest::newRow("yesterday") << june10 << QDate(1980, 6, 9) << QStringList{};
    QTest::newRow("1 January seen on 28 December")
        << QDate(2026, 12, 28) << QDate(1990, 1, 1) << QStringList{"1) 1月1日是：张三的生日,距今还有4天。"};
    QTest::newRow("31 December seen on 31 December")
        << QDate(2026, 12, 31) << QDate(1990, 12, 31) << QStringList{"1) 今天是 张三 的生日！"};
    QTest::newRow("29 February in 2027 falls on the 28th")
        << QDate(2027, 2, 25) << QDate(1992, 2, 29) << QStringList{"1) 2月28日是：张三的生日,距今还有3天。"};
    QTest::newRow("29 February on 28 February 2027")
        << QDate(2027, 2, 28) << QDate(1992, 2, 29) << QStringList{"1) 今天是 张三 的生日！"};
    QTest::newRow("29 February in 2028")
        << QDate(2028, 2, 25) << QDate(1992, 2, 29) << QStringList{"1) 2月29日是：张三的生日,距今还有4天。"};
    QTest::newRow("29 February not doubled on 1 March 2027")
        << QDate(2027, 3, 1) << QDate(1992, 2, 29) << QStringList{};
}

void TestReminderScan::birthdays() {
    QFETCH(QDate, today);
    QFETCH(QDate, birthday);
    QFETCH(QStringList, expected);
    Fixture f(today);
    f.contact(QStringLiteral("张三"), birthday);
    QCOMPARE(f.run(ReminderItem::Birthday), expected);
    QVERIFY(f.prompt.records.isEmpty());
}

void TestReminderScan::emptyAndUnmarkedRowsPassedOver() {
    Fixture f(QDate(2026, 6, 10));
    f.contact(QStringLiteral("无生日"), QVariant());
    f.contact(QStringLiteral("坏日期"), QStringLiteral("不是日期"));
    f.contact(QStringLiteral("不提醒"), QDate(1980, 6, 10), QStringLiteral("不提醒"));
    f.contact(QStringLiteral("李四"), QDate(1985, 6, 11));
    f.visit(QStringLiteral("无提醒日期"), QVariant(), QVariant(), QDate(2026, 6, 10));
    f.visit(QStringLiteral("不需提醒"), QDate(2026, 6, 1), QDate(2026, 6, 30), QDate(2026, 6, 10),
            QStringLiteral("不需要"));
    f.festival(QVariant(), QStringLiteral("空代码"));
    f.festival(QStringLiteral(""), QStringLiteral("空文本"));
    QCOMPARE(f.run(ReminderItem::Birthday), QStringList{"1) 6月11日是：李四的生日,距今还有1天。"});
    QVERIFY(f.run(ReminderItem::Appointment).isEmpty());
    QVERIFY(f.run(ReminderItem::Festival).isEmpty());
    QVERIFY(f.prompt.records.isEmpty());
}

void TestReminderScan::appointments_data() {
    QTest::addColumn<QVariant>("from");
    QTest::addColumn<QVariant>("to");
    QTest::addColumn<QVariant>("work");
    QTest::addColumn<QStringList>("expected");
    // Today is 2026-06-10.
    QTest::newRow("period ended yesterday") << QVariant(QDate(2026, 6, 1)) << QVariant(QDate(2026, 6, 9))
                                            << QVariant(QDate(2026, 6, 9)) << QStringList{};
    QTest::newRow("period starts tomorrow") << QVariant(QDate(2026, 6, 11)) << QVariant(QDate(2026, 6, 20))
                                            << QVariant(QDate(2026, 6, 20)) << QStringList{};
    QTest::newRow("period starts today, work today")
        << QVariant(QDate(2026, 6, 10)) << QVariant(QDate(2026, 6, 12)) << QVariant(QDate(2026, 6, 10))
        << QStringList{"1) 今天有个约会：签合同"};
    QTest::newRow("period ends today")
        << QVariant(QDate(2026, 6, 1)) << QVariant(QDate(2026, 6, 10)) << QVariant(QDate(2026, 6, 5))
        << QStringList{"1) 今天有个约会：签合同"};
    QTest::newRow("work later: its date, days to the period's end")
        << QVariant(QDate(2026, 6, 8)) << QVariant(QDate(2026, 6, 12)) << QVariant(QDate(2026, 7, 15))
        << QStringList{"1) 7月15日是：签合同, 距今还有2天。"};
    QTest::newRow("no work date") << QVariant(QDate(2026, 6, 8)) << QVariant(QDate(2026, 6, 12)) << QVariant()
                                  << QStringList{"1) 今天有个约会：签合同"};
    QTest::newRow("no end of period")
        << QVariant(QDate(2026, 6, 8)) << QVariant() << QVariant(QDate(2026, 6, 15)) << QStringList{};
}

void TestReminderScan::appointments() {
    QFETCH(QVariant, from);
    QFETCH(QVariant, to);
    QFETCH(QVariant, work);
    QFETCH(QStringList, expected);
    Fixture f(QDate(2026, 6, 10));
    f.visit(QStringLiteral("签合同"), from, to, work);
    QCOMPARE(f.run(ReminderItem::Appointment), expected);
    QVERIFY(f.prompt.records.isEmpty());
}

void TestReminderScan::festivals_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("holiday");
    QTest::addColumn<QStringList>("expected");
    const QDate june10(2026, 6, 10);
    QTest::newRow("A today") << june10 << "A-06-10" << false << QStringList{"1) 今天是 测试节"};
    QTest::newRow("A day 7") << june10 << "A-06-17" << false
                             << QStringList{"1) 6月17日是：测试节, 距今还有7天。"};
    QTest::newRow("A day 8") << june10 << "A-06-18" << false << QStringList{};
    QTest::newRow("A other separator")
        << june10 << "A/06-12" << false << QStringList{"1) 6月12日是：测试节, 距今还有2天。"};
    QTest::newRow("A 1 January seen on 28 December")
        << QDate(2026, 12, 28) << "A-01-01" << false << QStringList{"1) 1月1日是：测试节, 距今还有4天。"};
    QTest::newRow("A 29 February in 2027")
        << QDate(2027, 2, 26) << "A-02-29" << false << QStringList{"1) 2月28日是：测试节, 距今还有2天。"};
    QTest::newRow("A 29 February in 2028")
        << QDate(2028, 2, 26) << "A-02-29" << false << QStringList{"1) 2月29日是：测试节, 距今还有3天。"};
    QTest::newRow("D while Holiday is off") << june10 << "D-06-12" << false << QStringList{};
    QTest::newRow("D while Holiday is on")
        << june10 << "D-06-12" << true << QStringList{"1) 6月12日是：测试节, 距今还有2天。"};
    QTest::newRow("other letter") << june10 << "E-06-10" << true << QStringList{};
    QTest::newRow("lower-case letter") << june10 << "a-06-10" << true << QStringList{};
    QTest::newRow("malformed A") << june10 << "A-6" << false << QStringList{};
    QTest::newRow("impossible A") << june10 << "A-13-01" << false << QStringList{};
    QTest::newRow("malformed C") << june10 << "C-06-2-03" << false << QStringList{};
    QTest::newRow("C second Sunday of May 2005")
        << QDate(2005, 5, 6) << "C-05-02-00" << false << QStringList{"1) 5月8日是：测试节, 距今还有2天。"};
    QTest::newRow("C second Sunday of May 2006")
        << QDate(2006, 5, 10) << "C-05-02-00" << false << QStringList{"1) 5月14日是：测试节, 距今还有4天。"};
    QTest::newRow("C today") << QDate(2005, 5, 8) << "C-05-02-00" << false << QStringList{"1) 今天是 测试节"};
    // Lunar festivals from their real Gregorian dates.
    QTest::newRow("B 春节 from lunar 12-24")
        << QDate(2026, 2, 11) << "B-01-01" << false << QStringList{"1) 2月17日是：测试节, 距今还有6天。"};
    QTest::newRow("B 春节 day itself")
        << QDate(2026, 2, 17) << "B-01-01" << false << QStringList{"1) 今天是 测试节"};
    QTest::newRow("B 中秋 across a month end")
        << QDate(2025, 9, 30) << "B-08-15" << false << QStringList{"1) 10月6日是：测试节, 距今还有6天。"};
    QTest::newRow("B across a 30-day lunar month")
        << QDate(2025, 9, 19) << "B-08-01" << false << QStringList{"1) 9月22日是：测试节, 距今还有3天。"};
    QTest::newRow("B 端午 after a leap month")
        << QDate(2023, 6, 16) << "B-05-05" << false << QStringList{"1) 6月22日是：测试节, 距今还有6天。"};
    QTest::newRow("B not repeated in the leap month")
        << QDate(2023, 3, 22) << "B-02-02" << false << QStringList{};
    QTest::newRow("B day 30 of a 29-day month") << QDate(2025, 1, 25) << "B-12-30" << false << QStringList{};
    QTest::newRow("B day 29 of that month")
        << QDate(2025, 1, 25) << "B-12-29" << false << QStringList{"1) 1月28日是：测试节, 距今还有3天。"};
    QTest::newRow("B past this lunar year") << QDate(2026, 2, 20) << "B-01-01" << false << QStringList{};
}

void TestReminderScan::festivals() {
    QFETCH(QDate, today);
    QFETCH(QString, code);
    QFETCH(bool, holiday);
    QFETCH(QStringList, expected);
    Fixture f(today);
    AppSettings.Holiday = holiday;
    f.festival(code, QStringLiteral("测试节"));
    QCOMPARE(f.run(ReminderItem::Festival), expected);
    QVERIFY(f.prompt.records.isEmpty());
}

void TestReminderScan::getWHoliday_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("expected");
    QTest::newRow("May 2005 starts on Sunday") << "05-02-00" << QDate(2005, 5, 6) << "2:8";
    QTest::newRow("May 2006 starts on Monday") << "05-02-00" << QDate(2006, 5, 10) << "4:14";
    QTest::newRow("first weekday is the 1st") << "05-01-00" << QDate(2005, 5, 1) << "0:1";
    QTest::newRow("first Saturday") << "05-01-06" << QDate(2005, 5, 1) << "6:7";
    QTest::newRow("another month") << "06-02-00" << QDate(2005, 5, 6) << "-1";
    QTest::newRow("already past") << "05-01-00" << QDate(2005, 5, 2) << "-1";
    QTest::newRow("more than 7 days") << "05-03-00" << QDate(2005, 5, 6) << "-1";
    QTest::newRow("fifth Sunday past the month's end") << "06-05-00" << QDate(2005, 6, 28) << "-1";
    QTest::newRow("fifth Sunday within the month") << "05-05-00" << QDate(2005, 5, 25) << "4:29";
    QTest::newRow("weekday 7") << "05-01-07" << QDate(2005, 5, 1) << "-1";
    QTest::newRow("zeroth week") << "05-00-00" << QDate(2005, 5, 1) << "-1";
    QTest::newRow("not digits") << "05-0a-00" << QDate(2005, 5, 1) << "-1";
}

void TestReminderScan::getWHoliday() {
    QFETCH(QString, rule);
    QFETCH(QDate, today);
    QFETCH(QString, expected);
    QCOMPARE(::getWHoliday(rule, today), expected);
}

void TestReminderScan::solarTermsByDay() {
    // 夏至 2026 is on 21 June, 小暑 on 7 July.
    Fixture f(QDate(2026, 6, 14));
    QCOMPARE(f.run(ReminderItem::SolarTerm), QStringList{"1) 6月21日是：夏至, 距今还有7天。"});
    f.clock.setDate(QDate(2026, 6, 21));
    f.scan.tickCounter = 11;
    QCOMPARE(f.run(ReminderItem::SolarTerm), QStringList{"1) 今天是 夏至"});
    f.clock.setDate(QDate(2026, 6, 22));
    f.scan.tickCounter = 11;
    QVERIFY(f.run(ReminderItem::SolarTerm).isEmpty());
}

void TestReminderScan::numberingAndGreeting() {
    Fixture f(QDate(2026, 6, 19)); // a Friday; 夏至 in two days
    f.contact(QStringLiteral("张三"), QDate(1980, 6, 19));
    f.contact(QStringLiteral("李四"), QDate(1981, 6, 25));
    f.visit(QStringLiteral("签合同"), QDate(2026, 6, 18), QDate(2026, 6, 20), QDate(2026, 6, 19));
    f.festival(QStringLiteral("A-06-20"), QStringLiteral("测试节"));
    f.festival(QStringLiteral("D-06-20"), QStringLiteral("隐藏节"));
    const QString text = f.scan.run();
    QStringList items;
    for (const ReminderItem& item : f.scan.items())
        items << item.text;
    const QStringList expected = {"1) 今天是 张三 的生日！", "2) 6月25日是：李四的生日,距今还有6天。",
                                  "3) 今天有个约会：签合同", "4) 6月20日是：测试节, 距今还有1天。",
                                  "5) 6月21日是：夏至, 距今还有2天。"};
    QCOMPARE(items, expected);
    QVERIFY(!LunarDateText(QDate(2026, 6, 19)).isEmpty());
    const QString greeting =
        QStringLiteral("老板,您好,今天是 2026年6月19日,农历") + LunarDateText(QDate(2026, 6, 19)) +
        QStringLiteral(",星期五。现在时间是09:30:00。我有 5 件事情要提醒您，可别忘记了哦:");
    QCOMPARE(text, greeting + "\r\n\r\n" + expected.join("\r\n\r\n") +
                       "\r\n\r\n记住了吗？按右键让我一会儿再提醒您。\r\n(欢迎使用Orvane软件)");
}

void TestReminderScan::failedQueryShownAndScanGoesOn() {
    Fixture f(QDate(2026, 6, 10));
    f.festival(QStringLiteral("A-06-11"), QStringLiteral("测试节"));
    QVERIFY(f.home.raw(QStringLiteral("DROP TABLE [联系人]")));
    QCOMPARE(f.run(ReminderItem::Festival), QStringList{"1) 6月11日是：测试节, 距今还有1天。"});
    QCOMPARE(f.prompt.messages().size(), 1);
    QVERIFY(f.prompt.last()->text.contains(QStringLiteral("查询错误")));
    QCOMPARE(f.prompt.last()->caption, QStringLiteral("错误"));
    QCOMPARE(f.prompt.last()->icon, Prompt::Icon::Warning);
}

void TestReminderScan::nothingDueGivesNoText() {
    Fixture f(QDate(2026, 6, 10)); // no solar term from 10 to 17 June 2026
    f.contact(QStringLiteral("张三"), QDate(1980, 8, 1));
    QVERIFY(f.scan.run().isEmpty());
    QVERIFY(f.scan.items().isEmpty());
}

void TestReminderScan::tickGate() {
    Fixture f(QDate(2026, 6, 10));
    f.festival(QStringLiteral("A-06-10"), QStringLiteral("测试节"));
    QVERIFY(!f.scan.run().isEmpty()); // starts at 11: runs at once, counter back to 0
    QCOMPARE(f.scan.tickCounter, qint16(0));
    for (int i = 1; i < 11; ++i)
        QVERIFY2(f.scan.run().isEmpty(), qPrintable(QString::number(i)));
    QVERIFY(!f.scan.run().isEmpty()); // every 11th call
}

QTEST_GUILESS_MAIN(TestReminderScan)
#include "tst_ReminderScan.moc"
