#include "app/Wiring.h"
#include "core/AppSettings.h"
#include "core/DateText.h"
#include "core/Schema.h"
#include "core/Sound.h"
#include "tests/support/FakeClock.h"
#include "tests/ui/visit/VisitFixture.h"
#include "ui/main/mdiTobrin.h"
#include "ui/visit/VisitMenu.h"
#include "ui/visit/mdiVisit.h"

#include <QAction>
#include <QMdiArea>

#if __has_include("ui/company/mdiCompany.h")
#include "ui/company/mdiCompany.h"
#define HAVE_COMPANY_LIST 1
#endif
#if __has_include("ui/contact/mdiLinkMan.h")
#include "ui/contact/mdiLinkMan.h"
#define HAVE_CONTACT_LIST 1
#endif

using namespace fixture;

namespace {
const QString kAll = QStringLiteral("1,2,3,4,5,6");
const QString kNoData = QStringLiteral("没有找到任何数据！");

mdiVisit* openList() {
    mdiTobrin* main = mdiTobrin::instance();
    WireMainMenu(*main);
    main->action(QStringLiteral("mnuVisitList"))->trigger();
    return main->child<mdiVisit>();
}

void selectKey(Grid& g, const QString& key) {
    for (int r = 1; r < g.Rows(); ++r)
        if (g.TextMatrix(r, 0) == key)
            g.SetRow(r);
}
} // namespace

class TestVisitList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void opensWithAllVisits();
    void query_data();
    void query();
    void rangeBoxesFillTogether();
    void clearButtonKeepsRange();
    void deleteVisit_data();
    void deleteVisit();
    void editFromGrid();
    void doubleClick_data();
    void doubleClick();
    void addLeavesGrid();
    void contactVisits_data();
    void contactVisits();
    void companyVisits();
    void hooksOfOtherLists();
    void layoutKeepsButtonsBottomRight();
};

void TestVisitList::cleanup() {
    AppSettings.ClickEdit = false;
    if (mdiTobrin::exists())
        mdiTobrin::instance()->mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestVisitList::opensWithAllVisits() {
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    mdiVisit* w = openList();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("拜访日程记录"));
    QCOMPARE(keys(w->grid()), kAll);
    QCOMPARE(w->grid().Cols(), 17);
    auto* item = get<QComboBox>(*w, QStringLiteral("cboQueryItem"));
    QStringList items;
    for (int i = 0; i < item->count(); ++i)
        items << item->itemText(i);
    QCOMPARE(items, Schema::columnNames(QStringLiteral("拜访")));
    QCOMPARE(item->currentText(), QString());
    for (int i = 0; i < 2; ++i) {
        QVERIFY(text(*w, QStringLiteral("txtDayQuery_%1").arg(i)).isEmpty());
        QCOMPARE(get<VisitUi::DatePicker>(*w, QStringLiteral("dpQuery_%1").arg(i))->date(), QDate(2026, 8, 20));
    }
    QVERIFY(prompt.records.isEmpty());
    // The other visit menu items bring up the same window.
    for (const char* name : {"mnuVisitList", "mnuVisitAdd", "mnuVisitEdit", "mnuVisitDel"})
        QVERIFY2(mdiTobrin::instance()->action(QString::fromLatin1(name))->isEnabled(), name);
    mdiTobrin::instance()->action(QStringLiteral("mnuVisitEdit"))->trigger();
    mdiTobrin::instance()->action(QStringLiteral("mnuVisitDel"))->trigger();
    QCOMPARE(mdiTobrin::instance()->child<mdiVisit>(), w);
    QCOMPARE(mdiTobrin::instance()->mdiArea()->subWindowList().size(), 1);
}

void TestVisitList::query_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("expected"); // keys listed afterwards
    QTest::addColumn<QString>("message");  // start of the first message, if any
    const QDate none;
    const QDate a1(2026, 8, 1), a2(2026, 8, 2), a3(2026, 8, 3), a14(2026, 8, 14), a15(2026, 8, 15),
        a16(2026, 8, 16), a31(2026, 8, 31);

    QTest::newRow("no item lists all") << "" << "x" << none << none << kAll << "";
    QTest::newRow("text equality") << "受访人" << "张三" << none << none << "1,2" << "";
    QTest::newRow("text, first day of range counts") << "受访人" << "张三" << a1 << a14 << "1" << "";
    QTest::newRow("text, last day of range counts") << "受访人" << "张三" << a2 << a15 << "2" << "";
    QTest::newRow("text, one-day range") << "受访人" << "张三" << a15 << a15 << "2" << "";
    QTest::newRow("text, range without visits") << "受访人" << "张三" << a3 << a14 << "" << kNoData;
    QTest::newRow("quote in keyword") << "受访人" << "O'Brien" << none << none << "6" << "";
    QTest::newRow("injection attempt") << "受访人" << "x' or '1'='1" << none << none << "" << kNoData;
    QTest::newRow("blank keyword means 0") << "受访人" << "  " << none << none << "" << kNoData;
    QTest::newRow("% and _ are plain text") << "实施人员" << "50%_off" << none << none << "6" << "";
    QTest::newRow("lone %") << "实施人员" << "%" << none << none << "" << kNoData;
    QTest::newRow("empty keyword") << "受访人" << "" << none << none << kAll << "请输入待搜索的关键字！";
    QTest::newRow("date 2026-8-1") << "工作开始时间" << "2026-8-1" << none << none << "1" << "";
    QTest::newRow("date 2026-08-01") << "工作开始时间" << "2026-08-01" << none << none << "1" << "";
    QTest::newRow("date in range") << "工作开始时间" << "2026-08-15" << a1 << a31 << "2" << "";
    QTest::newRow("date, range bound") << "工作开始时间" << "2026-08-15" << a15 << a16 << "2" << "";
    QTest::newRow("date outside range") << "工作开始时间" << "2026-08-15" << a16 << a31 << "" << kNoData;
    QTest::newRow("registration date") << "登记时间" << "2026-8-1" << none << none << "4,5,6" << "";
    QTest::newRow("end date") << "工作结束时间" << "2026/8/1" << none << none << "6" << "";
    QTest::newRow("reminder date") << "开始提醒时间" << "2026-8-10" << none << none << "2" << "";
    QTest::newRow("not a date") << "工作开始时间" << "abc" << none << none << kAll << "“abc”不是有效的日期";
    QTest::newRow("impossible date") << "登记时间" << "2026-2-30" << none << none << kAll << "“2026-2-30”不是有效的日期";
    QTest::newRow("ID 007") << "ID" << "007" << none << none << "" << kNoData;
    QTest::newRow("ID 002") << "ID" << "002" << none << none << "2" << "";
    QTest::newRow("ID 2.5 rounds to even") << "ID" << "2.5" << none << none << "2" << "";
    QTest::newRow("ID 3.5 rounds to even") << "ID" << "3.5" << none << none << "4" << "";
    QTest::newRow("ID 4.51") << "ID" << "4.51" << none << none << "5" << "";
    QTest::newRow("ID +5") << "ID" << "+5" << none << none << "5" << "";
    QTest::newRow("ID largest 32-bit") << "ID" << "2147483647" << none << none << "" << kNoData;
    QTest::newRow("ID beyond 32 bits") << "ID" << "2147483648" << none << none << kAll << "只能输入数字！";
    QTest::newRow("ID 99999999999") << "ID" << "99999999999" << none << none << kAll << "只能输入数字！";
    QTest::newRow("ID 1e12") << "ID" << "1e12" << none << none << kAll << "只能输入数字！";
    QTest::newRow("ID &H10") << "ID" << "&H10" << none << none << kAll << "只能输入数字！";
    QTest::newRow("ID abc") << "ID" << "abc" << none << none << kAll << "只能输入数字！";
    QTest::newRow("ID in one-day range") << "ID" << "1" << a1 << a1 << "1" << "";
    QTest::newRow("ID outside range") << "ID" << "2" << a1 << a14 << "" << kNoData;
}

void TestVisitList::query() {
    QFETCH(QString, item);
    QFETCH(QString, keyword);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    mdiVisit* w = openList();
    QVERIFY(w);
    if (from.isValid()) {
        QVERIFY(pickDate(*w, QStringLiteral("dpQuery_0"), from));
        QVERIFY(pickDate(*w, QStringLiteral("dpQuery_1"), to));
        QCOMPARE(text(*w, QStringLiteral("txtDayQuery_0")), DateText::format(from));
        QCOMPARE(text(*w, QStringLiteral("txtDayQuery_1")), DateText::format(to));
    }
    auto* items = get<QComboBox>(*w, QStringLiteral("cboQueryItem"));
    items->setCurrentIndex(items->findText(item));
    type(*w, QStringLiteral("txtKeyword"), keyword);
    QCOMPARE(text(*w, QStringLiteral("txtKeyword")), keyword);
    click(*w, QStringLiteral("cmdQuery"));
    QCOMPARE(keys(w->grid()), expected);
    const auto msgs = prompt.messages();
    if (message.isEmpty()) {
        QVERIFY2(msgs.isEmpty(), qPrintable(msgs.value(0).text));
        return;
    }
    QCOMPARE(msgs.size(), 1);
    QVERIFY2(msgs[0].text.startsWith(message), qPrintable(msgs[0].text));
    QCOMPARE(msgs[0].caption, message == kNoData ? QStringLiteral("提示") : QStringLiteral("错误"));
}

void TestVisitList::rangeBoxesFillTogether() {
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    {
        // Only the last date: the first box takes the same date, a one-day range.
        mdiVisit* w = openList();
        QVERIFY(pickDate(*w, QStringLiteral("dpQuery_1"), QDate(2026, 8, 15)));
        QCOMPARE(text(*w, QStringLiteral("txtDayQuery_0")), QStringLiteral("2026-08-15"));
        auto* items = get<QComboBox>(*w, QStringLiteral("cboQueryItem"));
        items->setCurrentIndex(items->findText(QStringLiteral("受访人")));
        type(*w, QStringLiteral("txtKeyword"), QStringLiteral("张三"));
        click(*w, QStringLiteral("cmdQuery"));
        QCOMPARE(keys(w->grid()), QStringLiteral("2"));
        mdiTobrin::instance()->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    {
        // Only the first date: the last box takes the last picker's date (today).
        mdiVisit* w = openList();
        QVERIFY(pickDate(*w, QStringLiteral("dpQuery_0"), QDate(2026, 8, 1)));
        QCOMPARE(text(*w, QStringLiteral("txtDayQuery_1")), QStringLiteral("2026-08-20"));
        auto* items = get<QComboBox>(*w, QStringLiteral("cboQueryItem"));
        items->setCurrentIndex(items->findText(QStringLiteral("受访人")));
        type(*w, QStringLiteral("txtKeyword"), QStringLiteral("张三"));
        click(*w, QStringLiteral("cmdQuery"));
        QCOMPARE(keys(w->grid()), QStringLiteral("1,2"));
    }
    QVERIFY(prompt.records.isEmpty());
}

void TestVisitList::clearButtonKeepsRange() {
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    mdiVisit* w = openList();
    QVERIFY(pickDate(*w, QStringLiteral("dpQuery_0"), QDate(2026, 8, 1)));
    auto* items = get<QComboBox>(*w, QStringLiteral("cboQueryItem"));
    items->setCurrentIndex(3);
    type(*w, QStringLiteral("txtKeyword"), QStringLiteral("abc"));
    // Typed keys never change the query item.
    QTest::keyClicks(items, QStringLiteral("I"));
    QCOMPARE(items->currentIndex(), 3);
    click(*w, QStringLiteral("ExBtn1"));
    QCOMPARE(items->currentText(), QString());
    QCOMPARE(text(*w, QStringLiteral("txtKeyword")), QString());
    QCOMPARE(text(*w, QStringLiteral("txtDayQuery_0")), QStringLiteral("2026-08-01"));
}

void TestVisitList::deleteVisit_data() {
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("remaining"); // keys in the table afterwards
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QString>("error");
    QTest::newRow("cancelled") << false << "" << kAll << false << "";
    QTest::newRow("deleted") << true << "" << "1,3,4,5,6" << true << "";
    QTest::newRow("row already gone") << true << "DELETE FROM 拜访 WHERE ID=2" << "1,3,4,5,6" << false
                                      << "已不存在";
    QTest::newRow("delete refused") << true
                                    << "CREATE TRIGGER no_del BEFORE DELETE ON 拜访 BEGIN SELECT RAISE(ABORT, "
                                       "'不许删除'); END"
                                    << kAll << false << "不许删除";
}

void TestVisitList::deleteVisit() {
    QFETCH(bool, confirm);
    QFETCH(QString, fixture);
    QFETCH(QString, remaining);
    QFETCH(bool, sound);
    QFETCH(QString, error);
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    SoundRecorder rec;
    QVERIFY(QDir().mkpath(home.file(QStringLiteral("wave"))));
    QFile wave(WaveFiles.value(2));
    QVERIFY(wave.open(QIODevice::WriteOnly));
    wave.close();
    mdiVisit* w = openList();
    // Without a selected row nothing happens.
    w->grid().SetRow(0);
    click(*w, QStringLiteral("cmdDelVisit"));
    QVERIFY(prompt.records.isEmpty());

    selectKey(w->grid(), QStringLiteral("2"));
    if (!fixture.isEmpty())
        QVERIFY(home.raw(fixture));
    prompt.answer(confirm ? Prompt::Answer::Ok : Prompt::Answer::Cancel);
    click(*w, QStringLiteral("cmdDelVisit"));
    const auto msgs = prompt.messages();
    QVERIFY(!msgs.isEmpty());
    QCOMPARE(msgs[0].text, QStringLiteral("你确定要删除编号为 2 的日程信息吗？"));
    QCOMPARE(msgs[0].caption, QStringLiteral("提示"));
    QCOMPARE(msgs[0].buttons, Prompt::Buttons::OkCancel);
    QStringList stored;
    for (const auto& row : visits())
        stored << row[0].toString();
    QCOMPARE(stored.join(QLatin1Char(',')), remaining);
    QCOMPARE(rec.played, sound ? QStringList{WaveFiles.value(2)} : QStringList{});
    if (sound)
        QVERIFY(rec.played[0].endsWith(QStringLiteral("Del.wav")));
    if (error.isEmpty()) {
        QCOMPARE(msgs.size(), 1);
    } else {
        QCOMPARE(msgs.size(), 2);
        QCOMPARE(msgs[1].caption, QStringLiteral("错误"));
        QVERIFY2(msgs[1].text.startsWith(QStringLiteral("查询错误")) && msgs[1].text.contains(error),
                 qPrintable(msgs[1].text));
    }
    // After a delete (or a vanished row) the grid lists what is left; a refusal keeps it.
    QCOMPARE(keys(w->grid()), remaining);
}

void TestVisitList::editFromGrid() {
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    mdiVisit* w = openList();
    w->grid().SetRow(0);
    click(*w, QStringLiteral("cmdEditVisit"));
    QVERIFY(prompt.records.isEmpty());

    auto* items = get<QComboBox>(*w, QStringLiteral("cboQueryItem"));
    items->setCurrentIndex(items->findText(QStringLiteral("受访人")));
    type(*w, QStringLiteral("txtKeyword"), QStringLiteral("张三"));
    click(*w, QStringLiteral("cmdQuery"));
    QCOMPARE(keys(w->grid()), QStringLiteral("1,2"));
    selectKey(w->grid(), QStringLiteral("2"));
    const char* const boxes[] = {"txtVisited",   "txtLinkMan_0", "txtVisit",    "txtVisitor",  "txtLinkMan_1",
                                 "txtRecord",    "cboOver",      "cboImportant", "txtVisitStart", "txtVisitEnd",
                                 "cboRemind",    "txtRemindStart", "txtRemindEnd", "txtIntent", "txtProject",
                                 "txtNote"};
    QStringList cells;
    for (int c = 1; c <= 16; ++c)
        cells << w->grid().TextMatrix(w->grid().Row(), c);
    prompt.onDialog([&](QDialog& d) {
        QCOMPARE(d.objectName(), QStringLiteral("frmEditVisit"));
        QCOMPARE(SelectedId, 2L);
        for (int c = 0; c < 16; ++c)
            QCOMPARE(text(d, QString::fromLatin1(boxes[c])), cells[c]);
        type(d, QStringLiteral("txtNote"), QStringLiteral("已回访"));
        click(d, QStringLiteral("cmdSave"));
        QVERIFY(!d.isVisible());
    });
    click(*w, QStringLiteral("cmdEditVisit"));
    QVERIFY(prompt.allUsed());
    QVERIFY(prompt.messages().isEmpty());
    QCOMPARE(visits(QStringLiteral(" where [ID]=2")).value(0).value(16).toString(), QStringLiteral("已回访"));
    // Closing the edit form lists all visits again.
    QCOMPARE(keys(w->grid()), kAll);
}

void TestVisitList::doubleClick_data() {
    QTest::addColumn<bool>("clickEdit");
    QTest::newRow("ClickEdit on") << true;
    QTest::newRow("ClickEdit off") << false;
}

void TestVisitList::doubleClick() {
    QFETCH(bool, clickEdit);
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    mdiTobrin::instance()->show();
    mdiVisit* w = openList();
    AppSettings.ClickEdit = clickEdit;
    QVERIFY(QTest::qWaitForWindowExposed(mdiTobrin::instance()));
    Grid& g = w->grid();
    const QRect cell = g.visualRect(g.model()->index(2, 1));
    // A first click selects the row, as a user's double-click starts with one.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(g.Row(), 3);
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    if (clickEdit) {
        QCOMPARE(prompt.records.size(), 1);
        QCOMPARE(prompt.records[0].dialogName, QStringLiteral("frmEditVisit"));
        QCOMPARE(SelectedId, 3L);
    } else {
        QVERIFY(prompt.records.isEmpty());
    }
    mdiTobrin::instance()->hide();
}

void TestVisitList::addLeavesGrid() {
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    mdiVisit* w = openList();
    prompt.onDialog([](QDialog& d) {
        QCOMPARE(d.objectName(), QStringLiteral("frmAddVisit"));
        setText(d, QStringLiteral("txtLinkMan_0"), QStringLiteral("甲"));
        setText(d, QStringLiteral("txtLinkMan_1"), QStringLiteral("乙"));
        setText(d, QStringLiteral("txtVisitor"), QStringLiteral("丙"));
        QVERIFY(pickDate(d, QStringLiteral("dpVisitStart"), QDate(2026, 9, 1)));
        QVERIFY(pickDate(d, QStringLiteral("dpVisitEnd"), QDate(2026, 9, 1)));
        click(d, QStringLiteral("cmdSave"));
    });
    click(*w, QStringLiteral("cmdAddVisit"));
    QVERIFY(prompt.allUsed());
    QCOMPARE(visits().size(), 7);
    QCOMPARE(keys(w->grid()), kAll);
}

void TestVisitList::contactVisits_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    // 1: 受访人 张三, 实施 李四/王五; 2: 受访人 张三, 实施 张三/李四; 3: 实施 王/张三/李, 责任 李四;
    // 4: 张三丰 everywhere; 5: 受访人 李四, 实施 张三; 6: O'Brien, 50%_off, 小张三.
    QTest::newRow("张三") << "张三" << "1,2,3,5";
    QTest::newRow("张三丰 only as itself") << "张三丰" << "4";
    QTest::newRow("李四 first, middle, last, responsible") << "李四" << "1,2,3,4,5";
    QTest::newRow("one-character name as element") << "王" << "3";
    QTest::newRow("王五") << "王五" << "1,2,3,5";
    QTest::newRow("小张三 as responsible") << "小张三" << "6";
    QTest::newRow("part of a name") << "三" << "";
    QTest::newRow("% is not a wildcard") << "%" << "";
    QTest::newRow("_ is not a wildcard") << "_" << "";
    QTest::newRow("% inside a name") << "50%_off" << "6";
    QTest::newRow("quote") << "O'Brien" << "6";
}

void TestVisitList::contactVisits() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    ShowContactVisits(name);
    QVERIFY(GridFillEnabled);
    mdiVisit* w = mdiTobrin::instance()->child<mdiVisit>();
    QVERIFY(w);
    QCOMPARE(keys(w->grid()), expected);
    QCOMPARE(prompt.texts(), expected.isEmpty() ? QStringList{kNoData} : QStringList{});
}

void TestVisitList::companyVisits() {
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    ShowCompanyVisits(1, QStringLiteral("甲公司"));
    mdiVisit* w = mdiTobrin::instance()->child<mdiVisit>();
    QVERIFY(w);
    QVERIFY(GridFillEnabled);
    QCOMPARE(keys(w->grid()), QStringLiteral("1,2,4"));
    // An open list is refilled; a quote in the name is text.
    ShowCompanyVisits(3, QStringLiteral("丙'公司"));
    QCOMPARE(mdiTobrin::instance()->child<mdiVisit>(), w);
    QCOMPARE(keys(w->grid()), QStringLiteral("3"));
    // The same number with another name is another company text.
    ShowCompanyVisits(1, QStringLiteral("甲"));
    QCOMPARE(keys(w->grid()), QString());
    QCOMPARE(prompt.texts(), QStringList{kNoData});
}

void TestVisitList::hooksOfOtherLists() {
    WireMainMenu(*mdiTobrin::instance());
#ifdef HAVE_COMPANY_LIST
    QVERIFY(mdiCompany::ShowVisits);
    QVERIFY(mdiCompany::AddVisit);
#endif
#ifdef HAVE_CONTACT_LIST
    QVERIFY(mdiLinkMan::ShowVisits);
    QVERIFY(mdiLinkMan::AddVisit);
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakePrompt prompt;
    mdiLinkMan::ShowVisits(QStringLiteral("张三"));
    QCOMPARE(keys(mdiTobrin::instance()->child<mdiVisit>()->grid()), QStringLiteral("1,2,3,5"));
#endif
#if !defined(HAVE_COMPANY_LIST) || !defined(HAVE_CONTACT_LIST)
    QSKIP("a list window header is not there yet");
#endif
}

void TestVisitList::layoutKeepsButtonsBottomRight() {
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(QDate(2026, 8, 20), QTime(9, 0)));
    FakePrompt prompt;
    mdiVisit w;
    w.show();
    w.resize(200, 100);
    QCoreApplication::processEvents();
    QVERIFY(w.width() >= 9700 / 15 && w.height() >= 4500 / 15);
    w.resize(1000, 600);
    QCoreApplication::processEvents();
    const QWidget* grid = get<QWidget>(w, QStringLiteral("grdVisitList"));
    QStringList order;
    int lastRight = 0;
    for (const char* name : {"cmdAddVisit", "cmdEditVisit", "cmdDelVisit", "cmdVisitOut"}) {
        const QWidget* b = get<QWidget>(w, QString::fromLatin1(name));
        QVERIFY(b->geometry().left() > lastRight);
        QVERIFY(b->geometry().top() > grid->geometry().bottom());
        lastRight = b->geometry().right();
        QCOMPARE(b->size(), QSize(1320 / 15, 450 / 15));
    }
    QVERIFY(qAbs(lastRight - grid->geometry().right()) <= 2);
    QVERIFY(grid->width() > 900 && grid->height() > 400);
}

QTEST_MAIN(TestVisitList)
#include "tst_mdiVisit.moc"
