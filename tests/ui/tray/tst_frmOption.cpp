#include "TrayFixture.h"

#include "core/Database.h"
#include "core/modDBCommand.h"
#include "tray/ui/TrayMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
// The options window on a fresh settings row, with the autostart entry in a temporary folder.
struct OptionFixture : TrayFixture {
    explicit OptionFixture(const QDateTime& now = QDateTime(QDate(2008, 1, 1), QTime(9, 0)))
        : TrayFixture(now) {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }
    ~OptionFixture() { qunsetenv("XDG_CONFIG_HOME"); }
    frmOption* open() {
        window = frmOption::showWindow();
        return window;
    }
    QCheckBox* check(const char* name) const { return window->findChild<QCheckBox*>(QLatin1String(name)); }
    QComboBox* list(const char* name) const { return window->findChild<QComboBox*>(QLatin1String(name)); }
    void save() const { window->findChild<QPushButton*>(QStringLiteral("cmdSave"))->click(); }
    bool stillOpen() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return frmOption::current() && frmOption::current()->isVisible();
    }
    QVariant column(const QString& name) const {
        QString message;
        RecordsetPtr rs = ExecuteSql(QStringLiteral("select * from [参数设置]"), message);
        return rs && !rs->Eof() ? rs->Value(name) : QVariant();
    }
    QString entry() const {
        QFile f(config.filePath(QStringLiteral("autostart/tobrin.desktop")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QTemporaryDir config;
    frmOption* window = nullptr;
};
} // namespace

class TestFrmOption : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fillShowsTheSettings();
    void listsFollowTheBoxes_data();
    void listsFollowTheBoxes();
    void validation_data();
    void validation();
    void roundTrip();
    void noPositionKeepsTheReference();
    void labelDateIsSavedAfterMidnight();
    void unregisterAutoStart();
    void failures_data();
    void failures();
    void oneWindowFromTheMainMenu();
};

void TestFrmOption::fillShowsTheSettings() {
    OptionFixture f;
    AppSettings.AutoStart = false;
    AppSettings.MiniStart = true;
    AppSettings.SavePassword = true;
    AppSettings.RemindWork = true;
    AppSettings.RemindTime = QStringLiteral("2小时");
    AppSettings.RemindTeam = QStringLiteral("乙班");
    AppSettings.WDay = QStringLiteral("2007-12-30:4");
    f.open();
    QVERIFY(f.check("chkMiniStart")->isChecked());
    QVERIFY(!f.check("chkMiniStart")->isEnabled());
    QVERIFY(f.check("chkSavePassword")->isChecked());
    QVERIFY(!f.check("chkRing")->isChecked());
    QCOMPARE(f.list("cboRemindTime")->currentText(), QStringLiteral("2小时"));
    QCOMPARE(f.list("cboRemindTeam")->currentText(), QStringLiteral("乙班"));
    QCOMPARE(f.list("cboWDay")->currentIndex(), -1); // never read back
    QCOMPARE(f.list("cboWDay")->count(), 8);
    QCOMPARE(f.list("cboWDay")->itemText(3), QStringLiteral("中班"));
    QVERIFY(!f.list("cboWDay")->isEditable());
    QVERIFY(!f.list("cboRemindTeam")->isEditable());
    QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("Label1_2"))->text(),
             QStringLiteral("今天是2008-01-01,今天甲班："));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("系统参数设置"));
    // Saving keeps 迷你启动 as it was shown.
    f.save();
    QCOMPARE(f.column(QStringLiteral("迷你启动")), QVariant(true));
    QCOMPARE(f.column(QStringLiteral("自动登陆")), QVariant(true));
}

void TestFrmOption::listsFollowTheBoxes_data() {
    QTest::addColumn<bool>("work");
    QTest::addColumn<bool>("tomorrow");
    QTest::addColumn<bool>("timeEnabled");
    QTest::addColumn<bool>("teamEnabled");
    QTest::newRow("neither") << false << false << false << false;
    QTest::newRow("work") << true << false << true << true;
    QTest::newRow("tomorrow: the crew can be chosen") << false << true << false << true;
    QTest::newRow("both") << true << true << true << true;
}

void TestFrmOption::listsFollowTheBoxes() {
    QFETCH(bool, work);
    QFETCH(bool, tomorrow);
    QFETCH(bool, timeEnabled);
    QFETCH(bool, teamEnabled);
    OptionFixture f;
    AppSettings.RemindWork = work;
    AppSettings.RemindTomorrow = tomorrow;
    f.open();
    QCOMPARE(f.list("cboRemindTime")->isEnabled(), timeEnabled);
    QCOMPARE(f.list("cboRemindTeam")->isEnabled(), teamEnabled);
    // The same after clicking the boxes into that state from the other one.
    f.check("chkRemindWork")->click();
    f.check("chkRemindTomorrow")->click();
    f.check("chkRemindWork")->click();
    f.check("chkRemindTomorrow")->click();
    QCOMPARE(f.list("cboRemindTime")->isEnabled(), timeEnabled);
    QCOMPARE(f.list("cboRemindTeam")->isEnabled(), teamEnabled);
}

void TestFrmOption::validation_data() {
    QTest::addColumn<bool>("work");
    QTest::addColumn<bool>("tomorrow");
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("team");
    QTest::addColumn<QString>("message");
    QTest::newRow("work, time, no crew") << true << false << 0 << -1 << "请选择提醒时间和提醒的班别！";
    QTest::newRow("work, crew, no time") << true << false << -1 << 2 << "请选择提醒时间和提醒的班别！";
    QTest::newRow("tomorrow, no crew") << false << true << -1 << -1 << "请选择提醒的班别！";
    QTest::newRow("tomorrow with crew") << false << true << -1 << 2 << "";
    QTest::newRow("neither: empty lists saved as empty texts") << false << false << -1 << -1 << "";
}

void TestFrmOption::validation() {
    QFETCH(bool, work);
    QFETCH(bool, tomorrow);
    QFETCH(int, time);
    QFETCH(int, team);
    QFETCH(QString, message);
    OptionFixture f;
    QVERIFY(f.home.raw(QStringLiteral("UPDATE [参数设置] SET [提醒时间]='3小时', [提醒班别]='丁班'")));
    f.open();
    f.check("chkRemindWork")->setChecked(work);
    f.check("chkRemindTomorrow")->setChecked(tomorrow);
    f.list("cboRemindTime")->setCurrentIndex(time);
    f.list("cboRemindTeam")->setCurrentIndex(team);
    f.save();
    if (message.isEmpty()) {
        QVERIFY(f.prompt.messages().isEmpty());
        QVERIFY(!f.stillOpen());
        QCOMPARE(f.column(QStringLiteral("提醒时间")).toString(), QString());
        QCOMPARE(f.column(QStringLiteral("提醒班别")).toString(),
                 team < 0 ? QString() : QStringLiteral("丙班"));
        QCOMPARE(AppSettings.RemindTomorrow, tomorrow);
    } else {
        QCOMPARE(f.prompt.texts(), QStringList{message});
        QCOMPARE(f.prompt.last()->caption, QStringLiteral("错误"));
        QCOMPARE(f.prompt.last()->icon, Prompt::Icon::Warning);
        QVERIFY(f.stillOpen());
        QCOMPARE(f.column(QStringLiteral("提醒时间")).toString(), QStringLiteral("3小时"));
        QCOMPARE(f.column(QStringLiteral("提醒班别")).toString(), QStringLiteral("丁班"));
    }
}

void TestFrmOption::roundTrip() {
    OptionFixture f;
    f.open();
    for (const char* name : {"chkAutoStart", "chkMiniStart", "chkSavePassword", "chkRing", "chkSort",
                             "chkClickEdit", "chkHoliday", "chkRemindWork", "chkRemindTomorrow"})
        f.check(name)->setChecked(true);
    f.check("chkShowSplash")->setChecked(false);
    f.list("cboRemindTime")->setCurrentIndex(2);
    f.list("cboRemindTeam")->setCurrentIndex(1);
    f.list("cboWDay")->setCurrentIndex(3); // the second 中班
    f.save();
    QVERIFY(f.prompt.messages().isEmpty());
    QVERIFY(!f.stillOpen());

    const QList<std::pair<QString, QVariant>> expected = {{"自动运行", true},
                                                          {"迷你启动", true},
                                                          {"自动登陆", true},
                                                          {"整点报时", true},
                                                          {"按姓名排序", true},
                                                          {"双击修改", true},
                                                          {"显示欢迎", false},
                                                          {"更多节日", true},
                                                          {"上班提醒", true},
                                                          {"提醒明天", true},
                                                          {"提醒时间", "3小时"},
                                                          {"提醒班别", "乙班"},
                                                          {"标准工作日", "2008-01-01:3"}};
    for (const auto& [column, value] : expected)
        QCOMPARE(f.column(column), value);
    auto check = [](const AppSettingsRecord& s) {
        QVERIFY(s.AutoStart && s.MiniStart && s.SavePassword && s.Ring && s.Sort && s.ClickEdit &&
                s.Holiday && s.RemindWork && s.RemindTomorrow && !s.ShowSplash);
        QCOMPARE(s.RemindTime, QStringLiteral("3小时"));
        QCOMPARE(s.RemindTeam, QStringLiteral("乙班"));
        QCOMPARE(s.WDay, QStringLiteral("2008-01-01:3"));
    };
    check(AppSettings);
    // A fresh start reads the same.
    Database::closeShared();
    AppSettings = AppSettingsRecord();
    QVERIFY(!IsSqlError(LoadAppSettings()));
    check(AppSettings);
    // Registered to start with the session, with this program folder.
    const QString entry = f.entry();
    QVERIFY(entry.contains(QStringLiteral("\nHidden=false\n")));
    QVERIFY(entry.contains(QStringLiteral(" --home \"") + f.home.path() + QStringLiteral("\"\n")));
}

void TestFrmOption::noPositionKeepsTheReference() {
    OptionFixture f;
    QVERIFY(f.home.raw(QStringLiteral("UPDATE [参数设置] SET [标准工作日]='2005-03-05:5'")));
    AppSettings.WDay = QStringLiteral("2005-03-05:5");
    f.open();
    f.check("chkRing")->setChecked(true);
    f.save();
    QVERIFY(!f.stillOpen());
    QCOMPARE(f.column(QStringLiteral("标准工作日")).toString(), QStringLiteral("2005-03-05:5"));
    QCOMPARE(AppSettings.WDay, QStringLiteral("2005-03-05:5"));
    QCOMPARE(f.column(QStringLiteral("整点报时")), QVariant(true));
}

void TestFrmOption::labelDateIsSavedAfterMidnight() {
    OptionFixture f(QDateTime(QDate(2005, 3, 5), QTime(23, 59, 30)));
    f.open();
    f.clock.advanceMs(60 * 1000); // saved on the 6th
    f.list("cboWDay")->setCurrentIndex(5);
    f.save();
    QCOMPARE(f.column(QStringLiteral("标准工作日")).toString(), QStringLiteral("2005-03-05:5"));
    QCOMPARE(AppSettings.WDay, QStringLiteral("2005-03-05:5"));
}

void TestFrmOption::unregisterAutoStart() {
    OptionFixture f;
    QVERIFY(f.home.raw(QStringLiteral("UPDATE [参数设置] SET [自动运行]=1, [迷你启动]=1")));
    AppSettings.AutoStart = true;
    AppSettings.MiniStart = true;
    f.open();
    QVERIFY(f.check("chkMiniStart")->isEnabled());
    f.check("chkAutoStart")->click();
    QVERIFY(!f.check("chkMiniStart")->isChecked());
    QVERIFY(!f.check("chkMiniStart")->isEnabled());
    f.save();
    QCOMPARE(f.column(QStringLiteral("自动运行")), QVariant(false));
    QCOMPARE(f.column(QStringLiteral("迷你启动")), QVariant(false));
    QVERIFY(!AppSettings.MiniStart);
    QVERIFY(f.entry().contains(QStringLiteral("\nHidden=true\n")));
}

void TestFrmOption::failures_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("message");
    QTest::newRow("update refused")
        << "CREATE TRIGGER refuse BEFORE UPDATE ON [参数设置] BEGIN SELECT RAISE(ABORT, '拒绝'); END"
        << "查询错误";
    QTest::newRow("no settings row") << "DELETE FROM [参数设置]"
                                     << "参数设置表中没有记录";
    QTest::newRow("no settings table") << "DROP TABLE [参数设置]"
                                       << "查询错误";
}

void TestFrmOption::failures() {
    QFETCH(QString, fixture);
    QFETCH(QString, message);
    OptionFixture f;
    QVERIFY(f.home.raw(fixture));
    AppSettings.RemindTeam = QStringLiteral("甲班");
    f.open();
    f.check("chkAutoStart")->setChecked(true);
    f.check("chkRing")->setChecked(true);
    f.list("cboRemindTeam")->setCurrentIndex(3);
    f.list("cboWDay")->setCurrentIndex(2);
    f.save();
    QCOMPARE(f.prompt.messages().size(), 1);
    QVERIFY2(f.prompt.last()->text.contains(message), qPrintable(f.prompt.last()->text));
    QCOMPARE(f.prompt.last()->caption, QStringLiteral("错误"));
    // Nothing changed anywhere, and the choices are still on screen.
    QVERIFY(f.stillOpen());
    QVERIFY(f.check("chkRing")->isChecked());
    QVERIFY(!AppSettings.AutoStart && !AppSettings.Ring);
    QCOMPARE(AppSettings.RemindTeam, QStringLiteral("甲班"));
    QVERIFY(AppSettings.WDay.isEmpty());
    QVERIFY(f.entry().isEmpty());
    if (fixture.startsWith(QLatin1String("CREATE"))) {
        QCOMPARE(f.column(QStringLiteral("整点报时")), QVariant(false));
        QVERIFY(f.column(QStringLiteral("标准工作日")).isNull());
    }
}

void TestFrmOption::oneWindowFromTheMainMenu() {
    OptionFixture f;
    mdiTobrin* main = mdiTobrin::instance();
    WireTrayMenu(*main);
    QAction* item = main->action(QStringLiteral("mnuSysSet"));
    QVERIFY(item->isEnabled());
    item->trigger();
    frmOption* first = frmOption::current();
    QVERIFY(first && first->isVisible());
    item->trigger();
    QCOMPARE(frmOption::current(), first);
    first->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frmOption::current()); // closing destroys it
    QVERIFY(f.prompt.records.isEmpty());
}

QTEST_MAIN(TestFrmOption)
#include "tst_frmOption.moc"
