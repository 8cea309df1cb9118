#include "core/AppSettings.h"
#include "core/Schema.h"
#include "core/Sound.h"
#include "core/ui/Grid.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tests/ui/company/UiHelpers.h"
#include "ui/company/frmCompanyForm.h"
#include "ui/company/mdiCompany.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace ui_test;

namespace {
const QString kLong = QString(10000, QChar(0x957F)); // 长 × 10 000

// Eight companies whose names hold the hostile texts; ids 1..8.
void hostileFixture() {
    addCompany(QStringLiteral("甲'乙公司"), QStringLiteral("北京"));
    addCompany(QStringLiteral("100%纯"));
    addCompany(QStringLiteral("a_b"), QStringLiteral("上海"));
    addCompany(QStringLiteral("axb"));
    addCompany(QStringLiteral("[方括号]"));
    addCompany(QStringLiteral("表情😀公司"));
    addCompany(kLong);
    addCompany(QStringLiteral("普通公司"));
}

void chooseItem(mdiCompany& w, const QString& item) {
    auto* cbo = need<QComboBox>(&w, "cboQueryItem");
    cbo->setCurrentIndex(cbo->findText(item));
}

void search(mdiCompany& w, const QString& item, const QString& keyword) {
    chooseItem(w, item);
    auto* kw = need<QLineEdit>(&w, "txtKeyword");
    kw->setText(keyword);
    need<QPushButton>(&w, "cmdQuery")->click();
}

// PlayWave is silent for a missing file, so the sound needs one to be recorded.
void makeDelWav() {
    QDir().mkpath(QFileInfo(WaveFiles[2]).path());
    QFile f(WaveFiles[2]);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

struct HookReset {
    ~HookReset() {
        mdiCompany::ShowStaff = nullptr;
        mdiCompany::ShowVisits = nullptr;
        mdiCompany::AddVisit = nullptr;
    }
};
} // namespace

class TestMdiCompany : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        AppSettings.ClickEdit = false;
        GridFillEnabled = true;
    }
    void opensWithAllCompaniesAndFieldList();
    void conditionListRefusesTypingAndClears();
    void search_data();
    void search();
    void keywordLeftBecomesNumber_data();
    void keywordLeftBecomesNumber();
    void badNumberGivesMessageAndNoQuery_data();
    void badNumberGivesMessageAndNoQuery();
    void searchWithHintTextReportsEngineError();
    void deleteAsksAndPlaysSound();
    void deleteFailures_data();
    void deleteFailures();
    void editFromGridRoundTrip();
    void doubleClickEditsOnlyWithClickEdit();
    void addReloadsList();
    void hooks();
    void loadCondition();
    void resizeLayout();
};

void TestMdiCompany::opensWithAllCompaniesAndFieldList() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiCompany w;
    QCOMPARE(w.windowTitle(), QStringLiteral("企业单位信息列表"));
    auto* grid = need<Grid>(&w, "grdCompanyList");
    QCOMPARE(grid->Rows(), 21);
    QCOMPARE(grid->TextMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(grid->TextMatrix(1, 1), QStringLiteral("北京华信科技有限公司"));
    auto* cbo = need<QComboBox>(&w, "cboQueryItem");
    QStringList items;
    for (int i = 0; i < cbo->count(); ++i)
        items << cbo->itemText(i);
    QCOMPARE(items, Schema::columnNames(QStringLiteral("企业")));
    QCOMPARE(cbo->currentText(), QStringLiteral("这里选择需要进行查询的条件"));
    QCOMPARE(w.width(), 8430 / 15);
    QVERIFY(prompt.records.isEmpty());
}

void TestMdiCompany::conditionListRefusesTypingAndClears() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiCompany w;
    w.show();
    auto* cbo = need<QComboBox>(&w, "cboQueryItem");
    chooseItem(w, QStringLiteral("企业名称"));
    cbo->setFocus();
    typeText(cbo, QStringLiteral("xyz"));
    QCOMPARE(cbo->currentText(), QStringLiteral("企业名称"));
    auto* kw = need<QLineEdit>(&w, "txtKeyword");
    kw->setText(QStringLiteral("华信"));
    need<QPushButton>(&w, "cmdQuery")->click();
    auto* grid = need<Grid>(&w, "grdCompanyList");
    QCOMPARE(grid->Rows(), 2);
    need<QPushButton>(&w, "ExBtn1")->click();
    QCOMPARE(cbo->currentText(), QString());
    QCOMPARE(kw->text(), QString());
    QCOMPARE(grid->Rows(), 2); // the grid keeps the search result
    // With the condition emptied, a query lists everything again.
    need<QPushButton>(&w, "cmdQuery")->click();
    QCOMPARE(grid->Rows(), 21);
}

void TestMdiCompany::search_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QStringList>("ids");
    const QString name = QStringLiteral("企业名称");
    QTest::newRow("quote") << name << QStringLiteral("'") << QStringList{"1"};
    QTest::newRow("percent is literal") << name << QStringLiteral("%") << QStringList{"2"};
    QTest::newRow("underscore is literal") << name << QStringLiteral("_") << QStringList{"3"};
    QTest::newRow("open bracket") << name << QStringLiteral("[") << QStringList{"5"};
    QTest::newRow("close bracket") << name << QStringLiteral("方括号]") << QStringList{"5"};
    QTest::newRow("emoji") << name << QStringLiteral("😀") << QStringList{"6"};
    QTest::newRow("10000 characters") << name << kLong << QStringList{"7"};
    QTest::newRow("trimmed keyword") << name << QStringLiteral("  普通 ") << QStringList{"8"};
    QTest::newRow("substring, case-insensitive") << name << QStringLiteral("A_B") << QStringList{"3"};
    QTest::newRow("empty keyword: every non-Null field")
        << QStringLiteral("企业地址") << QString() << QStringList{"1", "3"};
    QTest::newRow("number 007") << QStringLiteral("企业编号") << QStringLiteral("007") << QStringList{"7"};
    QTest::newRow("number 2.5 to even")
        << QStringLiteral("企业编号") << QStringLiteral("2.5") << QStringList{"2"};
    QTest::newRow("number 3.5 to even")
        << QStringLiteral("企业编号") << QStringLiteral("3.5") << QStringList{"4"};
    QTest::newRow("number 5.51 up") << QStringLiteral("企业编号") << QStringLiteral("5.51")
                                    << QStringList{"6"};
    QTest::newRow("number +3 with spaces")
        << QStringLiteral("企业编号") << QStringLiteral(" +3 ") << QStringList{"3"};
    QTest::newRow("no match") << name << QStringLiteral("不存在") << QStringList{};
    QTest::newRow("number 12.5 → 12, no match")
        << QStringLiteral("企业编号") << QStringLiteral("12.5") << QStringList{};
}

void TestMdiCompany::search() {
    QFETCH(QString, item);
    QFETCH(QString, keyword);
    QFETCH(QStringList, ids);
    TempHome home;
    hostileFixture();
    FakePrompt prompt;
    mdiCompany w;
    auto* grid = need<Grid>(&w, "grdCompanyList");
    QCOMPARE(grid->Rows(), 9);
    ::search(w, item, keyword);
    QCOMPARE(column(*grid, 0), ids);
    if (ids.isEmpty()) {
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("没有找到任何数据！")});
        QCOMPARE(grid->Rows(), 1);
    } else {
        QVERIFY2(prompt.records.isEmpty(), qPrintable(prompt.texts().join('|')));
    }
}

void TestMdiCompany::keywordLeftBecomesNumber_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");
    QTest::newRow("007") << QStringLiteral("企业编号") << QStringLiteral("007") << QStringLiteral("7");
    QTest::newRow("12.5") << QStringLiteral("企业编号") << QStringLiteral("12.5") << QStringLiteral("12");
    QTest::newRow("-0.5") << QStringLiteral("企业编号") << QStringLiteral("-0.5") << QStringLiteral("0");
    QTest::newRow("too big stays") << QStringLiteral("企业编号") << QStringLiteral("99999999999")
                                   << QStringLiteral("99999999999");
    QTest::newRow("text only trimmed")
        << QStringLiteral("企业编号") << QStringLiteral(" abc ") << QStringLiteral("abc");
    QTest::newRow("other item keeps zeros")
        << QStringLiteral("企业电话") << QStringLiteral(" 007 ") << QStringLiteral("007");
}

void TestMdiCompany::keywordLeftBecomesNumber() {
    QFETCH(QString, item);
    QFETCH(QString, typed);
    QFETCH(QString, left);
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiCompany w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    chooseItem(w, item);
    auto* kw = need<QLineEdit>(&w, "txtKeyword");
    kw->setFocus();
    typeText(kw, typed);
    QCOMPARE(kw->text(), typed); // nothing changes while typing
    need<QPushButton>(&w, "cmdQuery")->setFocus();
    QCOMPARE(kw->text(), left);
}

void TestMdiCompany::badNumberGivesMessageAndNoQuery_data() {
    QTest::addColumn<QString>("keyword");
    for (const char* k :
         {"99999999999", "1e12", "&H10", "2147483648", "-2147483649", "abc", "", "+", ".", "1.2.3", "１２"})
        QTest::newRow(k) << QString::fromUtf8(k);
}

void TestMdiCompany::badNumberGivesMessageAndNoQuery() {
    QFETCH(QString, keyword);
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiCompany w;
    auto* grid = need<Grid>(&w, "grdCompanyList");
    SqlText = QStringLiteral("untouched");
    ::search(w, QStringLiteral("企业编号"), keyword);
    QCOMPARE(SqlText, QStringLiteral("untouched"));
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("只能输入数字！")});
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QCOMPARE(prompt.last()->icon, Prompt::Icon::Warning);
    QCOMPARE(grid->Rows(), 21);
}

void TestMdiCompany::searchWithHintTextReportsEngineError() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiCompany w;
    auto* kw = need<QLineEdit>(&w, "txtKeyword");
    kw->setText(QStringLiteral("华信"));
    need<QPushButton>(&w, "cmdQuery")->click();
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QVERIFY(prompt.last()->text.contains(QStringLiteral("查询错误")));
    QCOMPARE(need<Grid>(&w, "grdCompanyList")->Rows(), 21);
}

void TestMdiCompany::deleteAsksAndPlaysSound() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    SoundRecorder sound;
    makeDelWav();
    mdiCompany w;
    auto* grid = need<Grid>(&w, "grdCompanyList");
    const int staff = count(QStringLiteral("select * from [联系人] where [企业编号]=3"));
    const int visits =
        count(QStringLiteral("select * from [拜访] where [受访单位]='3:广州南粤物流有限公司'"));
    QVERIFY(staff > 0);
    QVERIFY(visits > 0);

    grid->SetRow(3);
    prompt.answer(Prompt::Answer::Cancel);
    need<QPushButton>(&w, "cmdDelCompany")->click();
    QCOMPARE(prompt.last()->text, QStringLiteral("你确定要删除企业 广州南粤物流有限公司 的信息吗？"));
    QCOMPARE(prompt.last()->caption, QStringLiteral("提示"));
    QCOMPARE(prompt.last()->icon, Prompt::Icon::Information);
    QCOMPARE(prompt.last()->buttons, Prompt::Buttons::OkCancel);
    QCOMPARE(count(QStringLiteral("select * from [企业]")), 20);
    QVERIFY(sound.played.isEmpty());

    prompt.clear();
    grid->SetRow(3);
    need<QPushButton>(&w, "cmdDelCompany")->click(); // unscripted: OK
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(value(QStringLiteral("select [企业编号] from [企业] where [企业编号]=3")),
             QVariant(QStringLiteral("<none>")));
    QCOMPARE(count(QStringLiteral("select * from [企业]")), 19);
    QCOMPARE(sound.played, QStringList{WaveFiles[2]});
    QVERIFY(WaveFiles[2].endsWith(QStringLiteral("Del.wav")));
    QCOMPARE(grid->Rows(), 20);
    QVERIFY(!column(*grid, 0).contains(QStringLiteral("3")));
    // Only the company row goes: its contacts and visits stay.
    QCOMPARE(count(QStringLiteral("select * from [联系人] where [企业编号]=3")), staff);
    QCOMPARE(count(QStringLiteral("select * from [拜访] where [受访单位]='3:广州南粤物流有限公司'")), visits);

    // Without a selected row nothing is asked.
    prompt.clear();
    grid->SetRow(0);
    need<QPushButton>(&w, "cmdDelCompany")->click();
    QVERIFY(prompt.records.isEmpty());
}

void TestMdiCompany::deleteFailures_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("left");
    QTest::newRow("refused by trigger")
        << QStringLiteral(
               "CREATE TRIGGER keep BEFORE DELETE ON [企业] BEGIN SELECT RAISE(ABORT, 'kept'); END")
        << 20;
    QTest::newRow("row already gone") << QStringLiteral("DELETE FROM [企业] WHERE [企业编号]=4") << 19;
}

void TestMdiCompany::deleteFailures() {
    QFETCH(QString, fixture);
    QFETCH(int, left);
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    SoundRecorder sound;
    makeDelWav();
    mdiCompany w;
    auto* grid = need<Grid>(&w, "grdCompanyList");
    grid->SetRow(4);
    QString error;
    QVERIFY2(home.raw(fixture, &error), qPrintable(error));
    need<QPushButton>(&w, "cmdDelCompany")->click();
    QCOMPARE(prompt.messages().size(), 2);
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QVERIFY2(prompt.last()->text.startsWith(QStringLiteral("查询错误")), qPrintable(prompt.last()->text));
    QVERIFY(sound.played.isEmpty());
    QCOMPARE(count(QStringLiteral("select * from [企业]")), left);
    QCOMPARE(grid->Rows(), left + 1);
}

void TestMdiCompany::editFromGridRoundTrip() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiCompany w;
    auto* grid = need<Grid>(&w, "grdCompanyList");
    // The stored kind is no longer in the kind list: saving another field keeps it.
    QVERIFY(home.raw(QStringLiteral("DELETE FROM [企业性质] WHERE [性质名称]='民营企业'")));
    const QStringList before = rows(QStringLiteral("select * from [企业] where [企业编号]=2")).value(0);
    QVERIFY(!before.value(7).isEmpty()); // has a fax
    // Filter first: the edit reloads the full list afterwards.
    ::search(w, QStringLiteral("企业编号"), QStringLiteral("2"));
    QCOMPARE(grid->Rows(), 2);
    QStringList shown;
    bool dirtyAtShow = true;
    prompt.onDialog([&](QDialog& d) {
        auto& form = dynamic_cast<frmEditCompany&>(d);
        dirtyAtShow = form.IsDirty();
        for (const char* box : {"txtName", "txtNameABC", "txtKind", "txtIndustry", "txtAddress",
                                "txtTelephone", "txtFax", "txtHomePage", "txtCorporation", "txtArea"})
            shown << need<QLineEdit>(&d, box)->text();
        need<QLineEdit>(&d, "txtTelephone")->setText(QStringLiteral("  010-1234 5678  "));
        need<QLineEdit>(&d, "txtFax")->clear();
        need<QPushButton>(&d, "cmdSave")->click();
    });
    need<QPushButton>(&w, "cmdEditCompany")->click();
    QCOMPARE(SelectedId, 2L);
    QCOMPARE(prompt.records.first().dialogName, QStringLiteral("frmEditCompany"));
    QCOMPARE(prompt.records.first().text, QStringLiteral("修改企业单位信息"));
    QCOMPARE(shown, before.mid(1));
    QVERIFY(!dirtyAtShow);
    QCOMPARE(prompt.messages().size(), 0);
    QStringList expected = before;
    expected[6] = QStringLiteral("010-1234 5678");
    expected[7] = QString();
    QCOMPARE(rows(QStringLiteral("select * from [企业] where [企业编号]=2")).value(0), expected);
    QVERIFY(value(QStringLiteral("select [企业传真] from [企业] where [企业编号]=2")).isNull());
    QCOMPARE(grid->Rows(), 21);
}

void TestMdiCompany::doubleClickEditsOnlyWithClickEdit() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiCompany w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* grid = need<Grid>(&w, "grdCompanyList");
    AppSettings.ClickEdit = false;
    dblClickRow(grid, 2);
    QVERIFY(prompt.records.isEmpty());
    AppSettings.ClickEdit = true;
    QString name;
    prompt.onDialog([&](QDialog& d) { name = need<QLineEdit>(&d, "txtName")->text(); });
    dblClickRow(grid, 2);
    QCOMPARE(prompt.records.size(), 1);
    QCOMPARE(prompt.records.first().dialogName, QStringLiteral("frmEditCompany"));
    QCOMPARE(name, QStringLiteral("上海东方贸易公司"));
}

void TestMdiCompany::addReloadsList() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiCompany w;
    ::search(w, QStringLiteral("企业编号"), QStringLiteral("1"));
    prompt.onDialog([](QDialog& d) {
        need<QLineEdit>(&d, "txtName")->setText(QStringLiteral("新公司"));
        need<QLineEdit>(&d, "txtKind")->setText(QStringLiteral("国有企业"));
        need<QLineEdit>(&d, "txtIndustry")->setText(QStringLiteral("软件"));
        need<QPushButton>(&d, "cmdSave")->click();
    });
    need<QPushButton>(&w, "cmdAddCompany")->click();
    QCOMPARE(prompt.records.first().dialogName, QStringLiteral("frmAddCompany"));
    auto* grid = need<Grid>(&w, "grdCompanyList");
    QCOMPARE(grid->Rows(), 22);
    QCOMPARE(grid->TextMatrix(21, 1), QStringLiteral("新公司"));
    QCOMPARE(grid->TextMatrix(21, 0), QStringLiteral("21"));
}

void TestMdiCompany::hooks() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    HookReset reset;
    mdiCompany w;
    w.show();
    auto* person = need<QPushButton>(&w, "cmdPersonList");
    auto* visits = need<QPushButton>(&w, "cmdVisitList");
    auto* visitAdd = need<QPushButton>(&w, "cmdVisitAdd");
    QVERIFY(!person->isEnabled());
    QVERIFY(!visits->isEnabled());
    QVERIFY(!visitAdd->isEnabled());

    QList<long> staff;
    QList<QPair<long, QString>> shown, added;
    mdiCompany::ShowStaff = [&](long id) { staff << id; };
    mdiCompany::ShowVisits = [&](long id, const QString& n) { shown << qMakePair(id, n); };
    mdiCompany::AddVisit = [&](long id, const QString& n) { added << qMakePair(id, n); };
    w.hide();
    w.show();
    QVERIFY(person->isEnabled() && visits->isEnabled() && visitAdd->isEnabled());

    auto* grid = need<Grid>(&w, "grdCompanyList");
    grid->SetRow(5);
    person->click();
    visits->click();
    visitAdd->click();
    QCOMPARE(staff, QList<long>{5});
    const auto five = qMakePair(5L, QStringLiteral("杭州西湖茶业公司"));
    QCOMPARE(shown, (QList<QPair<long, QString>>{five}));
    QCOMPARE(added, (QList<QPair<long, QString>>{five}));
    QCOMPARE(SelectedId, 5L);
    QVERIFY(prompt.records.isEmpty());

    grid->SetRow(0);
    person->click();
    visits->click();
    visitAdd->click();
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("你必须先选择一个企业！")});
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QCOMPARE(staff.size(), 1);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(added.size(), 1);
}

void TestMdiCompany::loadCondition() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiCompany w;
    w.LoadCondition(QStringLiteral(" where [企业行业]='物流'"));
    QCOMPARE(column(*need<Grid>(&w, "grdCompanyList"), 1),
             (QStringList{QStringLiteral("广州南粤物流有限公司"), QStringLiteral("西安古城文化传媒"),
                          QStringLiteral("昆明春城旅游公司")}));
    // A window filling the grid for itself may switch the fill off around the load.
    GridFillEnabled = false;
    mdiCompany empty;
    GridFillEnabled = true;
    QCOMPARE(need<Grid>(&empty, "grdCompanyList")->Rows(), 1);
    QCOMPARE(need<QComboBox>(&empty, "cboQueryItem")->count(), 11);
}

void TestMdiCompany::resizeLayout() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiCompany w;
    w.show();
    w.resize(800, 500);
    QCOMPARE(w.size(), QSize(800, 500));
    auto* grid = need<Grid>(&w, "grdCompanyList");
    const int left = grid->x();
    const int top = grid->y();
    QCOMPARE(grid->geometry(), QRect(left, top, 800 - 2 * left, 500 - 2 * top));
    auto* person = need<QPushButton>(&w, "cmdPersonList");
    const QPoint personAt = person->pos();
    int x = left + grid->width() - person->width() - 4;
    const int y = 500 - 4 - person->height();
    for (const char* name :
         {"cmdVisitAdd", "cmdVisitList", "cmdDelCompany", "cmdEditCompany", "cmdAddCompany"}) {
        auto* b = need<QPushButton>(&w, name);
        QCOMPARE(b->pos(), QPoint(x, y));
        x -= b->width() + 8;
    }
    QVERIFY(x > 0);
    // Never smaller than 8430 × 4500 twips; the other controls keep their places.
    w.resize(200, 100);
    QCOMPARE(w.size(), QSize(8430 / 15, 4500 / 15));
    QCOMPARE(person->pos(), personAt);
    QCOMPARE(grid->height(), 300 - 2 * top);
}

QTEST_MAIN(TestMdiCompany)
#include "tst_mdiCompany.moc"
