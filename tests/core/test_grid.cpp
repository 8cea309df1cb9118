#include "core/AppSettings.h"
#include "core/modDBCommand.h"
#include "core/ui/FillGrid.h"
#include "core/ui/Grid.h"
#include "core/ui/Painting.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"

#include <QImage>
#include <QWidget>
#include <QtTest>

class TestGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fillWholeTable();
    void fillDisabledDoesNothing();
    void noDataMessageOnlyWithCondition();
    void failedQueryKeepsGrid();
    void gradient();
    void shape_data();
    void shape();
};

void TestGrid::fillWholeTable() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    Grid grid;
    FillGrid(grid, QStringLiteral(" [企业]"), QString());
    QCOMPARE(grid.Rows(), 21);
    QCOMPARE(grid.Cols(), 11);
    QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("企业名称"));
    QCOMPARE(grid.Row(), 1);
    grid.SetCol(0);
    QCOMPARE(grid.Text(), QStringLiteral("1"));
    grid.SetRow(3);
    grid.SetCol(1);
    QCOMPARE(grid.Text(), QStringLiteral("广州南粤物流有限公司"));
    QVERIFY(prompt.records.isEmpty());
    FillGrid(grid, QStringLiteral(" 企业"), QStringLiteral(" where [企业编号]=2"));
    QCOMPARE(grid.Rows(), 2);
}

void TestGrid::fillDisabledDoesNothing() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    Grid grid;
    FillGrid(grid, QStringLiteral(" [企业]"), QStringLiteral(" where [企业编号]=1"));
    GridFillEnabled = false;
    SqlText = QStringLiteral("untouched");
    FillGrid(grid, QStringLiteral(" [联系人]"), QString());
    GridFillEnabled = true;
    QCOMPARE(SqlText, QStringLiteral("untouched"));
    QCOMPARE(grid.Rows(), 2);
    QCOMPARE(grid.Cols(), 11);
}

void TestGrid::noDataMessageOnlyWithCondition() {
    TempHome home;
    FakePrompt prompt;
    Grid grid;
    FillGrid(grid, QStringLiteral(" [企业]"), QString());
    FillGrid(grid, QStringLiteral(" [企业]"), QStringLiteral(" order by [企业名称]"));
    QVERIFY(prompt.records.isEmpty());
    FillGrid(grid, QStringLiteral(" [企业]"), QStringLiteral(" where [企业名称]='无'"));
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("没有找到任何数据！")});
    QCOMPARE(prompt.last()->caption, QStringLiteral("提示"));
    QCOMPARE(prompt.last()->icon, Prompt::Icon::Information);
    QCOMPARE(grid.Rows(), 1);
    QCOMPARE(grid.Row(), 0);
}

void TestGrid::failedQueryKeepsGrid() {
    TempHome home(TempHome::Demo);
    FakePrompt prompt;
    Grid grid;
    FillGrid(grid, QStringLiteral(" [企业]"), QString());
    FillGrid(grid, QStringLiteral(" [无此表]"), QString());
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QCOMPARE(prompt.last()->icon, Prompt::Icon::Warning);
    QVERIFY(prompt.last()->text.startsWith(QStringLiteral("查询错误: ")));
    QCOMPARE(grid.Rows(), 21);
}

void TestGrid::gradient() {
    QImage img(10, 4, QImage::Format_RGB32);
    img.fill(Qt::black);
    PaintGradient(img, 0, 128, 0, 192, 240, 192);
    QCOMPARE(QColor(img.pixel(0, 0)), QColor(0, 128, 0));
    // Line 1: 48, 156, 48; line 3: 144, 212, 144 (nearly the end colour).
    QCOMPARE(QColor(img.pixel(9, 1)), QColor(48, 156, 48));
    QCOMPARE(QColor(img.pixel(5, 3)), QColor(144, 212, 144));
    QImage empty(10, 0, QImage::Format_RGB32);
    PaintGradient(empty, 0, 0, 0, 255, 255, 255); // nothing to paint, no failure
}

void TestGrid::shape_data() {
    QTest::addColumn<QByteArray>("pixels"); // 4x2, row by row
    QTest::addColumn<int>("visible");
    QTest::addColumn<bool>("masked");
    QTest::newRow("frame of key colour") << QByteArray("\x07\x01\x01\x07\x07\x02\x07\x07", 8) << 3 << true;
    QTest::newRow("all key: stays unshaped") << QByteArray("\x05\x05\x05\x05\x05\x05\x05\x05", 8) << 0 << false;
}

void TestGrid::shape() {
    QFETCH(QByteArray, pixels);
    QFETCH(int, visible);
    QFETCH(bool, masked);
    QImage img(4, 2, QImage::Format_Grayscale8);
    for (int y = 0; y < 2; ++y)
        memcpy(img.scanLine(y), pixels.constData() + y * 4, 4);
    QWidget w;
    w.resize(4, 2);
    unsigned char key = 1;
    ShapeFromPicture(w, img, key);
    QCOMPARE(int(key), int(uchar(pixels[0])));
    QCOMPARE(!w.mask().isEmpty(), masked);
    int count = 0;
    for (const QRect& r : w.mask())
        count += r.width() * r.height();
    QCOMPARE(count, visible);
}

QTEST_MAIN(TestGrid)
#include "test_grid.moc"
