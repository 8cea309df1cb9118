#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "ui/main/Startup.h"
#include "ui/main/frmSplash.h"
#include "ui/main/mdiTobrin.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <unistd.h>

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
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// What a copy that crashed during backup, restore or compaction leaves behind.
const QStringList kStale = {
    "Tobrin.dat.tobrin-tmp-a1B2c3",
    "Tobrin.dat.tobrin-tmp-a1B2c3-journal",
    "backup/2026-03-05.bak.tobrin-tmp-Zz9Yy8",
    "backup/2026-03-05.bak.tobrin-tmp-Zz9Yy8-journal",
    "db.tmp",
    "db.tmp-journal",
};
// Files of the user's that look a bit like them.
const QStringList kKept = {"backup/2026-03-05.bak", "backup/data.bak", "Tobrin.dat.old",
                           "notes.tobrin-tmp-list.txt"};

bool placeFiles(const TempHome& home, const QStringList& names) {
    for (const QString& name : names)
        if (!writeFile(home.file(name), QByteArray(4096, 'x')))
            return false;
    return true;
}

QStringList present(const TempHome& home, const QStringList& names) {
    QStringList out;
    for (const QString& name : names)
        if (QFileInfo::exists(home.file(name)))
            out << name;
    return out;
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
    void secondCopyEndsSilently_data();
    void secondCopyEndsSilently();
    void lockWithoutOwnerIsTakenOver();
    void unusableFolder_data();
    void unusableFolder();
    void staleTemporariesRemoved();
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
    QTest::newRow("auto start in tray only")
        << "[自动运行]=1, [迷你启动]=1, [显示欢迎]=0" << false << false << 1 << 0;
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
    QCOMPARE(Startup({"tobrin", "--home", home.path()}, "/nonexistent", calls.hooks()),
             StartupResult::Running);
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

void TestStartup::secondCopyEndsSilently_data() {
    QTest::addColumn<bool>("otherProcess");
    QTest::newRow("held in this process") << false;
    QTest::newRow("held by another process") << true;
}

void TestStartup::secondCopyEndsSilently() {
    QFETCH(bool, otherProcess);
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock;
    FakePrompt prompt;
    QVERIFY(placeFiles(home, kStale));
    QLockFile other(home.file(".tobrin.lock"));
    QProcess holder;
    if (otherProcess) {
        // A lock file as another running program writes it: its pid, its name, this machine.
        holder.start("sleep", {"60"});
        QVERIFY(holder.waitForStarted());
        QVERIFY(writeFile(home.file(".tobrin.lock"), QByteArray::number(holder.processId()) + "\nsleep\n" +
                                                         QSysInfo::machineHostName().toUtf8() + "\n"));
    } else {
        QVERIFY(other.tryLock(0));
    }
    Calls calls;
    QCOMPARE(Startup({"tobrin", "--home", home.path()}, "/x", calls.hooks()), StartupResult::AlreadyRunning);
    QCOMPARE(calls.cipher + calls.tray + calls.login, 0);
    QVERIFY(prompt.records.isEmpty());
    // The running copy may be in the middle of a backup: its temporaries stay.
    QCOMPARE(present(home, kStale), kStale);
    if (otherProcess) {
        holder.kill();
        holder.waitForFinished();
    } else {
        other.unlock();
    }
    // A lock left behind by a process that is gone does not block.
    QFile stale(home.file(".tobrin.lock"));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("999999\ntest_startup\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    QCOMPARE(Startup({"tobrin", "--home", home.path()}, "/x", calls.hooks()), StartupResult::Running);
}

void TestStartup::lockWithoutOwnerIsTakenOver() {
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock;
    FakePrompt prompt;
    // What a power cut right after the lock was taken can leave: the file, but no owner in it.
    QVERIFY(writeFile(home.file(".tobrin.lock"), {}));
    Calls calls;
    QCOMPARE(Startup({"tobrin", "--home", home.path()}, "/x", calls.hooks()), StartupResult::Running);
    QVERIFY(prompt.records.isEmpty());
    QLockFile second(home.file(".tobrin.lock"));
    QVERIFY(!second.tryLock(0)); // held by this start-up now
}

void TestStartup::unusableFolder_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing"
                             << "文件夹不存在";
    QTest::newRow("a file") << "file"
                            << "这是一个文件，不是文件夹";
    QTest::newRow("under a file") << "underFile"
                                  << "%1 是一个文件，不是文件夹";
    QTest::newRow("read-only") << "readOnly"
                               << "没有在其中写入文件的权限";
}

void TestStartup::unusableFolder() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    if (kind == "readOnly" && ::geteuid() == 0)
        QSKIP("root writes into a read-only folder all the same");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FakeClock clock;
    FakePrompt prompt;
    const QString file = dir.filePath("a-file");
    QVERIFY(writeFile(file, "x"));
    QString folder = dir.filePath("no-such-folder");
    if (kind == "file") {
        folder = file;
    } else if (kind == "underFile") {
        folder = file + "/sub";
        reason = reason.arg(file);
    } else if (kind == "readOnly") {
        folder = dir.filePath("read-only");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }
    Calls calls;
    const StartupResult result = Startup({"tobrin", "--home", folder}, "/x", calls.hooks());
    if (kind == "readOnly")
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(result, StartupResult::FolderError);
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QCOMPARE(prompt.last()->icon, Prompt::Icon::Warning);
    QCOMPARE(prompt.last()->text, QStringLiteral("无法使用程序文件夹 %1: %2").arg(folder, reason));
    QCOMPARE(calls.cipher + calls.tray + calls.login, 0);
    QCOMPARE(QFileInfo::exists(dir.filePath("no-such-folder")), false);
}

void TestStartup::staleTemporariesRemoved() {
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock;
    FakePrompt prompt;
    QVERIFY(placeFiles(home, kStale + kKept));
    Calls calls;
    QCOMPARE(Startup({"tobrin", "--home", home.path()}, "/x", calls.hooks()), StartupResult::Running);
    QCOMPARE(present(home, kStale), QStringList());
    QCOMPARE(present(home, kKept), kKept);
    QVERIFY(QFileInfo(home.db()).size() > 0);
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
