#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "core/Sound.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tests/ui/contact/ContactTestKit.h"
#include "ui/company/mdiCompany.h"
#include "ui/contact/ContactMenu.h"
#include "ui/contact/frmEditLinkMan.h"
#include "ui/contact/mdiLinkMan.h"
#include "ui/main/mdiTobrin.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

namespace {
// Six contacts: two of company 12, text that breaks careless SQL, a leap-day birthday.
const char* kContacts = "INSERT INTO "
                        "\"联系人\"(\"姓名\",\"姓名首拼\",\"生日提醒\",\"企业编号\",\"所属企业\",\"生日\","
                        "\"爱好\",\"城市\") VALUES"
                        "('张三','ZS-stored','提醒',12,'十二公司','1985-06-01','看书 游泳','北京'),"
                        "('王五','WW','不提醒',12,'十二公司',NULL,NULL,NULL),"
                        "('O''Brien','OB','不提醒',3,'三公司',NULL,NULL,NULL),"
                        "('100%_纯','C','不提醒',NULL,NULL,NULL,NULL,NULL),"
                        "('张三丰','ZSF','不提醒',7,'七公司',NULL,NULL,NULL),"
                        "('王小明','WXM','不提醒',NULL,NULL,'2000-02-29',NULL,NULL);";
const QStringList kNames = {"张三", "王五", "O'Brien", "100%_纯", "张三丰", "王小明"};

QPushButton* button(QWidget& w, const char* name) {
    return w.findChild<QPushButton*>(QString::fromLatin1(name));
}
QComboBox* items(QWidget& w) {
    return w.findChild<QComboBox*>(QStringLiteral("cboQueryItem"));
}
QLineEdit* keyword(QWidget& w) {
    return w.findChild<QLineEdit*>(QStringLiteral("txtKeyword"));
}

void chooseItem(QWidget& w, const QString& item) {
    items(w)->setCurrentIndex(item.isEmpty() ? -1 : items(w)->findText(item));
}

void selectName(mdiLinkMan& w, const QString& name) {
    const int row = kit::rowOf(*w.grid(), 1, name);
    QVERIFY2(row > 0, qPrintable(name));
    w.grid()->SetRow(row);
}
} // namespace

class tst_mdiLinkMan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void opensWithAllContactsAndFields();
    void sortSetting_data();
    void sortSetting();
    void query_data();
    void query();
    void keywordTrimmedOnLeaving_data();
    void keywordTrimmedOnLeaving();
    void clearButton();
    void deleteContact();
    void deleteRefused();
    void editFromList();
    void doubleClickFollowsClickEdit();
    void visitHooks();
    void companyNeedsContact();
    void menuItems();
    void companyOfContact();
    void staffFromCompanyList();
    void layout();
};

void tst_mdiLinkMan::init() {
    AppSettings = AppSettingsRecord();
    GridFillEnabled = true;
    mdiLinkMan::ShowVisits = nullptr;
    mdiLinkMan::AddVisit = nullptr;
}

void tst_mdiLinkMan::cleanup() {
    if (mdiTobrin::exists()) {
        mdiTobrin::instance()->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void tst_mdiLinkMan::opensWithAllContactsAndFields() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    mdiLinkMan w;
    QCOMPARE(w.windowTitle(), QStringLiteral("联系人信息列表"));
    QCOMPARE(w.grid()->objectName(), QStringLiteral("grdLinkManList"));
    QCOMPARE(w.grid()->Rows(), 61);
    QCOMPARE(w.grid()->Cols(), 25);
    QStringList fields;
    for (int i = 0; i < items(w)->count(); ++i)
        fields << items(w)->itemText(i);
    QCOMPARE(fields.size(), 25);
    QCOMPARE(fields.value(0), QStringLiteral("联系人编号"));
    QCOMPARE(fields.value(13), QStringLiteral("ＩＭ通讯"));
    QCOMPARE(fields.value(18), QStringLiteral("企业编号"));
    QCOMPARE(items(w)->currentText(), QString());
    QVERIFY(prompt.records.isEmpty());
}

void tst_mdiLinkMan::sortSetting_data() {
    QTest::addColumn<bool>("sort");
    QTest::newRow("sorted by name") << true;
    QTest::newRow("stored order") << false;
}

void tst_mdiLinkMan::sortSetting() {
    QFETCH(bool, sort);
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    AppSettings.Sort = sort;
    QStringList sorted = kNames;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
    mdiLinkMan w;
    QCOMPARE(kit::column(*w.grid(), 1), sort ? sorted : kNames);
    // A query keeps the same order (an empty keyword finds every name).
    chooseItem(w, QStringLiteral("姓名"));
    button(w, "cmdQuery")->click();
    QCOMPARE(kit::column(*w.grid(), 1), sort ? sorted : kNames);
    QVERIFY(prompt.records.isEmpty());
}

void tst_mdiLinkMan::query_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("names"); // the grid afterwards
    QTest::addColumn<QString>("message");   // expected prompt text, empty for none
    const QString numbers = QStringLiteral("只能输入数字！");
    const QString none = QStringLiteral("没有找到任何数据！");
    const QStringList twelve = {"张三", "王五"};
    QTest::newRow("no item: all") << ""
                                  << "王" << kNames << "";
    QTest::newRow("name contains") << "姓名"
                                   << "王" << QStringList{"王五", "王小明"} << "";
    QTest::newRow("single quote") << "姓名"
                                  << "'" << QStringList{"O'Brien"} << "";
    QTest::newRow("quoted name exactly") << "姓名"
                                         << "O'Brien" << QStringList{"O'Brien"} << "";
    QTest::newRow("percent is itself") << "姓名"
                                       << "%" << QStringList{"100%_纯"} << "";
    QTest::newRow("underscore is itself") << "姓名"
                                          << "_" << QStringList{"100%_纯"} << "";
    QTest::newRow("inner blank kept") << "爱好"
                                      << "看书 游泳" << QStringList{"张三"} << "";
    QTest::newRow("nothing found") << "姓名"
                                   << "无此人" << QStringList{} << none;
    QTest::newRow("company between blanks") << "企业编号"
                                            << " 12 " << twelve << "";
    QTest::newRow("leading zeros") << "企业编号"
                                   << "012" << twelve << "";
    QTest::newRow("sign") << "企业编号"
                          << "+12" << twelve << "";
    QTest::newRow("fraction rounds down") << "企业编号"
                                          << "12.4" << twelve << "";
    QTest::newRow("half to even, down") << "企业编号"
                                        << "12.5" << twelve << "";
    QTest::newRow("half to even, up") << "企业编号"
                                      << "11.5" << twelve << "";
    QTest::newRow("contact number") << "联系人编号"
                                    << "3" << QStringList{"O'Brien"} << "";
    QTest::newRow("letters") << "联系人编号"
                             << "abc" << kNames << numbers;
    QTest::newRow("beyond 32 bits") << "企业编号"
                                    << "99999999999" << kNames << numbers;
    QTest::newRow("exponent") << "企业编号"
                              << "1e12" << kNames << numbers;
    QTest::newRow("hex") << "企业编号"
                         << "&H10" << kNames << numbers;
    QTest::newRow("empty number") << "企业编号"
                                  << "" << kNames << numbers;
    QTest::newRow("leap day short") << "生日"
                                    << "2000-2-29" << QStringList{"王小明"} << "";
    QTest::newRow("leap day long") << "生日"
                                   << "2000-02-29" << QStringList{"王小明"} << "";
    QTest::newRow("birthday words") << "生日"
                                    << "abc" << kNames << "";
    QTest::newRow("impossible birthday") << "生日"
                                         << "2001-02-29" << kNames << "";
}

void tst_mdiLinkMan::query() {
    QFETCH(QString, item);
    QFETCH(QString, typed);
    QFETCH(QStringList, names);
    QFETCH(QString, message);
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    mdiLinkMan w;
    QCOMPARE(kit::column(*w.grid(), 1), kNames);
    chooseItem(w, item);
    kit::type(keyword(w), typed);
    button(w, "cmdQuery")->click();
    QCOMPARE(kit::column(*w.grid(), 1), names);
    const bool badDate = item == QStringLiteral("生日") && names == kNames;
    if (badDate) {
        QCOMPARE(prompt.messages().size(), 1);
        QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
        QVERIFY(prompt.last()->text.contains(typed));
    } else {
        QCOMPARE(prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    }
    if (message == QStringLiteral("只能输入数字！"))
        QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QCOMPARE(kit::contactCount(), kNames.size());
}

void tst_mdiLinkMan::keywordTrimmedOnLeaving_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");
    QTest::newRow("number between blanks") << "企业编号"
                                           << " 12 "
                                           << "12";
    QTest::newRow("leading zeros go") << "联系人编号"
                                      << "007"
                                      << "7";
    QTest::newRow("fraction rounded") << "企业编号"
                                      << "12.5"
                                      << "12";
    QTest::newRow("too big stays") << "企业编号"
                                   << "99999999999"
                                   << "99999999999";
    QTest::newRow("text keeps inner blank") << "爱好"
                                            << " 看书 游泳 "
                                            << "看书 游泳";
    QTest::newRow("digits of a text item stay") << "姓名"
                                                << "007"
                                                << "007";
}

void tst_mdiLinkMan::keywordTrimmedOnLeaving() {
    QFETCH(QString, item);
    QFETCH(QString, typed);
    QFETCH(QString, left);
    TempHome home;
    FakePrompt prompt;
    mdiLinkMan w;
    w.show();
    chooseItem(w, item);
    kit::focus(keyword(w));
    kit::type(keyword(w), typed);
    // Nothing is trimmed while typing.
    QCOMPARE(keyword(w)->text(), typed);
    kit::leave(keyword(w), items(w));
    QCOMPARE(keyword(w)->text(), left);
}

void tst_mdiLinkMan::clearButton() {
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    mdiLinkMan w;
    chooseItem(w, QStringLiteral("姓名"));
    kit::type(keyword(w), QStringLiteral("王"));
    button(w, "cmdQuery")->click();
    button(w, "ExBtn1")->click();
    QCOMPARE(items(w)->currentText(), QString());
    QCOMPARE(keyword(w)->text(), QString());
    QCOMPARE(kit::column(*w.grid(), 1), (QStringList{"王五", "王小明"}));
}

void tst_mdiLinkMan::deleteContact() {
    TempHome home;
    FakePrompt prompt;
    SoundRecorder sound;
    kit::makeWaveFiles(home);
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    mdiLinkMan w;
    selectName(w, QStringLiteral("O'Brien"));
    prompt.answer(Prompt::Answer::Cancel);
    button(w, "cmdDelLinkMan")->click();
    QCOMPARE(prompt.last()->text, QStringLiteral("你确定要删除联系人 O'Brien 的信息吗？"));
    QCOMPARE(prompt.last()->caption, QStringLiteral("提示"));
    QCOMPARE(prompt.last()->buttons, Prompt::Buttons::OkCancel);
    QCOMPARE(kit::contactCount(), 6);
    QVERIFY(sound.played.isEmpty());

    button(w, "cmdDelLinkMan")->click();
    QCOMPARE(kit::contactCount(), 5);
    QVERIFY(kit::contact(3).isEmpty());
    QCOMPARE(sound.played, QStringList{WaveFiles.value(2)});
    QVERIFY(WaveFiles.value(2).endsWith(QStringLiteral("Del.wav")));
    QCOMPARE(kit::rowOf(*w.grid(), 1, QStringLiteral("O'Brien")), 0);
    QCOMPARE(w.grid()->Rows(), 6);

    // Deleted behind the list: nothing to delete, no sound, the list catches up.
    selectName(w, QStringLiteral("王五"));
    QVERIFY(home.raw(QStringLiteral("DELETE FROM \"联系人\" WHERE \"姓名\"='王五';")));
    button(w, "cmdDelLinkMan")->click();
    QCOMPARE(sound.played.size(), 1);
    QCOMPARE(kit::rowOf(*w.grid(), 1, QStringLiteral("王五")), 0);

    // No row selected: no question.
    const int asked = prompt.records.size();
    w.grid()->SetRow(0);
    button(w, "cmdDelLinkMan")->click();
    QCOMPARE(prompt.records.size(), asked);
}

void tst_mdiLinkMan::deleteRefused() {
    TempHome home;
    FakePrompt prompt;
    SoundRecorder sound;
    kit::makeWaveFiles(home);
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    QVERIFY(home.raw(QStringLiteral(
        "CREATE TRIGGER keep BEFORE DELETE ON \"联系人\" BEGIN SELECT RAISE(ABORT, '不许删除'); END;")));
    mdiLinkMan w;
    selectName(w, QStringLiteral("张三"));
    button(w, "cmdDelLinkMan")->click();
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QVERIFY(prompt.last()->text.startsWith(QStringLiteral("查询错误")));
    QVERIFY(prompt.last()->text.contains(QStringLiteral("不许删除")));
    QVERIFY(sound.played.isEmpty());
    QCOMPARE(kit::contactCount(), 6);
    QVERIFY(kit::rowOf(*w.grid(), 1, QStringLiteral("张三")) > 0);
}

void tst_mdiLinkMan::editFromList() {
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    AppSettings.Sort = true;
    mdiLinkMan w;
    selectName(w, QStringLiteral("张三"));
    prompt.onDialog([&](QDialog& d) {
        QCOMPARE(d.objectName(), QStringLiteral("frmEditLinkMan"));
        QCOMPARE(SelectedId, 1L);
        auto text = [&](const char* name) {
            return d.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
        };
        QCOMPARE(text("txtName"), QStringLiteral("张三"));
        QCOMPARE(text("txtNameABC"), QStringLiteral("ZS-stored"));
        QCOMPARE(text("txtBirthday"), QStringLiteral("1985-06-01"));
        QCOMPARE(text("txtEnjoy"), QStringLiteral("看书 游泳"));
        QCOMPARE(text("txtCompanyID"), QStringLiteral("12"));
        QCOMPARE(text("txtCompanyName"), QStringLiteral("十二公司"));
        QVERIFY(d.findChild<QCheckBox*>(QStringLiteral("chkRemind"))->isChecked());
        QVERIFY(!static_cast<frmEditLinkMan&>(d).IsDirty());
        auto* city = d.findChild<QLineEdit*>(QStringLiteral("txtCity"));
        city->clear();
        kit::type(city, QStringLiteral("上海'浦东"));
        d.findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
    });
    button(w, "cmdEditLinkMan")->click();
    QVERIFY(prompt.allUsed());
    QCOMPARE(kit::contact(1)[9].toString(), QStringLiteral("上海'浦东"));
    QCOMPARE(kit::contact(1)[2].toString(), QStringLiteral("ZS-stored"));
    const int row = kit::rowOf(*w.grid(), 1, QStringLiteral("张三"));
    QCOMPARE(w.grid()->TextMatrix(row, 9), QStringLiteral("上海'浦东"));
    // The reload keeps the name order.
    QStringList names = kit::column(*w.grid(), 1);
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
    QCOMPARE(names, sorted);
    // The other rows are untouched.
    QCOMPARE(kit::contact(2)[9], QVariant());
}

void tst_mdiLinkMan::doubleClickFollowsClickEdit() {
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    mdiLinkMan w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Grid* grid = w.grid();
    const QPoint cell = grid->visualRect(grid->model()->index(1, 1)).center();
    QSignalSpy clicks(grid, &Grid::DblClick);
    kit::doubleClick(grid->viewport(), cell);
    QCOMPARE(clicks.size(), 1); // the double click arrived, and did nothing
    QCOMPARE(prompt.records.size(), 0);
    AppSettings.ClickEdit = true;
    kit::doubleClick(grid->viewport(), cell);
    QCOMPARE(prompt.records.size(), 1);
    QCOMPARE(prompt.records.first().dialogName, QStringLiteral("frmEditLinkMan"));
    QCOMPARE(SelectedId, 2L);
}

void tst_mdiLinkMan::visitHooks() {
    TempHome home;
    FakePrompt prompt;
    QVERIFY(
        home.raw(QStringLiteral("INSERT INTO \"联系人\"(\"姓名\",\"生日提醒\") VALUES(' 张三 ','提醒');")));
    {
        mdiLinkMan w;
        w.show();
        QVERIFY(!button(w, "cmdVisitList")->isEnabled());
        QVERIFY(!button(w, "cmdVisitAdd")->isEnabled());
    }
    QStringList listed, added;
    mdiLinkMan::ShowVisits = [&](const QString& name) { listed << name; };
    mdiLinkMan::AddVisit = [&](const QString& name) { added << name; };
    mdiLinkMan w;
    w.show();
    QVERIFY(button(w, "cmdVisitList")->isEnabled());
    QVERIFY(button(w, "cmdVisitAdd")->isEnabled());
    button(w, "cmdVisitList")->click();
    button(w, "cmdVisitAdd")->click();
    QCOMPARE(listed, QStringList{"张三"});
    QCOMPARE(added, QStringList{"张三"});
    w.grid()->SetRow(0);
    button(w, "cmdVisitList")->click();
    button(w, "cmdVisitAdd")->click();
    QCOMPARE(listed.size(), 1);
    QCOMPARE(added.size(), 1);
    QVERIFY(prompt.records.isEmpty());
}

void tst_mdiLinkMan::companyNeedsContact() {
    TempHome home;
    FakePrompt prompt;
    mdiLinkMan w;
    QCOMPARE(w.grid()->Row(), 0);
    button(w, "cmdCompany")->click();
    QCOMPARE(prompt.texts(), QStringList{"你必须先选择一个联系人！"});
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
}

void tst_mdiLinkMan::menuItems() {
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QString::fromUtf8(kContacts)));
    mdiTobrin& main = *mdiTobrin::instance();
    WireContactMenu(main);
    for (const char* name : {"mnuLinkmanList", "mnuLinkmanAdd", "mnuLinkmanEdit", "mnuLinkmanDel"})
        QVERIFY2(main.action(QString::fromLatin1(name))->isEnabled(), name);

    main.action(QStringLiteral("mnuLinkmanEdit"))->trigger();
    mdiLinkMan* list = main.child<mdiLinkMan>();
    QVERIFY(list);
    QCOMPARE(list->grid()->Rows(), 7);
    main.action(QStringLiteral("mnuLinkmanList"))->trigger();
    QCOMPARE(main.child<mdiLinkMan>(), list);

    prompt.onDialog([&](QDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("添加联系人信息"));
        kit::type(d.findChild<QLineEdit*>(QStringLiteral("txtName")), QStringLiteral("菜单新人"));
        d.findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
    });
    main.action(QStringLiteral("mnuLinkmanAdd"))->trigger();
    QCOMPARE(prompt.records.last().dialogName, QStringLiteral("frmAddLinkMan"));
    QCOMPARE(kit::contactCount(), 7);
}

namespace {
// Companies 1 and 2; staff of 2, of 22 (not 2) and of none.
void companyFixture(const TempHome& home) {
    QCOMPARE(kit::addCompany(home, QStringLiteral("甲公司")), 1L);
    QCOMPARE(kit::addCompany(home, QStringLiteral("乙公司")), 2L);
    QVERIFY(home.raw(QStringLiteral(
        "INSERT INTO \"联系人\"(\"姓名\",\"生日提醒\",\"企业编号\",\"所属企业\") VALUES"
        "('员工甲','不提醒',2,'乙公司'),('外人','不提醒',22,'别家'),('员工丙','不提醒',2,'乙公司'),"
        "('自由人','不提醒',NULL,NULL);")));
}
} // namespace

void tst_mdiLinkMan::companyOfContact() {
    TempHome home;
    FakePrompt prompt;
    companyFixture(home);
    mdiTobrin& main = *mdiTobrin::instance();
    mdiLinkMan* list = main.showChild<mdiLinkMan>();
    selectName(*list, QStringLiteral("员工丙"));
    button(*list, "cmdCompany")->click();
    mdiCompany* companies = main.child<mdiCompany>();
    QVERIFY(companies);
    QCOMPARE(kit::column(*companies->grid(), 1), QStringList{"乙公司"});
    QVERIFY(prompt.records.isEmpty());

    // No company: an empty list with the notice, not a wrong company.
    selectName(*list, QStringLiteral("自由人"));
    button(*list, "cmdCompany")->click();
    QCOMPARE(main.child<mdiCompany>(), companies);
    QCOMPARE(companies->grid()->Rows(), 1);
    QCOMPARE(prompt.texts(), QStringList{"没有找到任何数据！"});
}

void tst_mdiLinkMan::staffFromCompanyList() {
    TempHome home;
    FakePrompt prompt;
    companyFixture(home);
    mdiTobrin& main = *mdiTobrin::instance();
    mdiCompany::ShowStaff = nullptr;
    WireContactMenu(main);
    QVERIFY(mdiCompany::ShowStaff);
    mdiCompany* companies = main.showChild<mdiCompany>();
    auto* staff = companies->findChild<QPushButton*>(QStringLiteral("cmdPersonList"));
    QVERIFY(staff->isEnabled());
    companies->grid()->SetRow(kit::rowOf(*companies->grid(), 1, QStringLiteral("乙公司")));
    staff->click();
    mdiLinkMan* list = main.child<mdiLinkMan>();
    QVERIFY(list);
    QCOMPARE(kit::column(*list->grid(), 1), (QStringList{"员工甲", "员工丙"}));
    // A company without staff: the notice and an empty list.
    companies->grid()->SetRow(kit::rowOf(*companies->grid(), 1, QStringLiteral("甲公司")));
    staff->click();
    QCOMPARE(list->grid()->Rows(), 1);
    QCOMPARE(prompt.texts(), QStringList{"没有找到任何数据！"});
}

void tst_mdiLinkMan::layout() {
    TempHome home;
    FakePrompt prompt;
    mdiLinkMan w;
    w.show();
    QCOMPARE(w.minimumSize(), QSize(8430 / 15, 4500 / 15));
    w.resize(900, 520);
    QCoreApplication::processEvents();
    QList<QPushButton*> row;
    for (const char* name :
         {"cmdAddLinkMan", "cmdEditLinkMan", "cmdDelLinkMan", "cmdVisitList", "cmdVisitAdd"})
        row << button(w, name);
    for (int i = 1; i < row.size(); ++i)
        QVERIFY(row[i - 1]->geometry().right() < row[i]->geometry().left());
    QCOMPARE(row.first()->text(), QStringLiteral("添加联系人"));
    QCOMPARE(row.last()->size(), QSize(88, 30));
    // The grid takes what the window gains, the buttons stay at the right edge.
    const int gridWidth = w.grid()->width();
    const int gap = w.width() - row.last()->geometry().right();
    w.resize(1000, 600);
    QCoreApplication::processEvents();
    QCOMPARE(w.grid()->width(), gridWidth + 100);
    QCOMPARE(w.width() - row.last()->geometry().right(), gap);
    QVERIFY(w.grid()->geometry().bottom() < row.last()->geometry().top());
}

QTEST_MAIN(tst_mdiLinkMan)
#include "tst_mdiLinkMan.moc"
