#include "security/ui/frmLogin.h"

#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/ui/Painting.h"
#include "security/PasswordStore.h"
#include "security/ui/frmJJM.h"
#include "ui/main/mdiTobrin.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QPointer<frmLogin> current;
constexpr int Twips = 15;
} // namespace

void EndProgramFromLogin() {
    ReleaseInstanceLock();
    ExitSystem();
    // A quit asked before the main loop runs would be lost, and no window keeps the program
    // alive, so ask again once the loop is running.
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

QImage frmLogin::Banner(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    PaintGradient(image, 0, 128, 0, 192, 240, 192);
    QPainter p(&image);
    QFont font = p.font();
    font.setBold(true);
    font.setPointSize(20);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(200 / Twips, 100 / Twips, size.width(), size.height()), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("用户登陆密码验证"));
    return image;
}

frmLogin::frmLogin(const StartupHooks& after, QWidget* parent)
    : QWidget(parent), m_after(after), m_pic1(new QLabel(this)),
      m_frame1(new QGroupBox(QStringLiteral("请输入登陆密码"), this)),
      m_txtPassword(new QLineEdit(m_frame1)) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Orvane商务名片管理系统"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    m_after.showLogin = nullptr;

    m_pic1->setObjectName(QStringLiteral("pic1"));
    m_pic1->setFixedSize(360, 56);
    m_pic1->setPixmap(QPixmap::fromImage(Banner(m_pic1->size())));
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_txtPassword->setObjectName(QStringLiteral("txtPassword"));
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_txtPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    auto* frameLayout = new QVBoxLayout(m_frame1);
    frameLayout->addWidget(m_txtPassword);

    const char* captions[2] = {"登陆系统", "退出系统"};
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < 2; ++i) {
        m_cmdLogin[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        m_cmdLogin[i]->setObjectName(QStringLiteral("cmdLogin_%1").arg(i));
        m_cmdLogin[i]->setAutoDefault(false);
        connect(m_cmdLogin[i], &QPushButton::clicked, this, [this, i] { cmdLogin_Click(i); });
        buttons->addWidget(m_cmdLogin[i]);
    }
    connect(m_txtPassword, &QLineEdit::returnPressed, this, [this] { cmdLogin_Click(0); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(m_pic1);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 0, 8, 0);
    body->addWidget(m_frame1);
    body->addLayout(buttons);
    layout->addLayout(body);
    setFixedSize(sizeHint());
    current = this;
}

frmLogin::~frmLogin() = default;

frmLogin* frmLogin::Instance() {
    return current.data();
}

bool frmLogin::Load() {
    const PasswordStore::Stored stored = PasswordStore::Read();
    if (!stored.ok()) {
        Prompt::error(stored.error);
        EndProgram();
        return false;
    }
    if (!stored.password) {
        const auto encode = [](const QString& p) { return frmJJM::Load().Encode(p); };
        if (PasswordStore::AskFirstPassword(encode) != PasswordStore::FirstUse::Set) {
            EndProgram();
            return false;
        }
    }
    m_txtPassword->setFocus();
    return true;
}

frmLogin* frmLogin::Show(const StartupHooks& after) {
    QPointer<frmLogin> login = new frmLogin(after);
    if (!login->Load())
        return nullptr;
    login->show();
    Pause(100);
    // A click during the wait may already have closed it.
    if (login && !login->m_leaving) {
        login->activateWindow();
        login->m_txtPassword->setFocus();
    }
    return login;
}

void frmLogin::cmdLogin_Click(int index) {
    if (m_leaving)
        return;
    if (index != 0) {
        EndProgram();
        return;
    }
    const QString typed = m_txtPassword->text();
    if (typed.isEmpty()) {
        m_txtPassword->setFocus();
        return;
    }
    if (PasswordStore::Matches(typed)) {
        m_leaving = true;
        ShowMainAndTray(m_after, true);
        close();
        return;
    }
    Prompt::message(QStringLiteral("密码验证错误！"), QStringLiteral("错误"), Prompt::Icon::Warning);
    ++m_wrong;
    if (m_wrong > 3) {
        Prompt::message(QStringLiteral("你已经连续输入错误密码超过3次！\n为了系统安全现在退出！"),
                        QStringLiteral("信息"), Prompt::Icon::Warning);
        EndProgram();
        return;
    }
    m_txtPassword->setFocus();
}

void frmLogin::EndProgram() {
    m_leaving = true;
    close();
    EndProgramFromLogin();
}

void frmLogin::closeEvent(QCloseEvent* e) {
    e->accept();
    if (m_leaving)
        return;
    // The close box is "退出系统".
    m_leaving = true;
    EndProgramFromLogin();
}
