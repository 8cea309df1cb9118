#include "app/Wiring.h"
#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "security/PasswordCodec.h"
#include "security/PasswordStore.h"
#include "security/ui/frmEditPassword.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "ui/main/mdiTobrin.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString Null = QStringLiteral("<null>");

QString encoded(const QString& password) {
    return PasswordCodec::EncodePassword(password).text;
}

QString storedPassword() {
    QString message;
    RecordsetPtr rs = ExecuteSql(QStringLiteral("select [密码] from [参数设置]"), message);
    if (IsSqlError(message) || !rs || rs->RecordCount() == 0)
        return QStringLiteral("<unreadable>");
    const QVariant v = rs->Value(0);
    return v.isNull() ? Null : v.toString();
}

struct Outcome {
    bool opened = false;
    bool stillOpen = false;
    int result = -1;
};

// Opens the dialog from the menu, types the three fields and clicks the button.
struct Session {
    TempHome home;
    FakePrompt prompt;

    explicit Session(const QString& password) {
        if (password != Null)
            home.raw("update [参数设置] set [密码]='" + (password.isEmpty() ? password : encoded(password)) +
                     "'");
        LoadAppSettings();
    }
    Outcome change(const QString& oldText, const QString& newText, const QString& confirm,
                   const char* button = "cmdSave") {
        Outcome out;
        prompt.onDialog([&](QDialog& d) {
            out.opened = d.objectName() == QStringLiteral("frmEditPassword");
            const QString texts[3] = {oldText, newText, confirm};
            for (int i = 0; i < 3; ++i) {
                auto* field = d.findChild<QLineEdit*>(QStringLiteral("txtPassword_%1").arg(i));
                QVERIFY(field);
                field->setText(texts[i]);
            }
            QTest::mouseClick(d.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
            out.stillOpen = d.isVisible();
            out.result = d.result();
        });
        QAction* item = mdiTobrin::instance()->action(QStringLiteral("mnuPasswordEdit"));
        item->trigger();
        return out;
    }
    QString errorText() const {
        const auto m = prompt.messages();
        return m.isEmpty() ? QString() : m.last().text;
    }
};

} // namespace

class tst_frmEditPassword : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { WireMainMenu(*mdiTobrin::instance()); }
    void change_data();
    void change();
    void saveFails_data();
    void saveFails();
    void cancelChangesNothing();
    void showPasswordTick();
};

void tst_frmEditPassword::change_data() {
    QTest::addColumn<QString>("stored"); // plaintext, "" or Null
    QTest::addColumn<QString>("oldText");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::addColumn<QString>("nowStored");

    const QString fill = QStringLiteral("请先填写完毕再确认修改！");
    const QString differ = QStringLiteral("确认密码和新的密码不一致！");
    const QString wrongOld = QStringLiteral("旧的密码输入不正确！");
    const QString notGbk = PasswordStore::RefusalMessage(PasswordCodec::Status::NotGbk);
    QTest::newRow("saved") << "old"
                           << "old"
                           << "new1"
                           << "new1"
                           << ""
                           << "new1";
    QTest::newRow("new fields trimmed") << "old"
                                        << "old"
                                        << "  new1 "
                                        << " new1"
                                        << ""
                                        << "new1";
    QTest::newRow("Chinese new password") << "old"
                                          << "old"
                                          << "新密码"
                                          << "新密码"
                                          << ""
                                          << "新密码";
    QTest::newRow("old compared as typed") << " old"
                                           << " old"
                                           << "new1"
                                           << "new1"
                                           << ""
                                           << "new1";
    QTest::newRow("old not trimmed to match") << "old"
                                              << "old "
                                              << "new1"
                                              << "new1" << wrongOld << "old";
    QTest::newRow("wrong old") << "old"
                               << "x"
                               << "new1"
                               << "new1" << wrongOld << "old";
    QTest::newRow("empty new") << "old"
                               << "old"
                               << ""
                               << "new1" << fill << "old";
    QTest::newRow("spaces only count as empty") << "old"
                                                << "old"
                                                << "   "
                                                << "   " << fill << "old";
    QTest::newRow("empty old with a password set") << "old"
                                                   << ""
                                                   << "new1"
                                                   << "new1" << fill << "old";
    QTest::newRow("confirmation differs in case") << "old"
                                                  << "old"
                                                  << "New1"
                                                  << "new1" << differ << "old";
    QTest::newRow("no password yet: empty old") << Null << ""
                                                << "new1"
                                                << "new1"
                                                << ""
                                                << "new1";
    QTest::newRow("stored empty text: empty old") << ""
                                                  << ""
                                                  << "new1"
                                                  << "new1"
                                                  << ""
                                                  << "new1";
    QTest::newRow("no password yet: typed old") << Null << "old"
                                                << "new1"
                                                << "new1" << wrongOld << Null;
    QTest::newRow("new not GBK") << "old"
                                 << "old"
                                 << "pw\U0001F600"
                                 << "pw\U0001F600" << notGbk << "old";
}

void tst_frmEditPassword::change() {
    QFETCH(QString, stored);
    QFETCH(QString, oldText);
    QFETCH(QString, newText);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QFETCH(QString, nowStored);
    Session s(stored);
    const QString before = AppSettings.Password;

    const Outcome out = s.change(oldText, newText, confirm);

    QVERIFY(out.opened);
    const QString expected = nowStored == Null ? Null : encoded(nowStored);
    QCOMPARE(storedPassword(), expected);
    if (message.isEmpty()) {
        QVERIFY(s.prompt.messages().isEmpty());
        QVERIFY(!out.stillOpen);
        QCOMPARE(out.result, int(QDialog::Accepted));
        QCOMPARE(AppSettings.Password, expected);
    } else {
        QCOMPARE(s.prompt.messages().size(), 1);
        QCOMPARE(s.errorText(), message);
        QCOMPARE(s.prompt.last()->caption, QStringLiteral("错误"));
        QCOMPARE(s.prompt.last()->icon, Prompt::Icon::Warning);
        QVERIFY(out.stillOpen);
        QCOMPARE(AppSettings.Password, before);
    }
}

void tst_frmEditPassword::saveFails_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("message");
    QTest::newRow("write refused")
        << "CREATE TRIGGER refuse BEFORE UPDATE ON [参数设置] BEGIN SELECT RAISE(ABORT, 'refused'); END"
        << "refused";
    QTest::newRow("settings row gone") << "DELETE FROM [参数设置]" << PasswordStore::MissingRowMessage();
}

void tst_frmEditPassword::saveFails() {
    QFETCH(QString, fixture);
    QFETCH(QString, message);
    Session s("old");
    const QString before = AppSettings.Password;
    QCOMPARE(before, encoded("old"));
    QVERIFY(s.home.raw(fixture));

    const Outcome out = s.change("old", "new1", "new1");

    QVERIFY(out.stillOpen);
    QCOMPARE(s.prompt.messages().size(), 1);
    QCOMPARE(s.prompt.last()->caption, QStringLiteral("错误"));
    QVERIFY2(s.errorText().contains(message), qPrintable(s.errorText()));
    QCOMPARE(AppSettings.Password, before);
    if (fixture.startsWith("CREATE"))
        QCOMPARE(storedPassword(), encoded("old"));
}

void tst_frmEditPassword::cancelChangesNothing() {
    Session s("old");
    const Outcome out = s.change("old", "new1", "new1", "cmdCancel");
    QVERIFY(out.opened);
    QVERIFY(!out.stillOpen);
    QCOMPARE(out.result, int(QDialog::Rejected));
    QVERIFY(s.prompt.messages().isEmpty());
    QCOMPARE(storedPassword(), encoded("old"));
    QCOMPARE(AppSettings.Password, encoded("old"));
}

void tst_frmEditPassword::showPasswordTick() {
    Session s("old");
    bool opened = false;
    s.prompt.onDialog([&](QDialog& d) {
        opened = true;
        QList<QLineEdit*> fields;
        for (int i = 0; i < 3; ++i) {
            fields << d.findChild<QLineEdit*>(QStringLiteral("txtPassword_%1").arg(i));
            QVERIFY(fields.last());
        }
        QCOMPARE(d.focusWidget(), fields[0]); // the old password is typed first
        for (int i = 0; i < 3; ++i)
            fields[i]->setText(QStringLiteral("pw%1").arg(i));
        auto* tick = d.findChild<QCheckBox*>(QStringLiteral("chkShowPassword"));
        QVERIFY(tick);
        QCOMPARE(tick->text(), QStringLiteral("显示密码"));
        QVERIFY(!tick->isChecked());
        const auto echoes = [&] {
            QList<QLineEdit::EchoMode> out;
            for (QLineEdit* f : fields)
                out << f->echoMode();
            return out;
        };
        const QList<QLineEdit::EchoMode> masked(3, QLineEdit::Password);
        const QList<QLineEdit::EchoMode> clear(3, QLineEdit::Normal);
        QCOMPARE(echoes(), masked);
        QTest::mouseClick(tick, Qt::LeftButton);
        QVERIFY(tick->isChecked());
        QCOMPARE(echoes(), clear);
        QTest::mouseClick(tick, Qt::LeftButton);
        QCOMPARE(echoes(), masked);
        // Showing and hiding keeps what was typed.
        for (int i = 0; i < 3; ++i)
            QCOMPARE(fields[i]->text(), QStringLiteral("pw%1").arg(i));
    });
    mdiTobrin::instance()->action(QStringLiteral("mnuPasswordEdit"))->trigger();
    QVERIFY(opened);
    QVERIFY(s.prompt.messages().isEmpty());
    QCOMPARE(storedPassword(), encoded("old"));
}

QTEST_MAIN(tst_frmEditPassword)
#include "tst_frmEditPassword.moc"
