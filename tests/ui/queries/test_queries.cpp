#include "core/ui/Grid.h"
#include "ui/company/mdiCompany.h"
#include "ui/contact/mdiLinkMan.h"
#include "ui/lists/QueryWindow.h"
#include "ui/main/mdiTobrin.h"
#include "app/Wiring.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

namespace {
// Contacts: name, region, company, birthday.
const char* kFixture =
    "INSERT INTO [联系人] ([姓名],[地区],[企业编号],[生日],[生日提醒]) VALUES "
    "('王一','北京',3,'1980-05-17','提醒'),('王二','上海',3,NULL,'提醒'),('李三','北京',2,'1980-05-18','提醒'),"
    "('张四','北京区',NULL,NULL,'提醒'),('王_五','100%',1,NULL,'提醒'),('O''Neil','[x]',2,NULL,'提醒');"
    "INSERT INTO [企业] ([企业名称],[名称首拼],[企业性质],[企业行业]) VALUES "
    "('甲公司','JGS','国有企业','软件'),('乙公司','YGS','民营企业','贸易');";

struct Condition {
    int row;
    QString field;
    QString keyword;
};

void setRow(QueryWindow& w, const Condition& c) {
    w.findChild<QCheckBox*>(QStringLiteral("chkQueryItem_%1").arg(c.row))->setChecked(true);
    auto* box = w.findChild<QComboBox*>(QStringLiteral("cboField_%1").arg(c.row));
    box->setCurrentIndex(box->findText(c.field));
    auto* kw = w.findChild<QLineEdit*>(QStringLiteral("txtKeyword_%1").arg(c.row));
    kw->clear();
    kw->insert(c.keyword); // as typed (key clicks cannot carry Chinese text)
}

QStringList column(const Grid* g, int col) {
    QStringList out;
    for (int r = 1; r < g->Rows(); ++r)
        out << g->TextMatrix(r, col);
    out.sort();
    return out;
}
} // namespace

Q_DECLARE_METATYPE(QList<Condition>)

class TestQueries : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void contactConditions_data();
    void contactConditions();
    void refusedInput_data();
    void refusedInput();
    void companyQueryAndClosing();
    void closesWithItsFrame_data();
    void closesWithItsFrame();

private:
    std::unique_ptr<TempHome> m_home;
};

void TestQueries::init() {
    m_home = std::make_unique<TempHome>();
    QVERIFY(m_home->ok());
    QVERIFY(m_home->raw(QString::fromUtf8(kFixture)));
    WireMainMenu(*mdiTobrin::instance());
}

void TestQueries::cleanup() {
    mdiTobrin::instance()->mdiArea()->closeAllSubWindows();
    QCoreApplication::processEvents();
    m_home.reset();
}

void TestQueries::contactConditions_data() {
    QTest::addColumn<QList<Condition>>("conditions");
    QTest::addColumn<QStringList>("names");
    const QStringList all = {"O'Neil", "张四", "李三", "王_五", "王一", "王二"};
    QTest::newRow("nothing ticked lists all") << QList<Condition>{} << all;
    QTest::newRow("name contains") << QList<Condition>{{0, "姓名", "王"}} << QStringList{"王_五", "王一", "王二"};
    QTest::newRow("name and region") << QList<Condition>{{0, "姓名", "王"}, {1, "地区", "北京"}} << QStringList{"王一"};
    QTest::newRow("company number in a later row") << QList<Condition>{{2, "企业编号", "3"}} << QStringList{"王一", "王二"};
    QTest::newRow("company number 3.0 is 3") << QList<Condition>{{0, "姓名", "王"}, {3, "企业编号", "3.0"}}
                                              << QStringList{"王一", "王二"};
    QTest::newRow("birthday typed short") << QList<Condition>{{0, "生日", "1980-5-17"}} << QStringList{"王一"};
    QTest::newRow("underscore matches itself") << QList<Condition>{{0, "姓名", "_"}} << QStringList{"王_五"};
    QTest::newRow("percent matches itself") << QList<Condition>{{1, "地区", "%"}} << QStringList{"王_五"};
    QTest::newRow("quote and brackets") << QList<Condition>{{0, "姓名", "O'N"}, {1, "地区", "[x]"}}
                                        << QStringList{"O'Neil"};
    QTest::newRow("all four rows") << QList<Condition>{{0, "姓名", "王"}, {1, "地区", "北"}, {2, "企业编号", "3"},
                                                       {3, "联系人编号", "1"}}
                                   << QStringList{"王一"};
    QTest::newRow("nothing found") << QList<Condition>{{0, "姓名", "赵"}} << QStringList{};
}

void TestQueries::contactConditions() {
    QFETCH(QList<Condition>, conditions);
    QFETCH(QStringList, names);
    FakePrompt prompt;
    mdiTobrin::instance()->action("mnuLinkmanQuery")->trigger();
    auto* query = mdiTobrin::instance()->child<mdiLinkmanQuery>();
    QVERIFY(query);
    auto* fields = query->findChild<QComboBox*>("cboField_0");
    QCOMPARE(fields->count(), 25);
    QCOMPARE(fields->itemText(13), QStringLiteral("\uFF29\uFF2D通讯"));
    for (const Condition& c : conditions)
        setRow(*query, c);
    query->findChild<QPushButton*>("cmdQuery")->click();
    auto* list = mdiTobrin::instance()->child<mdiLinkMan>();
    QVERIFY(list);
    QCOMPARE(column(list->grid(), 1), names);
    QCOMPARE(prompt.texts(), names.isEmpty() ? QStringList{"没有找到任何数据！"} : QStringList{});
    QTRY_VERIFY(!mdiTobrin::instance()->child<mdiLinkmanQuery>()); // closed after the query
}

void TestQueries::refusedInput_data() {
    QTest::addColumn<QList<Condition>>("conditions");
    QTest::addColumn<QString>("message");
    QTest::newRow("ticked row without keyword") << QList<Condition>{{0, "姓名", "王"}, {1, "地区", ""}}
                                                << "查询条件没有填写完整！";
    QTest::newRow("number that is text") << QList<Condition>{{0, "企业编号", "abc"}} << "只能输入数字！";
    QTest::newRow("number past 32 bits") << QList<Condition>{{0, "联系人编号", "99999999999"}} << "只能输入数字！";
    QTest::newRow("birthday that is no date") << QList<Condition>{{0, "生日", "1980-2-30"}}
                                              << "日期格式不正确，请按 年-月-日 输入（例如 1980-5-17）！";
}

void TestQueries::refusedInput() {
    QFETCH(QList<Condition>, conditions);
    QFETCH(QString, message);
    FakePrompt prompt;
    mdiTobrin::instance()->action("mnuLinkmanQuery")->trigger();
    auto* query = mdiTobrin::instance()->child<mdiLinkmanQuery>();
    for (const Condition& c : conditions)
        setRow(*query, c);
    // An unticked incomplete row is not looked at.
    query->findChild<QComboBox*>("cboField_3")->setCurrentIndex(1);
    query->findChild<QPushButton*>("cmdQuery")->click();
    QCOMPARE(prompt.texts(), QStringList{message});
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QCOMPARE(prompt.last()->icon, Prompt::Icon::Warning);
    QVERIFY(!mdiTobrin::instance()->child<mdiLinkMan>()); // no query ran
    QCOMPARE(mdiTobrin::instance()->child<mdiLinkmanQuery>(), query); // still open with its input
}

void TestQueries::companyQueryAndClosing() {
    FakePrompt prompt;
    mdiTobrin::instance()->action("mnuCompanyQuery")->trigger();
    auto* query = mdiTobrin::instance()->child<mdiCompanyQuery>();
    QVERIFY(query);
    QCOMPARE(query->windowTitle(), QStringLiteral("企业单位高级信息查询"));
    setRow(*query, {0, "企业编号", "x1"});
    query->findChild<QPushButton*>("cmdQuery")->click();
    QCOMPARE(prompt.texts(), QStringList{"企业编号只能是数字！"});
    setRow(*query, {0, "企业编号", "2"});
    query->findChild<QCheckBox*>("chkUnloadMe")->setChecked(false);
    query->findChild<QPushButton*>("cmdQuery")->click();
    auto* list = mdiTobrin::instance()->child<mdiCompany>();
    QVERIFY(list);
    QCOMPARE(column(list->grid(), 1), QStringList{"乙公司"});
    QCoreApplication::processEvents();
    QCOMPARE(mdiTobrin::instance()->child<mdiCompanyQuery>(), query); // stays open when not ticked
    setRow(*query, {0, "企业名称", "公司"});
    query->findChild<QPushButton*>("cmdQuery")->click();
    QCOMPARE(column(list->grid(), 1), QStringList({"乙公司", "甲公司"}));
}

void TestQueries::closesWithItsFrame_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keyword");
    QTest::newRow("contacts") << "mnuLinkmanQuery" << "联系人高级信息查询" << "姓名" << "王";
    QTest::newRow("companies") << "mnuCompanyQuery" << "企业单位高级信息查询" << "企业名称" << "公司";
}

void TestQueries::closesWithItsFrame() {
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QString, field);
    QFETCH(QString, keyword);
    FakePrompt prompt;
    QMdiArea* area = mdiTobrin::instance()->mdiArea();
    auto framesTitled = [&] {
        QList<QMdiSubWindow*> out;
        for (QMdiSubWindow* sub : area->subWindowList())
            if (sub->windowTitle() == caption && !sub->isHidden())
                out << sub;
        return out;
    };
    auto run = [&] {
        mdiTobrin::instance()->action(menu)->trigger();
        const auto frames = framesTitled();
        QCOMPARE(frames.size(), 1);
        auto* query = qobject_cast<QueryWindow*>(frames[0]->widget());
        QVERIFY(query);
        QVERIFY(query->findChild<QComboBox*>("cboField_0")->count() > 0);
        setRow(*query, {0, field, keyword});
        query->findChild<QPushButton*>("cmdQuery")->click();
        QTRY_VERIFY(framesTitled().isEmpty()); // no empty frame left behind
    };
    run();
    run(); // the menu brings back a working window
    QCOMPARE(prompt.texts(), QStringList{});
}

QTEST_MAIN(TestQueries)
#include "test_queries.moc"
