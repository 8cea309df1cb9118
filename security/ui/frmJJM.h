#pragma once
// The cipher tool: text and file encryption with cRijndael. Loaded hidden at start-up and used as
// the password codec (Text1 = password, pEncode, read Text1); its commands work when shown.
#include "security/PasswordCodec.h"

#include <QFont>
#include <QString>
#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class cRijndael;

class frmJJM : public QWidget {
    Q_OBJECT

public:
    explicit frmJJM(QWidget* parent = nullptr);
    ~frmJJM() override;

    // The one window of the program: created hidden on the first call, never shown by this.
    static frmJJM& Load();
    // The loaded window, or nullptr.
    static frmJJM* Instance();
    // Destroys the loaded window (at the end of the program).
    static void Unload();

    // The data field.
    QString Text1() const;
    void setText1(const QString& text);

    // The encrypt command (as cmdEncrypt); true when Text1 now holds the ciphertext.
    bool pEncode();
    // The decrypt command (as cmdDecrypt); true when Text1 now holds the plaintext.
    bool pDecode();
    // The codec: the stored form of a password, left in Text1 like pEncode leaves it. Always the
    // codec's own settings ("pqlzt", 128 bits, text), whatever the tool's fields hold, and the exact
    // text (a text box would turn a carriage return into a line feed). Shows nothing on refusal.
    PasswordCodec::Result Encode(const QString& password);

    // Caption = title + " - " + TheStatus, or the title alone; repainted at once.
    void Status(const QString& TheStatus);

    // Open or save dialog; empty when cancelled. The filter has "|" between its parts.
    QString FileDialog(bool save, const QString& title, const QString& filter, const QString& proposed,
                       const QString& defaultExt = QString(), const QString& initDir = QString());

    static constexpr int TextLimit = 65535;
    static constexpr int FileNameLimit = 260;

private:
    void cmdEncrypt_Click();
    void cmdDecrypt_Click();
    void cmdFileEncrypt_Click();
    void cmdFileDecrypt_Click();
    void chkTerminal_Click(bool checked);
    bool ShowText(const QString& text);
    // The encrypt and decrypt commands differ only in the codec call and the status text.
    using TextCommand = PasswordCodec::Result (*)(cRijndael&, const QString&, const QString&, int, bool);
    bool runTextCommand(const QString& status, TextCommand command);
    int keySize() const;
    cRijndael& cipher();
    bool setFileKey();

    QGroupBox* m_frame1;
    QPlainTextEdit* m_text1;
    QLabel* m_label1;
    QLineEdit* m_txtPassword;
    QLabel* m_label3;
    QComboBox* m_cboKeySize;
    QLabel* m_label2;
    QComboBox* m_cboBlockSize;
    QCheckBox* m_check1;
    QCheckBox* m_chkTerminal;
    QPushButton* m_cmdEncrypt;
    QPushButton* m_cmdDecrypt;
    QPushButton* m_cmdFileEncrypt;
    QPushButton* m_cmdFileDecrypt;
    QPushButton* m_cmdSizeTest;

    std::unique_ptr<cRijndael> m_cipher;
    QString m_savedFontName;
    bool m_savedFontBold = false;
    int m_savedFontSize = 0;
};
