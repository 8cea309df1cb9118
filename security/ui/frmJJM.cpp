#include "security/ui/frmJJM.h"

#include "core/Prompt.h"
#include "export/ui/cFileDialog.h"
#include "security/AppTitle.h"
#include "security/PasswordCodec.h"
#include "security/cRijndael.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPointer<frmJJM> loaded;

void notice(const QString& text) {
    Prompt::message(text, AppTitle(), Prompt::Icon::None, Prompt::Buttons::Ok);
}

template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

frmJJM::frmJJM(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmJJM"));
    setWindowTitle(QStringLiteral("JJM"));

    m_frame1 = named(new QGroupBox(QStringLiteral("数据区"), this), "Frame1");
    m_text1 = named(new QPlainTextEdit(m_frame1), "Text1");
    auto* frameLayout = new QVBoxLayout(m_frame1);
    frameLayout->addWidget(m_text1);

    m_label1 = named(new QLabel(QStringLiteral("密钥:"), this), "Label1");
    m_txtPassword = named(new QLineEdit(QStringLiteral("Password Passphrase"), this), "txtPassword");
    m_label3 = named(new QLabel(QStringLiteral("密钥长度:"), this), "Label3");
    m_cboKeySize = named(new QComboBox(this), "cboKeySize");
    m_label2 = named(new QLabel(QStringLiteral("字区大小:"), this), "Label2");
    m_cboBlockSize = named(new QComboBox(this), "cboBlockSize");
    m_check1 = named(new QCheckBox(QStringLiteral("十六进制"), this), "Check1");
    m_chkTerminal = named(new QCheckBox(QStringLiteral("终端字体"), this), "chkTerminal");
    m_cmdEncrypt = named(new QPushButton(QStringLiteral("加密"), this), "cmdEncrypt");
    m_cmdDecrypt = named(new QPushButton(QStringLiteral("解密"), this), "cmdDecrypt");
    m_cmdFileEncrypt = named(new QPushButton(QStringLiteral("加密文件"), this), "cmdFileEncrypt");
    m_cmdFileDecrypt = named(new QPushButton(QStringLiteral("解密文件"), this), "cmdFileDecrypt");
    m_cmdSizeTest = named(new QPushButton(QStringLiteral("Size Test"), this), "cmdSizeTest");

    auto* settings = new QGridLayout;
    settings->addWidget(m_label1, 0, 0);
    settings->addWidget(m_txtPassword, 0, 1, 1, 3);
    settings->addWidget(m_label3, 1, 0);
    settings->addWidget(m_cboKeySize, 1, 1);
    settings->addWidget(m_label2, 1, 2);
    settings->addWidget(m_cboBlockSize, 1, 3);
    settings->addWidget(m_check1, 2, 0, 1, 2);
    settings->addWidget(m_chkTerminal, 2, 2, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (auto* b : {m_cmdEncrypt, m_cmdDecrypt, m_cmdFileEncrypt, m_cmdFileDecrypt, m_cmdSizeTest})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame1, 1);
    layout->addLayout(settings);
    layout->addLayout(buttons);
    resize(8000 / 15, 6000 / 15);

    // Creation: the lists, their first items, the fixed block size, the codec's pass phrase.
    for (int bits : {128, 192, 256})
        m_cboKeySize->addItem(QStringLiteral("%1 Bit").arg(bits), bits);
    m_cboBlockSize->addItem(QStringLiteral("128 Bit"), 128);
    m_cboKeySize->setCurrentIndex(0);
    m_cboBlockSize->setCurrentIndex(0);
    m_cboBlockSize->setEnabled(false);
    m_txtPassword->setText(QString::fromLatin1(PasswordCodec::DefaultPassPhrase));
    Status(QString());

    connect(m_cmdEncrypt, &QPushButton::clicked, this, &frmJJM::cmdEncrypt_Click);
    connect(m_cmdDecrypt, &QPushButton::clicked, this, &frmJJM::cmdDecrypt_Click);
    connect(m_cmdFileEncrypt, &QPushButton::clicked, this, &frmJJM::cmdFileEncrypt_Click);
    connect(m_cmdFileDecrypt, &QPushButton::clicked, this, &frmJJM::cmdFileDecrypt_Click);
    connect(m_chkTerminal, &QCheckBox::toggled, this, &frmJJM::chkTerminal_Click);
}

frmJJM::~frmJJM() = default;

frmJJM& frmJJM::Load() {
    if (!loaded)
        loaded = new frmJJM;
    return *loaded;
}

frmJJM* frmJJM::Instance() {
    return loaded.data();
}

void frmJJM::Unload() {
    delete loaded.data();
}

QString frmJJM::Text1() const {
    return m_text1->toPlainText();
}

void frmJJM::setText1(const QString& text) {
    m_text1->setPlainText(text);
}

cRijndael& frmJJM::cipher() {
    if (!m_cipher)
        m_cipher = std::make_unique<cRijndael>();
    return *m_cipher;
}

int frmJJM::keySize() const {
    return m_cboKeySize->currentData().toInt();
}

void frmJJM::Status(const QString& TheStatus) {
    setWindowTitle(TheStatus.isEmpty() ? AppTitle() : AppTitle() + QStringLiteral(" - ") + TheStatus);
    repaint();
}

bool frmJJM::ShowText(const QString& text) {
    if (text.size() > TextLimit) {
        Prompt::message(QStringLiteral("Can not assign a String larger than 64k \n"
                                       "to the Text property of a TextBox control.\n"
                                       "If you need to support Strings longer than 64k,\n"
                                       "you can use a RichTextBox control instead."),
                        AppTitle(), Prompt::Icon::Information, Prompt::Buttons::Ok);
        return false;
    }
    setText1(text);
    return true;
}

bool frmJJM::pEncode() { return runTextCommand(QStringLiteral("Encrypting Data"), PasswordCodec::EncryptText); }

bool frmJJM::pDecode() { return runTextCommand(QStringLiteral("Decrypting Data"), PasswordCodec::DecryptText); }

bool frmJJM::runTextCommand(const QString& status, TextCommand command) {
    Status(status);
    PasswordCodec::Result r;
    try {
        r = command(cipher(), Text1(), m_txtPassword->text(), keySize(), m_check1->isChecked());
    } catch (const CipherError& e) {
        Status(QString());
        Prompt::error(e.description());
        return false;
    }
    if (!r.ok()) {
        Status(QString());
        if (!PasswordCodec::message(r.status).isEmpty())
            notice(PasswordCodec::message(r.status));
        return false;
    }
    Status(QStringLiteral("Converting Text"));
    const bool shown = ShowText(r.text);
    Status(QString());
    return shown;
}

PasswordCodec::Result frmJJM::Encode(const QString& password) {
    const PasswordCodec::Result r = PasswordCodec::EncodePassword(password);
    if (r.ok())
        setText1(r.text);
    return r;
}

void frmJJM::cmdEncrypt_Click() {
    pEncode();
}

void frmJJM::cmdDecrypt_Click() {
    pDecode();
}

QString frmJJM::FileDialog(bool save, const QString& title, const QString& filter, const QString& proposed,
                           const QString& defaultExt, const QString& initDir) {
    if (proposed.size() > FileNameLimit) {
        Prompt::message(QStringLiteral("Filename Length Overflow"),
                        AppTitle() + QStringLiteral(" - FileDialog Function"), Prompt::Icon::Warning,
                        Prompt::Buttons::Ok);
        return QString();
    }
    cFileDialog dialog;
    dialog.setDialogTitle(title);
    dialog.setFilter(filter);
    dialog.setFileName(proposed);
    dialog.setDefaultExt(defaultExt);
    dialog.setInitDir(initDir);
    // A source to read must exist; a target is confirmed before it is replaced.
    dialog.setFlags(cFileDialog::HideReadOnly |
                    (save ? cFileDialog::OverwritePrompt : cFileDialog::FileMustExist));
    try {
        const bool chosen = save ? dialog.ShowSave() : dialog.ShowOpen();
        return chosen ? dialog.FileName() : QString();
    } catch (const FileDialogError&) {
        return QString();
    }
}

bool frmJJM::setFileKey() {
    const auto key = PasswordCodec::KeyBytes(m_txtPassword->text(), m_check1->isChecked(), keySize());
    if (!key) {
        notice(PasswordCodec::message(PasswordCodec::Status::PhraseNotGbk));
        return false;
    }
    cipher().SetCipherKey(*key, keySize());
    return true;
}

// The target is not deleted first: the cipher replaces it only with complete, sound output.
void frmJJM::cmdFileEncrypt_Click() {
    if (m_txtPassword->text().isEmpty()) {
        notice(QStringLiteral("No Password"));
        return;
    }
    const QString source =
        FileDialog(false, QStringLiteral("File to Encrypt"), QStringLiteral("*.*|*.*"), QString());
    if (source.isEmpty())
        return;
    const QString target = FileDialog(true, QStringLiteral("Save Encrypted Data As ..."),
                                      QStringLiteral("*.aes|*.aes|*.*|*.*"), source + QStringLiteral(".aes"));
    if (target.isEmpty())
        return;
    try {
        if (!setFileKey())
            return;
        Status(QStringLiteral("Encrypting File"));
        cipher().FileEncrypt(source, target);
    } catch (const CipherError& e) {
        Prompt::error(e.description());
    }
    Status(QString());
}

void frmJJM::cmdFileDecrypt_Click() {
    if (m_txtPassword->text().isEmpty()) {
        notice(QStringLiteral("No Password"));
        return;
    }
    const QString source = FileDialog(false, QStringLiteral("File to Decrypt"),
                                      QStringLiteral("*.aes|*.aes|*.*|*.*"), QString());
    if (source.isEmpty())
        return;
    const QString proposed = source.endsWith(QLatin1String(".aes")) ? source.chopped(4) : QString();
    const QString target =
        FileDialog(true, QStringLiteral("Save Decrypted Data As ..."), QStringLiteral("*.*|*.*"), proposed);
    if (target.isEmpty())
        return;
    try {
        if (!setFileKey())
            return;
        Status(QStringLiteral("Decrypting File"));
        cipher().FileDecrypt(target, source);
    } catch (const CipherError& e) {
        Prompt::error(e.description());
    }
    Status(QString());
}

void frmJJM::chkTerminal_Click(bool checked) {
    QFont font = m_text1->font();
    if (checked) {
        m_savedFontName = font.family();
        m_savedFontBold = font.bold();
        m_savedFontSize = qRound(font.pointSizeF());
        font.setFamily(QStringLiteral("Terminal"));
    } else {
        font.setFamily(m_savedFontName);
        font.setBold(m_savedFontBold);
        if (m_savedFontSize > 0)
            font.setPointSize(m_savedFontSize);
    }
    m_text1->setFont(font);
}
