#include "tray/ui/frmSystray.h"

#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "core/Sound.h"
#include "tray/ui/frmMSG.h"
#include "tray/ui/frmOption.h"
#include "ui/main/Startup.h"
#include "ui/main/mdiTobrin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHash>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {
QPointer<frmSystray> theTray;
QHash<QString, QAction*> actionsOf(QMenu* menu) {
    QHash<QString, QAction*> out;
    for (QAction* a : menu->findChildren<QAction*>())
        out.insert(a->objectName(), a);
    return out;
}

QIcon trayPicture() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(40, 90, 170));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QFont f;
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("名"));
    return QIcon(pm);
}
} // namespace

frmSystray::frmSystray(QWidget* parent)
    : QWidget(parent), m_menu(new QMenu(QStringLiteral("Popup"), this)), m_clock(new QTimer(this)),
      m_check(new QTimer(this)) {
    setObjectName(QStringLiteral("frmSystray"));
    setWindowTitle(QStringLiteral("Orvane商务名片管理系统"));
    m_clock->setObjectName(QStringLiteral("tmrClock"));
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &frmSystray::clockTick);
    // The periodic check stays off; the clock rescans on a new day instead.
    m_check->setObjectName(QStringLiteral("tmrCheck"));
    m_check->setInterval(60000);
    connect(m_check, &QTimer::timeout, this, &frmSystray::runScan);
    buildMenu();

    m_icon = std::make_unique<QSystemTrayIcon>(trayPicture());
    m_icon->setContextMenu(m_menu);
    m_icon->setToolTip(QStringLiteral("Orvane商务名片管理系统\n版本%1.%2")
                           .arg(TOBRIN_VERSION_MAJOR)
                           .arg(TOBRIN_VERSION_MINOR));
    connect(m_icon.get(), &QSystemTrayIcon::activated, this, &frmSystray::onIconActivated);
}

frmSystray::~frmSystray() {
    if (theTray == this)
        SetExitSystem({});
    if (mdiTobrin::exists())
        mdiTobrin::instance()->removeEventFilter(this);
    if (m_icon)
        m_icon->hide();
}

frmSystray* frmSystray::instance() {
    return theTray;
}

frmSystray* frmSystray::load() {
    if (theTray)
        return theTray;
    auto* tray = new frmSystray();
    theTray = tray;
    QPointer<frmSystray> guard(tray);
    SetExitSystem([guard] {
        if (guard)
            guard->ExitSystem();
    });
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray->m_icon->show();
    } else {
        // No notification area: the main window stays reachable and only minimises on close.
        mdiTobrin* main = mdiTobrin::instance();
        main->installEventFilter(tray);
        if (!main->isVisible())
            main->restoreFromTray();
        Prompt::message(QStringLiteral("系统没有通知区域，托盘图标无法显示：提醒只在弹出窗口中出现，"
                                       "关闭主窗口时程序最小化而不退出。"),
                        QStringLiteral("提示"), Prompt::Icon::Information);
    }
    SetWaveFiles(ProgramFolder());
    tray->m_scan.tickThreshold = 11;
    tray->m_scan.tickCounter = 11;
    tray->updateMessageMenu();
    tray->m_clock->start();
    tray->runScan();
    return guard;
}

void frmSystray::buildMenu() {
    m_menu->setObjectName(QStringLiteral("mnuTray"));
    auto add = [this](QMenu* menu, const char* name, const char* caption) {
        QAction* a = caption ? menu->addAction(QString::fromUtf8(caption)) : menu->addSeparator();
        a->setObjectName(QString::fromLatin1(name));
        a->setParent(m_menu);
        return a;
    };
    connect(add(m_menu, "mnuShowMainForm", "显示主窗口"), &QAction::triggered, this,
            &frmSystray::showMainForm);
    add(m_menu, "mnuSp1", nullptr);
    QMenu* added = m_menu->addMenu(QStringLiteral("添加(&A)"));
    added->setObjectName(QStringLiteral("mnuNew"));
    added->menuAction()->setObjectName(QStringLiteral("mnuNew"));
    // The add items run the main window's own add commands, and are there when those are.
    const std::pair<const char*, const char*> adds[] = {
        {"mnuCompany", "mnuCompanyAdd"}, {"mnuLinkMan", "mnuLinkmanAdd"}, {"mnuVisit", "mnuVisitAdd"}};
    const char* captions[] = {"企业信息", "联系人", "工作日程"};
    for (int i = 0; i < 3; ++i) {
        QAction* a = add(added, adds[i].first, captions[i]);
        const QString mainName = QString::fromLatin1(adds[i].second);
        QAction* target = mdiTobrin::instance()->action(mainName);
        a->setEnabled(target && target->isEnabled());
        if (!target)
            continue;
        connect(target, &QAction::changed, a, [a, target] { a->setEnabled(target->isEnabled()); });
        connect(a, &QAction::triggered, this, [this, target = QPointer<QAction>(target)] {
            if (!target || !target->isEnabled() || m_exiting)
                return;
            ++m_modalDepth;
            target->trigger();
            --m_modalDepth;
        });
    }
    add(m_menu, "mnuSp2", nullptr);
    connect(add(m_menu, "mnuPreMsg", "前一消息(&P)"), &QAction::triggered, this,
            &frmSystray::showPreviousMessage);
    connect(add(m_menu, "mnuNextMsg", "后一消息(&N)"), &QAction::triggered, this,
            &frmSystray::showNextMessage);
    add(m_menu, "mnuSp3", nullptr);
    connect(add(m_menu, "mnuRefresh", "刷新消息"), &QAction::triggered, this, &frmSystray::refreshMessages);
    connect(add(m_menu, "mnuSetting", "参数设置(&S)"), &QAction::triggered, this, &frmSystray::openOptions);
    add(m_menu, "mnuSp4", nullptr);
    connect(add(m_menu, "mnuExit", "退出"), &QAction::triggered, this, &frmSystray::ExitSystem);
}

QAction* frmSystray::action(const QString& name) const {
    return actionsOf(m_menu).value(name);
}

void frmSystray::updateMessageMenu() {
    action(QStringLiteral("mnuPreMsg"))->setEnabled(m_history.previousEnabled());
    action(QStringLiteral("mnuNextMsg"))->setEnabled(m_history.nextEnabled());
}

QString frmSystray::getWHoliday(const QString& rule) const {
    return ::getWHoliday(rule, Clock::get().today());
}

frmMSG& frmSystray::ensurePopup() {
    if (!m_popup) {
        m_popup = new frmMSG(this);
        if (const QScreen* s = QGuiApplication::primaryScreen()) {
            const QRect area = s->availableGeometry();
            m_popup->move(area.right() - m_popup->width() - 20, area.bottom() - m_popup->height() - 20);
        }
    }
    return *m_popup;
}

void frmSystray::runScan() {
    if (m_scanning || m_exiting)
        return;
    m_scanning = true;
    m_lastScanDay = Clock::get().today();
    const QString text = m_scan.run();
    if (!text.isEmpty() && !m_exiting)
        showNewReminder(text);
    m_scanning = false;
}

void frmSystray::showNewReminder(const QString& text) {
    m_history.add(text);
    frmMSG& popup = ensurePopup();
    popup.setText(text);
    popup.shape();
    PlayWave(WaveFiles.value(1));
    popup.hide();
    updateMessageMenu();
    ++m_modalDepth;
    Prompt::exec(popup);
    --m_modalDepth;
}

void frmSystray::showPreviousMessage() {
    frmMSG& popup = ensurePopup();
    popup.setText(m_history.previous());
    updateMessageMenu();
    if (!popup.isVisible()) {
        popup.setWindowModality(Qt::NonModal);
        popup.shape();
        popup.show();
    }
    popup.raise();
}

void frmSystray::showNextMessage() {
    frmMSG& popup = ensurePopup();
    popup.setText(m_history.next());
    updateMessageMenu();
    if (!popup.isVisible()) {
        popup.setWindowModality(Qt::NonModal);
        popup.shape();
        popup.show();
    }
    popup.raise();
}

void frmSystray::refreshMessages() {
    if (m_scanning || m_exiting)
        return;
    m_history.reset();
    m_scan.tickCounter = m_scan.tickThreshold;
    runScan();
}

void frmSystray::showMainForm() {
    if (!m_exiting)
        mdiTobrin::instance()->restoreFromTray();
}

void frmSystray::openOptions() {
    if (!m_exiting)
        frmOption::showWindow();
}

void frmSystray::onIconActivated(QSystemTrayIcon::ActivationReason reason) {
    // The right button's menu is the icon's own context menu; a single click does nothing.
    if (reason == QSystemTrayIcon::DoubleClick)
        openOptions();
}

void frmSystray::clockTick() {
    if (m_exiting)
        return;
    const QDateTime now = Clock::get().now();
    if (m_chime.tick(now, AppSettings.Ring))
        PlayWave(WaveFiles.value(0));
    // A tray left running for days still reminds: a new day scans again once no popup is open.
    if (m_lastScanDay.isValid() && now.date() != m_lastScanDay && !m_scanning &&
        !(m_popup && m_popup->isVisible())) {
        m_history.reset();
        m_scan.tickCounter = m_scan.tickThreshold;
        runScan();
    }
}

void frmSystray::closeEvent(QCloseEvent* e) {
    m_history.trim();
    QWidget::closeEvent(e);
}

bool frmSystray::eventFilter(QObject* watched, QEvent* e) {
    // Without a notification area a hidden main window could not come back.
    if (e->type() == QEvent::Close && !m_exiting && mdiTobrin::exists() && watched == mdiTobrin::instance()) {
        e->ignore();
        mdiTobrin* main = mdiTobrin::instance();
        main->Tag = QString::number(int(main->windowState() & ~Qt::WindowMinimized));
        main->showMinimized();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void frmSystray::closeOpenDialogs() {
    for (int guard = 0; guard < 20 && QApplication::activePopupWidget(); ++guard)
        QApplication::activePopupWidget()->close();
    // Rejected, not deleted: a dialog in its modal loop returns once control gets back to it.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
            d->reject();
}

void frmSystray::ExitSystem() {
    if (m_exiting)
        return;
    m_exiting = true;
    m_clock->stop();
    m_check->stop();
    // The icon goes first, before any window closes.
    if (m_icon) {
        m_icon->hide();
        m_icon->setContextMenu(nullptr);
        m_icon.release()->deleteLater();
    }
    if (mdiTobrin::exists())
        mdiTobrin::instance()->setExiting(true);
    closeOpenDialogs();
    // Every running event loop returns; the windows close once the stack has unwound.
    QCoreApplication::exit(0);
    QTimer::singleShot(0, this, [this] { finishExit(); });
}

void frmSystray::finishExit() {
    if (m_modalDepth > 0) {
        QTimer::singleShot(0, this, [this] { finishExit(); });
        return;
    }
    closeOpenDialogs();
    if (mdiTobrin::exists()) {
        mdiTobrin* main = mdiTobrin::instance();
        main->setExiting(true);
        main->mdiArea()->closeAllSubWindows();
        main->close();
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    close();
    ReleaseInstanceLock();
    // Also ends a main loop that started only after the exit was asked for.
    QCoreApplication::exit(0);
}
