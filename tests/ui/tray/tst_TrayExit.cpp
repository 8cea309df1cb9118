#include "TrayFixture.h"

#include "tray/ui/TrayMenu.h"
#include "ui/main/Startup.h"

#include <QLockFile>
#include <QMdiSubWindow>
#include <QPointer>

namespace {
// Records, at the moment the main window gets its close, whether the tray icon was gone.
struct CloseWatch : QObject {
    bool closed = false;
    bool iconGoneFirst = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Close && !closed) {
            closed = true;
            iconGoneFirst = frmSystray::instance() && !frmSystray::instance()->trayIcon();
        }
        return false;
    }
};

bool lockIsFree(const QString& home) {
    QLockFile lock(QDir(home).filePath(QStringLiteral(".tobrin.lock")));
    return lock.tryLock(0);
}

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}
} // namespace

class TestTrayExit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        delete frmSystray::instance();
        mdiTobrin::instance()->setExiting(false);
    }
    void exitFromInsideThePopupAtStartup();
    void exitFromInsideATrayAddDialog();
};

void TestTrayExit::exitFromInsideThePopupAtStartup() {
    TrayFixture f;
    f.festival(QStringLiteral("A-06-10"), QStringLiteral("测试节"));
    CloseWatch watch;
    mdiTobrin::instance()->installEventFilter(&watch);
    QPointer<QDialog> popup;
    f.prompt.onDialog([&](QDialog& d) {
        popup = &d;
        frmSystray::instance()->action("mnuExit")->trigger();
        // Still alive while its modal show unwinds.
        QVERIFY(frmSystray::instance()->exiting());
        QVERIFY(!frmSystray::instance()->trayIcon());
    });
    StartupHooks hooks;
    AddTrayHooks(hooks);
    QCOMPARE(
        Startup({QStringLiteral("tobrin"), QStringLiteral("--home"), f.home.path()}, f.home.path(), hooks),
        StartupResult::Running);
    QCOMPARE(f.popups(), 1);
    QVERIFY(!lockIsFree(f.home.path())); // held until the stack has unwound
    settle();
    QVERIFY(watch.closed);
    QVERIFY(watch.iconGoneFirst);
    QVERIFY(!mdiTobrin::instance()->isVisible());
    QVERIFY(popup && !popup->isVisible());
    QCOMPARE(frmSystray::instance()->history().texts(), QStringList{QString()});
    QVERIFY(lockIsFree(f.home.path()));
    // Nothing runs on after the exit.
    f.clock.set(QDateTime(QDate(2026, 6, 11), QTime(0, 0)));
    AppSettings.Ring = true;
    frmSystray::instance()->clockTick();
    QCOMPARE(f.popups(), 1);
    QCOMPARE(f.sound.played.size(), 1);
    mdiTobrin::instance()->removeEventFilter(&watch);
}

void TestTrayExit::exitFromInsideATrayAddDialog() {
    TrayFixture f;
    mdiTobrin* main = mdiTobrin::instance();
    main->show();
    bool windowUsableAfterDialog = false;
    // An add command as its window library wires it: a modal dialog, then work on the main window.
    QPointer<mdiTobrin> guard(main);
    main->wire(QStringLiteral("mnuCompanyAdd"), [&] {
        QDialog dialog(main);
        dialog.setObjectName(QStringLiteral("frmAddCompany"));
        Prompt::exec(dialog);
        windowUsableAfterDialog = guard && guard->isVisible();
    });
    f.prompt.onDialog([](QDialog& d) {
        QCOMPARE(d.objectName(), QStringLiteral("frmAddCompany"));
        frmSystray::instance()->ExitSystem();
        QVERIFY(!d.isVisible()); // the exit closed it
    });
    frmSystray* tray = frmSystray::load();
    tray->action("mnuCompany")->trigger();
    QVERIFY(windowUsableAfterDialog); // not closed while the command was still running
    settle();
    QVERIFY(!main->isVisible());
    QVERIFY(tray->exiting());
    main->action(QStringLiteral("mnuCompanyAdd"))->disconnect();
}

QTEST_MAIN(TestTrayExit)
#include "tst_TrayExit.moc"
