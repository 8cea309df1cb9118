#include "security/ui/frmEditPassword.h"

#include "core/Prompt.h"
#include "core/ui/Painting.h"
#include "security/PasswordStore.h"
#include "security/ui/frmJJM.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmEditPassword::frmEditPassword(QWidget* parent)
    : QDialog(parent), m_picture1(new QLabel(this)),
      m_fraPassword(new QGroupBox(QStringLiteral("   登陆密码修改设置"), this)),
      m_cmdSave(new QPushButton(QStringLiteral("保存修改"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("放弃修改"), this)) {
    setObjectName(QStringLiteral("frmEditPassword"));
    setWindowTitle(QStringLiteral("密码修改"));

    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setFixedSize(64, 96);
    QImage picture(m_picture1->size(), QImage::Format_RGB32);
    PaintGradient(picture, 0, 128, 0, 192, 240, 192);
    m_picture1->setPixmap(QPixmap::fromImage(picture));
    m_fraPassword->setObjectName(QStringLiteral("fraPassword"));

    const char* captions[3] = {"旧的密码：", "新的密码：", "确认密码："};
    auto* grid = new QGridLayout(m_fraPassword);
    for (int i = 0; i < 3; ++i) {
        m_label1[i] = new QLabel(QString::fromUtf8(captions[i]), m_fraPassword);
        m_label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        m_txtPassword[i] = new QLineEdit(m_fraPassword);
        m_txtPassword[i]->setObjectName(QStringLiteral("txtPassword_%1").arg(i));
        m_txtPassword[i]->setEchoMode(QLineEdit::Password);
        m_txtPassword[i]->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
        m_label1[i]->setBuddy(m_txtPassword[i]);
        grid->addWidget(m_label1[i], i, 0);
        grid->addWidget(m_txtPassword[i], i, 1);
    }
    // Masked like the login; the tick lets the user see what was typed before saving. Made after
    // the fields so that Tab reaches it after them.
    m_chkShowPassword = new QCheckBox(QStringLiteral("显示密码"), m_fraPassword);
    m_chkShowPassword->setObjectName(QStringLiteral("chkShowPassword"));
    grid->addWidget(m_chkShowPassword, 3, 1);
    connect(m_chkShowPassword, &QCheckBox::toggled, this, [this](bool shown) {
        for (QLineEdit* field : m_txtPassword)
            field->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
    // The old password is compared as typed, like the login compares it; only the new ones are
    // trimmed when left.
    for (int i = 1; i < 3; ++i) {
        QLineEdit* field = m_txtPassword[i];
        connect(field, &QLineEdit::editingFinished, field, [field] {
            const QString trimmed = field->text().trimmed();
            if (trimmed != field->text())
                field->setText(trimmed);
        });
    }

    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdSave->setAutoDefault(false);
    m_cmdCancel->setAutoDefault(false);
    connect(m_cmdSave, &QPushButton::clicked, this, &frmEditPassword::cmdSave_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(m_picture1, 0, Qt::AlignTop);
    top->addWidget(m_fraPassword, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    // The buttons are made first, so without this the dialog would open with 保存修改 focused.
    m_txtPassword[0]->setFocus();
}

void frmEditPassword::cmdSave_Click() {
    // A click that did not take the focus from the field has not trimmed it yet.
    for (int i = 1; i < 3; ++i)
        m_txtPassword[i]->setText(m_txtPassword[i]->text().trimmed());
    const auto encode = [](const QString& p) { return frmJJM::Load().Encode(p); };
    const QString error = PasswordStore::Change(m_txtPassword[0]->text(), m_txtPassword[1]->text(),
                                                m_txtPassword[2]->text(), encode);
    if (!error.isEmpty()) {
        Prompt::error(error);
        return;
    }
    accept();
}
