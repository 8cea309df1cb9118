#include "core/ui/Grid.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tests/ui/company/UiHelpers.h"
#include "ui/company/frmSelectCompany.h"

#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace ui_test;

namespace {
// An opener with every field a tag can fill, each holding a mark the picker must replace.
struct Opener {
    Opener() {
        dialog.setObjectName(QStringLiteral("opener"));
        for (const char* name : {"txtCompanyID", "txtCompanyName", "txtVisited", "txtVisit"}) {
            auto* e = new QLineEdit(QStringLiteral("old"), &dialog);
            e->setObjectName(QString::fromLatin1(name));
        }
    }
    QStringList fields() const {
        QStringList out;
        for (const char* name : {"txtCompanyID", "txtCompanyName", "txtVisited", "txtVisit"})
            out << need<QLineEdit>(&dialog, name)->text();
        return out;
    }
    QDialog dialog;
};
const QStringList kUntouched(4, QStringLiteral("old"));
} // namespace

class TestFrmSelectCompany : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tags_data();
    void tags();
    void doubleClickChoosesRowNotHeader();
    void emptyTableAndCancel();
};

void TestFrmSelectCompany::tags_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QStringList>("fields");
    const QString id = QStringLiteral("4"), name = QStringLiteral("深圳创新软件有限公司");
    const QString ref = id + QLatin1Char(':') + name;
    const QString o = QStringLiteral("old");
    QTest::newRow("AddLinkMan") << "AddLinkMan" << QStringList{id, name, o, o};
    QTest::newRow("editlinkman") << "editlinkman" << QStringList{id, name, o, o};
    QTest::newRow("AddVisit1") << "AddVisit1" << QStringList{o, o, ref, o};
    QTest::newRow("ADDVISIT2") << "ADDVISIT2" << QStringList{o, o, o, ref};
    QTest::newRow("EditVisite1") << "EditVisite1" << QStringList{o, o, ref, o};
    QTest::newRow("editVISITE2") << "editVISITE2" << QStringList{o, o, o, ref};
    QTest::newRow("unknown tag") << "AddCompany" << kUntouched;
    QTest::newRow("empty tag") << "" << kUntouched;
}

void TestFrmSelectCompany::tags() {
    QFETCH(QString, tag);
    QFETCH(QStringList, fields);
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    Opener opener;
    bool openAfter = true;
    int rows = 0;
    prompt.onDialog([&](QDialog& d) {
        auto* grid = need<Grid>(&d, "grdCompany");
        rows = grid->Rows();
        grid->SetRow(4);
        need<QPushButton>(&d, "cmdSel")->click();
        openAfter = d.isVisible();
    });
    frmSelectCompany::pick(&opener.dialog, tag);
    QCOMPARE(prompt.records.first().text, QStringLiteral("选择所属公司"));
    QCOMPARE(rows, 21);
    QCOMPARE(opener.fields(), fields);
    // A tag it does not know leaves the picker open.
    QCOMPARE(openAfter, fields == kUntouched);
}

void TestFrmSelectCompany::doubleClickChoosesRowNotHeader() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    Opener opener;
    QStringList afterHeader;
    bool openAfterHeader = false, openAfterRow = true;
    prompt.onDialog([&](QDialog& d) {
        auto* grid = need<Grid>(&d, "grdCompany");
        QTest::mouseDClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                           QPoint(grid->columnViewportPosition(1) + 5, 5));
        afterHeader = opener.fields();
        openAfterHeader = d.isVisible();
        dblClickRow(grid, 7);
        openAfterRow = d.isVisible();
    });
    frmSelectCompany::pick(&opener.dialog, QStringLiteral("AddVisit1"));
    QCOMPARE(afterHeader, kUntouched);
    QVERIFY(openAfterHeader);
    QVERIFY(!openAfterRow);
    QCOMPARE(opener.fields().value(2), QStringLiteral("7:武汉长江制造厂"));
}

void TestFrmSelectCompany::emptyTableAndCancel() {
    TempHome home; // no companies
    FakePrompt prompt;
    Opener opener;
    int rows = -1;
    bool openAfterSel = false;
    prompt.onDialog([&](QDialog& d) {
        rows = need<Grid>(&d, "grdCompany")->Rows();
        need<QPushButton>(&d, "cmdSel")->click();
        openAfterSel = d.isVisible();
        need<QPushButton>(&d, "cmdCancel")->click();
    });
    frmSelectCompany::pick(&opener.dialog, QStringLiteral("AddLinkMan"));
    QCOMPARE(rows, 1);
    QVERIFY(openAfterSel);
    QCOMPARE(opener.fields(), kUntouched);
    QVERIFY(prompt.messages().isEmpty()); // an unfiltered empty list says nothing
}

QTEST_MAIN(TestFrmSelectCompany)
#include "tst_frmSelectCompany.moc"
