#include "ui/main/Background.h"
#include "ui/main/Links.h"
#include "ui/main/frmAbout.h"
#include "ui/main/mdiTobrin.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QFile>
#include <QtTest>

namespace {
// A child window for the single-instance check.
class Child : public QWidget {
    Q_OBJECT
public:
    explicit Child(QWidget* parent) : QWidget(parent) { ++made; }
    static inline int made = 0;
};
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuTree();
    void closeBoxHidesAndTrayRestores();
    void childWindowsExistOnce();
    void helpMenu();
    void readmeMissing();
    void linkWithoutHandler_data();
    void linkWithoutHandler();
    void exitCloses();
    void backgroundDateLine();
};

void TestMainWindow::menuTree() {
    mdiTobrin w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Orvane商务名片管理系统"));
    QStringList tops;
    for (QAction* a : w.menuBar()->actions())
        tops << a->menu()->objectName() + "=" + a->text();
    QCOMPARE(tops, QStringList({"mnuSys=系统", "mnuCompany=商家管理", "mnuLinkman=联系人管理", "mnuVisit=拜访安排",
                                "mnuQuery=查询管理", "mnuTools=工具", "mnuSystem=系统管理", "mnuHelp=帮助"}));
    QCOMPARE(w.action("mnuDBtoExcel")->text(), QStringLiteral("倒出数据到Excel"));
    QVERIFY(w.action("mnuSp4")->isSeparator());
    // Items whose windows are not wired stay disabled; the help items and "倒班制日期" work.
    QVERIFY(!w.action("mnuCompanyList")->isEnabled());
    for (const char* name : {"mnuExit", "mnuWorkDay", "mnuAbout", "mnuReadMe", "mnuHomePage", "mnuEmail"})
        QVERIFY2(w.action(name)->isEnabled(), name);
    bool ran = false;
    w.wire("mnuCompanyList", [&] { ran = true; });
    QVERIFY(w.action("mnuCompanyList")->isEnabled());
    w.action("mnuCompanyList")->trigger();
    QVERIFY(ran);
    FakePrompt prompt;
    w.action("mnuWorkDay")->trigger();
    QVERIFY(prompt.records.isEmpty());
}

void TestMainWindow::closeBoxHidesAndTrayRestores() {
    mdiTobrin w;
    w.show();
    w.setWindowState(Qt::WindowMaximized);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.close();
    QVERIFY(!w.isVisible());
    QCOMPARE(w.Tag, QString::number(int(Qt::WindowMaximized)));
    w.restoreFromTray();
    QVERIFY(w.isVisible());
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    QVERIFY(!(w.windowState() & Qt::WindowMinimized));
}

void TestMainWindow::childWindowsExistOnce() {
    mdiTobrin w;
    Child::made = 0;
    Child* a = w.showChild<Child>();
    Child* b = w.showChild<Child>();
    QCOMPARE(a, b);
    QCOMPARE(Child::made, 1);
    QCOMPARE(w.child<Child>(), a);
    a->parentWidget()->close(); // the sub-window
    QTRY_VERIFY(!w.child<Child>());
    w.showChild<Child>();
    QCOMPARE(Child::made, 2);
}

void TestMainWindow::helpMenu() {
    TempHome home;
    QFile readme(home.file("readme.txt"));
    QVERIFY(readme.open(QIODevice::WriteOnly));
    readme.close();
    QList<QUrl> opened;
    Links::setOpener([&](const QUrl& u) {
        opened << u;
        return true;
    });
    FakePrompt prompt;
    QString version;
    prompt.onDialog([&](QDialog& d) { version = d.findChild<QLabel*>("lblVersion")->text(); });
    mdiTobrin w;
    w.action("mnuAbout")->trigger();
    QCOMPARE(prompt.records.size(), 1);
    QCOMPARE(prompt.records[0].dialogName, QStringLiteral("frmAbout"));
    QCOMPARE(version, QStringLiteral("程序版本：1.0"));
    w.action("mnuReadMe")->trigger();
    w.action("mnuHomePage")->trigger();
    w.action("mnuEmail")->trigger();
    Links::setOpener({});
    QCOMPARE(opened.size(), 3);
    QCOMPARE(opened[0], QUrl::fromLocalFile(home.file("readme.txt")));
    QCOMPARE(opened[1], QUrl(Links::kHomePage));
    QCOMPARE(opened[2].scheme(), QStringLiteral("mailto"));
}

void TestMainWindow::readmeMissing() {
    TempHome home;
    QVERIFY(QFile::remove(home.file("readme.txt")));
    bool opened = false;
    Links::setOpener([&](const QUrl&) { return opened = true; });
    FakePrompt prompt;
    mdiTobrin w;
    w.action("mnuReadMe")->trigger();
    Links::setOpener({});
    QVERIFY(!opened);
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QVERIFY(prompt.last()->text.contains("readme.txt"));
}

void TestMainWindow::linkWithoutHandler_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("message");
    QTest::newRow("home page") << "mnuHomePage" << QStringLiteral("无法打开作者主页：") + Links::kHomePage;
    QTest::newRow("mail") << "mnuEmail" << QStringLiteral("无法打开写给作者的新邮件：") + Links::kEmail;
    QTest::newRow("read me") << "mnuReadMe" << QStringLiteral("无法打开程序说明文件：");
}

// No browser or mail program: the user is told, once, what could not be opened.
void TestMainWindow::linkWithoutHandler() {
    QFETCH(QString, item);
    QFETCH(QString, message);
    TempHome home;
    QFile readme(home.file("readme.txt"));
    QVERIFY(readme.open(QIODevice::WriteOnly));
    readme.close();
    QList<QUrl> tried;
    Links::setOpener([&](const QUrl& u) {
        tried << u;
        return false;
    });
    FakePrompt prompt;
    mdiTobrin w;
    w.action(item)->trigger();
    Links::setOpener({});
    QCOMPARE(tried.size(), 1);
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.last()->caption, QStringLiteral("错误"));
    QVERIFY2(prompt.last()->text.startsWith(message), qPrintable(prompt.last()->text));
}

void TestMainWindow::exitCloses() {
    auto* w = mdiTobrin::instance();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    bool ran = false;
    SetExitSystem([&] { ran = true; });
    w->action("mnuExit")->trigger();
    QVERIFY(ran);
    QVERIFY(w->isVisible());
    SetExitSystem({});
    w->close(); // close box: hidden only
    QVERIFY(!w->isVisible());
    w->setExiting(true);
    QVERIFY(w->close());
}

void TestMainWindow::backgroundDateLine() {
    QCOMPARE(Background::dateLine(QDate(2008, 1, 5)), QStringLiteral("今天是  2008年1月5日  星期六"));
    const QImage small = Background::paint(QSize(30, 20), QDate(2026, 12, 10));
    QCOMPARE(small.size(), QSize(30, 20));
    // Top band: red 100, green 200, blue 255.
    const QImage big = Background::paint(QSize(800, 600), QDate(2026, 12, 10));
    QCOMPARE(QColor(big.pixel(0, 0)), QColor(100, 200, 255));
    QCOMPARE(QColor(big.pixel(0, 599)), QColor(100, 200, 255 - 599 / 3));
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
