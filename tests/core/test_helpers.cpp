#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "core/NumberText.h"
#include "core/Pinyin.h"
#include "core/ProgramFolder.h"
#include "core/Sound.h"
#include "core/modDBCommand.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TempHome.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestHelpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pinyin_data();
    void pinyin();
    void numberText_data();
    void numberText();
    void dateText_data();
    void dateText();
    void settingsLoad_data();
    void settingsLoad();
    void pauseRunsEventsAndWaits();
    void playWave();
    void initDbPutsCompanionFiles();
    void programFolder();
};

void TestHelpers::pinyin_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("initials");
    QTest::newRow("three characters") << "张三丰"
                                      << "ZSF";
    QTest::newRow("letters pass through") << "ABC公司"
                                          << "ABCGS";
    QTest::newRow("lower case and digits") << "abc3号"
                                           << "ABC3H";
    QTest::newRow("punctuation dropped") << "北京（华信）-科技"
                                         << "BJHXKJ";
    QTest::newRow("spaces dropped") << " 王 小明 "
                                    << "WXM";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("long name") << QString(500, QChar(0x674E)) << QString(500, QLatin1Char('L'));
}

void TestHelpers::pinyin() {
    QFETCH(QString, name);
    QFETCH(QString, initials);
    QCOMPARE(PinyinInitials(name), initials);
}

void TestHelpers::numberText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("half rounds to even, down") << "12.5" << true << 12;
    QTest::newRow("half rounds to even, up") << "13.5" << true << 14;
    QTest::newRow("more than half") << "12.51" << true << 13;
    QTest::newRow("negative") << "-3" << true << -3;
    QTest::newRow("spaces around") << " 42 " << true << 42;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("past 32 bits") << "2147483648" << false << 0;
    QTest::newRow("eleven digits") << "99999999999" << false << 0;
    QTest::newRow("exponent") << "1e12" << false << 0;
    QTest::newRow("hex") << "&H10" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
}

void TestHelpers::numberText() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    const auto n = NumberText::toLong(text);
    QCOMPARE(n.has_value(), ok);
    if (n)
        QCOMPARE(*n, value);
}

void TestHelpers::dateText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("iso") << "2026-08-01" << QDate(2026, 8, 1);
    QTest::newRow("short month and day") << "2026-8-1" << QDate(2026, 8, 1);
    QTest::newRow("slashes") << "2026/12/31" << QDate(2026, 12, 31);
    QTest::newRow("29 february leap") << "2024-2-29" << QDate(2024, 2, 29);
    QTest::newRow("29 february common year") << "2025-2-29" << QDate();
    QTest::newRow("month 13") << "2026-13-01" << QDate();
    QTest::newRow("letters") << "abc" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestHelpers::dateText() {
    QFETCH(QString, text);
    QFETCH(QDate, date);
    const auto parsed = DateText::parse(text);
    QCOMPARE(parsed.has_value(), date.isValid());
    if (parsed)
        QCOMPARE(*parsed, date);
    QCOMPARE(DateText::format(QDate(2008, 1, 5)), QStringLiteral("2008-01-05"));
}

void TestHelpers::settingsLoad_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("rowFound");
    QTest::addColumn<bool>("showSplash");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("wday");
    QTest::newRow("new file") << "" << true << true << ""
                              << "";
    QTest::newRow("values set")
        << "update [参数设置] set [密码]='AB', [标准工作日]='2026-12-10:3', [显示欢迎]=0" << true << false
        << "AB"
        << "2026-12-10:3";
    QTest::newRow("no row keeps defaults") << "delete from [参数设置]" << false << false << ""
                                           << "";
}

void TestHelpers::settingsLoad() {
    QFETCH(QString, fixture);
    QFETCH(bool, rowFound);
    QFETCH(bool, showSplash);
    QFETCH(QString, password);
    QFETCH(QString, wday);
    TempHome home;
    QVERIFY(home.ok());
    if (!fixture.isEmpty())
        QVERIFY(home.raw(fixture));
    AppSettings = AppSettingsRecord();
    bool found = !rowFound;
    const QString m = LoadAppSettings(&found);
    QVERIFY(!IsSqlError(m));
    QCOMPARE(found, rowFound);
    QCOMPARE(AppSettings.ShowSplash, showSplash);
    QCOMPARE(AppSettings.Password, password);
    QCOMPARE(AppSettings.WDay, wday);
    QCOMPARE(AppSettings.AutoStart, false);
}

void TestHelpers::pauseRunsEventsAndWaits() {
    FakeClock clock(QDateTime(QDate(2026, 12, 10), QTime(23, 59, 59)), 20);
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    const qint64 start = clock.monotonicNoStep();
    Pause(3000);
    QVERIFY(fired);
    QVERIFY(clock.monotonicNoStep() - start > 3000);
}

void TestHelpers::playWave() {
    TempHome home;
    SoundRecorder recorder;
    QDir().mkpath(home.file("wave"));
    QFile f(home.file("wave/Del.wav"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("RIFF");
    f.close();
    QFile::remove(home.file("wave/Notify.wav"));
    PlayWave(WaveFiles[2]);
    PlayWave(WaveFiles[1]);                  // missing: the built-in copy
    PlayWave(home.file("wave/Unknown.wav")); // neither: silent
    QCOMPARE(recorder.played, QStringList({WaveFiles[2], QStringLiteral(":/wave/Notify.wav")}));
    QFile builtIn(recorder.played[1]);
    QVERIFY(builtIn.open(QIODevice::ReadOnly));
    QVERIFY(builtIn.read(4) == "RIFF");
    QVERIFY(WaveFiles[0].endsWith(QStringLiteral("/wave/Cuckoo.wav")));
}

// A home made by the init tool sounds and has its readme; files the user already has are kept.
void TestHelpers::initDbPutsCompanionFiles() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("wave"));
    QFile own(dir.filePath("wave/Cuckoo.wav"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("mine");
    own.close();
    QString error;
    QVERIFY2(TempHome::initDb(dir.path(), false, &error), qPrintable(error));
    for (const char* name : {"wave/Notify.wav", "wave/Del.wav", "readme.txt"}) {
        QFile made(dir.filePath(QString::fromLatin1(name)));
        QFile builtIn(QStringLiteral(":/") + QString::fromLatin1(name));
        QVERIFY2(made.open(QIODevice::ReadOnly), name);
        QVERIFY(builtIn.open(QIODevice::ReadOnly));
        QVERIFY(builtIn.size() > 0);
        QVERIFY2(made.readAll() == builtIn.readAll(), name);
    }
    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(own.readAll(), QByteArray("mine"));
}

void TestHelpers::programFolder() {
    qputenv("TOBRIN_HOME", "/tmp/from-env");
    QCOMPARE(ResolveProgramFolder({"tobrin", "--home", "/tmp/x"}, "/opt/t"), QStringLiteral("/tmp/x"));
    QCOMPARE(ResolveProgramFolder({"tobrin"}, "/opt/t"), QStringLiteral("/tmp/from-env"));
    qunsetenv("TOBRIN_HOME");
    QCOMPARE(ResolveProgramFolder({"tobrin"}, "/opt/t"), QStringLiteral("/opt/t"));
}

QTEST_GUILESS_MAIN(TestHelpers)
#include "test_helpers.moc"
