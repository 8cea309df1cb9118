#include "core/Database.h"
#include "core/JetSql.h"
#include "core/Schema.h"
#include "core/modDBCommand.h"
#include "tests/support/TempHome.h"

#include <QCryptographicHash>
#include <QFile>
#include <QtTest>

namespace {
QByteArray digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

RecordsetPtr query(const QString& sql, QString* message = nullptr) {
    QString m;
    auto rs = ExecuteSql(sql, m);
    if (message)
        *message = m;
    return rs;
}

// Adds a company with the four required fields and returns its key.
qlonglong addCompany(const QString& name) {
    auto rs = query(QStringLiteral("select * from [企业] where [企业编号]=0"));
    if (!rs)
        return -1;
    rs->AddNew();
    rs->SetValue(QStringLiteral("企业名称"), name);
    rs->SetValue(QStringLiteral("名称首拼"), QStringLiteral("X"));
    rs->SetValue(QStringLiteral("企业性质"), QStringLiteral("国有企业"));
    rs->SetValue(QStringLiteral("企业行业"), QStringLiteral("软件"));
    if (!rs->Update())
        return -1;
    return rs->Value(0).toLongLong();
}
} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void schemaColumnsInOrder();
    void messageForms_data();
    void messageForms();
    void unreadableFileLeftUntouched_data();
    void unreadableFileLeftUntouched();
    void addUpdateDelete();
    void requiredOnlyCompanyHasNulls();
    void hostileTextRoundTrip_data();
    void hostileTextRoundTrip();
    void refusedWriteChangesNothing();
    void rowDeletedBehindRecordset();
    void committedWriteWithoutReread();
    void dateLiteralsAndLike();
    void singleStatementOnly();
    void connectionClosedUnderRecordset();
};

void TestDatabase::schemaColumnsInOrder() {
    TempHome home;
    QVERIFY(home.ok());
    for (const Schema::Table& t : Schema::tables()) {
        QString m;
        auto rs = ExecuteSql(QStringLiteral("select * from [%1]").arg(t.name), m);
        QVERIFY2(rs, qPrintable(m));
        QCOMPARE(rs->FieldNames(), Schema::columnNames(t.name));
    }
    QCOMPARE(Schema::columnNames(QStringLiteral("企业")).size(), 11);
    QCOMPARE(Schema::columnNames(QStringLiteral("联系人")).size(), 25);
    QCOMPARE(Schema::columnNames(QStringLiteral("联系人")).at(13), QStringLiteral("\uFF29\uFF2D通讯"));
    QCOMPARE(Schema::columnNames(QStringLiteral("拜访")).size(), 17);
    auto settings = query(QStringLiteral("select * from [参数设置]"));
    QCOMPARE(settings->RecordCount(), 1);
}

void TestDatabase::messageForms_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("recordset");
    QTest::newRow("empty company set") << "select * from [企业] where [企业编号]=0"
                                       << "查询到0 条记录 " << true;
    QTest::newRow("leading space is still a query") << "  select * from [企业性质]  "
                                                    << "查询到6 条记录 " << true;
    QTest::newRow("delete in mixed case") << "DeLeTe from [企业性质] where [性质编号]=-5"
                                          << "DeLeTe query successful" << false;
    QTest::newRow("update command") << "update [企业性质] set [性质名称]='x' where [性质编号]=-5"
                                    << "update query successful" << false;
    QTest::newRow("misspelt table") << "select * from [企叶]"
                                    << "查询错误: no such table: 企叶" << false;
    QTest::newRow("unknown column") << "select [无此列] from [企业]"
                                    << "查询错误: no such column: 无此列" << false;
    QTest::newRow("command word inside another word is a query") << "selectupdate"
                                                                 << "查询错误: " << false;
}

void TestDatabase::messageForms() {
    QFETCH(QString, sql);
    QFETCH(QString, message);
    QFETCH(bool, recordset);
    TempHome home;
    QVERIFY(home.ok());
    QString m = QStringLiteral("stale");
    auto rs = ExecuteSql(sql, m);
    QVERIFY2(m.startsWith(message), qPrintable(m));
    QCOMPARE(bool(rs), recordset);
    if (message.startsWith(QStringLiteral("查询错误")))
        QVERIFY(IsSqlError(m));
}

void TestDatabase::unreadableFileLeftUntouched_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("random bytes") << "random";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("other key") << "otherkey";
    QTest::newRow("settings table missing") << "notable";
}

void TestDatabase::unreadableFileLeftUntouched() {
    QFETCH(QString, kind);
    TempHome home;
    QVERIFY(home.ok());
    if (kind == "missing") {
        QFile::remove(home.db());
    } else if (kind == "random" || kind == "empty") {
        QFile f(home.db());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        if (kind == "random")
            for (int i = 0; i < 8192; ++i)
                f.putChar(char((i * 7919) ^ (i >> 3)));
    } else if (kind == "otherkey") {
        QString e;
        auto db = SqlCipher::open(home.db(), "wrong", false, &e);
        QVERIFY(!db);
        QFile::remove(home.db());
        auto other = SqlCipher::open(home.db(), "another", true, &e);
        QVERIFY(other);
        QVERIFY(SqlCipher::exec(other.get(), "CREATE TABLE t(x);", &e));
    } else if (kind == "notable") {
        QVERIFY(home.raw(QStringLiteral("DROP TABLE [参数设置];")));
    }
    const bool existed = QFile::exists(home.db());
    const QByteArray before = digest(home.db());
    QString m;
    auto rs = ExecuteSql(QStringLiteral("select * from [参数设置]"), m);
    QVERIFY(!rs);
    QVERIFY2(m.startsWith(QStringLiteral("查询错误: ")), qPrintable(m));
    QCOMPARE(QFile::exists(home.db()), existed);
    QCOMPARE(digest(home.db()), before);
}

void TestDatabase::addUpdateDelete() {
    TempHome home;
    QVERIFY(home.ok());
    const qlonglong a = addCompany(QStringLiteral("甲公司"));
    const qlonglong b = addCompany(QStringLiteral("乙公司"));
    QVERIFY(a >= 1);
    QVERIFY(b > a);

    auto rs = query(QStringLiteral("select * from [企业] where [企业编号]=%1").arg(a));
    QCOMPARE(rs->RecordCount(), 1);
    QVERIFY(rs->SetValue(QStringLiteral("企业地址"), QStringLiteral("人民路1号")));
    QVERIFY(rs->Update());
    rs = query(QStringLiteral("select * from [企业] where [企业编号]=%1").arg(a));
    QCOMPARE(rs->Value(QStringLiteral("企业地址")).toString(), QStringLiteral("人民路1号"));
    QVERIFY(rs->Delete());
    QCOMPARE(query(QStringLiteral("select * from [企业]"))->RecordCount(), 1);
    // Keys are never reused.
    QVERIFY(addCompany(QStringLiteral("丙公司")) > b);
}

void TestDatabase::requiredOnlyCompanyHasNulls() {
    TempHome home;
    QVERIFY(home.ok());
    const qlonglong id = addCompany(QStringLiteral("甲"));
    auto rs = query(QStringLiteral("select * from [企业] where [企业编号]=%1").arg(id));
    for (int i = 5; i <= 10; ++i)
        QVERIFY2(rs->Value(i).isNull(), qPrintable(rs->FieldName(i)));
}

void TestDatabase::hostileTextRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("single quote") << "O'Brien's";
    QTest::newRow("percent and underscore") << "100%_off";
    QTest::newRow("double quote and semicolon") << "a\";drop table [企业];--";
    QTest::newRow("brackets") << "[企业] #2020-1-1#";
    QTest::newRow("emoji") << "笑😀脸";
    QTest::newRow("backslash") << "C:\\tmp\\x";
    QTest::newRow("ten thousand characters") << QString(10000, QChar(0x4E2D));
}

void TestDatabase::hostileTextRoundTrip() {
    QFETCH(QString, text);
    TempHome home;
    QVERIFY(home.ok());
    addCompany(QStringLiteral("无关公司"));
    const qlonglong id = addCompany(text);
    QVERIFY(id >= 1);
    // Exact match through the quoting helper.
    auto rs = query(QStringLiteral("select * from [企业] where [企业名称]=") + SqlQuote::text(text));
    QVERIFY(rs);
    QCOMPARE(rs->RecordCount(), 1);
    QCOMPARE(rs->Value(1).toString(), text);
    // Substring search finds it and nothing else.
    QString m;
    rs = ExecuteSql(QStringLiteral("select * from [企业] where [企业名称]") + SqlQuote::like(text.left(12)),
                    m);
    QVERIFY2(rs, qPrintable(m));
    QCOMPARE(rs->RecordCount(), 1);
    QCOMPARE(query(QStringLiteral("select * from [企业]"))->RecordCount(), 2);
}

void TestDatabase::refusedWriteChangesNothing() {
    TempHome home;
    QVERIFY(home.ok());
    const qlonglong id = addCompany(QStringLiteral("甲"));
    QVERIFY(home.raw(QStringLiteral(
        "CREATE TRIGGER no_update BEFORE UPDATE ON [企业] BEGIN SELECT RAISE(ABORT, '只读'); END;"
        "CREATE TRIGGER no_insert BEFORE INSERT ON [企业] BEGIN SELECT RAISE(ABORT, '只读'); END;"
        "CREATE TRIGGER no_delete BEFORE DELETE ON [企业] BEGIN SELECT RAISE(ABORT, '只读'); END;")));
    auto rs = query(QStringLiteral("select * from [企业] where [企业编号]=%1").arg(id));
    rs->SetValue(QStringLiteral("企业名称"), QStringLiteral("乙"));
    QVERIFY(!rs->Update());
    QVERIFY(rs->LastError().startsWith(QStringLiteral("查询错误: ")));
    QCOMPARE(rs->Value(1).toString(), QStringLiteral("甲"));
    QVERIFY(!rs->Delete());
    QCOMPARE(addCompany(QStringLiteral("丙")), -1);
    auto all = query(QStringLiteral("select * from [企业]"));
    QCOMPARE(all->RecordCount(), 1);
    QCOMPARE(all->Value(1).toString(), QStringLiteral("甲"));
}

void TestDatabase::rowDeletedBehindRecordset() {
    TempHome home;
    QVERIFY(home.ok());
    const qlonglong id = addCompany(QStringLiteral("甲"));
    auto rs = query(QStringLiteral("select * from [企业] where [企业编号]=%1").arg(id));
    QString m;
    ExecuteSql(QStringLiteral("delete from [企业] where [企业编号]=%1").arg(id), m);
    QCOMPARE(m, QStringLiteral("delete query successful"));
    rs->SetValue(QStringLiteral("企业名称"), QStringLiteral("乙"));
    QVERIFY(!rs->Update());
    QVERIFY(!rs->Delete());
    QCOMPARE(query(QStringLiteral("select * from [企业]"))->RecordCount(), 0);
}

// A trigger moves each written row to another key, so the write is committed but cannot be
// read back by its rowid: the write is still reported as done, and only once.
void TestDatabase::committedWriteWithoutReread() {
    TempHome home;
    QVERIFY(home.ok());
    const qlonglong id = addCompany(QStringLiteral("甲"));
    QVERIFY(home.raw(QStringLiteral(
        "CREATE TRIGGER moved_insert AFTER INSERT ON [企业] WHEN NEW.[企业编号] < 1000 BEGIN "
        "UPDATE [企业] SET [企业编号] = NEW.[企业编号] + 1000 WHERE [企业编号] = NEW.[企业编号]; END;"
        "CREATE TRIGGER moved_update AFTER UPDATE OF [企业地址] ON [企业] WHEN NEW.[企业编号] < 1000 BEGIN "
        "UPDATE [企业] SET [企业编号] = NEW.[企业编号] + 2000 WHERE [企业编号] = NEW.[企业编号]; END;")));

    auto add = query(QStringLiteral("select * from [企业] where [企业编号]=0"));
    add->AddNew();
    QVERIFY(add->SetValue(QStringLiteral("企业名称"), QStringLiteral("乙")));
    QVERIFY2(add->Update(), qPrintable(add->LastError()));
    QVERIFY(add->Stale());
    QCOMPARE(add->Value(QStringLiteral("企业名称")).toString(), QStringLiteral("乙"));

    auto edit = query(QStringLiteral("select * from [企业] where [企业编号]=%1").arg(id));
    QVERIFY(edit->SetValue(QStringLiteral("企业地址"), QStringLiteral("人民路1号")));
    QVERIFY2(edit->Update(), qPrintable(edit->LastError()));
    QVERIFY(edit->Stale());
    QCOMPARE(edit->Value(QStringLiteral("企业地址")).toString(), QStringLiteral("人民路1号"));
    QCOMPARE(edit->Value(QStringLiteral("企业名称")).toString(), QStringLiteral("甲"));

    auto all = query(QStringLiteral("select * from [企业] order by [企业名称]"));
    QCOMPARE(all->RecordCount(), 2);
    QCOMPARE(all->Rows()[0].value(1).toString(), QStringLiteral("乙"));
    QCOMPARE(all->Rows()[1].value(5).toString(), QStringLiteral("人民路1号"));

    // A write read back normally is not stale.
    edit = query(QStringLiteral("select * from [企业] where [企业名称]='乙'"));
    QVERIFY(edit->SetValue(QStringLiteral("企业名称"), QStringLiteral("丙")));
    QVERIFY(edit->Update());
    QVERIFY(!edit->Stale());
}

void TestDatabase::dateLiteralsAndLike() {
    TempHome home(TempHome::Base);
    QVERIFY(home.ok());
    auto rs = query(QStringLiteral("select * from [联系人] where [联系人编号]=0"));
    rs->AddNew();
    rs->SetValue(QStringLiteral("姓名"), QStringLiteral("张三"));
    rs->SetValue(QStringLiteral("生日"), QDate(1980, 5, 17));
    rs->SetValue(QStringLiteral("生日提醒"), QStringLiteral("提醒"));
    QVERIFY(rs->Update());
    QCOMPARE(rs->Value(QStringLiteral("生日")).toDate(), QDate(1980, 5, 17));
    QCOMPARE(query(QStringLiteral("select * from [联系人] where [生日]=#1980-5-17#"))->RecordCount(), 1);
    QCOMPARE(query(QStringLiteral("select * from [联系人] where [生日]>#1980-05-18#"))->RecordCount(), 0);
    QCOMPARE(query(QStringLiteral("select * from [联系人] where [姓名]='#1980-5-17#'"))->RecordCount(), 0);
    // Wildcards typed by the user match themselves.
    QCOMPARE(
        query(QStringLiteral("select * from [联系人] where [姓名]") + SqlQuote::like(QStringLiteral("_")))
            ->RecordCount(),
        0);
    QCOMPARE(
        query(QStringLiteral("select * from [联系人] where [姓名]") + SqlQuote::like(QStringLiteral("三")))
            ->RecordCount(),
        1);
    QCOMPARE(JetSql::translate(QStringLiteral("where [a]=#2026-8-1# and [b]='#x#'")),
             QStringLiteral("where [a]='2026-08-01' and [b]='#x#'"));
}

void TestDatabase::singleStatementOnly() {
    TempHome home;
    QVERIFY(home.ok());
    QString m;
    ExecuteSql(QStringLiteral("delete from [企业性质] where [性质编号]=1; delete from [企业行业]"), m);
    QVERIFY(IsSqlError(m));
    QCOMPARE(query(QStringLiteral("select * from [企业性质]"))->RecordCount(), 6);
    QCOMPARE(query(QStringLiteral("select * from [企业行业]"))->RecordCount(), 8);
}

void TestDatabase::connectionClosedUnderRecordset() {
    TempHome home;
    QVERIFY(home.ok());
    const qlonglong id = addCompany(QStringLiteral("甲"));
    auto rs = query(QStringLiteral("select * from [企业] where [企业编号]=%1").arg(id));
    Database::closeShared();
    rs->SetValue(QStringLiteral("企业名称"), QStringLiteral("乙"));
    QVERIFY(!rs->Update());
    QCOMPARE(query(QStringLiteral("select * from [企业]"))->Value(1).toString(), QStringLiteral("甲"));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
