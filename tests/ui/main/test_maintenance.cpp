// Backup, restore and compaction driven through the main menu on a real SQLCipher file.
#include "core/AppSettings.h"
#include "core/Database.h"
#include "core/Maintenance.h"
#include "core/Schema.h"
#include "core/SqlCipher.h"
#include "core/modDBCommand.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "ui/main/MaintenanceMenu.h"
#include "ui/main/mdiTobrin.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {
const QString kDone = QStringLiteral("操作完毕！");
const QString kQuestion = QStringLiteral("你确定要恢复数据库吗？\n该操作将不可逆转！");

QByteArray key() {
    return Database::parseConnectionString(ConnectionString()).key;
}

QByteArray digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void trigger(const char* name) {
    QAction* a = mdiTobrin::instance()->action(QString::fromLatin1(name));
    QVERIFY(a && a->isEnabled());
    a->trigger();
}

qlonglong addCompany(const QString& name) {
    QString m;
    auto rs = ExecuteSql(QStringLiteral("select * from [企业] where [企业编号]=0"), m);
    if (!rs)
        return -1;
    rs->AddNew();
    rs->SetValue(QStringLiteral("企业名称"), name);
    rs->SetValue(QStringLiteral("名称首拼"), QStringLiteral("X"));
    rs->SetValue(QStringLiteral("企业性质"), QStringLiteral("国有企业"));
    rs->SetValue(QStringLiteral("企业行业"), QStringLiteral("软件"));
    return rs->Update() ? rs->Value(0).toLongLong() : -1;
}

// Company names through the shared connection, as a list window would read them.
QStringList companies() {
    QString m;
    auto rs = ExecuteSql(QStringLiteral("select * from [企业] order by [企业编号]"), m);
    QStringList out;
    for (; rs && !rs->Eof(); rs->MoveNext())
        out << rs->Value(QStringLiteral("企业名称")).toString();
    return out;
}

// Company names in any file, on a connection of its own.
QStringList companiesIn(const QString& path) {
    QString e;
    auto db = SqlCipher::open(path, key(), false, &e);
    if (!db)
        return {QStringLiteral("<unreadable: %1>").arg(e)};
    auto st =
        SqlCipher::prepare(db.get(), QStringLiteral("SELECT [企业名称] FROM [企业] ORDER BY [企业编号]"), &e);
    QStringList out;
    while (st && sqlite3_step(st.get()) == SQLITE_ROW)
        out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Files in a folder other than the ones expected: leftovers of a failed or finished command.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// `listing` with `name` added, in the order of entries().
QStringList plus(QStringList listing, const QString& name) {
    if (!listing.contains(name))
        listing << name;
    listing.sort();
    return listing;
}

// A database made from scratch with `dbKey` (empty: a plain SQLite file), optionally damaged in
// one way, to stand in for a foreign backup.
enum class Flaw { None, MissingTable, ColumnsReordered, NoSettingsRow };
bool makeDatabase(const QString& path, const QByteArray& dbKey, Flaw flaw) {
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString e;
    SqlCipher::DbHandle db;
    if (dbKey.isEmpty()) { // SQLCipher without a key writes a plain SQLite file
        sqlite3* raw = nullptr;
        sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr);
        db.reset(raw);
    } else {
        db = SqlCipher::open(path, dbKey, true, &e);
    }
    if (!db)
        return qWarning("makeDatabase: %s", qPrintable(e)), false;
    for (Schema::Table t : Schema::tables()) {
        if (flaw == Flaw::MissingTable && t.name == QStringLiteral("拜访"))
            continue;
        if (flaw == Flaw::ColumnsReordered && t.name == QStringLiteral("企业"))
            std::swap(t.columns[1], t.columns[2]);
        if (!SqlCipher::exec(db.get(), Schema::createStatement(t).toUtf8().constData(), &e))
            return qWarning("makeDatabase: %s", qPrintable(e)), false;
    }
    if (flaw != Flaw::NoSettingsRow &&
        !SqlCipher::exec(db.get(), "INSERT INTO [参数设置] ([密码]) VALUES ('from-backup');", &e))
        return false;
    return SqlCipher::exec(db.get(), "INSERT INTO [企业] ([企业名称]) VALUES ('备份企业');", &e);
}

// Damages a valid database at `path` in a way only the engine's check finds: `tables` extra
// tables whose entries are taken out of the schema, so each of their pages is used by nothing.
bool orphanPages(const QString& path, int tables) {
    QString e;
    auto db = SqlCipher::open(path, key(), false, &e);
    if (!db)
        return qWarning("orphanPages: %s", qPrintable(e)), false;
    for (int i = 0; i < tables; ++i)
        if (!SqlCipher::exec(db.get(), QStringLiteral("CREATE TABLE junk%1 (x);").arg(i).toUtf8().constData(),
                             &e))
            return qWarning("orphanPages: %s", qPrintable(e)), false;
    return SqlCipher::exec(db.get(),
                           "PRAGMA writable_schema=ON; DELETE FROM sqlite_master WHERE name LIKE 'junk%';"
                           "PRAGMA writable_schema=OFF;",
                           &e);
}

// A soft limit on the size of files this process writes, like a disk that fills up: writes
// past it fail with EFBIG instead of raising SIGXFSZ. Works for root, unlike chmod.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = m_old;
        lim.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &lim) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

// Counts how often the maintenance progress box was shown.
class ProgressWatch : public QObject {
public:
    ProgressWatch() { qApp->installEventFilter(this); }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }
    int shown = 0;
    static bool anyVisible() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog*>(w) && w->isVisible())
                return true;
        return false;
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && qobject_cast<QProgressDialog*>(o) &&
            o->objectName() == QStringLiteral("dlgMaintenanceProgress"))
            ++shown;
        return false;
    }
};
} // namespace

class TestMaintenance : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void backupTwiceOnOneDay();
    void backupFolderCannotBeMade();
    void restoreShowsBackedUpRowsAndLaterWritesLast();
    void restoreWithoutDataBak_data();
    void restoreWithoutDataBak();
    void restoreCancelledChangesNothing();
    void restoreChecksDataBak_data();
    void restoreChecksDataBak();
    void compactShrinksAndLaterWritesLast_data();
    void compactShrinksAndLaterWritesLast();
    void fullDiskLeavesEverythingAsItWas_data();
    void fullDiskLeavesEverythingAsItWas();
    void damagedDataBakInOneLine_data();
    void damagedDataBakInOneLine();
    void linkedDatabaseStaysLinked_data();
    void linkedDatabaseStaysLinked();
    void staleTemporariesGoFirst_data();
    void staleTemporariesGoFirst();
};

// Only this library's wiring, so the test does not depend on the other window libraries.
void TestMaintenance::initTestCase() {
    WireMaintenanceMenu(*mdiTobrin::instance());
}

void TestMaintenance::backupTwiceOnOneDay() {
    TempHome home;
    QVERIFY(home.ok());
    // 09:27 so that a minutes-for-months mix-up would show in the name.
    FakeClock clock(QDateTime(QDate(2026, 3, 5), QTime(9, 27)));
    FakePrompt prompt;
    ProgressWatch watch;
    QVERIFY(addCompany(QStringLiteral("甲")) > 0);

    trigger("mnuBackup");
    QCOMPARE(prompt.texts(), QStringList{kDone});
    QCOMPARE(prompt.last()->caption, QStringLiteral("Tobrin"));
    QCOMPARE(prompt.last()->icon, Prompt::Icon::None);
    QCOMPARE(prompt.last()->buttons, Prompt::Buttons::Ok);
    QVERIFY(watch.shown >= 1);
    QVERIFY(!ProgressWatch::anyVisible());
    const QString dated = home.file(QStringLiteral("backup/2026-03-05.bak"));
    QCOMPARE(companiesIn(dated), QStringList{QStringLiteral("甲")});

    QVERIFY(addCompany(QStringLiteral("乙")) > 0);
    clock.advanceMs(3600 * 1000);
    trigger("mnuBackup");
    QCOMPARE(prompt.texts(), (QStringList{kDone, kDone}));
    QCOMPARE(entries(home.file(QStringLiteral("backup"))), QStringList{QStringLiteral("2026-03-05.bak")});
    QCOMPARE(companiesIn(dated), (QStringList{QStringLiteral("甲"), QStringLiteral("乙")}));
    QString why;
    QVERIFY2(Maintenance::checkDatabase(dated, &why), qPrintable(why));
}

void TestMaintenance::backupFolderCannotBeMade() {
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock;
    FakePrompt prompt;
    const QStringList listed = entries(home.path());
    // A file where the folder should be: the folder cannot be made, even as root.
    QVERIFY(writeFile(home.file(QStringLiteral("backup")), "not a folder"));
    const QByteArray before = digest(home.db());

    trigger("mnuBackup");
    QCOMPARE(prompt.texts().size(), 1);
    QVERIFY(prompt.last()->text.startsWith(QStringLiteral("备份失败：")));
    QVERIFY(prompt.last()->text.contains(QStringLiteral("backup")));
    QCOMPARE(digest(home.file(QStringLiteral("backup"))),
             QCryptographicHash::hash("not a folder", QCryptographicHash::Sha256));
    QCOMPARE(digest(home.db()), before);
    QCOMPARE(entries(home.path()), plus(listed, QStringLiteral("backup")));
}

void TestMaintenance::restoreShowsBackedUpRowsAndLaterWritesLast() {
    TempHome home;
    QVERIFY(home.ok());
    const QStringList listed = entries(home.path());
    FakeClock clock;
    FakePrompt prompt;
    QVERIFY(home.raw(QStringLiteral("UPDATE [参数设置] SET [密码]='old';")));
    QVERIFY(addCompany(QStringLiteral("A")) > 0);
    trigger("mnuBackup");
    QVERIFY(QFile::rename(Maintenance::datedBackupPath(), Maintenance::restoreSourcePath()));

    QVERIFY(addCompany(QStringLiteral("B")) > 0);
    QVERIFY(home.raw(QStringLiteral("UPDATE [参数设置] SET [密码]='new';")));
    LoadAppSettings();
    QCOMPARE(AppSettings.Password, QStringLiteral("new"));

    // A list window reloading on the signal must already see the restored file.
    QStringList seenByWindow;
    QObject window;
    QObject::connect(Maintenance::notifier(), &Maintenance::Notifier::databaseReplaced, &window,
                     [&] { seenByWindow = companies(); });
    prompt.clear();
    trigger("mnuRestore");
    QCOMPARE(prompt.texts(), (QStringList{kQuestion, kDone}));
    const auto question = prompt.messages().first();
    QCOMPARE(question.caption, QStringLiteral("提醒"));
    QCOMPARE(question.icon, Prompt::Icon::Information);
    QCOMPARE(question.buttons, Prompt::Buttons::OkCancel);
    QCOMPARE(seenByWindow, QStringList{QStringLiteral("A")});
    QCOMPARE(companies(), QStringList{QStringLiteral("A")});
    QCOMPARE(AppSettings.Password, QStringLiteral("old"));

    QVERIFY(addCompany(QStringLiteral("C")) > 0);
    Database::closeShared();
    QCOMPARE(companies(), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(companiesIn(home.db()), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(entries(home.path()), plus(listed, QStringLiteral("backup")));
}

void TestMaintenance::restoreWithoutDataBak_data() {
    QTest::addColumn<QString>("present");
    QTest::newRow("no backup folder") << QString();
    QTest::newRow("only a dated backup") << "dated";
    QTest::newRow("a folder named data.bak") << "folder";
}

void TestMaintenance::restoreWithoutDataBak() {
    QFETCH(QString, present);
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock;
    FakePrompt prompt;
    if (present == QLatin1String("dated")) {
        trigger("mnuBackup");
        prompt.clear();
    } else if (present == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(Maintenance::restoreSourcePath()));
    }
    const QByteArray before = digest(home.db());
    trigger("mnuRestore");
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("没有备份数据可以用来恢复！")});
    QCOMPARE(prompt.last()->caption, QStringLiteral("恢复失败"));
    QCOMPARE(prompt.last()->icon, Prompt::Icon::Warning);
    QCOMPARE(digest(home.db()), before);
}

void TestMaintenance::restoreCancelledChangesNothing() {
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock;
    FakePrompt prompt;
    QVERIFY(makeDatabase(Maintenance::restoreSourcePath(), key(), Flaw::None));
    QVERIFY(addCompany(QStringLiteral("现有")) > 0);
    Database::closeShared();
    const QByteArray before = digest(home.db());
    QSignalSpy replaced(Maintenance::notifier(), &Maintenance::Notifier::databaseReplaced);

    prompt.answer(Prompt::Answer::Cancel);
    trigger("mnuRestore");
    QCOMPARE(prompt.texts(), QStringList{kQuestion});
    QVERIFY(prompt.allUsed());
    QCOMPARE(digest(home.db()), before);
    QCOMPARE(companies(), QStringList{QStringLiteral("现有")});
    QCOMPARE(replaced.count(), 0);
}

void TestMaintenance::restoreChecksDataBak_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty") << "empty" << false;
    QTest::newRow("random bytes") << "random" << false;
    QTest::newRow("plain SQLite") << "plain" << false;
    QTest::newRow("another key") << "otherKey" << false;
    QTest::newRow("truncated copy") << "truncated" << false;
    QTest::newRow("a table missing") << "missingTable" << false;
    QTest::newRow("columns reordered") << "reordered" << false;
    QTest::newRow("no settings row") << "noSettings" << false;
    QTest::newRow("valid") << "valid" << true;
}

void TestMaintenance::restoreChecksDataBak() {
    QFETCH(QString, kind);
    QFETCH(bool, accepted);
    TempHome home(TempHome::Demo);
    QVERIFY(home.ok());
    const QStringList listed = entries(home.path());
    FakeClock clock;
    FakePrompt prompt;
    const QString bak = Maintenance::restoreSourcePath();
    QDir().mkpath(Maintenance::backupFolder());
    bool made = true;
    if (kind == QLatin1String("empty")) {
        made = writeFile(bak, {});
    } else if (kind == QLatin1String("random")) {
        QByteArray bytes(64 * 1024, Qt::Uninitialized);
        QRandomGenerator gen(11);
        for (char& c : bytes)
            c = char(gen.bounded(256));
        made = writeFile(bak, bytes);
    } else if (kind == QLatin1String("plain")) {
        made = makeDatabase(bak, QByteArray(), Flaw::None);
    } else if (kind == QLatin1String("otherKey")) {
        made = makeDatabase(bak, QByteArrayLiteral("another-key"), Flaw::None);
    } else if (kind == QLatin1String("truncated")) {
        QFile f(home.db());
        made = f.open(QIODevice::ReadOnly) && writeFile(bak, f.readAll().left(int(f.size() / 2)));
    } else if (kind == QLatin1String("missingTable")) {
        made = makeDatabase(bak, key(), Flaw::MissingTable);
    } else if (kind == QLatin1String("reordered")) {
        made = makeDatabase(bak, key(), Flaw::ColumnsReordered);
    } else if (kind == QLatin1String("noSettings")) {
        made = makeDatabase(bak, key(), Flaw::NoSettingsRow);
    } else {
        made = makeDatabase(bak, key(), Flaw::None);
    }
    QVERIFY(made);
    QCOMPARE(companies().size(), 20);
    const QByteArray before = digest(home.db());
    const QByteArray bakBefore = digest(bak);

    trigger("mnuRestore");
    QCOMPARE(digest(bak), bakBefore);
    if (accepted) {
        QCOMPARE(prompt.texts(), (QStringList{kQuestion, kDone}));
        QCOMPARE(companies(), QStringList{QStringLiteral("备份企业")});
        QCOMPARE(AppSettings.Password, QStringLiteral("from-backup"));
    } else {
        // Refused before the question, with the reason, the file untouched.
        QCOMPARE(prompt.texts().size(), 1);
        QCOMPARE(prompt.last()->caption, QStringLiteral("恢复失败"));
        QCOMPARE(prompt.last()->icon, Prompt::Icon::Warning);
        QVERIFY2(prompt.last()->text.contains(QStringLiteral("数据库没有改动")),
                 qPrintable(prompt.last()->text));
        QCOMPARE(digest(home.db()), before);
        QCOMPARE(companies().size(), 20);
    }
    QCOMPARE(entries(home.path()), plus(listed, QStringLiteral("backup")));
}

void TestMaintenance::compactShrinksAndLaterWritesLast_data() {
    QTest::addColumn<QString>("stale");
    QTest::newRow("no db.tmp") << QString();
    QTest::newRow("stale db.tmp") << "db.tmp";
    QTest::newRow("stale db.tmp journal") << "db.tmp-journal";
}

void TestMaintenance::compactShrinksAndLaterWritesLast() {
    QFETCH(QString, stale);
    TempHome home(TempHome::Demo);
    QVERIFY(home.ok());
    const QStringList listed = entries(home.path());
    FakeClock clock;
    FakePrompt prompt;
    QVERIFY(addCompany(QStringLiteral("A")) > 0); // key 21
    QVERIFY(home.raw(QStringLiteral(
        "DELETE FROM [拜访]; DELETE FROM [联系人]; DELETE FROM [企业] WHERE [企业编号]<>21;")));
    QVERIFY(home.raw(QStringLiteral("UPDATE [参数设置] SET [密码]='kept';")));
    if (!stale.isEmpty())
        QVERIFY(writeFile(home.file(stale), QByteArray(5000, 'x')));
    Database::closeShared();
    const qint64 sizeBefore = QFileInfo(home.db()).size();
    QSignalSpy replaced(Maintenance::notifier(), &Maintenance::Notifier::databaseReplaced);
    ProgressWatch watch;

    trigger("mnuCompDB");
    QCOMPARE(prompt.texts(), QStringList{kDone});
    QVERIFY(watch.shown >= 1);
    QVERIFY(!ProgressWatch::anyVisible());
    QCOMPARE(replaced.count(), 1);
    QCOMPARE(entries(home.path()), listed);
    QVERIFY2(QFileInfo(home.db()).size() < sizeBefore,
             qPrintable(QStringLiteral("%1 → %2").arg(sizeBefore).arg(QFileInfo(home.db()).size())));
    QString why;
    QVERIFY2(Maintenance::checkDatabase(home.db(), &why), qPrintable(why));
    QCOMPARE(companies(), QStringList{QStringLiteral("A")});
    QCOMPARE(AppSettings.Password, QStringLiteral("kept"));

    // The numbering goes on after the highest key ever given, as before the compaction.
    QCOMPARE(addCompany(QStringLiteral("C")), qlonglong(22));
    Database::closeShared();
    QCOMPARE(companies(), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
}

void TestMaintenance::fullDiskLeavesEverythingAsItWas_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("lead");
    QTest::newRow("backup") << "mnuBackup"
                            << "备份失败：";
    QTest::newRow("restore") << "mnuRestore"
                             << "恢复失败：";
    QTest::newRow("compact") << "mnuCompDB"
                             << "压缩失败：";
}

void TestMaintenance::fullDiskLeavesEverythingAsItWas() {
    QFETCH(QString, command);
    QFETCH(QString, lead);
    TempHome home(TempHome::Demo);
    QVERIFY(home.ok());
    const QStringList listed = entries(home.path());
    FakeClock clock;
    FakePrompt prompt;
    // The day's earlier backup, and a data.bak that differs from Tobrin.dat.
    trigger("mnuBackup");
    QVERIFY(QFile::copy(Maintenance::datedBackupPath(), Maintenance::restoreSourcePath()));
    QVERIFY(addCompany(QStringLiteral("备份之后")) > 0);
    Database::closeShared();
    prompt.clear();
    const QByteArray before = digest(home.db());
    const QByteArray datedBefore = digest(Maintenance::datedBackupPath());
    const QStringList backupFiles = entries(Maintenance::backupFolder());
    QSignalSpy replaced(Maintenance::notifier(), &Maintenance::Notifier::databaseReplaced);

    {
        FileSizeLimit limit(rlim_t(QFileInfo(home.db()).size() / 2));
        QVERIFY(limit.ok());
        trigger(command.toLatin1().constData());
    }
    const QStringList texts = prompt.texts();
    QVERIFY(!texts.contains(kDone));
    QVERIFY2(texts.last().startsWith(lead), qPrintable(texts.last()));
    if (command != QLatin1String("mnuBackup"))
        QVERIFY(texts.last().endsWith(QStringLiteral("数据库没有改动。")));
    QCOMPARE(digest(home.db()), before);
    QCOMPARE(digest(Maintenance::datedBackupPath()), datedBefore);
    QCOMPARE(entries(Maintenance::backupFolder()), backupFiles);
    QCOMPARE(entries(home.path()), plus(listed, QStringLiteral("backup")));
    QCOMPARE(replaced.count(), 0);
    // The program goes on with its file.
    QVERIFY(companies().contains(QStringLiteral("备份之后")));
    QVERIFY(addCompany(QStringLiteral("再加")) > 0);
}

void TestMaintenance::damagedDataBakInOneLine_data() {
    QTest::addColumn<int>("orphans");
    QTest::addColumn<QString>("count");
    QTest::newRow("one problem") << 1 << "共 1 处问题";
    QTest::newRow("three problems") << 3 << "共 3 处问题";
    QTest::newRow("more than the check lists") << 150 << "至少 100 处问题";
}

void TestMaintenance::damagedDataBakInOneLine() {
    QFETCH(int, orphans);
    QFETCH(QString, count);
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock;
    FakePrompt prompt;
    const QString bak = Maintenance::restoreSourcePath();
    QVERIFY(makeDatabase(bak, key(), Flaw::None));
    QVERIFY(orphanPages(bak, orphans));
    const QByteArray before = digest(home.db());

    trigger("mnuRestore");
    QCOMPARE(prompt.texts().size(), 1);
    QCOMPARE(prompt.last()->caption, QStringLiteral("恢复失败"));
    const QStringList lines = prompt.last()->text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.last(), QStringLiteral("数据库没有改动。"));
    const QString line = lines.first();
    QVERIFY2(line.startsWith(QStringLiteral("备份数据不能用来恢复：%1 已损坏：").arg(bak)), qPrintable(line));
    static const QRegularExpression problem(QStringLiteral("Page \\d+ is never used"));
    QCOMPARE(line.count(problem), 1);
    QVERIFY2(line.endsWith(QStringLiteral("（%1）").arg(count)), qPrintable(line));
    QCOMPARE(digest(home.db()), before);
}

void TestMaintenance::linkedDatabaseStaysLinked_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("restore") << "mnuRestore";
    QTest::newRow("compact") << "mnuCompDB";
}

void TestMaintenance::linkedDatabaseStaysLinked() {
    QFETCH(QString, command);
    TempHome home(TempHome::Demo);
    QVERIFY(home.ok());
    FakeClock clock;
    FakePrompt prompt;
    // Tobrin.dat is a link into a folder of its own, as on a synced or larger disk.
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    const QString real = elsewhere.filePath(QStringLiteral("real.dat"));
    QVERIFY(QFile::rename(home.db(), real));
    QVERIFY(QFile::link(real, home.db()));
    // Temporaries there: the one of the linked file is a leftover, the other file's is not ours.
    const QString stale = real + QStringLiteral(".tobrin-tmp-k3J9xQ");
    const QString foreign = elsewhere.filePath(QStringLiteral("other.dat.tobrin-tmp-k3J9xQ"));
    QVERIFY(writeFile(stale, QByteArray(5000, 'x')) && writeFile(foreign, "y"));

    QStringList expected;
    if (command == QLatin1String("mnuRestore")) {
        QVERIFY(makeDatabase(Maintenance::restoreSourcePath(), key(), Flaw::None));
        expected = QStringList{QStringLiteral("备份企业")};
    } else {
        QVERIFY(home.raw(QStringLiteral("DELETE FROM [拜访]; DELETE FROM [联系人]; DELETE FROM [企业] WHERE "
                                        "[企业编号]<>1;")));
        expected = companiesIn(real);
        QCOMPARE(expected.size(), 1);
    }
    Database::closeShared();
    const QStringList listed = entries(home.path());
    const qint64 sizeBefore = QFileInfo(real).size();

    trigger(command.toLatin1().constData());
    QCOMPARE(prompt.texts().last(), kDone);
    QVERIFY(QFileInfo(home.db()).isSymLink());
    QCOMPARE(QFileInfo(home.db()).symLinkTarget(), real);
    QCOMPARE(companiesIn(real), expected);
    if (command == QLatin1String("mnuCompDB"))
        QVERIFY(QFileInfo(real).size() < sizeBefore);
    QCOMPARE(entries(elsewhere.path()),
             (QStringList{QStringLiteral("other.dat.tobrin-tmp-k3J9xQ"), QStringLiteral("real.dat")}));
    QCOMPARE(entries(home.path()), listed);

    // Later saves reach the target too.
    QVERIFY(addCompany(QStringLiteral("之后")) > 0);
    Database::closeShared();
    QCOMPARE(companiesIn(real), expected + QStringList{QStringLiteral("之后")});
}

void TestMaintenance::staleTemporariesGoFirst_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("backup") << "mnuBackup";
    QTest::newRow("restore") << "mnuRestore";
    QTest::newRow("compact") << "mnuCompDB";
}

void TestMaintenance::staleTemporariesGoFirst() {
    QFETCH(QString, command);
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(QDate(2026, 3, 5), QTime(10, 0)));
    FakePrompt prompt;
    QVERIFY(makeDatabase(Maintenance::restoreSourcePath(), key(), Flaw::None));
    // Left by a copy that crashed in the middle of a backup and of a restore.
    const QStringList stale = {QStringLiteral("Tobrin.dat.tobrin-tmp-a1B2c3"),
                               QStringLiteral("Tobrin.dat.tobrin-tmp-a1B2c3-journal"),
                               QStringLiteral("backup/2026-03-04.bak.tobrin-tmp-Zz9Yy8"),
                               QStringLiteral("backup/2026-03-04.bak.tobrin-tmp-Zz9Yy8-journal")};
    const QStringList kept = {QStringLiteral("backup/2026-03-04.bak"), QStringLiteral("Tobrin.dat.old"),
                              QStringLiteral("backup/notes.tobrin-tmp-list.txt")};
    for (const QString& name : stale + kept)
        QVERIFY(writeFile(home.file(name), QByteArray(5000, 'x')));

    trigger(command.toLatin1().constData());
    QCOMPARE(prompt.texts().last(), kDone);
    for (const QString& name : stale)
        QVERIFY2(!QFileInfo::exists(home.file(name)), qPrintable(name));
    for (const QString& name : kept)
        QVERIFY2(QFileInfo::exists(home.file(name)), qPrintable(name));
}

QTEST_MAIN(TestMaintenance)
#include "test_maintenance.moc"
