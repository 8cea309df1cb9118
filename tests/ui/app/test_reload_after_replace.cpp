// Open list windows show the rows of the new file after a restore or compaction replaced it.
#include "app/Wiring.h"
#include "core/Maintenance.h"
#include "core/ui/Grid.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "ui/company/mdiCompany.h"
#include "ui/contact/mdiLinkMan.h"
#include "ui/main/mdiTobrin.h"
#include "ui/visit/mdiVisit.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QtTest>

class TestReload : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsReloadAfterRestore();
};

void TestReload::listsReloadAfterRestore() {
    TempHome home(TempHome::Demo);
    QVERIFY(home.ok());
    FakeClock clock;
    FakePrompt prompt;
    mdiTobrin& w = *mdiTobrin::instance();
    WireMainMenu(w);
    // The backup to restore from holds one company, contact and visit more than the file now.
    QVERIFY(home.raw("INSERT INTO [企业] ([企业名称],[名称首拼],[企业性质],[企业行业]) VALUES ('新公司','XGS','国有企业','软件');"
                     "INSERT INTO [联系人] ([姓名],[生日提醒]) VALUES ('新人','提醒');"
                     "INSERT INTO [拜访] ([受访人],[实施人员],[责任人],[工作开始时间],[工作结束时间]) "
                     "VALUES ('新人','甲','甲','2026-12-10','2026-12-11');"));
    w.action("mnuBackup")->trigger();
    const QString dated = home.file("backup/2026-12-10.bak");
    QVERIFY(QFile::exists(dated));
    QVERIFY(QFile::copy(dated, home.file("backup/data.bak")));
    QVERIFY(home.raw("DELETE FROM [企业] WHERE [企业名称]='新公司'; DELETE FROM [联系人] WHERE [姓名]='新人';"
                     "DELETE FROM [拜访] WHERE [受访人]='新人';"));

    auto* companies = w.showChild<mdiCompany>();
    auto* contacts = w.showChild<mdiLinkMan>();
    auto* visits = w.showChild<mdiVisit>();
    QCOMPARE(companies->grid()->Rows(), 21);
    QCOMPARE(contacts->grid()->Rows(), 61);
    QCOMPARE(visits->grid().Rows(), 31);

    prompt.clear();
    w.action("mnuRestore")->trigger(); // the question is answered OK
    QVERIFY2(prompt.texts().contains(QStringLiteral("操作完毕！")), qPrintable(prompt.texts().join(" | ")));
    QCOMPARE(companies->grid()->Rows(), 22);
    QCOMPARE(contacts->grid()->Rows(), 62);
    QCOMPARE(visits->grid().Rows(), 32);
    w.mdiArea()->closeAllSubWindows();
}

QTEST_MAIN(TestReload)
#include "test_reload_after_replace.moc"
