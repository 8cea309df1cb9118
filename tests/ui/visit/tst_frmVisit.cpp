#include "app/Wiring.h"
#include "core/AppSettings.h"
#include "core/JetSql.h"
#include "core/modDBCommand.h"
#include "tests/support/FakeClock.h"
#include "tests/ui/visit/VisitFixture.h"
#include "ui/main/mdiTobrin.h"
#include "ui/visit/VisitMenu.h"
#include "ui/visit/frmAddVisit.h"
#include "ui/visit/frmEditVisit.h"

#include <QAction>
#include <QClipboard>
#include <QMdiArea>
#include <QMenu>
#include <QTimer>

using namespace fixture;

namespace {
const QDate kToday(2026, 12, 10);

QString companyName(int id) {
    QString msg;
    auto rs = ExecuteSql(
        QStringLiteral("select [企业名称] from [企业] where [企业编号]=") + QString::number(id), msg);
    return rs && rs->RecordCount() == 1 ? rs->Value(0).toString() : QString();
}

// The persons and work dates a save needs, set as the pickers would.
void fillRequired(QDialog& d) {
    setText(d, QStringLiteral("txtLinkMan_0"), QStringLiteral("张三"));
    setText(d, QStringLiteral("txtLinkMan_1"), QStringLiteral("李四"));
    setText(d, QStringLiteral("txtVisitor"), QStringLiteral("王五"));
    setText(d, QStringLiteral("txtVisitStart"), QStringLiteral("2026-12-11"));
    setText(d, QStringLiteral("txtVisitEnd"), QStringLiteral("2026-12-12"));
}

bool dirty(QDialog& d) {
    return qobject_cast<frmVisitForm*>(&d)->IsDirty;
}
} // namespace

class TestVisitForms : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void roadOfOneAppointment();
    void addDefaults();
    void saveChecks_data();
    void saveChecks();
    void hostileTextSavedAsTyped();
    void typingLimits_data();
    void typingLimits();
    void pastedTextIsCut();
    void personPickerFilter_data();
    void personPickerFilter();
    void implementersInPickedOrder();
    void editSavesItsRow();
    void writeRefused_data();
    void writeRefused();
    void dirtyQuestionAddForm();
    void dirtyQuestionEditForm();
    void listWindowPrefill_data();
    void listWindowPrefill();
};

void TestVisitForms::cleanup() {
    if (mdiTobrin::exists())
        mdiTobrin::instance()->mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestVisitForms::roadOfOneAppointment() {
    TempHome home(TempHome::Demo);
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    mdiTobrin* main = mdiTobrin::instance();
    WireMainMenu(*main);
    QAction* add = main->action(QStringLiteral("mnuVisitAdd"));
    QVERIFY(add && add->isEnabled());
    const int before = visits().size();

    QString visitedPerson, responsible, doer1, doer2;
    QStringList visitedListed, responsibleListed;
    bool closedBySave = false;
    prompt.onDialog([&](QDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("添加拜访日程"));
        click(d, QStringLiteral("cmdSelCompany_0"));
        click(d, QStringLiteral("cmdSelLinkMan_1"));
        click(d, QStringLiteral("cmdSelCompany_1"));
        click(d, QStringLiteral("cmdSelLinkMan_2"));
        click(d, QStringLiteral("cmdSelLinkMan_0"));
        click(d, QStringLiteral("cmdSelLinkMan_0"));
        get<QComboBox>(d, QStringLiteral("cboImportant"))->setCurrentIndex(2);
        get<QComboBox>(d, QStringLiteral("cboRemind"))->setCurrentIndex(0);
        QVERIFY(pickDate(d, QStringLiteral("dpVisitStart"), QDate(2026, 12, 14)));
        QVERIFY(pickDate(d, QStringLiteral("dpVisitEnd"), QDate(2026, 12, 15)));
        QVERIFY(pickDate(d, QStringLiteral("dpRemindStart"), QDate(2026, 12, 8)));
        QVERIFY(pickDate(d, QStringLiteral("dpRemindEnd"), QDate(2026, 12, 14)));
        type(d, QStringLiteral("txtIntent"), QStringLiteral("合同签订"));
        type(d, QStringLiteral("txtProject"), QStringLiteral("带上合同文本\n两份"));
        click(d, QStringLiteral("cmdSave"));
        closedBySave = !d.isVisible() && d.result() == QDialog::Accepted;
    });
    answerCompany(prompt, QStringLiteral("3"));
    answerPerson(prompt, 1, &visitedListed, &visitedPerson);
    answerCompany(prompt, QStringLiteral("5"));
    answerPerson(prompt, 1, &responsibleListed, &responsible);
    answerPerson(prompt, 2, nullptr, &doer1);
    answerPerson(prompt, 1, nullptr, &doer2);
    add->trigger();
    QVERIFY(prompt.allUsed());
    QVERIFY(closedBySave);
    QVERIFY(prompt.messages().isEmpty());

    // The visited person came from company 3 only, the responsible one from company 5 only.
    QVERIFY(!visitedListed.isEmpty());
    QCOMPARE(visitedListed, QStringList(visitedListed.size(), QStringLiteral("3")));
    QVERIFY(!responsibleListed.isEmpty());
    QCOMPARE(responsibleListed, QStringList(responsibleListed.size(), QStringLiteral("5")));

    const auto rows = visits();
    QCOMPARE(rows.size(), before + 1);
    const auto& row = rows.last();
    QVERIFY(row[0].toLongLong() >= 1);
    const QVariant expected[17] = {row[0],
                                   QStringLiteral("3:") + companyName(3),
                                   visitedPerson,
                                   QStringLiteral("5:") + companyName(5),
                                   doer1 + QLatin1Char('/') + doer2,
                                   responsible,
                                   kToday,
                                   QStringLiteral("未完成"),
                                   QStringLiteral("重要"),
                                   QDate(2026, 12, 14),
                                   QDate(2026, 12, 15),
                                   QStringLiteral("需要提醒"),
                                   QDate(2026, 12, 8),
                                   QDate(2026, 12, 14),
                                   QStringLiteral("合同签订"),
                                   QStringLiteral("带上合同文本\n两份"),
                                   QStringLiteral("")};
    for (int c = 1; c <= 16; ++c) {
        QVERIFY2(row[c] == expected[c],
                 qPrintable(QStringLiteral("column %1: %2").arg(c).arg(row[c].toString())));
        QVERIFY2(!row[c].isNull(), qPrintable(QString::number(c)));
    }
    // The reminder selection finds it: today lies in its reminder period.
    const auto due =
        visits(QStringLiteral(" where [需要提醒]='需要提醒' and [开始提醒时间]<=#2026-12-10# and "
                              "[结束提醒时间]>=#2026-12-10# and [ID]=") +
               row[0].toString());
    QCOMPARE(due.size(), 1);
}

void TestVisitForms::addDefaults() {
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(kToday, QTime(23, 59)));
    FakePrompt prompt;
    frmAddVisit form;
    QCOMPARE(text(form, QStringLiteral("cboOver")), QStringLiteral("未完成"));
    QCOMPARE(text(form, QStringLiteral("cboImportant")), QStringLiteral("不重要"));
    QCOMPARE(text(form, QStringLiteral("cboRemind")), QStringLiteral("不需提醒"));
    QCOMPARE(text(form, QStringLiteral("txtRecord")), QStringLiteral("2026-12-10"));
    for (const char* box : {"txtVisitStart", "txtVisitEnd", "txtRemindStart", "txtRemindEnd"})
        QVERIFY2(text(form, QString::fromLatin1(box)).isEmpty(), box);
    for (const char* dp : {"dpRecord", "dpVisitStart", "dpVisitEnd", "dpRemindStart", "dpRemindEnd"})
        QCOMPARE(get<VisitUi::DatePicker>(form, QString::fromLatin1(dp))->date(), kToday);
    QVERIFY(!form.IsDirty);

    // The edit form fills no date box of its own.
    frmEditVisit edit(nullptr, 1);
    for (const char* box : {"txtRecord", "txtVisitStart", "txtVisitEnd", "txtRemindStart", "txtRemindEnd"})
        QVERIFY2(text(edit, QString::fromLatin1(box)).isEmpty(), box);
    QCOMPARE(edit.windowTitle(), QStringLiteral("修改拜访日程"));

    prompt.onDialog([](QDialog& d) {
        fillRequired(d);
        click(d, QStringLiteral("cmdSave"));
    });
    Prompt::exec(form);
    QVERIFY(prompt.messages().isEmpty());
    const auto rows = visits();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0][6], QVariant(kToday));
    QCOMPARE(rows[0][7].toString(), QStringLiteral("未完成"));
    QCOMPARE(rows[0][8].toString(), QStringLiteral("不重要"));
    QCOMPARE(rows[0][11].toString(), QStringLiteral("不需提醒"));
    // No reminder: no reminder dates; empty boxes are "" (not Null).
    QVERIFY(rows[0][12].isNull() && rows[0][13].isNull());
    for (int c : {1, 3, 14, 15, 16}) {
        QVERIFY2(!rows[0][c].isNull(), qPrintable(QString::number(c)));
        QCOMPARE(rows[0][c].toString(), QString());
    }
}

void TestVisitForms::saveChecks_data() {
    QTest::addColumn<QStringList>("fields"); // "box=text" over the required fill
    QTest::addColumn<QString>("message");    // empty: saved
    QTest::addColumn<QString>("focus");      // control that gets the focus after a refusal

    QTest::newRow("no responsible") << QStringList{"txtLinkMan_1="} << "受访人/责任人/实施人员为必填项目！"
                                    << "cmdSelLinkMan_2";
    QTest::newRow("no implementers") << QStringList{"txtVisitor="} << "受访人/责任人/实施人员为必填项目！"
                                     << "cmdSelLinkMan_0";
    QTest::newRow("blank visited") << QStringList{"txtLinkMan_0=  "} << "受访人/责任人/实施人员为必填项目！"
                                   << "";
    QTest::newRow("no work dates") << QStringList{"txtVisitStart=", "txtVisitEnd="}
                                   << "您还没有填写约会时间！"
                                   << "dpVisitStart";
    QTest::newRow("no work end") << QStringList{"txtVisitEnd="} << "您还没有填写约会时间！"
                                 << "dpVisitEnd";
    QTest::newRow("remind without dates") << QStringList{"cboRemind=需要提醒"} << "您还没有填写提醒时间！"
                                          << "dpRemindStart";
    QTest::newRow("remind with start only")
        << QStringList{"cboRemind=需要提醒", "txtRemindStart=2026-12-01"} << "您还没有填写提醒时间！"
        << "dpRemindEnd";
    QTest::newRow("remind with dates")
        << QStringList{"cboRemind=需要提醒", "txtRemindStart=2026-12-01", "txtRemindEnd=2026-12-11"} << ""
        << "";
    QTest::newRow("end before start")
        << QStringList{"txtVisitStart=2026-12-20", "txtVisitEnd=2026-12-01"} << ""
        << "";
    QTest::newRow("short date form") << QStringList{"txtVisitStart=2026-8-1"} << ""
                                     << "";
    QTest::newRow("registration not a date") << QStringList{"txtRecord=abc"} << "登记时间“abc”不是有效的日期"
                                             << "dpRecord";
    QTest::newRow("impossible date") << QStringList{"txtVisitEnd=2026-02-30"}
                                     << "工作结束时间“2026-02-30”不是有效的日期"
                                     << "dpVisitEnd";
    QTest::newRow("reminder not a date, no reminder")
        << QStringList{"txtRemindEnd=明天"} << "结束提醒时间“明天”不是有效的日期"
        << "dpRemindEnd";
}

void TestVisitForms::saveChecks() {
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    frmAddVisit form;
    bool stayedOpen = false;
    prompt.onDialog([&](QDialog& d) {
        fillRequired(d);
        for (const QString& f : fields)
            setText(d, f.section(QLatin1Char('='), 0, 0), f.section(QLatin1Char('='), 1));
        click(d, QStringLiteral("cmdSave"));
        stayedOpen = d.isVisible();
        if (stayedOpen && !focus.isEmpty())
            QCOMPARE(d.focusWidget() ? d.focusWidget()->objectName() : QString(), focus);
        // What was filled in is still there.
        if (stayedOpen)
            QCOMPARE(text(d, QStringLiteral("txtVisitor")),
                     fields.contains(QStringLiteral("txtVisitor=")) ? QString() : QStringLiteral("王五"));
    });
    Prompt::exec(form);
    if (message.isEmpty()) {
        QVERIFY(!stayedOpen);
        QVERIFY(prompt.messages().isEmpty());
        QCOMPARE(visits().size(), 1);
        return;
    }
    QVERIFY(stayedOpen);
    QVERIFY(!prompt.messages().isEmpty());
    const auto first = prompt.messages().first();
    QVERIFY2(first.text.startsWith(message), qPrintable(first.text));
    QCOMPARE(first.caption, QStringLiteral("错误"));
    QCOMPARE(first.icon, Prompt::Icon::Warning);
    QCOMPARE(visits().size(), 0);
}

void TestVisitForms::hostileTextSavedAsTyped() {
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    const QString intent = QStringLiteral("x'); DROP TABLE 拜访; --");
    const QString plan = QStringLiteral("100% \"done\" _now_ \\ '");
    const QString company = QStringLiteral("7:O'Neil & Söhne; --");
    frmAddVisit form;
    prompt.onDialog([&](QDialog& d) {
        fillRequired(d);
        setText(d, QStringLiteral("txtVisited"), company);
        setText(d, QStringLiteral("txtLinkMan_0"), QStringLiteral("O'Brien"));
        type(d, QStringLiteral("txtIntent"), intent);
        type(d, QStringLiteral("txtProject"), plan);
        click(d, QStringLiteral("cmdSave"));
    });
    Prompt::exec(form);
    QVERIFY(prompt.messages().isEmpty());
    const auto rows = visits();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0][1].toString(), company);
    QCOMPARE(rows[0][2].toString(), QStringLiteral("O'Brien"));
    QCOMPARE(rows[0][14].toString(), intent);
    QCOMPARE(rows[0][15].toString(), plan);
}

void TestVisitForms::typingLimits_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("limit");
    for (bool edit : {false, true}) {
        const char* form = edit ? "edit " : "add ";
        QTest::newRow(QByteArray(form).append("txtIntent").constData()) << edit << "txtIntent" << 50;
        QTest::newRow(QByteArray(form).append("txtProject").constData()) << edit << "txtProject" << 255;
        QTest::newRow(QByteArray(form).append("txtNote").constData()) << edit << "txtNote" << 255;
    }
}

void TestVisitForms::typingLimits() {
    QFETCH(bool, edit);
    QFETCH(QString, field);
    QFETCH(int, limit);
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    std::unique_ptr<frmVisitForm> form;
    if (edit)
        form = std::make_unique<frmEditVisit>(nullptr, 1);
    else
        form = std::make_unique<frmAddVisit>();
    form->show();
    QWidget* box = get<QWidget>(*form, field);
    QVERIFY(box);

    // Typing stops at the limit, one character at a time and a multi-character key alike.
    const QString typed = QString(limit - 1, QLatin1Char('a')) + QStringLiteral("好xyz");
    type(box, typed);
    QCOMPARE(text(*form, field), typed.left(limit));
    type(box, QStringLiteral("b"));
    QCOMPARE(text(*form, field).size(), limit);

    // Text set by code is never cut, and is saved whole.
    const QString longText = QString(limit + 40, QChar(0x8BB0));
    setText(*form, field, longText);
    QCOMPARE(text(*form, field), longText);
    type(box, QStringLiteral("c"));
    QCOMPARE(text(*form, field), longText);
    fillRequired(*form);
    setText(*form, field, longText);
    click(*form, QStringLiteral("cmdSave"));
    QVERIFY(prompt.messages().isEmpty());
    const QString column = field == QLatin1String("txtIntent")    ? QStringLiteral("拜访事项")
                           : field == QLatin1String("txtProject") ? QStringLiteral("工作方案")
                                                                  : QStringLiteral("内容结果");
    const auto rows =
        visits(QStringLiteral(" where [") + column + QStringLiteral("]=") + SqlQuote::text(longText));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0][0].toInt(), edit ? 1 : 7);
    QCOMPARE(visits().size(), edit ? 6 : 7);
}

void TestVisitForms::pastedTextIsCut() {
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    frmAddVisit form;
    form.show();
    QApplication::clipboard()->setText(QString(60, QLatin1Char('p')));
    auto* intent = get<QLineEdit>(form, QStringLiteral("txtIntent"));
    intent->setText(QStringLiteral("0123456789"));
    intent->setCursorPosition(5);
    QTest::keyClick(intent, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(intent->text(),
             QStringLiteral("01234") + QString(40, QLatin1Char('p')) + QStringLiteral("56789"));

    // The same through the context menu's paste.
    intent->setText(QStringLiteral("0123456789"));
    intent->setCursorPosition(10);
    bool pasted = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            if (a->text().startsWith(QStringLiteral("&Paste"))) {
                a->trigger();
                pasted = true;
            }
        menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), intent->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(intent, &menuEvent);
    QVERIFY(pasted);
    QCOMPARE(intent->text(), QStringLiteral("0123456789") + QString(40, QLatin1Char('p')));

    QApplication::clipboard()->setText(QString(300, QLatin1Char('q')));
    auto* note = get<QPlainTextEdit>(form, QStringLiteral("txtNote"));
    note->setFocus();
    note->paste();
    QCOMPARE(note->toPlainText(), QString(255, QLatin1Char('q')));
}

void TestVisitForms::personPickerFilter_data() {
    QTest::addColumn<QString>("companyBox");
    QTest::addColumn<QString>("otherBox");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("onlyCompany"); // empty: all contacts listed
    QTest::addColumn<QString>("clear");       // clear button pressed before picking

    QTest::newRow("visited company 5") << "txtVisited"
                                       << "5:某公司"
                                       << "cmdSelLinkMan_1"
                                       << "5"
                                       << "";
    QTest::newRow("implementing company for implementers") << "txtVisit"
                                                           << "7:某公司"
                                                           << "cmdSelLinkMan_0"
                                                           << "7"
                                                           << "";
    QTest::newRow("implementing company for responsible") << "txtVisit"
                                                          << "7:某公司"
                                                          << "cmdSelLinkMan_2"
                                                          << "7"
                                                          << "";
    QTest::newRow("visited box is not used for implementers") << "txtVisited"
                                                              << "5:某公司"
                                                              << "cmdSelLinkMan_0"
                                                              << ""
                                                              << "";
    QTest::newRow("empty box") << "txtVisited"
                               << ""
                               << "cmdSelLinkMan_1"
                               << ""
                               << "";
    QTest::newRow("no number:") << "txtVisited"
                                << "某公司"
                                << "cmdSelLinkMan_1"
                                << ""
                                << "";
    QTest::newRow("text before colon") << "txtVisited"
                                       << "abc:某公司"
                                       << "cmdSelLinkMan_1"
                                       << ""
                                       << "";
    QTest::newRow("visited company cleared") << "txtVisited"
                                             << "5:某公司"
                                             << "cmdSelLinkMan_1"
                                             << ""
                                             << "cmdClearCompany_0";
    QTest::newRow("implementing company cleared") << "txtVisit"
                                                  << "7:某公司"
                                                  << "cmdSelLinkMan_2"
                                                  << ""
                                                  << "cmdClearCompany_1";
}

void TestVisitForms::personPickerFilter() {
    QFETCH(QString, companyBox);
    QFETCH(QString, otherBox);
    QFETCH(QString, button);
    QFETCH(QString, onlyCompany);
    QFETCH(QString, clear);
    TempHome home(TempHome::Demo);
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    frmAddVisit form;
    form.show();
    setText(form, companyBox, otherBox);
    if (!clear.isEmpty()) {
        click(form, clear);
        QCOMPARE(text(form, companyBox), QString());
    }
    QStringList listed;
    prompt.onDialog([&](QDialog& d) {
        Grid* g = get<Grid>(d, QStringLiteral("grdLinkMan"));
        for (int r = 1; g && r < g->Rows(); ++r)
            listed << g->TextMatrix(r, 18);
        click(d, QStringLiteral("cmdCancel"));
    });
    click(form, button);
    if (onlyCompany.isEmpty()) {
        QCOMPARE(listed.size(), 60);
    } else {
        QVERIFY(!listed.isEmpty());
        QCOMPARE(listed, QStringList(listed.size(), onlyCompany));
    }
}

void TestVisitForms::implementersInPickedOrder() {
    TempHome home(TempHome::Demo);
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    frmAddVisit form;
    form.show();
    QString a, b, c;
    answerPerson(prompt, 1, nullptr, &a);
    answerPerson(prompt, 2, nullptr, &b);
    answerPerson(prompt, 3, nullptr, &c);
    answerPerson(prompt, 1);
    for (int i = 0; i < 4; ++i)
        click(form, QStringLiteral("cmdSelLinkMan_0"));
    QVERIFY(prompt.allUsed());
    QCOMPARE(text(form, QStringLiteral("txtVisitor")), QStringList({a, b, c, a}).join(QLatin1Char('/')));
    // The implementers button keeps the focus for the next name.
    QCOMPARE(form.focusWidget(), get<QWidget>(form, QStringLiteral("cmdSelLinkMan_0")));
}

void TestVisitForms::editSavesItsRow() {
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    SelectedId = 2;
    frmEditVisit form;
    SelectedId = 5; // the form keeps the visit it was opened for
    auto row2 = visits(QStringLiteral(" where [ID]=2")).value(0);
    QStringList cells;
    for (int c = 1; c <= 16; ++c)
        cells << Recordset::Text(row2[c]);
    form.setColumns(cells);
    prompt.onDialog([](QDialog& d) {
        QCOMPARE(text(d, QStringLiteral("cboOver")), QStringLiteral("已完成"));
        QCOMPARE(text(d, QStringLiteral("txtRemindStart")), QStringLiteral("2026-08-10"));
        setText(d, QStringLiteral("cboOver"), QStringLiteral("未完成"));
        setText(d, QStringLiteral("cboRemind"), QStringLiteral("不需提醒"));
        setText(d, QStringLiteral("txtRemindStart"), QString());
        setText(d, QStringLiteral("txtRemindEnd"), QString());
        setText(d, QStringLiteral("txtIntent"), QString());
        type(d, QStringLiteral("txtNote"), QStringLiteral("已签约"));
        click(d, QStringLiteral("cmdSave"));
    });
    Prompt::exec(form);
    QVERIFY(prompt.messages().isEmpty());
    const auto rows = visits();
    QCOMPARE(rows.size(), 6);
    const auto& r = rows[1];
    QCOMPARE(r[0].toInt(), 2);
    QCOMPARE(r[2].toString(), QStringLiteral("张三"));
    QCOMPARE(r[7].toString(), QStringLiteral("未完成"));
    QCOMPARE(r[11].toString(), QStringLiteral("不需提醒"));
    QVERIFY(r[12].isNull() && r[13].isNull());
    QVERIFY(!r[14].isNull());
    QCOMPARE(r[14].toString(), QString());
    QCOMPARE(r[16].toString(), QStringLiteral("已签约"));
    QCOMPARE(r[9], QVariant(QDate(2026, 8, 15)));
    // Row 5 is untouched.
    QCOMPARE(rows[4][2].toString(), QStringLiteral("李四"));
}

void TestVisitForms::writeRefused_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("reason");
    QTest::newRow("add, insert refused")
        << false
        << "CREATE TRIGGER no_add BEFORE INSERT ON 拜访 BEGIN SELECT RAISE(ABORT, "
           "'不许添加'); END"
        << "不许添加";
    QTest::newRow("edit, update refused")
        << true
        << "CREATE TRIGGER no_edit BEFORE UPDATE ON 拜访 BEGIN SELECT RAISE(ABORT, "
           "'不许修改'); END"
        << "不许修改";
    QTest::newRow("edit, row deleted behind the dialog") << true << "DELETE FROM 拜访 WHERE ID=2"
                                                         << "已不存在";
}

void TestVisitForms::writeRefused() {
    QFETCH(bool, edit);
    QFETCH(QString, fixture);
    QFETCH(QString, reason);
    TempHome home;
    QVERIFY(home.ok());
    QVERIFY(insertVisits(home));
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    const auto before = visits();
    std::unique_ptr<frmVisitForm> form;
    if (edit)
        form = std::make_unique<frmEditVisit>(nullptr, 2);
    else
        form = std::make_unique<frmAddVisit>();
    bool stayedOpen = false;
    prompt.onDialog([&](QDialog& d) {
        fillRequired(d);
        type(d, QStringLiteral("txtNote"), QStringLiteral("新的结果"));
        QVERIFY(home.raw(fixture));
        click(d, QStringLiteral("cmdSave"));
        stayedOpen = d.isVisible();
        QCOMPARE(text(d, QStringLiteral("txtNote")), QStringLiteral("新的结果"));
        QVERIFY(dirty(d));
    });
    Prompt::exec(*form);
    QVERIFY(stayedOpen);
    const auto msgs = prompt.messages();
    QVERIFY(!msgs.isEmpty());
    QCOMPARE(msgs[0].caption, QStringLiteral("错误"));
    QVERIFY2(msgs[0].text.startsWith(QStringLiteral("查询错误")) && msgs[0].text.contains(reason),
             qPrintable(msgs[0].text));
    // Closing afterwards asks first: the typed text would be lost.
    QCOMPARE(msgs.last().text, QStringLiteral("你确定不保存就退出吗？"));
    const auto after = visits();
    if (fixture.startsWith(QLatin1String("DELETE"))) {
        QCOMPARE(after.size(), before.size() - 1);
        QVERIFY(visits(QStringLiteral(" where [ID]=2")).isEmpty());
    } else {
        QCOMPARE(after, before);
    }
}

void TestVisitForms::dirtyQuestionAddForm() {
    TempHome home(TempHome::Demo);
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    {
        // Opened empty: cancel closes at once.
        frmAddVisit form;
        prompt.onDialog([](QDialog& d) { click(d, QStringLiteral("cmdCancel")); });
        QCOMPARE(Prompt::exec(form), int(QDialog::Rejected));
        QVERIFY(prompt.messages().isEmpty());
    }
    {
        // Typed text: cancel asks; "Cancel" keeps the dialog, then Esc asks again and OK closes.
        frmAddVisit form;
        bool keptAfterNo = false;
        prompt.answer(Prompt::Answer::Cancel);
        prompt.answer(Prompt::Answer::Ok);
        prompt.onDialog([&](QDialog& d) {
            type(d, QStringLiteral("txtIntent"), QStringLiteral("x"));
            click(d, QStringLiteral("cmdCancel"));
            keptAfterNo = d.isVisible();
            QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        });
        Prompt::exec(form);
        QVERIFY(keptAfterNo);
        QCOMPARE(prompt.texts(), QStringList(2, QStringLiteral("你确定不保存就退出吗？")));
        QCOMPARE(prompt.messages()[0].caption, QStringLiteral("提醒"));
        QCOMPARE(prompt.messages()[0].buttons, Prompt::Buttons::OkCancel);
        QCOMPARE(prompt.messages()[0].icon, Prompt::Icon::Information);
    }
    prompt.clear();
    {
        // A picked company is a change too; the close box asks like the button.
        frmAddVisit form;
        prompt.answer(Prompt::Answer::Cancel);
        bool keptOpen = false;
        prompt.onDialog([&](QDialog& d) {
            QVERIFY(!dirty(d));
            click(d, QStringLiteral("cmdSelCompany_0"));
            QVERIFY(dirty(d));
            d.close();
            keptOpen = d.isVisible();
        });
        answerCompany(prompt, QStringLiteral("2"));
        Prompt::exec(form);
        QVERIFY(keptOpen);
    }
}

void TestVisitForms::dirtyQuestionEditForm() {
    TempHome home(TempHome::Demo);
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    const QStringList cells = {
        QStringLiteral("1:甲"),       QStringLiteral("张三"),    QString(),
        QStringLiteral("王五"),       QStringLiteral("李四"),    QStringLiteral("2026-12-01"),
        QStringLiteral("未完成"),     QStringLiteral("普通"),    QStringLiteral("2026-12-02"),
        QStringLiteral("2026-12-03"), QStringLiteral("不需提醒")};
    {
        // Filled by the opener and shown: nothing to lose yet.
        frmEditVisit form(nullptr, 1);
        form.setColumns(cells);
        prompt.onDialog([](QDialog& d) {
            QVERIFY(!dirty(d));
            click(d, QStringLiteral("cmdCancel"));
            QVERIFY(!d.isVisible());
        });
        Prompt::exec(form);
        QVERIFY(prompt.messages().isEmpty());
    }
    {
        // Typed, then a picker opened and closed over the dialog: still asks.
        frmEditVisit form(nullptr, 1);
        form.setColumns(cells);
        prompt.answer(Prompt::Answer::Cancel);
        bool keptOpen = false;
        prompt.onDialog([&](QDialog& d) {
            type(d, QStringLiteral("txtNote"), QStringLiteral("改"));
            click(d, QStringLiteral("cmdSelCompany_1"));
            d.activateWindow();
            QCoreApplication::processEvents();
            click(d, QStringLiteral("cmdCancel"));
            keptOpen = d.isVisible();
        });
        prompt.onDialog([](QDialog& picker) { click(picker, QStringLiteral("cmdCancel")); });
        Prompt::exec(form);
        QVERIFY(keptOpen);
        QCOMPARE(prompt.texts().value(0), QStringLiteral("你确定不保存就退出吗？"));
    }
    prompt.clear();
    {
        // A refused save keeps the flag.
        frmEditVisit form(nullptr, 1);
        form.setColumns(cells);
        prompt.answer(Prompt::Answer::Ok);     // the "错误" box
        prompt.answer(Prompt::Answer::Cancel); // the question
        bool keptOpen = false;
        prompt.onDialog([&](QDialog& d) {
            setText(d, QStringLiteral("txtVisitEnd"), QString());
            click(d, QStringLiteral("cmdSave"));
            QVERIFY(dirty(d));
            click(d, QStringLiteral("cmdCancel"));
            keptOpen = d.isVisible();
        });
        Prompt::exec(form);
        QVERIFY(keptOpen);
        QCOMPARE(prompt.texts().mid(0, 2), QStringList({QStringLiteral("您还没有填写约会时间！"),
                                                        QStringLiteral("你确定不保存就退出吗？")}));
    }
}

void TestVisitForms::listWindowPrefill_data() {
    QTest::addColumn<bool>("fromCompany");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("focus");
    QTest::newRow("company row") << true << "txtVisited"
                                 << "12:O'Neil 公司"
                                 << "cmdSelLinkMan_1";
    QTest::newRow("contact row") << false << "txtLinkMan_0"
                                 << "张三"
                                 << "cmdSelCompany_0";
}

void TestVisitForms::listWindowPrefill() {
    QFETCH(bool, fromCompany);
    QFETCH(QString, box);
    QFETCH(QString, expected);
    QFETCH(QString, focus);
    TempHome home;
    QVERIFY(home.ok());
    FakeClock clock(QDateTime(kToday, QTime(9, 0)));
    FakePrompt prompt;
    prompt.answer(Prompt::Answer::Ok);
    prompt.onDialog([&](QDialog& d) {
        QCOMPARE(text(d, box), expected);
        QCOMPARE(d.focusWidget() ? d.focusWidget()->objectName() : QString(), focus);
        click(d, QStringLiteral("cmdCancel"));
        QVERIFY(!d.isVisible());
    });
    if (fromCompany)
        AddCompanyVisit(12, QStringLiteral("O'Neil 公司"));
    else
        AddContactVisit(QStringLiteral("张三"));
    QVERIFY(prompt.allUsed());
    // The prefill counts as a change.
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("你确定不保存就退出吗？")});
    QCOMPARE(prompt.records[0].dialogName, QStringLiteral("frmAddVisit"));
}

QTEST_MAIN(TestVisitForms)
#include "tst_frmVisit.moc"
