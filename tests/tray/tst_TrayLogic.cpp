#include "tray/AutoStartEntry.h"
#include "tray/HourlyChime.h"
#include "tray/MessageHistory.h"
#include "tray/ShiftSchedule.h"

#include <QTemporaryDir>
#include <QtTest>

using ShiftSchedule::Reference;

class TestTrayLogic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void historyKeepsSlotZeroAndTheLatest();
    void historyPaging();
    void chime_data();
    void chime();
    void reference_data();
    void reference();
    void everyShiftManned();
    void execLine_data();
    void execLine();
    void entryWrittenAndHidden();
    void entryUnwritable();
};

void TestTrayLogic::historyKeepsSlotZeroAndTheLatest() {
    MessageHistory h;
    QCOMPARE(h.texts(), QStringList{QString()});
    QCOMPARE(h.index(), -1);
    QVERIFY(!h.previousEnabled() && !h.nextEnabled());
    h.add(QStringLiteral("一"));
    QCOMPARE(h.texts(), (QStringList{QString(), "一"}));
    QCOMPARE(h.index(), 1);
    QVERIFY(h.previousEnabled() && !h.nextEnabled());
    h.add(QStringLiteral("二"));
    QCOMPARE(h.texts(), (QStringList{QString(), "二"}));
    h.reset();
    QCOMPARE(h.index(), -1);
    h.add(QStringLiteral("三"));
    QCOMPARE(h.texts(), (QStringList{QString(), "三"}));
    h.trim();
    QCOMPARE(h.texts(), QStringList{QString()});
}

void TestTrayLogic::historyPaging() {
    MessageHistory h;
    QCOMPARE(h.previous(), QString()); // before any text: slot 0, nothing to page to
    QVERIFY(!h.nextEnabled());
    h.add(QStringLiteral("提醒"));
    QCOMPARE(h.previous(), QString());
    QCOMPARE(h.index(), 0);
    QVERIFY(h.nextEnabled());
    QCOMPARE(h.previous(), QString()); // not below 0
    QCOMPARE(h.next(), QStringLiteral("提醒"));
    QCOMPARE(h.index(), 1);
    QVERIFY(h.previousEnabled());
    QVERIFY(!h.nextEnabled());
    QCOMPARE(h.next(), QStringLiteral("提醒")); // not past the last slot
    QCOMPARE(h.index(), 1);
}

void TestTrayLogic::chime_data() {
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<int>("stepMs");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("ring");
    QTest::addColumn<QList<QDateTime>>("expected");
    const QDate d(2026, 6, 10);
    QTest::newRow("exactly once at 10:00:00") << QDateTime(d, QTime(9, 59, 55)) << 1000 << 130 << true
                                              << QList<QDateTime>{QDateTime(d, QTime(10, 0))};
    QTest::newRow("Ring off") << QDateTime(d, QTime(9, 59, 55)) << 1000 << 130 << false << QList<QDateTime>{};
    QTest::newRow("second 0 skipped: first tick of minute 0")
        << QDateTime(d, QTime(9, 59, 59, 500)) << 1500 << 10 << true
        << QList<QDateTime>{QDateTime(d, QTime(10, 0, 1))};
    QTest::newRow("two hours") << QDateTime(d, QTime(9, 59, 0)) << 20000 << 190 << true
                               << QList<QDateTime>{QDateTime(d, QTime(10, 0)), QDateTime(d, QTime(11, 0))};
    QTest::newRow("midnight") << QDateTime(d, QTime(23, 59, 58)) << 1000 << 5 << true
                              << QList<QDateTime>{QDateTime(d.addDays(1), QTime(0, 0))};
}

void TestTrayLogic::chime() {
    QFETCH(QDateTime, start);
    QFETCH(int, stepMs);
    QFETCH(int, ticks);
    QFETCH(bool, ring);
    QFETCH(QList<QDateTime>, expected);
    HourlyChime c;
    QList<QDateTime> chimed;
    QDateTime t = start;
    for (int i = 0; i < ticks; ++i, t = t.addMSecs(stepMs))
        if (c.tick(t, ring))
            chimed << QDateTime(t.date(), QTime(t.time().hour(), t.time().minute(), t.time().second()));
    QCOMPARE(chimed, expected);
}

void TestTrayLogic::reference_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("position");
    QTest::newRow("2008-01-01:3") << "2008-01-01:3" << QDate(2008, 1, 1) << 3;
    QTest::newRow("short date form") << "2005-3-5:5" << QDate(2005, 3, 5) << 5;
    QTest::newRow("position -1 is unset") << "2005-03-05:-1" << QDate() << -1;
    QTest::newRow("position 8 is unset") << "2005-03-05:8" << QDate() << -1;
    QTest::newRow("no colon") << "2005-03-05" << QDate() << -1;
    QTest::newRow("bad date") << "2005-13-05:1" << QDate() << -1;
    QTest::newRow("empty") << "" << QDate() << -1;
}

void TestTrayLogic::reference() {
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QFETCH(int, position);
    const auto ref = ShiftSchedule::parseReference(text);
    QCOMPARE(ref.has_value(), date.isValid());
    if (ref) {
        QCOMPARE(ref->date, date);
        QCOMPARE(ref->position, position);
        QCOMPARE(ShiftSchedule::parseReference(ShiftSchedule::referenceText(date, position))->position,
                 position);
    }
}

void TestTrayLogic::everyShiftManned() {
    QCOMPARE(ShiftSchedule::referenceText(QDate(2008, 1, 1), 3), QStringLiteral("2008-01-01:3"));
    const Reference ref{QDate(2008, 1, 1), 3};
    QCOMPARE(ShiftSchedule::shiftOn(ref, 0, QDate(2008, 1, 1)), QStringLiteral("中班"));
    QCOMPARE(ShiftSchedule::shiftOn(ref, 0, QDate(2008, 1, 2)), QStringLiteral("休息"));
    QCOMPARE(ShiftSchedule::shiftOn(ref, 0, QDate(2007, 12, 31)), QStringLiteral("中班"));
    QCOMPARE(ShiftSchedule::shiftOn(ref, 0, QDate(2007, 12, 28)), QStringLiteral("休息"));
    QCOMPARE(ShiftSchedule::shiftOn(ref, 1, QDate(2008, 1, 1)), QStringLiteral("白班"));
    // On every day the four crews work the three shifts once each and one rests.
    for (int day = -20; day < 20; ++day) {
        QStringList shifts;
        for (int crew = 0; crew < 4; ++crew)
            shifts << ShiftSchedule::shiftOn(ref, crew, ref.date.addDays(day));
        shifts.sort();
        QCOMPARE(shifts, (QStringList{"中班", "休息", "夜班", "白班"}));
    }
    QVERIFY(ShiftSchedule::shiftOn(Reference{}, 0, QDate(2008, 1, 1)).isEmpty());
    QCOMPARE(ShiftSchedule::leadHours(QStringLiteral("2小时")), 2);
    QCOMPARE(ShiftSchedule::leadHours(QString()), 0);
}

void TestTrayLogic::execLine_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("own folder: no --home") << "/opt/tobrin/tobrin"
                                           << "/opt/tobrin"
                                           << R"("/opt/tobrin/tobrin")";
    QTest::newRow("no folder") << "/opt/tobrin/tobrin"
                               << ""
                               << R"("/opt/tobrin/tobrin")";
    QTest::newRow("spaces") << "/opt/my app/tobrin"
                            << "/home/u/my data"
                            << R"("/opt/my app/tobrin" --home "/home/u/my data")";
    QTest::newRow("reserved characters") << "/opt/tobrin/tobrin"
                                         << R"(/tmp/a"b$c\d%e`f)"
                                         << R"("/opt/tobrin/tobrin" --home "/tmp/a\\"b\\$c\\\\d%%e\\`f")";
}

void TestTrayLogic::execLine() {
    QFETCH(QString, program);
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(AutoStartEntry::execLine(program, folder), expected);
}

void TestTrayLogic::entryWrittenAndHidden() {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const QString file = config.filePath(QStringLiteral("autostart/tobrin.desktop"));
    QCOMPARE(AutoStartEntry::path(), file);
    auto read = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    QVERIFY(AutoStartEntry::write(true, QStringLiteral("/opt/tobrin/tobrin"), QStringLiteral("/srv/home")));
    QString text = read();
    QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    QVERIFY(text.contains(QStringLiteral("\nType=Application\n")));
    QVERIFY(text.contains(QStringLiteral("\nExec=\"/opt/tobrin/tobrin\" --home \"/srv/home\"\n")));
    QVERIFY(text.contains(QStringLiteral("\nHidden=false\n")));
    QVERIFY(AutoStartEntry::write(false, QStringLiteral("/opt/tobrin/tobrin"), QStringLiteral("/srv/home")));
    text = read();
    QVERIFY(text.contains(QStringLiteral("\nHidden=true\n")));
    QVERIFY(!text.contains(QStringLiteral("Hidden=false")));
    qunsetenv("XDG_CONFIG_HOME");
}

void TestTrayLogic::entryUnwritable() {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("config")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", blocker.fileName().toUtf8()); // a file where the folder should be
    QVERIFY(!AutoStartEntry::write(true, QStringLiteral("/opt/tobrin/tobrin"), QString()));
    qunsetenv("XDG_CONFIG_HOME");
}

QTEST_GUILESS_MAIN(TestTrayLogic)
#include "tst_TrayLogic.moc"
