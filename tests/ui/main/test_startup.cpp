#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "ui/main/Startup.h"
#include "ui/main/frmSplash.h"
#include "ui/main/mdiTobrin.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QLockFile>
#include <QTimer>
#include <QtTest>

namespace {
struct Calls {
    int tray = 0, login = 0, cipher = 0;
    StartupHooks hooks() {
        StartupHooks h;
        h.loadCipherWindow = [this] { ++cipher; };
        h.loadTray = [this] { ++tray; };
        h.showLogin = [this] { ++login; };
        return h;
    }
};

QByteArray digest(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

bool splashVisible() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmSplash*>(w) && w->isVisible())
            return true;
    return false;
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void modes_data();
    void modes();
    void secondCopyEndsSilently();
    void unreadableDatabase_data();
    void unreadableDatabase();
};

void TestStartup::cleanup() {
    ReleaseInstanceLock();
    if (mdiTobrin::exists())
        mdiTobrin::instance()->hide();
}

void TestStartup::modes_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("splash");
    QTest::addColumn<bool>("mainShown");
    QTest::addColumn<int>("tray");
    QTest::addColumn<int>("login");
    QTest::newRow("new file: splash, then login") << "" << true << false << 0 << 1;
    QTest::newRow("no splash still waits, then login") << "[显示欢迎]=0" << false << false << 0 << 1;
    QTest::newRow("auto start: main window and tray") << "[自动运行]=1" << true << true << 1 << 0;
    QTest::newRow("auto start in tray only") << "[自动运行]=1, [迷你启动]=1, [显示欢迎]=0" << false << false << 1 << 0;
    QTest::newRow("saved password alone still logs in") << "[自动登陆]=1" << true << false << 0 << 1;
    QTest::newRow("mini start without auto start counts not") << "[迷你启动]=1" << true << false << 0 << 1;
}

void TestStartup::modes() {
    QFETCH(QString, settings);
    QFETCH(bool, splash);
    QFETCH(bool, mainShown);
    QFETCH(int, tray);
    QFETCH(int, login);
    TempHome home;
    QVERIFY(home.ok());
    if (!settings.isEmpty())
        QVERIFY(home.raw("update [参数设置] set " + settings));
    FakeClock clock;
    FakePrompt prompt;
    Calls calls;
    bool splashDuringPause = false;
    QTimer::singleShot(0, [&] { splashDuringPause = splashVisible(); });
    const qint64 before = clock.monotonicNoStep();
    QCOMPARE(Startup({"tobrin", "--home", home.path()}, "/nonexistent", calls.hooks()), StartupResult::Running);
    QVERIFY(clock.monotonicNoStep() - before > 3000);
    QCOMPARE(splashDuringPause, splash);
    QVERIFY(!splashVisible());
    QCOMPARE(calls.cipher, 1);
    QCOMPARE(calls.tray, tray);
    QCOMPARE(calls.login, login);
    QCOMPARE(mdiTobrin::exists() && mdiTobrin::instance()->isVisible(), mainShown);
    QVERIFY(prompt.records.isEmpty());
    QCOMPARE(DbPath, home.db());
}

void TestStartup::secondCopyEndsSilently() {
    TempHome home;
    FakeClock clock;
    FakePrompt prompt;
    QLockFile other(home.file(".tobrin.lock"));
    QVERIFY(other.tryLock(0));
    Calls calls;
    QCOMPARE(Startup({"tobrin", "--home", home.path()}, "/x", calls.hooks()), StartupResult::AlreadyRunning);
    QCOMPARE(calls.cipher + calls.tray + calls.login, 0);
    QVERIFY(prompt.records.isEmpty());
    other.unlock();
    // A lock left behind by a process that is gone does not block.
    QFile stale(home.file(".tobrin.lock"));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("999999\ntest_startup\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    QCOMPARE(Startup({"tobrin", "--home", home.path()}, "/x", calls.hooks()), StartupResult::Running);
}

void TestStartup::unreadableDatabase_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("corrupt") << "corrupt";
    QTest::newRow("no settings table") << "notable";
}

void TestStartup::unreadableDatabase() {
    QFETCH(QString, kind);
    TempHome home;
    FakeClock clock;
    FakePrompt prompt;
    if (kind == "missing") {
        QFile::remove(home.db());
    } else if (kind == "corrupt") {
        QFile f(home.db());
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(100);
        f.write(QByteArray(4096, 'x'));
    } else {
        QVERIFY(home.raw("DROP TABLE [参数设置]"));
    }
    const QByteArray before = digest(home.db());
    Calls calls;
    QCOMPARE(Startup({"tobrin", "--home", home.path()}, "/x", calls.hooks()), StartupResult::DatabaseError);
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QCOMPARE(prompt.last()->icon, Prompt::Icon::Warning);
    QVERIFY(prompt.last()->text.startsWith(QStringLiteral("查询错误: ")));
    QCOMPARE(calls.tray + calls.login, 0);
    QCOMPARE(QFile::exists(home.db()), kind != "missing");
    QCOMPARE(digest(home.db()), before);
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
