#include "ui/main/mdiTobrin.h"

#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/ProgramFolder.h"
#include "ui/main/Background.h"
#include "ui/main/Links.h"
#include "ui/main/frmAbout.h"

#include <QDir>
#include <QFileInfo>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>

namespace {
QPointer<mdiTobrin> theWindow;
std::function<void()> exitHandler;

struct Item {
    const char* name;
    const char* caption; // nullptr: separator
};
struct TopMenu {
    const char* name;
    const char* caption;
    std::vector<Item> items;
};

const std::vector<TopMenu>& menuTree() {
    static const std::vector<TopMenu> tree = {
        {"mnuSys", "系统", {{"mnuExit", "退出系统"}}},
        {"mnuCompany",
         "商家管理",
         {{"mnuCompanyList", "商家企业列表"},
          {"mnuSp1", nullptr},
          {"mnuCompanyAdd", "添加商家信息"},
          {"mnuCompanyEdit", "修改商家信息"},
          {"mnuCompanyDel", "删除商家信息"}}},
        {"mnuLinkman",
         "联系人管理",
         {{"mnuLinkmanList", "联系人列表"},
          {"mnuSp2", nullptr},
          {"mnuLinkmanAdd", "添加联系人"},
          {"mnuLinkmanEdit", "修改联系人"},
          {"mnuLinkmanDel", "删除联系人"}}},
        {"mnuVisit",
         "拜访安排",
         {{"mnuVisitList", "拜访约会列表"},
          {"mnuSp3", nullptr},
          {"mnuVisitAdd", "拜访约会添加"},
          {"mnuVisitEdit", "拜访约会修改"},
          {"mnuVisitDel", "拜访约会删除"}}},
        {"mnuQuery", "查询管理", {{"mnuCompanyQuery", "企业单位高级信息查询"}, {"mnuLinkmanQuery", "联系人高级信息查询"}}},
        {"mnuTools", "工具", {{"mnuCalendar", "农历日期查阅"}, {"mnuWorkDay", "倒班制日期"}}},
        {"mnuSystem",
         "系统管理",
         {{"mnuSysSet", "系统参数设置"},
          {"mnuCompanyKind", "企业性质设置"},
          {"mnuIndustry", "企业行业设置"},
          {"mnuLinkmanKind", "联系人性质设置"},
          {"mnuPasswordEdit", "登陆密码修改"},
          {"mnuSp4", nullptr},
          {"mnuCompDB", "压缩数据库"},
          {"mnuBackup", "备份数据库"},
          {"mnuRestore", "恢复数据库"},
          {"mnuDBtoExcel", "倒出数据到Excel"}}},
        {"mnuHelp",
         "帮助",
         {{"mnuReadMe", "程序说明"},
          {"mnuHomePage", "作者主页"},
          {"mnuEmail", "给作者写信"},
          {"mnuSp5", nullptr},
          {"mnuAbout", "关于"}}},
    };
    return tree;
}
} // namespace

mdiTobrin::mdiTobrin(QWidget* parent) : QMainWindow(parent), m_mdi(new QMdiArea(this)) {
    setObjectName(QStringLiteral("mdiTobrin"));
    setWindowTitle(QStringLiteral("Orvane商务名片管理系统"));
    setCentralWidget(m_mdi);
    m_mdi->viewport()->installEventFilter(this);
    buildMenus();
    // Fits a normal screen with room to spare.
    QSize size(1024, 700);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        size = size.boundedTo(s->availableSize() * 0.9);
    resize(size);
    wire(QStringLiteral("mnuExit"), [] { ExitSystem(); });
    // "倒班制日期" does nothing, but is there to be chosen.
    action(QStringLiteral("mnuWorkDay"))->setEnabled(true);
    wire(QStringLiteral("mnuAbout"), [this] {
        frmAbout about(this);
        Prompt::exec(about);
    });
    wire(QStringLiteral("mnuReadMe"), [] {
        const QString readme = QDir(ProgramFolder()).filePath(QStringLiteral("readme.txt"));
        if (!QFileInfo::exists(readme)) {
            Prompt::error(QStringLiteral("找不到程序说明文件：") + readme);
            return;
        }
        Links::open(QUrl::fromLocalFile(readme), QStringLiteral("程序说明文件：") + readme);
    });
    wire(QStringLiteral("mnuHomePage"),
         [] { Links::open(QUrl(Links::kHomePage), QStringLiteral("作者主页：") + Links::kHomePage); });
    wire(QStringLiteral("mnuEmail"), [] {
        Links::open(QUrl(QStringLiteral("mailto:") + Links::kEmail),
                    QStringLiteral("写给作者的新邮件：") + Links::kEmail);
    });
}

mdiTobrin* mdiTobrin::instance() {
    if (!theWindow)
        theWindow = new mdiTobrin();
    return theWindow;
}

bool mdiTobrin::exists() { return !theWindow.isNull(); }

void mdiTobrin::buildMenus() {
    for (const TopMenu& top : menuTree()) {
        QMenu* m = menuBar()->addMenu(QString::fromUtf8(top.caption));
        m->setObjectName(QString::fromLatin1(top.name));
        m_menus.insert(m->objectName(), m);
        for (const Item& item : top.items) {
            QAction* a = item.caption ? m->addAction(QString::fromUtf8(item.caption)) : m->addSeparator();
            a->setObjectName(QString::fromLatin1(item.name));
            a->setEnabled(!item.caption);
            m_actions.insert(a->objectName(), a);
        }
    }
}

QAction* mdiTobrin::action(const QString& name) const { return m_actions.value(name); }
QMenu* mdiTobrin::menu(const QString& name) const { return m_menus.value(name); }

void mdiTobrin::wire(const QString& name, std::function<void()> handler) {
    QAction* a = action(name);
    if (!a)
        return;
    a->disconnect(this);
    connect(a, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    a->setEnabled(true);
}

void mdiTobrin::addChild(const QString& key, QWidget* w) {
    w->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = m_mdi->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    m_children.insert(key, sub);
    sub->show();
    m_mdi->setActiveSubWindow(sub);
}

QList<QWidget*> mdiTobrin::children() const {
    QList<QWidget*> out;
    for (const auto& sub : m_children)
        if (sub && sub->widget())
            out << sub->widget();
    return out;
}

void mdiTobrin::restoreFromTray() {
    bool ok = false;
    const int state = Tag.toInt(&ok);
    Qt::WindowStates s = ok ? Qt::WindowStates(state) : Qt::WindowNoState;
    s &= ~Qt::WindowMinimized;
    setWindowState(s);
    show();
    raise();
    activateWindow();
}

void mdiTobrin::closeEvent(QCloseEvent* e) {
    if (m_exiting) {
        e->accept();
        return;
    }
    // The close box only hides the window; the tray keeps the program running.
    e->ignore();
    Tag = QString::number(int(windowState()));
    setWindowState(windowState() | Qt::WindowMinimized);
    hide();
}

bool mdiTobrin::eventFilter(QObject* watched, QEvent* e) {
    // The client area's own size is what the background must fit.
    if (watched == m_mdi->viewport() && e->type() == QEvent::Resize)
        paintBackground();
    return QMainWindow::eventFilter(watched, e);
}

void mdiTobrin::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        paintBackground();
}

void mdiTobrin::paintBackground() {
    const QSize inner = m_mdi->viewport()->size();
    if (inner.isEmpty())
        return;
    m_mdi->setBackground(QBrush(Background::paint(inner, Clock::get().today())));
    Q_EMIT activatedOrResized();
}

void SetExitSystem(std::function<void()> exit) { exitHandler = std::move(exit); }

void ExitSystem() {
    if (exitHandler) {
        exitHandler();
        return;
    }
    if (theWindow) {
        theWindow->setExiting(true);
        theWindow->mdiArea()->closeAllSubWindows();
        theWindow->close();
    }
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}
