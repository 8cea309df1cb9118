#include "app/Wiring.h"
#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "security/PasswordCodec.h"
#include "security/PasswordStore.h"
#include "security/ui/SecurityMenu.h"
#include "security/ui/frmJJM.h"
#include "security/ui/frmLogin.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "ui/main/Startup.h"
#include "ui/main/mdiTobrin.h"

#include <QApplication>
#include <QLineEdit>
#include <QLockFile>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QString Null = QStringLiteral("<null>");
const QString Cancel = QStringLiteral("<cancel>");
const QString WrongText = QStringLiteral("密码验证错误！");
const QString TooMany = QStringLiteral("你已经连续输入错误密码超过3次！\n为了系统安全现在退出！");
const QString FirstUse = QStringLiteral("你是第一次使用本系统，请输入管理密码！");
const QString FirstPrompt = QStringLiteral("请输入系统登陆密码:");
const QString AgainPrompt = QStringLiteral("请再次输入密码");

QString encoded(const QString& password) {
    return PasswordCodec::EncodePassword(password).text;
}

// The stored 密码 read back through the program's own connection; Null as "<null>".
QString storedPassword() {
    QString message;
    RecordsetPtr rs = ExecuteSql(QStringLiteral("select [密码] from [参数设置]"), message);
    if (IsSqlError(message) || !rs || rs->RecordCount() == 0)
        return QStringLiteral("<unreadable>");
    const QVariant v = rs->Value(0);
    return v.isNull() ? Null : v.toString();
}

// The whole settings row, every column, to show that nothing was written.
QVariantList settingsRow() {
    QString message;
    RecordsetPtr rs = ExecuteSql(QStringLiteral("select * from [参数设置]"), message);
    QVariantList out;
    if (IsSqlError(message) || !rs || rs->RecordCount() == 0)
        return {QStringLiteral("<unreadable>")};
    for (int i = 0; i < rs->FieldCount(); ++i)
        out << rs->Value(i);
    return out;
}

// How many updates of the settings row the fixture's trigger counted.
int updateCount() {
    QString message;
    RecordsetPtr rs = ExecuteSql(QStringLiteral("select [n] from [updates]"), message);
    return IsSqlError(message) || !rs ? -1 : rs->RecordCount();
}

// One program run: a fresh folder, scripted prompts, and the program's exit recorded instead
// of run.
struct Run {
    TempHome home;
    FakeClock clock;
    FakePrompt prompt;
    int exits = 0;
    int trays = 0;

    Run() {
        SetExitSystem([this] { ++exits; });
        AppSettings = AppSettingsRecord();
    }
    ~Run() {
        SetExitSystem({});
        if (frmLogin* l = frmLogin::Instance())
            delete l;
        if (mdiTobrin::exists())
            mdiTobrin::instance()->hide();
        ReleaseInstanceLock();
    }
    void setPassword(const QString& plain) {
        QVERIFY(home.raw("update [参数设置] set [密码]=" +
                         (plain == Null ? QStringLiteral("NULL")
                                        : "'" + (plain.isEmpty() ? plain : encoded(plain)) + "'")));
    }
    StartupHooks after() {
        StartupHooks h;
        h.loadTray = [this] { ++trays; };
        return h;
    }
    frmLogin* show() { return frmLogin::Show(after()); }
    static frmLogin* login() { return frmLogin::Instance(); }
    static QLineEdit* field() { return login()->findChild<QLineEdit*>(QStringLiteral("txtPassword")); }
    static void click(int index) {
        QTest::mouseClick(login()->findChild<QPushButton*>(QStringLiteral("cmdLogin_%1").arg(index)),
                          Qt::LeftButton);
    }
    void attempt(const QString& typed) {
        field()->setText(typed);
        click(0);
    }
    static bool loginGone() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return frmLogin::Instance() == nullptr;
    }
    static bool mainShown() { return mdiTobrin::exists() && mdiTobrin::instance()->isVisible(); }
};

} // namespace

class tst_frmLogin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The program wires its menu before start-up; the login's tray hook comes from that wiring.
    void initTestCase() { WireMainMenu(*mdiTobrin::instance()); }
    void firstPassword_data();
    void firstPassword();
    void attempts_data();
    void attempts();
    void leaving_data();
    void leaving();
    void unreadableSettings_data();
    void unreadableSettings();
    void databaseFailureCountsAsWrong();
    void startup_data();
    void startup();
    void programHooksBringUpTheTray();
    // Last: it runs the program's real exit, which closes every window.
    void exitBeforeMainLoopStillEnds();
};

void tst_frmLogin::firstPassword_data() {
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("refuseWrites");
    QTest::addColumn<QStringList>("inputs");   // the input boxes asked, in order
    QTest::addColumn<QStringList>("messages"); // the message boxes shown, in order
    QTest::addColumn<QString>("stored");       // plaintext now stored, or Null
    QTest::addColumn<int>("exits");

    const QString empty = QStringLiteral("密码不能为空，请重新输入！");
    const QString notGbk = PasswordStore::RefusalMessage(PasswordCodec::Status::NotGbk);
    const QString differ = QStringLiteral("两次输入的密码不一致，请重新输入。");
    const QString P = FirstPrompt;
    const QString A = AgainPrompt;
    QTest::newRow("typed twice alike") << Null << QStringList{"abc", "abc"} << false << QStringList{P, A}
                                       << QStringList{FirstUse} << "abc" << 0;
    QTest::newRow("cancel at the first prompt")
        << Null << QStringList{Cancel} << false << QStringList{P} << QStringList{FirstUse} << Null << 1;
    QTest::newRow("cancel at the second prompt") << Null << QStringList{"abc", Cancel} << false
                                                 << QStringList{P, A} << QStringList{FirstUse} << Null << 1;
    QTest::newRow("mismatch asks again from the first prompt")
        << Null << QStringList{"abc", "ABC", "xyz", "xyz"} << false << QStringList{P, A, P, A}
        << QStringList{FirstUse, differ} << "xyz" << 0;
    QTest::newRow("mismatch by a trailing space, then cancel")
        << Null << QStringList{"abc", "abc ", Cancel} << false << QStringList{P, A, P}
        << QStringList{FirstUse, differ} << Null << 1;
    QTest::newRow("empty asks again") << Null << QStringList{"", "abc", "abc"} << false
                                      << QStringList{P, P, A} << QStringList{FirstUse, empty} << "abc" << 0;
    QTest::newRow("empty then cancel") << Null << QStringList{"", Cancel} << false << QStringList{P, P}
                                       << QStringList{FirstUse, empty} << Null << 1;
    QTest::newRow("spaces kept as typed") << Null << QStringList{" a b ", " a b "} << false
                                          << QStringList{P, A} << QStringList{FirstUse} << " a b " << 0;
    QTest::newRow("stored empty text counts as none")
        << "" << QStringList{"abc", "abc"} << false << QStringList{P, A} << QStringList{FirstUse} << "abc"
        << 0;
    // Refused before the confirmation, so an unusable password is not typed twice.
    QTest::newRow("not GBK asks again")
        << Null << QStringList{"pw\U0001F600", "abc", "abc"} << false << QStringList{P, P, A}
        << QStringList{FirstUse, notGbk} << "abc" << 0;
    QTest::newRow("write fails") << Null << QStringList{"abc", "abc"} << true << QStringList{P, A}
                                 << QStringList{FirstUse, "<error>"} << Null << 1;
}

void tst_frmLogin::firstPassword() {
    QFETCH(QString, initial);
    QFETCH(QStringList, answers);
    QFETCH(bool, refuseWrites);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, messages);
    QFETCH(QString, stored);
    QFETCH(int, exits);
    Run run;
    QVERIFY(run.home.ok());
    run.setPassword(initial);
    if (refuseWrites)
        QVERIFY(run.home.raw(
            "CREATE TRIGGER refuse BEFORE UPDATE ON [参数设置] BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    // Every update of the settings row leaves a mark, so a write on a path that retries shows.
    QVERIFY(run.home.raw("CREATE TABLE updates (n INTEGER)"));
    QVERIFY(run.home.raw(
        "CREATE TRIGGER counted AFTER UPDATE ON [参数设置] BEGIN INSERT INTO updates VALUES (1); END"));
    const QVariantList before = settingsRow();
    for (const QString& a : answers)
        run.prompt.input(a == Cancel ? std::nullopt : std::optional<QString>(a));

    frmLogin* login = run.show();

    QVERIFY(run.prompt.allUsed());
    QStringList asked;
    for (const auto& r : run.prompt.records)
        if (r.kind == FakePrompt::Record::Input) {
            asked << r.text;
            QVERIFY2(r.password, qPrintable(r.text + " is not masked"));
            QCOMPARE(r.caption, QStringLiteral("设置登陆密码"));
        }
    QCOMPARE(asked, inputs);
    QStringList seen = run.prompt.texts();
    if (refuseWrites) {
        QCOMPARE(run.prompt.last()->caption, QStringLiteral("错误"));
        QVERIFY2(seen.last().contains("refused"), qPrintable(seen.last()));
        seen.last() = "<error>";
    }
    QCOMPARE(seen, messages);
    QCOMPARE(run.prompt.messages().first().caption, QStringLiteral("信息"));
    QCOMPARE(run.prompt.messages().first().icon, Prompt::Icon::Information);
    QCOMPARE(run.exits, exits);
    QCOMPARE(storedPassword(), stored == Null ? Null : encoded(stored));
    QCOMPARE(updateCount(), stored == Null ? 0 : 1);
    QVERIFY(!Run::mainShown());
    if (exits) {
        QCOMPARE(settingsRow(), before);
        QVERIFY(!login);
        QVERIFY(Run::loginGone());
        QCOMPARE(AppSettings.Password, QString());
        return;
    }
    // The login waits for the password just set, and takes it.
    QVERIFY(login && login->isVisible());
    QCOMPARE(AppSettings.Password, encoded(stored));
    run.attempt(stored);
    QVERIFY(Run::mainShown());
    QCOMPARE(run.trays, 1);
    QVERIFY(Run::loginGone());
}

void tst_frmLogin::attempts_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<int>("wrongMessages");
    QTest::addColumn<int>("exits");
    QTest::newRow("three wrong then exit on the fourth")
        << QStringList{"a", "b", "c", "d"} << false << 4 << 1;
    QTest::newRow("three wrong are forgiven") << QStringList{"a", "b", "c"} << false << 3 << 0;
    QTest::newRow("right after two wrong") << QStringList{"a", "b", "secret"} << true << 2 << 0;
    QTest::newRow("right after three wrong") << QStringList{"a", "b", "c", "secret"} << true << 3 << 0;
    QTest::newRow("trailing space is wrong") << QStringList{"secret "} << false << 1 << 0;
    QTest::newRow("case matters") << QStringList{"Secret"} << false << 1 << 0;
    QTest::newRow("empty field is not an attempt")
        << QStringList{"", "a", "", "b", "c", "", "secret"} << true << 3 << 0;
}

void tst_frmLogin::attempts() {
    QFETCH(QStringList, typed);
    QFETCH(bool, loggedIn);
    QFETCH(int, wrongMessages);
    QFETCH(int, exits);
    Run run;
    run.setPassword("secret");
    QVERIFY(run.show());
    QVERIFY(run.prompt.records.isEmpty()); // a password is set: no first-use prompt

    for (const QString& t : typed) {
        QVERIFY(!Run::loginGone());
        run.attempt(t);
        if (!loggedIn && !exits) {
            QCOMPARE(Run::field()->text(), t); // kept for correcting
            QCOMPARE(Run::login()->focusWidget(), Run::field());
        }
    }
    QStringList expected;
    for (int i = 0; i < wrongMessages; ++i)
        expected << WrongText;
    if (exits)
        expected << TooMany;
    QCOMPARE(run.prompt.texts(), expected);
    for (const auto& m : run.prompt.messages())
        QCOMPARE(m.icon, Prompt::Icon::Warning);
    if (exits)
        QCOMPARE(run.prompt.last()->caption, QStringLiteral("信息"));
    else if (wrongMessages)
        QCOMPARE(run.prompt.last()->caption, QStringLiteral("错误"));
    QCOMPARE(run.exits, exits);
    QCOMPARE(Run::mainShown(), loggedIn);
    QCOMPARE(run.trays, loggedIn ? 1 : 0);
    QCOMPARE(Run::loginGone(), loggedIn || exits);
    if (!loggedIn && !exits)
        QCOMPARE(Run::login()->WrongCount(), wrongMessages);
    QCOMPARE(storedPassword(), encoded("secret"));
}

void tst_frmLogin::leaving_data() {
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("退出系统") << false;
    QTest::newRow("close box") << true;
}

void tst_frmLogin::leaving() {
    QFETCH(bool, closeBox);
    Run run;
    run.setPassword("secret");
    QVERIFY(run.show());
    Run::field()->setText("secret"); // even with the right password typed
    if (closeBox)
        QVERIFY(Run::login()->close());
    else
        Run::click(1);
    QCOMPARE(run.exits, 1);
    QVERIFY(Run::loginGone());
    QVERIFY(!Run::mainShown());
    QCOMPARE(run.trays, 0);
    QVERIFY(run.prompt.records.isEmpty());
}

void tst_frmLogin::unreadableSettings_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("message");
    QTest::newRow("settings row missing") << "DELETE FROM [参数设置]" << PasswordStore::MissingRowMessage();
    QTest::newRow("settings table missing") << "DROP TABLE [参数设置]"
                                            << "查询错误";
}

void tst_frmLogin::unreadableSettings() {
    QFETCH(QString, fixture);
    QFETCH(QString, message);
    Run run;
    QVERIFY(run.home.raw(fixture));
    QVERIFY(!run.show());
    QCOMPARE(run.prompt.records.size(), 1); // no first-use prompt over a missing row
    QCOMPARE(run.prompt.last()->caption, QStringLiteral("错误"));
    QCOMPARE(run.prompt.last()->icon, Prompt::Icon::Warning);
    QVERIFY2(run.prompt.last()->text.contains(message), qPrintable(run.prompt.last()->text));
    QCOMPARE(run.exits, 1);
    QVERIFY(Run::loginGone());
}

void tst_frmLogin::databaseFailureCountsAsWrong() {
    Run run;
    run.setPassword("secret");
    QVERIFY(run.show());
    QVERIFY(run.home.raw("DELETE FROM [参数设置]"));
    run.attempt("secret");
    QCOMPARE(run.prompt.texts(), (QStringList{PasswordStore::MissingRowMessage(), WrongText}));
    QCOMPARE(Run::login()->WrongCount(), 1);
    QVERIFY(!Run::mainShown());
    QCOMPARE(run.exits, 0);
}

void tst_frmLogin::startup_data() {
    QTest::addColumn<bool>("autoStart");
    QTest::addColumn<QString>("typed"); // "" = 退出系统
    QTest::newRow("login, right password") << false << "secret";
    QTest::newRow("login, exit") << false << "";
    QTest::newRow("auto start skips the login") << true << "";
}

void tst_frmLogin::startup() {
    QFETCH(bool, autoStart);
    QFETCH(QString, typed);
    Run run;
    run.setPassword("secret");
    if (autoStart)
        QVERIFY(run.home.raw("update [参数设置] set [自动运行]=1"));
    StartupHooks hooks = run.after();
    AddSecurityHooks(hooks);
    frmJJM::Unload();

    QCOMPARE(Startup({"tobrin", "--home", run.home.path()}, "/x", hooks), StartupResult::Running);
    QVERIFY(frmJJM::Instance());
    QVERIFY(!frmJJM::Instance()->isVisible());
    QVERIFY(run.prompt.records.isEmpty());
    if (autoStart) {
        QVERIFY(!frmLogin::Instance());
        QVERIFY(Run::mainShown());
        QCOMPARE(run.trays, 1);
        return;
    }
    QVERIFY(frmLogin::Instance() && frmLogin::Instance()->isVisible());
    QCOMPARE(Run::login()->focusWidget(), Run::field());
    QCOMPARE(Run::field()->echoMode(), QLineEdit::Password);
    QVERIFY(!Run::mainShown());
    QCOMPARE(run.trays, 0);
    QLockFile other(run.home.file(".tobrin.lock"));
    QVERIFY(!other.tryLock(0));

    if (typed.isEmpty())
        Run::click(1);
    else
        run.attempt(typed);
    QVERIFY(Run::loginGone());
    QCOMPARE(Run::mainShown(), !typed.isEmpty());
    QCOMPARE(run.trays, typed.isEmpty() ? 0 : 1);
    QCOMPARE(run.exits, typed.isEmpty() ? 1 : 0);
    // Only the exit lets the next start take the lock.
    QCOMPARE(other.tryLock(0), typed.isEmpty());
}

void tst_frmLogin::programHooksBringUpTheTray() {
    const auto tray = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("frmSystray"))
                return w;
        return static_cast<QWidget*>(nullptr);
    };
    if (!ProgramHooks().loadTray)
        QSKIP("built without the tray");
    QVERIFY(!tray());
    Run run;
    run.setPassword("secret");
    QCOMPARE(Startup({"tobrin", "--home", run.home.path()}, "/x", ProgramHooks()), StartupResult::Running);
    QVERIFY(frmLogin::Instance());
    QVERIFY(!tray());
    run.attempt("secret");
    QVERIFY(Run::mainShown());
    QVERIFY(tray());
    delete tray();
}

void tst_frmLogin::exitBeforeMainLoopStillEnds() {
    Run run;
    run.setPassword(Null);
    run.prompt.input(std::nullopt);
    SetExitSystem({}); // the program's own exit
    QVERIFY(!run.show());
    bool timedOut = false;
    QTimer::singleShot(5000, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!timedOut);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
}

QTEST_MAIN(tst_frmLogin)
#include "tst_frmLogin.moc"
