#include "TrayFixture.h"

#include "tray/ui/frmMSG.h"

#include <QAction>
#include <QBitmap>
#include <QCheckBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {
QStringList names(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        out << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}
QString popupText(frmSystray* tray) {
    return tray->popup()->findChild<QPlainTextEdit*>(QStringLiteral("txtMsg"))->toPlainText();
}
} // namespace

class TestFrmSystray : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadShowsTheWeekWithSound();
    void withoutTrayTheMainWindowStays();
    void nothingDueShowsNothing();
    void menuItems();
    void pagingThroughTheHistory();
    void refreshRunsAtOnceButNotDuringAScan();
    void chimeOnTheHourOnlyWithRing();
    void savedRingTakesEffectAtOnce();
    void newDayScansAgain();
    void iconMouse();
    void addItemsRunTheMainCommands();
    void showMainFormRestoresMaximised();
    void popupCloses_data();
    void popupCloses();
    void popupDragsAndKeepsShapeFallback();
};

void TestFrmSystray::loadShowsTheWeekWithSound() {
    TrayFixture f;
    f.festival(QStringLiteral("A-06-10"), QStringLiteral("测试节"));
    bool checked = false;
    f.prompt.onDialog([&](QDialog& d) {
        auto& popup = static_cast<frmMSG&>(d);
        QCOMPARE(d.objectName(), QStringLiteral("frmMSG"));
        const QString text = popup.findChild<QPlainTextEdit*>(QStringLiteral("txtMsg"))->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("老板,您好,今天是 2026年6月10日,农历")));
        QVERIFY(text.contains(QStringLiteral("\n\n1) 今天是 测试节\n\n")));
        QVERIFY(!text.contains(QLatin1Char('\r')));
        // Shaped before it shows, and the sound came first.
        QVERIFY(!popup.mask().isEmpty());
        QVERIFY(popup.mask() != QRegion(popup.rect()));
        QCOMPARE(f.sound.played, QStringList{f.wave("Notify.wav")});
        checked = true;
    });
    frmSystray* tray = frmSystray::load();
    QVERIFY(checked);
    QCOMPARE(f.popups(), 1);
    QCOMPARE(frmSystray::load(), tray); // loaded once
    QCOMPARE(tray->history().texts().size(), 2);
    QVERIFY(tray->history().texts().at(0).isEmpty());
    QVERIFY(tray->history().texts().at(1).contains(QStringLiteral("\r\n\r\n1) 今天是 测试节")));
    QVERIFY(tray->action("mnuPreMsg")->isEnabled());
    QVERIFY(!tray->action("mnuNextMsg")->isEnabled());
    QVERIFY(tray->clockTimer()->isActive());
    QCOMPARE(tray->clockTimer()->interval(), 1000);
    QVERIFY(!tray->checkTimer()->isActive());
    QCOMPARE(tray->checkTimer()->interval(), 60000);
    QCOMPARE(tray->trayIcon()->toolTip(), QStringLiteral("Orvane商务名片管理系统\n版本1.0"));
    QCOMPARE(tray->trayIcon()->contextMenu(), tray->trayMenu());
    QCOMPARE(WaveFiles.value(0), f.wave("Cuckoo.wav"));
}

void TestFrmSystray::withoutTrayTheMainWindowStays() {
    if (QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("a notification area is present");
    TrayFixture f;
    frmSystray::load();
    const auto notes = f.prompt.messages();
    QCOMPARE(notes.size(), 1);
    QCOMPARE(notes[0].caption, QStringLiteral("提示"));
    QVERIFY(notes[0].text.contains(QStringLiteral("提醒只在弹出窗口中出现")));
    mdiTobrin* main = mdiTobrin::instance();
    QVERIFY(main->isVisible());
    // The close box minimises: no window and no icon would leave the user stranded.
    main->close();
    QVERIFY(main->isVisible());
    QVERIFY(main->isMinimized());
}

void TestFrmSystray::nothingDueShowsNothing() {
    TrayFixture f; // no solar term from 10 to 17 June 2026
    frmSystray* tray = frmSystray::load();
    QCOMPARE(f.popups(), 0);
    QVERIFY(f.sound.played.isEmpty());
    QVERIFY(!tray->action("mnuPreMsg")->isEnabled());
    QCOMPARE(tray->history().texts(), QStringList{QString()});
}

void TestFrmSystray::menuItems() {
    TrayFixture f;
    frmSystray* tray = frmSystray::load();
    QCOMPARE(tray->trayMenu()->objectName(), QStringLiteral("mnuTray"));
    const QStringList top = {"mnuShowMainForm=显示主窗口",
                             "mnuSp1=-",
                             "mnuNew=添加(&A)",
                             "mnuSp2=-",
                             "mnuPreMsg=前一消息(&P)",
                             "mnuNextMsg=后一消息(&N)",
                             "mnuSp3=-",
                             "mnuRefresh=刷新消息",
                             "mnuSetting=参数设置(&S)",
                             "mnuSp4=-",
                             "mnuExit=退出"};
    QCOMPARE(names(tray->trayMenu()->actions()), top);
    const QStringList added = {"mnuCompany=企业信息", "mnuLinkMan=联系人", "mnuVisit=工作日程"};
    QCOMPARE(names(tray->action("mnuNew")->menu()->actions()), added);
}

void TestFrmSystray::pagingThroughTheHistory() {
    TrayFixture f;
    f.festival(QStringLiteral("A-06-11"), QStringLiteral("测试节"));
    frmSystray* tray = frmSystray::load();
    QCOMPARE(f.popups(), 1);
    const int shown = int(f.prompt.records.size());
    tray->action("mnuPreMsg")->trigger();
    QVERIFY(tray->popup()->isVisible());
    QVERIFY(!tray->popup()->isModal());
    QCOMPARE(f.prompt.records.size(), shown); // shown without blocking
    QCOMPARE(popupText(tray), QString());
    QCOMPARE(tray->history().index(), 0);
    QVERIFY(tray->action("mnuNextMsg")->isEnabled());
    tray->action("mnuNextMsg")->trigger();
    QVERIFY(popupText(tray).contains(QStringLiteral("\n\n1) 6月11日是：测试节, 距今还有1天。")));
    QCOMPARE(tray->history().index(), 1);
    QVERIFY(!tray->action("mnuNextMsg")->isEnabled());
    QVERIFY(tray->action("mnuPreMsg")->isEnabled());
    QCOMPARE(f.sound.played.size(), 1); // paging plays nothing
}

void TestFrmSystray::refreshRunsAtOnceButNotDuringAScan() {
    TrayFixture f;
    f.festival(QStringLiteral("A-06-11"), QStringLiteral("测试节"));
    f.prompt.onDialog([](QDialog&) { frmSystray::instance()->action("mnuRefresh")->trigger(); });
    frmSystray* tray = frmSystray::load();
    QCOMPARE(f.popups(), 1); // the refresh inside the open popup was ignored
    tray->action("mnuRefresh")->trigger();
    QCOMPARE(f.popups(), 2);
    QCOMPARE(tray->history().texts().size(), 2);
    QCOMPARE(f.sound.played.size(), 2);
}

void TestFrmSystray::chimeOnTheHourOnlyWithRing() {
    TrayFixture f(QDateTime(QDate(2026, 6, 10), QTime(9, 59, 58)));
    frmSystray* tray = frmSystray::load();
    auto tickFor = [&](int seconds) {
        for (int i = 0; i < seconds; ++i) {
            tray->clockTick();
            f.clock.advanceMs(1000);
        }
    };
    tickFor(10); // 10:00:00 passes with Ring off
    QVERIFY(f.sound.played.isEmpty());
    AppSettings.Ring = true;
    f.clock.set(QDateTime(QDate(2026, 6, 10), QTime(10, 59, 57)));
    tickFor(120);
    QCOMPARE(f.sound.played, QStringList{f.wave("Cuckoo.wav")});
}

void TestFrmSystray::savedRingTakesEffectAtOnce() {
    TrayFixture f(QDateTime(QDate(2026, 6, 10), QTime(10, 59, 59)));
    frmSystray* tray = frmSystray::load();
    tray->action("mnuSetting")->trigger();
    frmOption* options = frmOption::current();
    QVERIFY(options && options->isVisible());
    options->findChild<QCheckBox*>(QStringLiteral("chkRing"))->setChecked(true);
    options->findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
    QVERIFY(f.prompt.messages().size() <= 1); // at most the no-tray note
    f.clock.advanceMs(1000);
    tray->clockTick();
    QCOMPARE(f.sound.played, QStringList{f.wave("Cuckoo.wav")});
}

void TestFrmSystray::newDayScansAgain() {
    TrayFixture f(QDateTime(QDate(2026, 6, 10), QTime(23, 59, 59)));
    f.festival(QStringLiteral("A-06-12"), QStringLiteral("测试节"));
    frmSystray* tray = frmSystray::load();
    QCOMPARE(f.popups(), 1);
    tray->clockTick();
    QCOMPARE(f.popups(), 1);              // same day
    tray->action("mnuPreMsg")->trigger(); // popup open without blocking
    f.clock.advanceMs(2000);
    tray->clockTick();
    QCOMPARE(f.popups(), 1); // waits while the popup is open
    tray->popup()->close();
    tray->clockTick();
    QCOMPARE(f.popups(), 2);
    QVERIFY(tray->history().texts().at(1).contains(QStringLiteral("1) 6月12日是：测试节, 距今还有1天。")));
    tray->clockTick();
    QCOMPARE(f.popups(), 2);
}

void TestFrmSystray::iconMouse() {
    TrayFixture f;
    frmSystray* tray = frmSystray::load();
    tray->onIconActivated(QSystemTrayIcon::Trigger);
    tray->onIconActivated(QSystemTrayIcon::MiddleClick);
    QVERIFY(!frmOption::current());
    tray->onIconActivated(QSystemTrayIcon::DoubleClick);
    frmOption* options = frmOption::current();
    QVERIFY(options && options->isVisible());
    QVERIFY(!options->isModal());
    tray->action("mnuSetting")->trigger();
    QCOMPARE(frmOption::current(), options); // brought to the front, not a second one
}

void TestFrmSystray::addItemsRunTheMainCommands() {
    TrayFixture f;
    mdiTobrin* main = mdiTobrin::instance();
    QAction* mainAdd = main->action(QStringLiteral("mnuVisitAdd"));
    mainAdd->setEnabled(false);
    frmSystray* tray = frmSystray::load();
    QAction* trayAdd = tray->action("mnuVisit");
    QVERIFY(!trayAdd->isEnabled());
    int opened = 0;
    main->wire(QStringLiteral("mnuVisitAdd"), [&] { ++opened; });
    QVERIFY(trayAdd->isEnabled());
    trayAdd->trigger();
    QCOMPARE(opened, 1);
    mainAdd->disconnect();
    mainAdd->setEnabled(false);
}

void TestFrmSystray::showMainFormRestoresMaximised() {
    TrayFixture f;
    frmSystray* tray = frmSystray::load();
    mdiTobrin* main = mdiTobrin::instance();
    main->showMaximized();
    QVERIFY(main->isMaximized());
    main->close();
    main->hide(); // as the close box does where a tray is present
    tray->action("mnuShowMainForm")->trigger();
    QVERIFY(main->isVisible());
    QVERIFY(main->isMaximized());
    QVERIFY(!main->isMinimized());
}

void TestFrmSystray::popupCloses_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "escape";
    QTest::newRow("right click on the body") << "right";
    QTest::newRow("right click on the text") << "right text";
    QTest::newRow("double click on the body") << "double";
}

void TestFrmSystray::popupCloses() {
    QFETCH(QString, how);
    TrayFixture f;
    f.festival(QStringLiteral("A-06-11"), QStringLiteral("测试节"));
    bool closed = false;
    f.prompt.onDialog([&](QDialog& d) {
        QVERIFY(d.isVisible());
        QWidget* text = d.findChild<QPlainTextEdit*>(QStringLiteral("txtMsg"))->viewport();
        const QPoint body(180, 225);
        if (how == QLatin1String("escape")) {
            QTest::keyClick(&d, Qt::Key_Escape);
        } else if (how == QLatin1String("right")) {
            QTest::mouseClick(&d, Qt::RightButton, {}, body);
        } else if (how == QLatin1String("right text")) {
            QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), text->mapToGlobal(QPoint(5, 5)));
            QCoreApplication::sendEvent(text, &e);
        } else {
            QTest::mouseDClick(&d, Qt::LeftButton, {}, body);
        }
        closed = !d.isVisible();
    });
    frmSystray::load();
    QVERIFY(closed);
}

void TestFrmSystray::popupDragsAndKeepsShapeFallback() {
    frmMSG popup;
    popup.move(100, 100);
    popup.show();
    const QPoint start = popup.pos();
    QTest::mousePress(&popup, Qt::LeftButton, {}, QPoint(180, 225));
    QMouseEvent move(QEvent::MouseMove, QPointF(230, 255), popup.mapToGlobal(QPointF(230, 255)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&popup, &move);
    QTest::mouseRelease(&popup, Qt::LeftButton, {}, QPoint(230, 255));
    QCOMPARE(popup.pos(), start + QPoint(50, 30));
    QVERIFY(popup.isVisible()); // a plain click neither closes nor hides

    // The picture: 358 × 240, 256 colours, the corner transparent, the middle not.
    const QImage pic = frmMSG::picture();
    QCOMPARE(pic.size(), QSize(358, 240));
    QCOMPARE(pic.format(), QImage::Format_Indexed8);
    popup.shape();
    QVERIFY(!popup.mask().contains(QPoint(0, 0)));
    QVERIFY(popup.mask().contains(QPoint(180, 120)));
    // A picture of nothing but its key colour would give an invisible window: left unshaped.
    QImage blank(358, 240, QImage::Format_Indexed8);
    blank.setColorTable({qRgb(255, 0, 255)});
    blank.fill(0);
    popup.setPicture(blank);
    popup.shape();
    QVERIFY(popup.mask().isEmpty());
}

QTEST_MAIN(TestFrmSystray)
#include "tst_frmSystray.moc"
