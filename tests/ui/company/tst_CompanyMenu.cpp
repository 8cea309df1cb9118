#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tests/ui/company/UiHelpers.h"
#include "ui/company/CompanyMenu.h"
#include "ui/company/mdiCompany.h"
#include "ui/main/mdiTobrin.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace ui_test;

class TestCompanyMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void itemsOpenOneListAndTheAddDialog();
};

void TestCompanyMenu::itemsOpenOneListAndTheAddDialog() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiTobrin* main = mdiTobrin::instance();
    const QStringList items = {"mnuCompanyList", "mnuCompanyAdd", "mnuCompanyEdit", "mnuCompanyDel"};
    for (const QString& item : items)
        QVERIFY(!main->action(item)->isEnabled());
    WireCompanyMenu(*main);
    for (const QString& item : items)
        QVERIFY2(main->action(item)->isEnabled(), qPrintable(item));
    main->show();

    main->action(QStringLiteral("mnuCompanyList"))->trigger();
    mdiCompany* list = main->child<mdiCompany>();
    QVERIFY(list);
    QVERIFY(list->width() >= 8430 / 15);
    for (const char* item : {"mnuCompanyEdit", "mnuCompanyDel", "mnuCompanyList"}) {
        main->action(QString::fromLatin1(item))->trigger();
        QCOMPARE(main->child<mdiCompany>(), list);
    }
    QCOMPARE(main->children().size(), 1);

    prompt.onDialog([](QDialog& d) {
        need<QLineEdit>(&d, "txtName")->setText(QStringLiteral("菜单添加"));
        need<QLineEdit>(&d, "txtKind")->setText(QStringLiteral("国有企业"));
        need<QLineEdit>(&d, "txtIndustry")->setText(QStringLiteral("软件"));
        need<QPushButton>(&d, "cmdSave")->click();
    });
    main->action(QStringLiteral("mnuCompanyAdd"))->trigger();
    QCOMPARE(prompt.records.size(), 1);
    QCOMPARE(prompt.records.first().dialogName, QStringLiteral("frmAddCompany"));
    QCOMPARE(count(QStringLiteral("select * from [企业] where [企业名称]='菜单添加'")), 1);
    delete main;
}

QTEST_MAIN(TestCompanyMenu)
#include "tst_CompanyMenu.moc"
