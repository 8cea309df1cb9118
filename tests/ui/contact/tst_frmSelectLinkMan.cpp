#include "core/AppSettings.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tests/ui/contact/ContactTestKit.h"
#include "ui/contact/frmSelectLinkMan.h"

#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const char* kContacts = "INSERT INTO \"联系人\"(\"姓名\",\"生日提醒\",\"企业编号\") VALUES"
                        "('甲','不提醒',12),('乙','不提醒',12),('丙','不提醒',12),('丁','不提醒',7),"
                        "('戊','不提醒',NULL);";

// Stands in for a visit form: the three person boxes the picker writes into.
class Opener : public QDialog {
public:
    Opener() {
        for (const char* name : {"txtVisitor", "txtLinkMan_0", "txtLinkMan_1"}) {
            auto* box = new QLineEdit(this);
            box->setObjectName(QString::fromLatin1(name));
        }
    }
    QString text(const char* name) const { return findChild<QLineEdit*>(QString::fromLatin1(name))->text(); }
    void setText(const char* name, const QString& t) {
        findChild<QLineEdit*>(QString::fromLatin1(name))->setText(t);
    }
};

Grid* grid(QDialog& d) {
    return d.findChild<Grid*>(QStringLiteral("grdLinkMan"));
}
QPushButton* button(QDialog& d, const char* name) {
    return d.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Opens the picker and chooses `name` with "选择添加"; false when the picker stayed open.
bool choose(FakePrompt& prompt, Opener& opener, long company, const QString& mode, const QString& name) {
    bool closed = false;
    prompt.onDialog([&](QDialog& d) {
        const int row = kit::rowOf(*grid(d), 1, name);
        QVERIFY2(row > 0, qPrintable(name));
        grid(d)->SetRow(row);
        button(d, "cmdSel")->click();
        closed = !d.isVisible();
    });
    frmSelectLinkMan::pick(&opener, company, mode);
    return closed;
}
} // namespace

class tst_frmSelectLinkMan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { GridFillEnabled = true; }
    void listsByCompany_data();
    void listsByCompany();
    void implementersJoined();
    void modes_data();
    void modes();
    void noChoiceWritesNothing();
};

void tst_frmSelectLinkMan::listsByCompany_data() {
    QTest::addColumn<int>("company");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("0 lists everybody") << 0 << QStringList{"甲", "乙", "丙", "丁", "戊"};
    QTest::newRow("below 0 too") << -1 << QStringList{"甲", "乙", "丙", "丁", "戊"};
    QTest::newRow("the company's staff") << 12 << QStringList{"甲", "乙", "丙"};
    QTest::newRow("company without staff") << 99 << QStringList{};
}

void tst_frmSelectLinkMan::listsByCompany() {
    QFETCH(int, company);
    QFETCH(QStringList, names);
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    Opener opener;
    frmSelectLinkMan picker(&opener, company, QStringLiteral("AddVisita"));
    QCOMPARE(picker.windowTitle(), QStringLiteral("联系人选择"));
    QCOMPARE(kit::column(*grid(picker), 1), names);
    QCOMPARE(grid(picker)->Cols(), 25);
    QCOMPARE(prompt.texts(), names.isEmpty() ? QStringList{"没有找到任何数据！"} : QStringList());
}

void tst_frmSelectLinkMan::implementersJoined() {
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    Opener opener;
    for (const char* name : {"甲", "乙", "丙"})
        QVERIFY(choose(prompt, opener, 12, QStringLiteral("AddVisita"), QString::fromUtf8(name)));
    QCOMPARE(opener.text("txtVisitor"), QStringLiteral("甲/乙/丙"));
    // No duplicate check.
    QVERIFY(choose(prompt, opener, 0, QStringLiteral("AddVisita"), QStringLiteral("甲")));
    QCOMPARE(opener.text("txtVisitor"), QStringLiteral("甲/乙/丙/甲"));
    QVERIFY(opener.text("txtLinkMan_0").isEmpty());
    QVERIFY(opener.text("txtLinkMan_1").isEmpty());
}

void tst_frmSelectLinkMan::modes_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("target"); // empty: nothing is written, the picker stays open
    QTest::newRow("visited person") << "AddVisitb"
                                    << "txtLinkMan_0";
    QTest::newRow("visited person, lower case") << "addvisitb"
                                                << "txtLinkMan_0";
    QTest::newRow("visited person, upper case") << "ADDVISITB"
                                                << "txtLinkMan_0";
    QTest::newRow("responsible person") << "AddVisitc"
                                        << "txtLinkMan_1";
    QTest::newRow("responsible person, mixed case") << "aDDvISITc"
                                                    << "txtLinkMan_1";
    QTest::newRow("unknown mode") << "AddVisitd"
                                  << "";
    QTest::newRow("company tag") << "AddLinkMan"
                                 << "";
}

void tst_frmSelectLinkMan::modes() {
    QFETCH(QString, mode);
    QFETCH(QString, target);
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    Opener opener;
    opener.setText("txtVisitor", QStringLiteral("旧甲"));
    opener.setText("txtLinkMan_0", QStringLiteral("旧乙"));
    opener.setText("txtLinkMan_1", QStringLiteral("旧丙"));
    const bool closed = choose(prompt, opener, 0, mode, QStringLiteral("丁"));
    QCOMPARE(closed, !target.isEmpty());
    QCOMPARE(opener.text("txtVisitor"), QStringLiteral("旧甲"));
    QCOMPARE(opener.text("txtLinkMan_0"),
             target == QLatin1String("txtLinkMan_0") ? QStringLiteral("丁") : QStringLiteral("旧乙"));
    QCOMPARE(opener.text("txtLinkMan_1"),
             target == QLatin1String("txtLinkMan_1") ? QStringLiteral("丁") : QStringLiteral("旧丙"));
}

void tst_frmSelectLinkMan::noChoiceWritesNothing() {
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    Opener opener;
    bool openAfterHeader = false, openAfterNoRow = false, openAfterCancel = true;
    prompt.onDialog([&](QDialog& d) {
        QHeaderView* header = grid(d)->horizontalHeader();
        kit::doubleClick(header->viewport(), QPoint(header->sectionPosition(1) + 5, 5));
        openAfterHeader = d.isVisible();
        grid(d)->SetRow(0);
        button(d, "cmdSel")->click();
        openAfterNoRow = d.isVisible();
        grid(d)->SetRow(1);
        button(d, "cmdCancel")->click();
        openAfterCancel = d.isVisible();
    });
    frmSelectLinkMan::pick(&opener, 0, QStringLiteral("AddVisitb"));
    QVERIFY(openAfterHeader);
    QVERIFY(openAfterNoRow);
    QVERIFY(!openAfterCancel);
    QVERIFY(opener.text("txtLinkMan_0").isEmpty());

    // A double-click on a contact row chooses it.
    prompt.onDialog([&](QDialog& d) {
        Grid* g = grid(d);
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        kit::doubleClick(g->viewport(), g->visualRect(g->model()->index(1, 1)).center());
    });
    frmSelectLinkMan::pick(&opener, 0, QStringLiteral("AddVisitb"));
    QCOMPARE(opener.text("txtLinkMan_0"), QStringLiteral("乙"));
}

QTEST_MAIN(tst_frmSelectLinkMan)
#include "tst_frmSelectLinkMan.moc"
