#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tests/ui/company/UiHelpers.h"
#include "ui/lists/ListsMenu.h"
#include "ui/main/mdiTobrin.h"

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QtTest>

using namespace ui_test;

class TestListsMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void itemsOpenPlainEditors();
};

void TestListsMenu::itemsOpenPlainEditors() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiTobrin* main = mdiTobrin::instance();
    const QList<QPair<QString, QString>> items = {
        {"mnuCompanyKind", "frmCKind"}, {"mnuIndustry", "frmIndustry"}, {"mnuLinkmanKind", "frmLKind"}};
    for (const auto& [item, dialog] : items)
        QVERIFY(!main->action(item)->isEnabled());
    WireListsMenu(*main);
    for (const auto& [item, dialog] : items) {
        QVERIFY(main->action(item)->isEnabled());
        bool selectable = true;
        prompt.onDialog([&](QDialog& d) {
            auto* sel = d.findChild<QGroupBox*>(QStringLiteral("fraSelKind"));
            if (!sel)
                sel = d.findChild<QGroupBox*>(QStringLiteral("fraSelIndustry"));
            selectable = sel && sel->isEnabled();
        });
        main->action(item)->trigger();
        QCOMPARE(prompt.last()->dialogName, dialog);
        QVERIFY2(!selectable, qPrintable(dialog));
    }
    QCOMPARE(prompt.records.size(), 3);
    delete main;
}

QTEST_MAIN(TestListsMenu)
#include "tst_ListsMenu.moc"
