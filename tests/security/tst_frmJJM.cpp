#include "security/PasswordCodec.h"
#include "security/cRijndael.h"
#include "security/ui/frmJJM.h"
#include "tests/support/FakePrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Types a name (empty: keeps the proposal) into the open file dialog and accepts it.
void choose(QDialog& d, const QString& name) {
    if (!name.isEmpty())
        d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    d.accept();
}

struct Tool {
    FakePrompt prompt;
    frmJJM form;
    Tool() { form.show(); }
    template <typename T> T* get(const char* name) {
        auto* w = form.findChild<T*>(QLatin1String(name));
        if (!w)
            qWarning("no control %s", name);
        return w;
    }
    void click(const char* name) { QTest::mouseClick(get<QPushButton>(name), Qt::LeftButton); }
    // On the indicator: a check box reacts only on its box and label, not its whole width.
    void tick(const char* name) {
        auto* box = get<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    QString text() { return get<QPlainTextEdit>("Text1")->toPlainText(); }
    void setText(const QString& t) { get<QPlainTextEdit>("Text1")->setPlainText(t); }
};

} // namespace

class tst_frmJJM : public QObject {
    Q_OBJECT

private slots:
    void controlsAtCreation();
    void loadedOnceAndHidden();
    void pEncodeIsTheCodec_data();
    void pEncodeIsTheCodec();
    void encodeIgnoresToolFields();
    void textCommandsRoundTrip_data();
    void textCommandsRoundTrip();
    void textCommandRefusals_data();
    void textCommandRefusals();
    void longResultRefused();
    void statusCaption();
    void terminalFont();
    void fileCommandsRoundTrip();
    void fileCommandsStopEarly();
    void wrongKeyKeepsExistingFile();
    void fileErrorShown();
    void proposedNameTooLong();
};

void tst_frmJJM::controlsAtCreation() {
    Tool t;
    const QList<std::pair<const char*, QString>> buttons = {{"cmdEncrypt", "加密"},
                                                            {"cmdDecrypt", "解密"},
                                                            {"cmdFileEncrypt", "加密文件"},
                                                            {"cmdFileDecrypt", "解密文件"},
                                                            {"cmdSizeTest", "Size Test"}};
    for (const auto& [name, caption] : buttons)
        QCOMPARE(t.get<QPushButton>(name)->text(), caption);
    const QList<std::pair<const char*, QString>> labels = {
        {"Label1", "密钥:"}, {"Label2", "字区大小:"}, {"Label3", "密钥长度:"}};
    for (const auto& [name, caption] : labels)
        QCOMPARE(t.get<QLabel>(name)->text(), caption);
    QCOMPARE(t.get<QGroupBox>("Frame1")->title(), QStringLiteral("数据区"));
    QVERIFY(t.get<QGroupBox>("Frame1")->isAncestorOf(t.get<QPlainTextEdit>("Text1")));
    QCOMPARE(t.get<QCheckBox>("Check1")->text(), QStringLiteral("十六进制"));
    QVERIFY(!t.get<QCheckBox>("Check1")->isChecked());
    QCOMPARE(t.get<QCheckBox>("chkTerminal")->text(), QStringLiteral("终端字体"));
    QCOMPARE(t.get<QLineEdit>("txtPassword")->text(), QStringLiteral("pqlzt"));

    auto* keySize = t.get<QComboBox>("cboKeySize");
    QCOMPARE(keySize->count(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(keySize->itemText(i), QStringLiteral("%1 Bit").arg(128 + 64 * i));
        QCOMPARE(keySize->itemData(i).toInt(), 128 + 64 * i);
    }
    QCOMPARE(keySize->currentIndex(), 0);
    QVERIFY(!keySize->isEditable());
    auto* blockSize = t.get<QComboBox>("cboBlockSize");
    QCOMPARE(blockSize->count(), 1);
    QCOMPARE(blockSize->currentText(), QStringLiteral("128 Bit"));
    QCOMPARE(blockSize->currentData().toInt(), 128);
    QVERIFY(!blockSize->isEnabled());
    QCOMPARE(t.form.windowTitle(), QStringLiteral("Tobrin"));
}

void tst_frmJJM::loadedOnceAndHidden() {
    QVERIFY(!frmJJM::Instance());
    frmJJM& a = frmJJM::Load();
    QCOMPARE(&frmJJM::Load(), &a);
    QCOMPARE(frmJJM::Instance(), &a);
    QVERIFY(!a.isVisible());
    QCOMPARE(a.Encode(QStringLiteral("abc")).text, QStringLiteral("BF3A2A4473A92028AFE50A565A873AB7"));
    QCOMPARE(a.Text1(), QStringLiteral("BF3A2A4473A92028AFE50A565A873AB7"));
    QVERIFY(!a.isVisible());
    frmJJM::Unload();
    QVERIFY(!frmJJM::Instance());
}

void tst_frmJJM::pEncodeIsTheCodec_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("stored");
    QTest::newRow("1 byte") << "a"
                            << "BE238FB7FA38E55CFBA9FF55CEE26D1E";
    QTest::newRow("16 bytes") << "0123456789abcdef"
                              << "0CB71436B57A83AC52C2ADAFC03CFEA3";
    QTest::newRow("17 bytes") << "0123456789abcdefg"
                              << "0CB71436B57A83AC52C2ADAFC03CFEA3  42264B5A3B002216DD772935E4A43F72";
    QTest::newRow("Chinese") << "中文密码中文密码"
                             << "13EC54E27191FFC040385DFC8F08A1B0";
}

void tst_frmJJM::pEncodeIsTheCodec() {
    QFETCH(QString, password);
    QFETCH(QString, stored);
    FakePrompt prompt;
    frmJJM form; // hidden, as at start-up
    form.setText1(password);
    QVERIFY(form.pEncode());
    QCOMPARE(form.Text1(), stored);
    QVERIFY(PasswordCodec::CheckPassword(password, form.Text1()));
    QVERIFY(prompt.records.isEmpty());
}

void tst_frmJJM::encodeIgnoresToolFields() {
    Tool t;
    t.get<QLineEdit>("txtPassword")->setText(QStringLiteral("changed"));
    t.get<QComboBox>("cboKeySize")->setCurrentIndex(2);
    t.get<QCheckBox>("Check1")->setChecked(true);
    const QString raw = QStringLiteral("a\rb");
    t.form.setText1(raw);
    QCOMPARE(t.form.Text1(), QStringLiteral("a\nb")); // why Encode does not read the text box
    const auto r = t.form.Encode(raw);
    QVERIFY(r.ok());
    QCOMPARE(r.text, PasswordCodec::EncodePassword(raw).text);
    QVERIFY(r.text != PasswordCodec::EncodePassword(QStringLiteral("a\nb")).text);
    QCOMPARE(t.form.Text1(), r.text);
    // Refused: the result says why, Text1 is kept, nothing is shown.
    t.form.setText1(QStringLiteral("kept"));
    QCOMPARE(t.form.Encode(QStringLiteral("비밀")).status, PasswordCodec::Status::NotGbk);
    QCOMPARE(t.form.Encode(QString()).status, PasswordCodec::Status::NoPlaintext);
    QCOMPARE(t.form.Text1(), QStringLiteral("kept"));
    QVERIFY(t.prompt.records.isEmpty());
}

void tst_frmJJM::textCommandsRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("keyIndex");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("back");
    QTest::newRow("text, 128") << "名片 card" << 0 << "pqlzt" << false << "名片 card" + QString(7, QChar(0));
    QTest::newRow("text, 256, long") << QString(40, 'z') << 2 << "another phrase" << false
                                     << QString(40, 'z') + QString(8, QChar(0));
    QTest::newRow("hex, 192 hex key")
        << "00112233445566778899aabbccddeeff" << 1 << "000102030405060708090a0b0c0d0e0f1011121314151617"
        << true << "00112233445566778899AABBCCDDEEFF";
}

void tst_frmJJM::textCommandsRoundTrip() {
    QFETCH(QString, text);
    QFETCH(int, keyIndex);
    QFETCH(QString, phrase);
    QFETCH(bool, hex);
    QFETCH(QString, back);
    Tool t;
    t.get<QComboBox>("cboKeySize")->setCurrentIndex(keyIndex);
    t.get<QLineEdit>("txtPassword")->setText(phrase);
    t.get<QCheckBox>("Check1")->setChecked(hex);
    t.setText(text);
    t.click("cmdEncrypt");
    const QString cipher = t.text();
    QVERIFY(cipher != text);
    QVERIFY(!PasswordCodec::FromHexText(cipher).isEmpty());
    t.click("cmdDecrypt");
    QCOMPARE(t.text(), back);
    QVERIFY(t.prompt.records.isEmpty());
    if (hex && keyIndex == 1) // FIPS-197 C.2 through the window
        QCOMPARE(cipher, QStringLiteral("DDA97CA4864CDFE06EAF70A0EC0D7191"));
}

void tst_frmJJM::textCommandRefusals_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("message");
    QTest::newRow("encrypt, no text") << "cmdEncrypt"
                                      << ""
                                      << "pqlzt" << false << "No Plaintext";
    QTest::newRow("encrypt, no phrase") << "cmdEncrypt"
                                        << "x"
                                        << "" << false << "No Password";
    QTest::newRow("encrypt, hex without digits") << "cmdEncrypt"
                                                 << "xyz"
                                                 << "pqlzt" << true << "Text not Hex data";
    QTest::newRow("encrypt, not GBK") << "cmdEncrypt"
                                      << "비밀"
                                      << "pqlzt" << false << "Text has characters that GBK cannot encode";
    QTest::newRow("decrypt, no text") << "cmdDecrypt"
                                      << ""
                                      << "pqlzt" << false << "No Ciphertext";
    QTest::newRow("decrypt, no phrase") << "cmdDecrypt"
                                        << "00"
                                        << "" << false << "No Password";
    QTest::newRow("decrypt, not hex") << "cmdDecrypt"
                                      << "ghij"
                                      << "pqlzt" << false << "Text not Hex data";
    QTest::newRow("decrypt, partial block")
        << "cmdDecrypt"
        << "00112233"
        << "pqlzt" << false << "ciphertext size not a multiple of block size";
}

void tst_frmJJM::textCommandRefusals() {
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(QString, phrase);
    QFETCH(bool, hex);
    QFETCH(QString, message);
    Tool t;
    t.get<QLineEdit>("txtPassword")->setText(phrase);
    t.get<QCheckBox>("Check1")->setChecked(hex);
    t.setText(text);
    t.click(button.toLatin1().constData());
    QCOMPARE(t.prompt.texts(), QStringList{message});
    QCOMPARE(t.prompt.messages().first().caption, QStringLiteral("Tobrin"));
    QCOMPARE(t.prompt.messages().first().icon, Prompt::Icon::None);
    QCOMPARE(t.text(), text);
    QCOMPARE(t.form.windowTitle(), QStringLiteral("Tobrin"));
}

void tst_frmJJM::longResultRefused() {
    Tool t;
    // 32 000 bytes give 64 000 digits and 3 998 spaces: over the 65 535 a text box holds.
    const QString text(32000, 'a');
    t.setText(text);
    t.click("cmdEncrypt");
    QCOMPARE(t.prompt.messages().size(), 1);
    const auto m = t.prompt.messages().first();
    QCOMPARE(m.text,
             QStringLiteral("Can not assign a String larger than 64k \nto the Text property of a TextBox "
                            "control.\nIf you need to support Strings longer than 64k,\nyou can use a "
                            "RichTextBox control instead."));
    QCOMPARE(m.icon, Prompt::Icon::Information);
    QCOMPARE(t.text(), text);
    // Just under the limit is shown.
    t.prompt.clear();
    t.setText(QString(30000, 'a'));
    t.click("cmdEncrypt");
    QVERIFY(t.prompt.records.isEmpty());
    QCOMPARE(t.text().size(), 60000 + 1874 * 2);
}

void tst_frmJJM::statusCaption() {
    Tool t;
    t.form.Status(QStringLiteral("Encrypting File"));
    QCOMPARE(t.form.windowTitle(), QStringLiteral("Tobrin - Encrypting File"));
    t.form.Status(QString());
    QCOMPARE(t.form.windowTitle(), QStringLiteral("Tobrin"));
}

void tst_frmJJM::terminalFont() {
    Tool t;
    auto* text = t.get<QPlainTextEdit>("Text1");
    QFont start = text->font();
    start.setFamily(QStringLiteral("Sans"));
    start.setBold(true);
    start.setPointSize(13);
    text->setFont(start);
    t.tick("chkTerminal");
    QCOMPARE(text->font().family(), QStringLiteral("Terminal"));
    t.tick("chkTerminal");
    QCOMPARE(text->font().family(), QStringLiteral("Sans"));
    QVERIFY(text->font().bold());
    QCOMPARE(text->font().pointSize(), 13);
}

void tst_frmJJM::fileCommandsRoundTrip() {
    Tool t;
    QTemporaryDir dir;
    const QString source = dir.filePath("名片.txt");
    const QByteArray data = QByteArray("business cards ").repeated(3000);
    writeFile(source, data);

    QStringList titles, proposals;
    auto record = [&](QDialog& d) {
        auto* fd = qobject_cast<QFileDialog*>(&d);
        titles << fd->windowTitle();
        proposals << fd->selectedFiles().value(0);
    };
    t.prompt.onDialog([&](QDialog& d) {
        record(d);
        QCOMPARE(qobject_cast<QFileDialog*>(&d)->acceptMode(), QFileDialog::AcceptOpen);
        choose(d, source);
    });
    t.prompt.onDialog([&](QDialog& d) {
        record(d);
        QCOMPARE(qobject_cast<QFileDialog*>(&d)->nameFilters(), (QStringList{"*.aes (*.aes)", "*.* (*.*)"}));
        choose(d, QString()); // the proposal
    });
    t.click("cmdFileEncrypt");
    QCOMPARE(titles, (QStringList{"File to Encrypt", "Save Encrypted Data As ..."}));
    QCOMPARE(proposals.value(1), source + ".aes");
    QVERIFY(t.prompt.messages().isEmpty());

    // The file is the cipher's file layout under the tool's key.
    cRijndael r;
    r.SetCipherKeyString(QStringLiteral("pqlzt"), 128);
    QByteArray expected;
    r.ArrayEncrypt(data, expected, 1);
    QVERIFY(readFile(source + ".aes") == expected);

    titles.clear();
    proposals.clear();
    const QString back = dir.filePath("back.txt");
    t.prompt.onDialog([&](QDialog& d) {
        record(d);
        choose(d, source + ".aes");
    });
    t.prompt.onDialog([&](QDialog& d) {
        record(d);
        choose(d, back);
    });
    t.click("cmdFileDecrypt");
    QCOMPARE(titles, (QStringList{"File to Decrypt", "Save Decrypted Data As ..."}));
    QCOMPARE(proposals.value(1), source); // the source without ".aes"
    QVERIFY(readFile(back) == data);
    QVERIFY(t.prompt.messages().isEmpty());
    QVERIFY(t.prompt.allUsed());
    QCOMPARE(t.form.windowTitle(), QStringLiteral("Tobrin"));
}

void tst_frmJJM::fileCommandsStopEarly() {
    Tool t;
    QTemporaryDir dir;
    writeFile(dir.filePath("a.txt"), "abc");
    // Cancelled source: no second dialog.
    t.click("cmdFileEncrypt");
    QCOMPARE(t.prompt.records.size(), 1);
    // Cancelled target: nothing written.
    t.prompt.clear();
    t.prompt.onDialog([&](QDialog& d) { choose(d, dir.filePath("a.txt")); });
    t.click("cmdFileEncrypt");
    QCOMPARE(t.prompt.records.size(), 2);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.txt"});
    // No pass phrase: no dialog at all.
    for (const char* button : {"cmdFileEncrypt", "cmdFileDecrypt"}) {
        t.prompt.clear();
        t.get<QLineEdit>("txtPassword")->clear();
        t.click(button);
        QCOMPARE(t.prompt.texts(), QStringList{"No Password"});
        QCOMPARE(t.prompt.records.size(), 1);
    }
}

void tst_frmJJM::wrongKeyKeepsExistingFile() {
    Tool t;
    QTemporaryDir dir;
    const QString cipherPath = dir.filePath("data.aes");
    const QString target = dir.filePath("data");
    cRijndael r;
    r.SetCipherKeyString(QStringLiteral("pqlzt"), 128);
    // Under the tool's key the last deciphered byte is 0x99: what a wrong key gives.
    QByteArray plain(48, 'p');
    plain[47] = '\x99';
    QByteArray cipher;
    r.ArrayEncrypt(plain, cipher, 0);
    writeFile(cipherPath, cipher);
    writeFile(target, "the only copy");

    t.prompt.onDialog([&](QDialog& d) { choose(d, cipherPath); });
    t.prompt.onDialog([&](QDialog& d) { choose(d, QString()); }); // proposal: "data", which exists
    t.prompt.answer(Prompt::Answer::Yes);                         // replace it
    t.click("cmdFileDecrypt");
    QCOMPARE(t.prompt.texts(),
             (QStringList{"data already exists.\nDo you want to replace it?",
                          "warning - incorrect length field in decrypted file.\nWrong key or keysize?"}));
    QCOMPARE(readFile(target), QByteArray("the only copy"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void tst_frmJJM::fileErrorShown() {
    Tool t;
    QTemporaryDir dir;
    writeFile(dir.filePath("a.txt"), "abc");
    const QString nowhere = dir.filePath("no/such/folder/a.aes");
    t.prompt.onDialog([&](QDialog& d) { choose(d, dir.filePath("a.txt")); });
    t.prompt.onDialog([&](QDialog& d) { choose(d, nowhere); });
    t.click("cmdFileEncrypt");
    QCOMPARE(t.prompt.messages().size(), 1);
    const auto m = t.prompt.messages().first();
    QCOMPARE(m.caption, QStringLiteral("错误"));
    QCOMPARE(m.icon, Prompt::Icon::Warning);
    QVERIFY(m.text.contains(QStringLiteral("a.aes")));
    QVERIFY(!QFile::exists(nowhere));
    QCOMPARE(t.form.windowTitle(), QStringLiteral("Tobrin"));
}

void tst_frmJJM::proposedNameTooLong() {
    Tool t;
    QCOMPARE(t.form.FileDialog(true, "x", "*.*|*.*", QString(261, 'n')), QString());
    QCOMPARE(t.prompt.records.size(), 1);
    const auto m = t.prompt.records.first();
    QCOMPARE(m.text, QStringLiteral("Filename Length Overflow"));
    QCOMPARE(m.caption, QStringLiteral("Tobrin - FileDialog Function"));
    QCOMPARE(m.icon, Prompt::Icon::Warning);
}

QTEST_MAIN(tst_frmJJM)
#include "tst_frmJJM.moc"
