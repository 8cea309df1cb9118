#include "core/AppSettings.h"
#include "core/ui/Grid.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tests/ui/company/UiHelpers.h"
#include "ui/company/frmCompanyForm.h"
#include "ui/lists/ClassListEditor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace ui_test;

namespace {
const char* const kBoxes[] = {"txtName",      "txtNameABC", "txtKind",     "txtIndustry",    "txtAddress",
                              "txtTelephone", "txtFax",     "txtHomePage", "txtCorporation", "txtArea"};

QLineEdit* box(QWidget* d, const char* name) {
    return need<QLineEdit>(d, name);
}
void click(QWidget* d, const char* name) {
    need<QPushButton>(d, name)->click();
}

void fillRequired(QWidget* d) {
    box(d, "txtName")->setText(QStringLiteral("新公司"));
    box(d, "txtKind")->setText(QStringLiteral("国有企业"));
    box(d, "txtIndustry")->setText(QStringLiteral("软件"));
}

// Runs the dialog through the prompt service with `h` acting on it; true when it was accepted.
template <typename Dialog> bool run(Dialog& d, FakePrompt& prompt, FakePrompt::DialogHandler h) {
    prompt.onDialog(std::move(h));
    return Prompt::exec(d) == QDialog::Accepted;
}

// The edit dialog for company `id`, filled from its row as the list does.
struct EditOf {
    explicit EditOf(long id) {
        SelectedId = id;
        form.reset(new frmEditCompany);
        form->fill(rows(QStringLiteral("select * from [企业] where [企业编号]=%1").arg(id)).value(0));
    }
    std::unique_ptr<frmEditCompany> form;
};
} // namespace

class TestFrmCompany : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void minimalAddLeavesOptionalNull();
    void addStoresTextExactly_data();
    void addStoresTextExactly();
    void requiredFields_data();
    void requiredFields();
    void initialsFollowTypedName();
    void cancelAsksOnlyWhenChanged_data();
    void cancelAsksOnlyWhenChanged();
    void editPrefilledIsNotDirty();
    void editClearsEmptiedField();
    void failedSaveKeepsDialog_data();
    void failedSaveKeepsDialog();
    void kindAndIndustryPickers_data();
    void kindAndIndustryPickers();
};

void TestFrmCompany::minimalAddLeavesOptionalNull() {
    TempHome home;
    FakePrompt prompt;
    frmAddCompany d;
    QCOMPARE(d.windowTitle(), QStringLiteral("添加企业单位信息"));
    const bool ok = run(d, prompt, [](QDialog& d) {
        QCOMPARE(QApplication::focusWidget(), box(&d, "txtName"));
        typeText(box(&d, "txtName"), QStringLiteral("  北京 华信  "));
        box(&d, "txtKind")->setText(QStringLiteral(" 国有企业 "));
        box(&d, "txtIndustry")->setText(QStringLiteral("软件"));
        box(&d, "txtFax")->setText(QStringLiteral("   ")); // spaces only: empty
        click(&d, "cmdSave");
    });
    QVERIFY(ok);
    QVERIFY(prompt.messages().isEmpty());
    const auto all = rows(QStringLiteral("select * from [企业]"));
    QCOMPARE(all.size(), 1);
    QVERIFY(all[0][0].toLong() >= 1);
    QCOMPARE(all[0].mid(1, 4), (QStringList{QStringLiteral("北京 华信"), QStringLiteral("BJHX"),
                                            QStringLiteral("国有企业"), QStringLiteral("软件")}));
    for (const char* col : {"企业地址", "企业电话", "企业传真", "企业网址", "法人代表", "经营范围"})
        QVERIFY2(value(QStringLiteral("select [%1] from [企业]").arg(QString::fromUtf8(col))).isNull(), col);
}

void TestFrmCompany::addStoresTextExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("quote") << QStringLiteral("O'Brien's 公司");
    QTest::newRow("percent and underscore") << QStringLiteral("100%_纯");
    QTest::newRow("brackets and hash") << QStringLiteral("[甲] #2026-8-1# ]");
    QTest::newRow("emoji") << QStringLiteral("表情😀🏢");
    QTest::newRow("inner spaces") << QStringLiteral("看书 游泳");
    QTest::newRow("10000 characters") << QString(10000, QChar(0x957F));
    QTest::newRow("past the usual 32767 typing limit") << QString(40000, QLatin1Char('w'));
}

void TestFrmCompany::addStoresTextExactly() {
    QFETCH(QString, text);
    TempHome home;
    FakePrompt prompt;
    frmAddCompany d;
    const bool ok = run(d, prompt, [&](QDialog& d) {
        for (const char* name : kBoxes) {
            box(&d, name)->clear(); // the initials were filled from the name
            if (text.size() < 100)
                typeText(box(&d, name), text);
            else
                box(&d, name)->setText(text);
        }
        click(&d, "cmdSave");
    });
    QVERIFY(ok);
    QVERIFY(prompt.messages().isEmpty());
    const QStringList stored = rows(QStringLiteral("select * from [企业]")).value(0);
    QCOMPARE(stored.size(), 11);
    for (int c = 1; c <= 10; ++c)
        QCOMPARE(stored[c], text);
}

void TestFrmCompany::requiredFields_data() {
    QTest::addColumn<QString>("emptied");
    for (const char* b : {"txtName", "txtNameABC", "txtKind", "txtIndustry"})
        QTest::newRow(b) << QString::fromLatin1(b);
}

void TestFrmCompany::requiredFields() {
    QFETCH(QString, emptied);
    TempHome home;
    FakePrompt prompt;
    frmAddCompany d;
    bool openAfter = false;
    run(d, prompt, [&](QDialog& d) {
        fillRequired(&d);
        box(&d, "txtAddress")->setText(QStringLiteral("地址"));
        box(&d, emptied.toLatin1().constData())->setText(QStringLiteral("  "));
        click(&d, "cmdSave");
        openAfter = d.isVisible();
        QCOMPARE(box(&d, "txtAddress")->text(), QStringLiteral("地址"));
    });
    QVERIFY(openAfter);
    QCOMPARE(prompt.messages().first().text, QStringLiteral("有*的项目为必填项目！"));
    QCOMPARE(prompt.messages().first().caption, QStringLiteral("错误"));
    QCOMPARE(prompt.messages().first().icon, Prompt::Icon::Warning);
    QCOMPARE(count(QStringLiteral("select * from [企业]")), 0);
}

void TestFrmCompany::initialsFollowTypedName() {
    TempHome home;
    FakePrompt prompt;
    frmAddCompany d;
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QLineEdit* name = box(&d, "txtName");
    QLineEdit* abc = box(&d, "txtNameABC");
    typeText(name, QStringLiteral("北京"));
    QCOMPARE(abc->text(), QStringLiteral("BJ"));
    // Typed initials stay until the name changes again.
    abc->clear();
    typeText(abc, QStringLiteral("XY"));
    QCOMPARE(abc->text(), QStringLiteral("XY"));
    typeText(name, QStringLiteral("华信"));
    QCOMPARE(abc->text(), QStringLiteral("BJHX"));
    // A name of only spaces leaves the initials alone.
    abc->setText(QStringLiteral("KEEP"));
    name->clear();
    typeText(name, QStringLiteral("   "));
    QCOMPARE(abc->text(), QStringLiteral("KEEP"));
    // Leaving the box trims it; typing never does.
    QCOMPARE(name->text(), QStringLiteral("   "));
    name->setText(QStringLiteral(" 甲 乙 "));
    name->setFocus();
    abc->setFocus();
    QCOMPARE(name->text(), QStringLiteral("甲 乙"));
}

void TestFrmCompany::cancelAsksOnlyWhenChanged_data() {
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("how");
    for (const char* how : {"cmdCancel", "Escape", "close box"}) {
        QTest::addRow("unchanged, %s", how) << false << QString::fromLatin1(how);
        QTest::addRow("typed, %s", how) << true << QString::fromLatin1(how);
    }
}

void TestFrmCompany::cancelAsksOnlyWhenChanged() {
    QFETCH(bool, typed);
    QFETCH(QString, how);
    TempHome home;
    FakePrompt prompt;
    frmAddCompany d;
    auto leave = [&](QDialog& d) {
        if (how == QLatin1String("cmdCancel"))
            click(&d, "cmdCancel");
        else if (how == QLatin1String("Escape"))
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            d.close();
    };
    bool openAfterNo = false, openAfterYes = true;
    QString keptText;
    run(d, prompt, [&](QDialog& d) {
        if (typed)
            typeText(box(&d, "txtAddress"), QStringLiteral("地址"));
        prompt.answer(Prompt::Answer::Cancel);
        leave(d);
        openAfterNo = d.isVisible();
        keptText = box(&d, "txtAddress")->text();
        prompt.answer(Prompt::Answer::Ok);
        leave(d);
        openAfterYes = d.isVisible();
    });
    if (typed) {
        QCOMPARE(prompt.texts(), QStringList(2, QStringLiteral("你确定不保存就退出吗？")));
        QCOMPARE(prompt.last()->caption, QStringLiteral("提醒"));
        QCOMPARE(prompt.last()->icon, Prompt::Icon::Information);
        QCOMPARE(prompt.last()->buttons, Prompt::Buttons::OkCancel);
        QVERIFY(openAfterNo);
        QCOMPARE(keptText, QStringLiteral("地址"));
    } else {
        QVERIFY(prompt.texts().isEmpty());
        QVERIFY(!openAfterNo);
    }
    QVERIFY(!openAfterYes);
    QCOMPARE(count(QStringLiteral("select * from [企业]")), 0);
}

void TestFrmCompany::editPrefilledIsNotDirty() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    EditOf edit(3);
    QCOMPARE(edit.form->windowTitle(), QStringLiteral("修改企业单位信息"));
    bool dirty = true, closed = false;
    QString abc;
    run(*edit.form, prompt, [&](QDialog& d) {
        dirty = edit.form->IsDirty();
        abc = box(&d, "txtNameABC")->text();
        click(&d, "cmdCancel");
        closed = !d.isVisible();
    });
    QVERIFY(!dirty);
    QVERIFY(closed);
    QVERIFY(prompt.texts().isEmpty());
    QCOMPARE(abc, value(QStringLiteral("select [名称首拼] from [企业] where [企业编号]=3")).toString());
}

void TestFrmCompany::editClearsEmptiedField() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    EditOf edit(2);
    const QStringList before = rows(QStringLiteral("select * from [企业] where [企业编号]=2")).value(0);
    const bool ok = run(*edit.form, prompt, [](QDialog& d) {
        for (const char* b :
             {"txtAddress", "txtTelephone", "txtFax", "txtHomePage", "txtCorporation", "txtArea"})
            box(&d, b)->clear();
        box(&d, "txtName")->setText(QStringLiteral(" 改名'公司 "));
        click(&d, "cmdSave");
    });
    QVERIFY(ok);
    QVERIFY(prompt.messages().isEmpty());
    QCOMPARE(value(QStringLiteral("select [企业名称] from [企业] where [企业编号]=2")).toString(),
             QStringLiteral("改名'公司"));
    for (const char* col : {"企业地址", "企业电话", "企业传真", "企业网址", "法人代表", "经营范围"})
        QVERIFY2(
            value(QStringLiteral("select [%1] from [企业] where [企业编号]=2").arg(QString::fromUtf8(col)))
                .isNull(),
            col);
    // Other companies are untouched.
    QCOMPARE(count(QStringLiteral("select * from [企业] where [企业传真] is null")),
             1 + count(QStringLiteral("select * from [企业] where [企业编号]<>2 and [企业传真] is null")));
    QCOMPARE(rows(QStringLiteral("select * from [企业] where [企业编号]=1")).value(0).value(1),
             QStringLiteral("北京华信科技有限公司"));
    QCOMPARE(before.value(1), QStringLiteral("上海东方贸易公司"));
}

void TestFrmCompany::failedSaveKeepsDialog_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("fixture");
    QTest::newRow("add refused by trigger")
        << false
        << QStringLiteral(
               "CREATE TRIGGER no_add BEFORE INSERT ON [企业] BEGIN SELECT RAISE(ABORT, 'no'); END");
    QTest::newRow("edit refused by trigger")
        << true
        << QStringLiteral(
               "CREATE TRIGGER no_edit BEFORE UPDATE ON [企业] BEGIN SELECT RAISE(ABORT, 'no'); END");
    QTest::newRow("edit of a row deleted behind the dialog")
        << true << QStringLiteral("DELETE FROM [企业] WHERE [企业编号]=5");
}

void TestFrmCompany::failedSaveKeepsDialog() {
    QFETCH(bool, edit);
    QFETCH(QString, fixture);
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    std::unique_ptr<CompanyForm> form;
    if (edit) {
        SelectedId = 5;
        auto* e = new frmEditCompany;
        e->fill(rows(QStringLiteral("select * from [企业] where [企业编号]=5")).value(0));
        form.reset(e);
    } else {
        form.reset(new frmAddCompany);
    }
    const auto before = rows(QStringLiteral("select * from [企业]"));
    QString error;
    QVERIFY2(home.raw(fixture, &error), qPrintable(error));
    const auto expected = rows(QStringLiteral("select * from [企业]"));
    bool openAfter = false, dirtyAfter = false;
    QString nameAfter;
    prompt.onDialog([&](QDialog& d) {
        if (!edit)
            fillRequired(&d);
        box(&d, "txtName")->setText(QStringLiteral("键入的名称"));
        click(&d, "cmdSave");
        openAfter = d.isVisible();
        dirtyAfter = form->IsDirty();
        nameAfter = box(&d, "txtName")->text();
        prompt.answer(Prompt::Answer::Ok); // the question when the handler's end rejects it
    });
    QCOMPARE(Prompt::exec(*form), int(QDialog::Rejected));
    QVERIFY(openAfter);
    QVERIFY(dirtyAfter);
    QCOMPARE(nameAfter, QStringLiteral("键入的名称"));
    const auto msgs = prompt.messages();
    QCOMPARE(msgs.size(), 2);
    QCOMPARE(msgs[0].caption, QStringLiteral("错误"));
    QVERIFY2(msgs[0].text.startsWith(QStringLiteral("查询错误")), qPrintable(msgs[0].text));
    QCOMPARE(msgs[1].text, QStringLiteral("你确定不保存就退出吗？"));
    QCOMPARE(rows(QStringLiteral("select * from [企业]")), expected);
    QVERIFY(before.size() >= expected.size());
}

void TestFrmCompany::kindAndIndustryPickers_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("picked");
    QTest::newRow("add, kind") << false << "cmdKindList"
                               << "frmCKind"
                               << "txtKind" << QStringLiteral("民营企业");
    QTest::newRow("add, industry") << false << "cmdIndustryList"
                                   << "frmIndustry"
                                   << "txtIndustry" << QStringLiteral("制造");
    QTest::newRow("edit, kind") << true << "cmdKindList"
                                << "frmCKind"
                                << "txtKind" << QStringLiteral("民营企业");
    QTest::newRow("edit, industry") << true << "cmdIndustryList"
                                    << "frmIndustry"
                                    << "txtIndustry" << QStringLiteral("制造");
}

void TestFrmCompany::kindAndIndustryPickers() {
    QFETCH(bool, edit);
    QFETCH(QString, button);
    QFETCH(QString, editor);
    QFETCH(QString, field);
    QFETCH(QString, picked);
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    std::unique_ptr<CompanyForm> form;
    if (edit) {
        SelectedId = 1;
        auto* e = new frmEditCompany;
        e->fill(rows(QStringLiteral("select * from [企业] where [企业编号]=1")).value(0));
        form.reset(e);
    } else {
        form.reset(new frmAddCompany);
    }
    QString before, after;
    bool dirty = false, pickerOpen = true;
    QString tag;
    prompt.onDialog([&](QDialog& d) {
        before = box(&d, field.toLatin1().constData())->text();
        prompt.onDialog([&](QDialog& picker) {
            tag = dynamic_cast<ClassListEditor&>(picker).caller();
            auto* grid = need<Grid>(&picker, editor == QLatin1String("frmCKind") ? "grdKind" : "grdIndustry");
            dblClickRow(grid, 2);
            pickerOpen = picker.isVisible();
        });
        click(&d, button.toLatin1().constData());
        after = box(&d, field.toLatin1().constData())->text();
        dirty = form->IsDirty();
        prompt.answer(Prompt::Answer::Ok);
    });
    Prompt::exec(*form);
    QCOMPARE(prompt.records[1].dialogName, editor);
    QCOMPARE(tag, edit ? QStringLiteral("EditCompany") : QStringLiteral("AddCompany"));
    QVERIFY(!pickerOpen);
    QCOMPARE(after, before.isEmpty() ? picked : before + QLatin1Char('/') + picked);
    // A pick is a change: leaving now asks.
    QVERIFY(dirty);
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("你确定不保存就退出吗？")});
}

QTEST_MAIN(TestFrmCompany)
#include "tst_frmCompany.moc"
