#include "core/AppSettings.h"
#include "core/Pinyin.h"
#include "core/Prompt.h"
#include "core/Recordset.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tests/ui/contact/ContactTestKit.h"
#include "ui/contact/frmAddLinkMan.h"
#include "ui/contact/frmEditLinkMan.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {
template <typename T> T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qWarning("no control %s", name);
    return c;
}
QLineEdit* box(QWidget& w, const char* name) {
    return child<QLineEdit>(w, name);
}
void click(QWidget& w, const char* name) {
    child<QPushButton>(w, name)->click();
}

// Chooses the row of `company` in the company picker when it opens.
void pickCompanyNext(FakePrompt& prompt, const QString& company) {
    prompt.onDialog([company](QDialog& picker) {
        auto* grid = picker.findChild<Grid*>(QStringLiteral("grdCompany"));
        QVERIFY(grid);
        const int row = kit::rowOf(*grid, 1, company);
        QVERIFY(row > 0);
        grid->SetRow(row);
        click(picker, "cmdSel");
    });
}

// The edit form as the list fills it: SelectedId and the cells of the stored row.
std::unique_ptr<frmEditLinkMan> editFormFor(long id) {
    SelectedId = id;
    auto form = std::make_unique<frmEditLinkMan>();
    QStringList cells;
    for (const QVariant& v : kit::contact(id))
        cells << Recordset::Text(v);
    form->FillFromRow(cells);
    return form;
}

std::unique_ptr<LinkManForm> makeForm(const QString& kind, long id) {
    if (kind == QLatin1String("add"))
        return std::make_unique<frmAddLinkMan>();
    return editFormFor(id);
}

// Adds a contact through the add form with only a name; returns its number.
long addByName(FakePrompt& prompt, const QString& name) {
    frmAddLinkMan form;
    prompt.onDialog([&](QDialog& d) {
        kit::type(box(d, "txtName"), name);
        click(d, "cmdSave");
    });
    if (Prompt::exec(form) != QDialog::Accepted)
        return 0;
    return kit::lastContactId();
}
} // namespace

class tst_LinkManForms : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void addStoresOnlyWhatWasTyped();
    void initialsFollowName();
    void everyFieldRoundTrip();
    void birthday_data();
    void birthday();
    void birthdayPickerAndRemind();
    void enterPressesNoButton();
    void companyAddVersusEdit();
    void editWritesEmptyTextAndNoCompany();
    void editRowDeletedBehind();
    void writeRefused_data();
    void writeRefused();
    void cancelQuestion_data();
    void cancelQuestion();
    void stillDirtyAfterPicker();
    void kindsInStoredOrderAndKept();
    void typingLimitsNeverCutStoredText();
};

void tst_LinkManForms::init() {
    AppSettings = AppSettingsRecord();
    SelectedId = 0;
}

void tst_LinkManForms::addStoresOnlyWhatWasTyped() {
    TempHome home;
    FakePrompt prompt;
    const long id = addByName(prompt, QStringLiteral("张三"));
    QVERIFY(id >= 1);
    const auto row = kit::contact(id);
    QCOMPARE(row.size(), 25);
    QCOMPARE(row[1].toString(), QStringLiteral("张三"));
    QCOMPARE(row[2].toString(), PinyinInitials(QStringLiteral("张三")));
    QVERIFY(!row[3].isNull());
    QCOMPARE(row[3].toString(), QString());
    QCOMPARE(row[12].toString(), QStringLiteral("不提醒"));
    for (int col : {4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24})
        QVERIFY2(row[col].isNull(), qPrintable(QString::number(col)));
    QVERIFY(prompt.texts().isEmpty());
}

void tst_LinkManForms::initialsFollowName() {
    TempHome home;
    FakePrompt prompt;
    frmAddLinkMan form;
    form.show();
    QLineEdit* name = box(form, "txtName");
    QLineEdit* abc = box(form, "txtNameABC");
    kit::type(name, QStringLiteral("王五"));
    QCOMPARE(abc->text(), PinyinInitials(QStringLiteral("王五")));
    abc->clear();
    kit::type(abc, QStringLiteral("WW"));
    name->clear();
    kit::type(name, QStringLiteral("   "));
    QCOMPARE(abc->text(), QStringLiteral("WW"));
    kit::type(name, QStringLiteral("李"));
    QCOMPARE(abc->text(), PinyinInitials(QStringLiteral("   李")));
}

void tst_LinkManForms::everyFieldRoundTrip() {
    TempHome home;
    FakePrompt prompt;
    const long companyId = kit::addCompany(home, QStringLiteral("甲公司"));
    const long other = addByName(prompt, QStringLiteral("旁人"));
    const auto otherBefore = kit::contact(other);

    const QString hostile = QStringLiteral("O'Brien \"x\"; DROP TABLE [联系人];--");
    const QString note = QStringLiteral("第一行 '%_'\n第二行\\");
    frmAddLinkMan form;
    prompt.onDialog([&](QDialog& d) {
        kit::type(box(d, "txtName"), hostile);
        kit::type(box(d, "txtPostCode"), QStringLiteral(" 100080 "));
        kit::leave(box(d, "txtPostCode"), box(d, "txtTelephone"));
        QCOMPARE(box(d, "txtPostCode")->text(), QStringLiteral("100080"));
        child<QComboBox>(d, "cboSex")->setCurrentIndex(1);
        kit::type(box(d, "txtAddress"), QStringLiteral("100%_路\\5号"));
        kit::type(box(d, "txtTelephone"), QStringLiteral("010-1234'5"));
        kit::type(box(d, "txtMPhone"), QStringLiteral("13800000000"));
        kit::type(box(d, "txtEmail"), QStringLiteral("a@b.cn"));
        kit::type(box(d, "txtCity"), QStringLiteral("北京"));
        kit::type(box(d, "txtCountry"), QStringLiteral("中国"));
        kit::type(box(d, "txtBirthday"), QStringLiteral("2000-02-29"));
        child<QCheckBox>(d, "chkRemind")->click();
        kit::type(box(d, "txtIM"), QStringLiteral("qq:123 'x'"));
        // Blanks inside stay while typing and after leaving.
        kit::type(box(d, "txtEnjoy"), QStringLiteral("看书 "));
        QCOMPARE(box(d, "txtEnjoy")->text(), QStringLiteral("看书 "));
        kit::type(box(d, "txtEnjoy"), QStringLiteral("游泳"));
        kit::type(box(d, "txtOnesStrong"), QStringLiteral("外语"));
        auto* kind = child<QComboBox>(d, "cboKind");
        kind->setCurrentIndex(kind->findText(QStringLiteral("朋友")));
        kit::type(box(d, "txtArea"), QStringLiteral("华北  "));
        pickCompanyNext(prompt, QStringLiteral("甲公司"));
        click(d, "cmdCompanyList");
        QCOMPARE(box(d, "txtCompanyID")->text(), QString::number(companyId));
        kit::type(box(d, "txtDepartment"), QStringLiteral("销售部"));
        kit::type(box(d, "txtDuty"), QStringLiteral("经理"));
        kit::type(box(d, "txtCPhone"), QStringLiteral("010-8888"));
        kit::type(box(d, "txtCFax"), QStringLiteral("010-9999"));
        child<QPlainTextEdit>(d, "txtNote")->setFocus();
        kit::type(child<QPlainTextEdit>(d, "txtNote"), QStringLiteral("第一行 '%_'"));
        QTest::keyClick(child<QPlainTextEdit>(d, "txtNote"), Qt::Key_Return);
        kit::type(child<QPlainTextEdit>(d, "txtNote"), QStringLiteral("第二行\\"));
        click(d, "cmdSave");
    });
    QCOMPARE(Prompt::exec(form), int(QDialog::Accepted));
    const long id = kit::lastContactId();
    QVERIFY(id > other);
    const QVariantList expected = {qlonglong(id),
                                   hostile,
                                   PinyinInitials(hostile),
                                   QStringLiteral("女性"),
                                   QStringLiteral("100%_路\\5号"),
                                   QStringLiteral("100080"),
                                   QStringLiteral("010-1234'5"),
                                   QStringLiteral("13800000000"),
                                   QStringLiteral("a@b.cn"),
                                   QStringLiteral("北京"),
                                   QStringLiteral("中国"),
                                   QDate(2000, 2, 29),
                                   QStringLiteral("提醒"),
                                   QStringLiteral("qq:123 'x'"),
                                   QStringLiteral("看书 游泳"),
                                   QStringLiteral("外语"),
                                   QStringLiteral("朋友"),
                                   QStringLiteral("华北"),
                                   qlonglong(companyId),
                                   QStringLiteral("甲公司"),
                                   QStringLiteral("销售部"),
                                   QStringLiteral("经理"),
                                   QStringLiteral("010-8888"),
                                   QStringLiteral("010-9999"),
                                   note};
    const auto stored = kit::contact(id);
    QCOMPARE(stored.size(), expected.size());
    for (int col = 0; col < expected.size(); ++col)
        QCOMPARE(stored[col], expected[col]);
    QCOMPARE(kit::contact(other), otherBefore);

    // The edit form shows every stored value and saving it unchanged rewrites the same row.
    auto edit = editFormFor(id);
    prompt.onDialog([&](QDialog& d) {
        QCOMPARE(box(d, "txtName")->text(), hostile);
        QCOMPARE(box(d, "txtIM")->text(), QStringLiteral("qq:123 'x'"));
        QCOMPARE(box(d, "txtBirthday")->text(), QStringLiteral("2000-02-29"));
        QVERIFY(child<QCheckBox>(d, "chkRemind")->isChecked());
        QCOMPARE(child<QComboBox>(d, "cboKind")->currentText(), QStringLiteral("朋友"));
        QCOMPARE(child<QPlainTextEdit>(d, "txtNote")->toPlainText(), note);
        click(d, "cmdSave");
    });
    QCOMPARE(Prompt::exec(*edit), int(QDialog::Accepted));
    QCOMPARE(kit::contact(id), stored);
    QVERIFY(prompt.allUsed());
    QVERIFY(prompt.texts().isEmpty());
}

void tst_LinkManForms::birthday_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("outcome"); // "date", "null" or "refused"
    QTest::addColumn<QDate>("date");
    QTest::newRow("add 29 February") << "add"
                                     << "2000-02-29"
                                     << "date" << QDate(2000, 2, 29);
    QTest::newRow("add short form") << "add"
                                    << "2000-2-29"
                                    << "date" << QDate(2000, 2, 29);
    QTest::newRow("add empty is Null") << "add"
                                       << ""
                                       << "null" << QDate();
    QTest::newRow("add 29 February of 2001") << "add"
                                             << "2001-02-29"
                                             << "refused" << QDate();
    QTest::newRow("add month 13") << "add"
                                  << "2026-13-01"
                                  << "refused" << QDate();
    QTest::newRow("add words") << "add"
                               << "abc"
                               << "refused" << QDate();
    QTest::newRow("edit 29 February") << "edit"
                                      << "1996-02-29"
                                      << "date" << QDate(1996, 2, 29);
    QTest::newRow("edit emptied is Null") << "edit"
                                          << ""
                                          << "null" << QDate();
    QTest::newRow("edit 30 February") << "edit"
                                      << "1999-02-30"
                                      << "refused" << QDate();
    QTest::newRow("edit day 0") << "edit"
                                << "1999-01-00"
                                << "refused" << QDate();
}

void tst_LinkManForms::birthday() {
    QFETCH(QString, form);
    QFETCH(QString, typed);
    QFETCH(QString, outcome);
    QFETCH(QDate, date);
    TempHome home;
    FakePrompt prompt;
    FakeClock clock;
    const long id = addByName(prompt, QStringLiteral("寿星"));
    QVERIFY(home.raw(
        QStringLiteral("UPDATE \"联系人\" SET \"生日\"='1990-05-01' WHERE \"联系人编号\"=%1;").arg(id)));
    const auto before = kit::contact(id);
    const int count = kit::contactCount();

    auto dialog = makeForm(form, id);
    bool stayedOpen = false;
    prompt.onDialog([&](QDialog& d) {
        if (form == QLatin1String("add"))
            kit::type(box(d, "txtName"), QStringLiteral("新人"));
        box(d, "txtBirthday")->clear();
        kit::type(box(d, "txtBirthday"), typed);
        click(d, "cmdSave");
        stayedOpen = d.isVisible();
        if (stayedOpen) {
            QCOMPARE(d.focusWidget(), box(d, "txtBirthday"));
            QCOMPARE(box(d, "txtBirthday")->text(), typed);
            prompt.answer(Prompt::Answer::Ok); // the question when it is closed
        }
    });
    Prompt::exec(*dialog);
    if (outcome == QLatin1String("refused")) {
        QVERIFY(stayedOpen);
        QCOMPARE(prompt.messages().first().caption, QStringLiteral("错误"));
        QVERIFY(prompt.messages().first().text.contains(typed));
        QCOMPARE(kit::contactCount(), count);
        QCOMPARE(kit::contact(id), before);
        return;
    }
    QVERIFY(!stayedOpen);
    QVERIFY(prompt.texts().isEmpty());
    const long written = form == QLatin1String("add") ? kit::lastContactId() : id;
    QCOMPARE(kit::contactCount(), form == QLatin1String("add") ? count + 1 : count);
    const QVariant value = kit::contact(written)[11];
    QCOMPARE(value.isNull(), outcome == QLatin1String("null"));
    if (outcome == QLatin1String("date"))
        QCOMPARE(value.toDate(), date);
}

void tst_LinkManForms::birthdayPickerAndRemind() {
    TempHome home;
    FakePrompt prompt;
    FakeClock clock(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
    frmAddLinkMan form;
    form.show();
    // Without a birthday the picker shows no date, and its calendar opens at this month.
    auto* dp = child<QDateEdit>(form, "dpBirthday");
    QCOMPARE(dp->text().trimmed(), QString());
    QLineEdit* birthday = box(form, "txtBirthday");
    auto* remind = child<QCheckBox>(form, "chkRemind");
    QVERIFY(birthday->text().isEmpty());
    QVERIFY(!remind->isEnabled());
    QVERIFY(!form.IsDirty());
    QTest::mouseClick(dp, Qt::LeftButton, {}, QPoint(dp->width() - 5, dp->height() / 2));
    QCalendarWidget* calendar = dp->calendarWidget();
    QTRY_VERIFY(calendar->isVisible());
    QCOMPARE(calendar->yearShown(), 2026);
    QCOMPARE(calendar->monthShown(), 3);
    calendar->window()->hide();
    QVERIFY(birthday->text().isEmpty());

    dp->setDate(QDate(2004, 2, 29));
    QCOMPARE(birthday->text(), QStringLiteral("2004-02-29"));
    QCOMPARE(dp->text(), QStringLiteral("2004-02-29"));
    QVERIFY(remind->isEnabled());
    QVERIFY(form.IsDirty());
    birthday->clear();
    QVERIFY(!remind->isEnabled());
    QCOMPARE(dp->text().trimmed(), QString());
    // The whole date fits in the box.
    QVERIFY(birthday->contentsRect().width() >
            birthday->fontMetrics().horizontalAdvance(QStringLiteral("2026-02-28")));
}

// Enter in a box is no key with a meaning: it never presses the company picker or a save.
void tst_LinkManForms::enterPressesNoButton() {
    TempHome home;
    FakePrompt prompt;
    frmAddLinkMan form;
    form.show();
    QLineEdit* name = box(form, "txtName");
    kit::focus(name);
    kit::type(name, QStringLiteral("王五"));
    QTest::keyClick(name, Qt::Key_Return);
    QTest::keyClick(name, Qt::Key_Enter);
    QVERIFY(form.isVisible());
    QCOMPARE(prompt.records.size(), 0);
    QCOMPARE(kit::contactCount(), 0);
}

void tst_LinkManForms::companyAddVersusEdit() {
    TempHome home;
    FakePrompt prompt;
    kit::addCompany(home, QStringLiteral("甲公司"));
    const long companyId = kit::addCompany(home, QStringLiteral("乙公司"));
    frmAddLinkMan add;
    prompt.onDialog([&](QDialog& d) {
        kit::type(box(d, "txtName"), QStringLiteral("员工"));
        pickCompanyNext(prompt, QStringLiteral("乙公司"));
        click(d, "cmdCompanyList");
        click(d, "cmdSave");
    });
    QCOMPARE(Prompt::exec(add), int(QDialog::Accepted));
    const long id = kit::lastContactId();
    QCOMPARE(kit::contact(id)[18].toLongLong(), qlonglong(companyId));
    QCOMPARE(kit::contact(id)[19].toString(), QStringLiteral("乙公司"));

    // The clear button in the edit form stores "no company" as 0 and "".
    auto edit = editFormFor(id);
    prompt.onDialog([&](QDialog& d) {
        QCOMPARE(box(d, "txtCompanyName")->text(), QStringLiteral("乙公司"));
        click(d, "ExBtn1");
        QVERIFY(box(d, "txtCompanyID")->text().isEmpty());
        click(d, "cmdSave");
    });
    QCOMPARE(Prompt::exec(*edit), int(QDialog::Accepted));
    const auto row = kit::contact(id);
    QCOMPARE(row[18], QVariant(qlonglong(0)));
    QVERIFY(!row[19].isNull());
    QCOMPARE(row[19].toString(), QString());
}

void tst_LinkManForms::editWritesEmptyTextAndNoCompany() {
    TempHome home;
    FakePrompt prompt;
    const long id = addByName(prompt, QStringLiteral("张三"));
    QVERIFY(kit::contact(id)[18].isNull());
    QVERIFY(kit::contact(id)[19].isNull());
    auto edit = editFormFor(id);
    prompt.onDialog([&](QDialog& d) { click(d, "cmdSave"); });
    QCOMPARE(Prompt::exec(*edit), int(QDialog::Accepted));
    const auto row = kit::contact(id);
    QCOMPARE(row[1].toString(), QStringLiteral("张三"));
    for (int col : {3, 4, 5, 6, 7, 8, 9, 10, 13, 14, 15, 16, 17, 19, 20, 21, 22, 23, 24}) {
        QVERIFY2(!row[col].isNull(), qPrintable(QString::number(col)));
        QCOMPARE(row[col].toString(), QString());
    }
    QCOMPARE(row[18], QVariant(qlonglong(0)));
    QVERIFY(row[11].isNull()); // no invented birthday
    QCOMPARE(row[12].toString(), QStringLiteral("不提醒"));
}

void tst_LinkManForms::editRowDeletedBehind() {
    TempHome home;
    FakePrompt prompt;
    const long id = addByName(prompt, QStringLiteral("张三"));
    const int count = kit::contactCount();
    auto edit = editFormFor(id);
    prompt.onDialog([&](QDialog& d) {
        box(d, "txtCity")->setFocus();
        kit::type(box(d, "txtCity"), QStringLiteral("上海"));
        QVERIFY(home.raw(QStringLiteral("DELETE FROM \"联系人\" WHERE \"联系人编号\"=%1;").arg(id)));
        click(d, "cmdSave");
        QVERIFY(d.isVisible());
        QCOMPARE(box(d, "txtCity")->text(), QStringLiteral("上海"));
        QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
        prompt.answer(Prompt::Answer::Ok);
    });
    QCOMPARE(Prompt::exec(*edit), int(QDialog::Rejected));
    QCOMPARE(kit::contactCount(), count - 1);
    // A row with that number was not brought back by the save.
    QVERIFY(kit::contact(id).isEmpty());
}

void tst_LinkManForms::writeRefused_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("event");
    QTest::newRow("add") << "add"
                         << "INSERT";
    QTest::newRow("edit") << "edit"
                          << "UPDATE";
}

void tst_LinkManForms::writeRefused() {
    QFETCH(QString, form);
    QFETCH(QString, event);
    TempHome home;
    FakePrompt prompt;
    const long id = addByName(prompt, QStringLiteral("张三"));
    QVERIFY(home.raw(
        QStringLiteral(
            "CREATE TRIGGER refuse BEFORE %1 ON \"联系人\" BEGIN SELECT RAISE(ABORT, '拒绝写入'); END;")
            .arg(event)));
    const auto before = kit::contact(id);
    const int count = kit::contactCount();
    prompt.clear();
    auto dialog = makeForm(form, id);
    prompt.onDialog([&](QDialog& d) {
        auto* name = box(d, "txtName");
        name->clear();
        kit::type(name, QStringLiteral("李四"));
        click(d, "cmdSave");
        QVERIFY(d.isVisible());
        QCOMPARE(name->text(), QStringLiteral("李四"));
        QCOMPARE(prompt.messages().size(), 1);
        QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
        QVERIFY(prompt.last()->text.startsWith(QStringLiteral("查询错误")));
        QVERIFY(prompt.last()->text.contains(QStringLiteral("拒绝写入")));
        // A failed save leaves the input changed: closing still asks.
        auto* self = static_cast<LinkManForm*>(&d);
        QVERIFY(self->IsDirty());
        prompt.answer(Prompt::Answer::Cancel);
        click(d, "cmdCancel");
        QVERIFY(d.isVisible());
        QCOMPARE(prompt.texts().last(), QStringLiteral("你确定不保存就退出吗？"));
        prompt.answer(Prompt::Answer::Ok);
    });
    QCOMPARE(Prompt::exec(*dialog), int(QDialog::Rejected));
    QCOMPARE(kit::contactCount(), count);
    QCOMPARE(kit::contact(id), before);
    QVERIFY(prompt.allUsed());
}

void tst_LinkManForms::cancelQuestion_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("change");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("answer"); // Prompt::Answer for the question
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");
    const int ok = int(Prompt::Answer::Ok), cancel = int(Prompt::Answer::Cancel);
    QTest::newRow("add untouched") << "add" << false << "button" << ok << false << true;
    QTest::newRow("edit prefilled untouched") << "edit" << false << "button" << ok << false << true;
    QTest::newRow("add changed, OK") << "add" << true << "button" << ok << true << true;
    QTest::newRow("add changed, Cancel") << "add" << true << "button" << cancel << true << false;
    QTest::newRow("edit changed, Esc, Cancel") << "edit" << true << "esc" << cancel << true << false;
    QTest::newRow("edit changed, close box, OK") << "edit" << true << "close" << ok << true << true;
    QTest::newRow("add changed, close box, Cancel") << "add" << true << "close" << cancel << true << false;
    QTest::newRow("edit untouched, Esc") << "edit" << false << "esc" << ok << false << true;
}

void tst_LinkManForms::cancelQuestion() {
    QFETCH(QString, form);
    QFETCH(bool, change);
    QFETCH(QString, how);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);
    TempHome home;
    FakePrompt prompt;
    const long id = addByName(prompt, QStringLiteral("张三"));
    prompt.clear();
    auto dialog = makeForm(form, id);
    QStringList seen;
    bool open = true;
    prompt.onDialog([&](QDialog& d) {
        if (change)
            kit::type(box(d, "txtCity"), QStringLiteral("北"));
        if (asked)
            prompt.answer(Prompt::Answer(answer));
        if (how == QLatin1String("button"))
            click(d, "cmdCancel");
        else if (how == QLatin1String("esc"))
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            d.close();
        seen = prompt.texts();
        open = d.isVisible();
        if (open)
            prompt.answer(Prompt::Answer::Ok);
    });
    Prompt::exec(*dialog);
    QCOMPARE(seen, asked ? QStringList{QStringLiteral("你确定不保存就退出吗？")} : QStringList());
    if (asked) {
        QCOMPARE(prompt.messages().first().caption, QStringLiteral("提醒"));
        QCOMPARE(prompt.messages().first().buttons, Prompt::Buttons::OkCancel);
    }
    QCOMPARE(!open, closed);
    QCOMPARE(kit::contact(id)[9].isNull(), true); // nothing saved either way
}

void tst_LinkManForms::stillDirtyAfterPicker() {
    TempHome home;
    FakePrompt prompt;
    kit::addCompany(home, QStringLiteral("甲公司"));
    const long id = addByName(prompt, QStringLiteral("张三"));
    prompt.clear();
    auto edit = editFormFor(id);
    prompt.onDialog([&](QDialog& d) {
        QVERIFY(!edit->IsDirty());
        pickCompanyNext(prompt, QStringLiteral("甲公司"));
        click(d, "cmdCompanyList");
        d.activateWindow();
        QCoreApplication::processEvents();
        QVERIFY(edit->IsDirty());
        prompt.answer(Prompt::Answer::Cancel);
        click(d, "cmdCancel");
        QVERIFY(d.isVisible());
        prompt.answer(Prompt::Answer::Ok);
    });
    Prompt::exec(*edit);
    QCOMPARE(prompt.texts().count(QStringLiteral("你确定不保存就退出吗？")), 2);
    QVERIFY(kit::contact(id)[19].isNull());
}

void tst_LinkManForms::kindsInStoredOrderAndKept() {
    TempHome home;
    FakePrompt prompt;
    QVERIFY(home.raw(QStringLiteral("INSERT INTO \"联系人性质\"(\"性质名称\") VALUES('老乡');")));
    const long id = addByName(prompt, QStringLiteral("张三"));
    // A kind renamed or deleted since, and a sex outside the list.
    QVERIFY(home.raw(
        QStringLiteral("UPDATE \"联系人\" SET \"性质\"='旧性质', \"性别\"='保密' WHERE \"联系人编号\"=%1;")
            .arg(id)));
    frmAddLinkMan add;
    auto* kinds = child<QComboBox>(add, "cboKind");
    QStringList items;
    for (int i = 0; i < kinds->count(); ++i)
        items << kinds->itemText(i);
    QCOMPARE(items, (QStringList{"客户", "供应商", "合作伙伴", "朋友", "同事", "老乡"}));
    QCOMPARE(kinds->currentIndex(), -1);
    QCOMPARE(child<QComboBox>(add, "cboSex")->currentIndex(), -1);

    auto edit = editFormFor(id);
    prompt.onDialog([&](QDialog& d) {
        auto* kind = child<QComboBox>(d, "cboKind");
        QCOMPARE(kind->currentText(), QStringLiteral("旧性质"));
        // Typed characters do not pick anything.
        kind->setFocus();
        kit::type(kind, QStringLiteral("同"));
        QTest::keyClicks(kind, QStringLiteral("k"));
        QCOMPARE(kind->currentText(), QStringLiteral("旧性质"));
        kit::type(box(d, "txtCity"), QStringLiteral("上海"));
        click(d, "cmdSave");
    });
    QCOMPARE(Prompt::exec(*edit), int(QDialog::Accepted));
    const auto row = kit::contact(id);
    QCOMPARE(row[16].toString(), QStringLiteral("旧性质"));
    QCOMPARE(row[3].toString(), QStringLiteral("保密"));
    QCOMPARE(row[9].toString(), QStringLiteral("上海"));
}

void tst_LinkManForms::typingLimitsNeverCutStoredText() {
    TempHome home;
    FakePrompt prompt;
    const QString longName = QString(60, QChar(u'长'));
    const QString longNote = QString(300, QChar(u'注'));
    QVERIFY(home.raw(
        QStringLiteral("INSERT INTO \"联系人\"(\"姓名\",\"生日提醒\",\"备注\") VALUES('%1','不提醒','%2');")
            .arg(longName, longNote)));
    const long id = kit::lastContactId();
    auto edit = editFormFor(id);
    prompt.onDialog([&](QDialog& d) {
        QCOMPARE(box(d, "txtName")->text(), longName);
        QCOMPARE(child<QPlainTextEdit>(d, "txtNote")->toPlainText(), longNote);
        click(d, "cmdSave");
    });
    QCOMPARE(Prompt::exec(*edit), int(QDialog::Accepted));
    QCOMPARE(kit::contact(id)[1].toString(), longName);
    QCOMPARE(kit::contact(id)[24].toString(), longNote);

    frmAddLinkMan add;
    add.show();
    QTest::keyClicks(box(add, "txtAddress"), QString(55, QLatin1Char('a')));
    QCOMPARE(box(add, "txtAddress")->text().size(), 50);
    auto* note = child<QPlainTextEdit>(add, "txtNote");
    note->setFocus();
    QTest::keyClicks(note, QString(260, QLatin1Char('b')));
    QCOMPARE(note->toPlainText().size(), 255);
}

QTEST_MAIN(tst_LinkManForms)
#include "tst_LinkManForms.moc"
