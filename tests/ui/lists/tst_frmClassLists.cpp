#include "core/ui/Grid.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tests/ui/company/UiHelpers.h"
#include "ui/lists/frmCKind.h"
#include "ui/lists/frmIndustry.h"
#include "ui/lists/frmLKind.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace ui_test;

namespace {
struct Editor {
    const char* caption;
    const char* table;
    const char* key;
    const char* name;
    const char* grid;
    const char* selFrame; // nullptr: no picker
    const char* selBox;
    const char* editBox;
    const char* addBox;
    const char* delBox; // nullptr: none
    const char* addMessage;
    const char* renameMessage;
    const char* target;
};
const Editor kKind = {"企业性质",
                      "企业性质",
                      "性质编号",
                      "性质名称",
                      "grdKind",
                      "fraSelKind",
                      "txtSelKind",
                      "txtEditKind",
                      "txtAddKind",
                      nullptr,
                      "请填写性质名称后再点击确认！",
                      "请选择项目并填写性质名称后再点击确认！",
                      "txtKind"};
const Editor kIndustry = {"企业行业",
                          "企业行业",
                          "行业编号",
                          "行业名称",
                          "grdIndustry",
                          "fraSelIndustry",
                          "txtSelIndustry",
                          "txtEditIndustry",
                          "txtAddIndustry",
                          nullptr,
                          "请填写行业名称后再点击确认！",
                          "请选择项目并填写行业名称后再点击确认！",
                          "txtIndustry"};
const Editor kContactKind = {"联系人性质设置",
                             "联系人性质",
                             "性质编号",
                             "性质名称",
                             "grdKind",
                             nullptr,
                             nullptr,
                             "txtEditKind",
                             "txtAddKind",
                             "txtDelKind",
                             "请填写性质名称后再点击确认！",
                             "请选择项目并填写性质名称后再点击确认！",
                             nullptr};

const Editor& editor(const QString& which) {
    return which == QLatin1String("frmCKind")      ? kKind
           : which == QLatin1String("frmIndustry") ? kIndustry
                                                   : kContactKind;
}

std::unique_ptr<ClassListEditor> make(const QString& which, QWidget* opener = nullptr) {
    if (which == QLatin1String("frmCKind"))
        return std::make_unique<frmCKind>(opener);
    if (which == QLatin1String("frmIndustry"))
        return std::make_unique<frmIndustry>(opener);
    return std::make_unique<frmLKind>(opener);
}

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QStringList names(const Editor& e) {
    QStringList out;
    for (const QStringList& r :
         rows(QStringLiteral("select [%1] from [%2] order by [%3]").arg(u(e.name), u(e.table), u(e.key))))
        out << r.value(0);
    return out;
}

void addEditorRows() {
    QTest::addColumn<QString>("which");
    for (const char* w : {"frmCKind", "frmIndustry", "frmLKind"})
        QTest::newRow(w) << QString::fromLatin1(w);
}

// An opener with the two fields the pickers write, named like the company dialog of `tag`.
struct Opener {
    explicit Opener(const QString& objectName, const QString& kind = QString(),
                    const QString& industry = QString()) {
        dialog.setObjectName(objectName);
        for (auto [name, text] : {std::pair{"txtKind", kind}, std::pair{"txtIndustry", industry}}) {
            auto* e = new QLineEdit(text, &dialog);
            e->setObjectName(QString::fromLatin1(name));
        }
    }
    QString text(const char* field) const { return need<QLineEdit>(&dialog, field)->text(); }
    QDialog dialog;
};
} // namespace

class TestFrmClassLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plainEditor_data() { addEditorRows(); }
    void plainEditor();
    void addRenameDelete_data() { addEditorRows(); }
    void addRenameDelete();
    void addWithUnloadCloses_data() { addEditorRows(); }
    void addWithUnloadCloses();
    void refusedInput_data() { addEditorRows(); }
    void refusedInput();
    void renameByKeyLeavesTwinsAndCompanies();
    void writesRefused_data();
    void writesRefused();
    void pickerReturnsName_data();
    void pickerReturnsName();
    void pickerChoiceRules_data();
    void pickerChoiceRules();
};

void TestFrmClassLists::plainEditor() {
    QFETCH(QString, which);
    const Editor& e = editor(which);
    TempHome home;
    FakePrompt prompt;
    auto d = make(which);
    QCOMPARE(d->objectName(), which);
    QCOMPARE(d->windowTitle(), u(e.caption));
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    auto* grid = need<Grid>(d.get(), e.grid);
    QCOMPARE(grid->Rows(), names(e).size() + 1);
    QCOMPARE(grid->columnWidth(0), 800 / 15);
    QCOMPARE(grid->columnWidth(1), 1545 / 15);
    QVERIFY(need<QLabel>(d.get(), "Label1")->isVisible());
    if (e.selFrame) {
        QVERIFY(!need<QGroupBox>(d.get(), e.selFrame)->isEnabled());
    } else {
        QVERIFY(!d->findChild<QPushButton*>(QStringLiteral("cmdSel")));
        QVERIFY(!d->findChild<QGroupBox*>(QStringLiteral("fraSelKind")));
    }
    QCOMPARE(QApplication::focusWidget(), need<QLineEdit>(d.get(), e.addBox));
    // Double-clicking only selects the row here.
    dblClickRow(grid, 2);
    QVERIFY(d->isVisible());
    QCOMPARE(need<QLineEdit>(d.get(), e.editBox)->text(), grid->TextMatrix(2, 1));
    if (e.selBox)
        QCOMPARE(need<QLineEdit>(d.get(), e.selBox)->text(), QString());
    QVERIFY(prompt.records.isEmpty());
}

void TestFrmClassLists::addRenameDelete() {
    QFETCH(QString, which);
    const Editor& e = editor(which);
    TempHome home;
    FakePrompt prompt;
    auto d = make(which);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    auto* grid = need<Grid>(d.get(), e.grid);
    auto* add = need<QLineEdit>(d.get(), e.addBox);
    auto* edit = need<QLineEdit>(d.get(), e.editBox);
    const QStringList before = names(e);
    const QString hostile = QStringLiteral("新'%_[类]😀");

    typeText(add, QStringLiteral("  ") + hostile + QStringLiteral(" "));
    need<QPushButton>(d.get(), "cmdAdd")->click();
    QVERIFY(prompt.records.isEmpty());
    QCOMPARE(names(e), before + QStringList{hostile});
    QVERIFY(d->isVisible());
    QCOMPARE(add->text(), QString());
    const int row = grid->Rows() - 1;
    QCOMPARE(grid->TextMatrix(row, 1), hostile);
    const QString key = grid->TextMatrix(row, 0);
    QVERIFY(key.toLong() >= 1);

    clickRow(grid, row);
    QCOMPARE(edit->text(), hostile);
    if (e.delBox)
        QCOMPARE(need<QLineEdit>(d.get(), e.delBox)->text(), hostile);
    if (e.selBox)
        QCOMPARE(need<QLineEdit>(d.get(), e.selBox)->text(), QString()); // selection area is off
    QCOMPARE(QApplication::focusWidget(), edit);
    edit->setText(QStringLiteral("改名"));
    need<QPushButton>(d.get(), "cmdEdit")->click();
    QVERIFY(prompt.records.isEmpty());
    QCOMPARE(
        value(QStringLiteral("select [%1] from [%2] where [%3]=%4").arg(u(e.name), u(e.table), u(e.key), key))
            .toString(),
        QStringLiteral("改名"));
    QCOMPARE(names(e), before + QStringList{QStringLiteral("改名")});
    QCOMPARE(edit->text(), QString());
    if (e.delBox)
        QCOMPARE(need<QLineEdit>(d.get(), e.delBox)->text(), QString());

    grid->SetRow(row);
    prompt.answer(Prompt::Answer::Cancel);
    need<QPushButton>(d.get(), "cmdDel")->click();
    QCOMPARE(prompt.last()->text, QStringLiteral("你确定要删除 改名 吗？"));
    QCOMPARE(prompt.last()->caption, QStringLiteral("信息"));
    QCOMPARE(prompt.last()->icon, Prompt::Icon::Information);
    QCOMPARE(prompt.last()->buttons, Prompt::Buttons::OkCancel);
    QCOMPARE(names(e).size(), before.size() + 1);
    grid->SetRow(row);
    need<QPushButton>(d.get(), "cmdDel")->click();
    QCOMPARE(prompt.messages().size(), 2);
    QCOMPARE(names(e), before);
    QCOMPARE(grid->Rows(), before.size() + 1);
}

void TestFrmClassLists::addWithUnloadCloses() {
    QFETCH(QString, which);
    const Editor& e = editor(which);
    TempHome home;
    FakePrompt prompt;
    auto d = make(which);
    prompt.onDialog([&](QDialog& dlg) {
        need<QLineEdit>(&dlg, e.addBox)->setText(QStringLiteral("一次"));
        need<QCheckBox>(&dlg, "chkUnload")->setChecked(true);
        need<QPushButton>(&dlg, "cmdAdd")->click();
    });
    QCOMPARE(Prompt::exec(*d), int(QDialog::Accepted));
    QVERIFY(names(e).contains(QStringLiteral("一次")));
}

void TestFrmClassLists::refusedInput() {
    QFETCH(QString, which);
    const Editor& e = editor(which);
    TempHome home;
    FakePrompt prompt;
    auto d = make(which);
    auto* grid = need<Grid>(d.get(), e.grid);
    auto click = [&](const char* b) { need<QPushButton>(d.get(), b)->click(); };
    const QStringList before = names(e);

    need<QLineEdit>(d.get(), e.addBox)->setText(QStringLiteral("   "));
    click("cmdAdd");
    need<QLineEdit>(d.get(), e.editBox)->setText(QStringLiteral("新名"));
    grid->SetRow(0);
    click("cmdEdit");
    grid->SetRow(1);
    need<QLineEdit>(d.get(), e.editBox)->setText(QStringLiteral("  "));
    click("cmdEdit");
    grid->SetRow(0);
    click("cmdDel");
    QCOMPARE(prompt.texts(), (QStringList{u(e.addMessage), u(e.renameMessage), u(e.renameMessage),
                                          QStringLiteral("请先选择要删除的项目！")}));
    for (const auto& m : prompt.messages()) {
        QCOMPARE(m.caption, QStringLiteral("错误"));
        QCOMPARE(m.icon, Prompt::Icon::Warning);
    }
    QCOMPARE(names(e), before);
}

void TestFrmClassLists::renameByKeyLeavesTwinsAndCompanies() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    QVERIFY(home.raw(QStringLiteral("INSERT INTO [企业性质] ([性质名称]) VALUES ('国有企业')")));
    const auto companies = rows(QStringLiteral("select * from [企业]"));
    frmCKind d;
    auto* grid = need<Grid>(&d, "grdKind");
    const int twin = grid->Rows() - 1;
    QCOMPARE(grid->TextMatrix(twin, 1), QStringLiteral("国有企业"));
    grid->SetRow(twin);
    need<QLineEdit>(&d, "txtEditKind")->setText(QStringLiteral("国企"));
    need<QPushButton>(&d, "cmdEdit")->click();
    QCOMPARE(names(kKind).count(QStringLiteral("国有企业")), 1);
    QCOMPARE(names(kKind).first(), QStringLiteral("国有企业"));
    QCOMPARE(names(kKind).last(), QStringLiteral("国企"));
    // Deleting the other one too: companies keep the names they copied.
    grid->SetRow(1);
    need<QPushButton>(&d, "cmdDel")->click();
    QVERIFY(!names(kKind).contains(QStringLiteral("国有企业")));
    QCOMPARE(rows(QStringLiteral("select * from [企业]")), companies);
    QVERIFY(count(QStringLiteral("select * from [企业] where [企业性质]='国有企业'")) > 0);
}

void TestFrmClassLists::writesRefused_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("fixture");
    const auto trigger = [](const char* when, const char* table) {
        return QStringLiteral("CREATE TRIGGER t BEFORE %1 ON [%2] BEGIN SELECT RAISE(ABORT, 'refused'); END")
            .arg(QLatin1String(when), QString::fromUtf8(table));
    };
    for (const char* w : {"frmCKind", "frmIndustry", "frmLKind"}) {
        const char* table = editor(QString::fromLatin1(w)).table;
        QTest::addRow("%s add", w) << QString::fromLatin1(w) << "cmdAdd" << trigger("INSERT", table);
        QTest::addRow("%s rename", w) << QString::fromLatin1(w) << "cmdEdit" << trigger("UPDATE", table);
        QTest::addRow("%s delete", w) << QString::fromLatin1(w) << "cmdDel" << trigger("DELETE", table);
        QTest::addRow("%s rename of a row gone", w)
            << QString::fromLatin1(w) << "cmdEdit"
            << QStringLiteral("DELETE FROM [%1] WHERE rowid=1").arg(QString::fromUtf8(table));
    }
}

void TestFrmClassLists::writesRefused() {
    QFETCH(QString, which);
    QFETCH(QString, op);
    QFETCH(QString, fixture);
    const Editor& e = editor(which);
    TempHome home;
    FakePrompt prompt;
    auto d = make(which);
    d->show();
    need<Grid>(d.get(), e.grid)->SetRow(1);
    need<QLineEdit>(d.get(), e.addBox)->setText(QStringLiteral("新增"));
    need<QLineEdit>(d.get(), e.editBox)->setText(QStringLiteral("改名"));
    QString error;
    QVERIFY2(home.raw(fixture, &error), qPrintable(error));
    const QStringList before = names(e);
    need<QPushButton>(d.get(), op.toLatin1().constData())->click();
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QVERIFY2(prompt.last()->text.startsWith(QStringLiteral("查询错误")), qPrintable(prompt.last()->text));
    QCOMPARE(names(e), before);
    QVERIFY(d->isVisible());
    QCOMPARE(need<QLineEdit>(d.get(), e.addBox)->text(), QStringLiteral("新增"));
    QCOMPARE(need<QLineEdit>(d.get(), e.editBox)->text(), QStringLiteral("改名"));
}

void TestFrmClassLists::pickerReturnsName_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("existing");
    QTest::addColumn<bool>("doubleClick");
    for (const char* w : {"frmCKind", "frmIndustry"}) {
        QTest::addRow("%s, AddCompany, empty field, double-click", w)
            << QString::fromLatin1(w) << "AddCompany"
            << "" << true;
        QTest::addRow("%s, editcompany, filled field, double-click", w)
            << QString::fromLatin1(w) << "editcompany" << QStringLiteral("已有") << true;
        QTest::addRow("%s, EDITCOMPANY, spaces only, 选择添加", w)
            << QString::fromLatin1(w) << "EDITCOMPANY" << QStringLiteral("  ") << false;
        QTest::addRow("%s, AddCompany, filled field, 选择添加", w)
            << QString::fromLatin1(w) << "AddCompany" << QStringLiteral("甲/乙") << false;
    }
}

void TestFrmClassLists::pickerReturnsName() {
    QFETCH(QString, which);
    QFETCH(QString, tag);
    QFETCH(QString, existing);
    QFETCH(bool, doubleClick);
    const Editor& e = editor(which);
    TempHome home;
    FakePrompt prompt;
    const QString openerName = tag.toLower() == QLatin1String("addcompany")
                                   ? QStringLiteral("frmAddCompany")
                                   : QStringLiteral("frmEditCompany");
    Opener opener(openerName, existing, existing);
    QString chosen;
    bool openAfter = true, frameOn = false;
    prompt.onDialog([&](QDialog& d) {
        frameOn = need<QGroupBox>(&d, e.selFrame)->isEnabled();
        auto* grid = need<Grid>(&d, e.grid);
        chosen = grid->TextMatrix(3, 1);
        if (doubleClick) {
            dblClickRow(grid, 3);
        } else {
            clickRow(grid, 3);
            QCOMPARE(need<QLineEdit>(&d, e.selBox)->text(), chosen);
            need<QPushButton>(&d, "cmdSel")->click();
        }
        openAfter = d.isVisible();
    });
    if (which == QLatin1String("frmCKind"))
        frmCKind::pick(&opener.dialog, tag);
    else
        frmIndustry::pick(&opener.dialog, tag);
    QVERIFY(frameOn);
    QVERIFY(!openAfter);
    const QString expected = existing.trimmed().isEmpty() ? chosen : existing + QLatin1Char('/') + chosen;
    QCOMPARE(opener.text(e.target), expected);
    const char* other = QByteArray(e.target) == "txtKind" ? "txtIndustry" : "txtKind";
    QCOMPARE(opener.text(other), existing);
}

void TestFrmClassLists::pickerChoiceRules_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("openerName");
    QTest::addColumn<bool>("written");
    // A typed name with no row chosen: the industry editor returns it, the kind editor wants a row.
    QTest::newRow("industry, typed, no row") << "frmIndustry"
                                             << "AddCompany"
                                             << "frmAddCompany" << true;
    QTest::newRow("kind, typed, no row") << "frmCKind"
                                         << "AddCompany"
                                         << "frmAddCompany" << false;
    QTest::newRow("unknown tag") << "frmIndustry"
                                 << "AddLinkMan"
                                 << "frmAddCompany" << false;
    QTest::newRow("tag of another dialog") << "frmIndustry"
                                           << "EditCompany"
                                           << "frmAddCompany" << false;
}

void TestFrmClassLists::pickerChoiceRules() {
    QFETCH(QString, which);
    QFETCH(QString, tag);
    QFETCH(QString, openerName);
    QFETCH(bool, written);
    const Editor& e = editor(which);
    TempHome home;
    FakePrompt prompt;
    Opener opener(openerName);
    bool openAfter = false;
    prompt.onDialog([&](QDialog& d) {
        need<Grid>(&d, e.grid)->SetRow(0);
        need<QLineEdit>(&d, e.selBox)->setText(QStringLiteral(" 自定义 "));
        need<QPushButton>(&d, "cmdSel")->click();
        openAfter = d.isVisible();
    });
    if (which == QLatin1String("frmCKind"))
        frmCKind::pick(&opener.dialog, tag);
    else
        frmIndustry::pick(&opener.dialog, tag);
    QCOMPARE(openAfter, !written);
    QCOMPARE(opener.text(e.target), written ? QStringLiteral("自定义") : QString());
}

QTEST_MAIN(TestFrmClassLists)
#include "tst_frmClassLists.moc"
