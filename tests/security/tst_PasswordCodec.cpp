#include "security/AnsiText.h"
#include "security/PasswordCodec.h"
#include "security/cRijndael.h"
#include "tests/support/FakePrompt.h"

#include <QRegularExpression>
#include <QTest>

using namespace PasswordCodec;

class tst_PasswordCodec : public QObject {
    Q_OBJECT

private slots:
    void storedForm_data();
    void storedForm();
    void blocksAreIndependent();
    void refusedPasswords_data();
    void refusedPasswords();
    void checkPassword_data();
    void checkPassword();
    void gbkBytes();
    void hexText();
    void keyBytes_data();
    void keyBytes();
    void textCommandsRoundTrip_data();
    void textCommandsRoundTrip();
    void textCommandRefusals_data();
    void textCommandRefusals();
};

void tst_PasswordCodec::storedForm_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("stored");
    // Reference values from an independent AES-128-ECB (key "pqlzt" zero-padded, GBK, zero padding).
    QTest::newRow("1 byte") << "a"
                            << "BE238FB7FA38E55CFBA9FF55CEE26D1E";
    QTest::newRow("8 bytes") << "password"
                             << "935D7089B0A0CFE179F06C4A066A7531";
    QTest::newRow("16 bytes") << "0123456789abcdef"
                              << "0CB71436B57A83AC52C2ADAFC03CFEA3";
    QTest::newRow("17 bytes") << "0123456789abcdefg"
                              << "0CB71436B57A83AC52C2ADAFC03CFEA3  42264B5A3B002216DD772935E4A43F72";
    QTest::newRow("8 Chinese characters") << "中文密码中文密码"
                                          << "13EC54E27191FFC040385DFC8F08A1B0";
}

void tst_PasswordCodec::storedForm() {
    QFETCH(QString, password);
    QFETCH(QString, stored);
    const Result r = EncodePassword(password);
    QVERIFY(r.ok());
    QCOMPARE(r.text, stored);
    QVERIFY(QRegularExpression("^[0-9A-F]{32}(  [0-9A-F]{32})*$").match(r.text).hasMatch());
}

void tst_PasswordCodec::blocksAreIndependent() {
    const Result a = EncodePassword(QStringLiteral("sixteen-byte-key-one"));
    const Result b = EncodePassword(QStringLiteral("sixteen-byte-key-two!!"));
    QCOMPARE(a.text.size(), 66);
    QCOMPARE(a.text.left(34), b.text.left(34));
    QVERIFY(a.text != b.text);
    // 33 bytes: three blocks, 100 characters.
    QCOMPARE(EncodePassword(QString(33, QLatin1Char('x'))).text.size(), 100);
}

void tst_PasswordCodec::refusedPasswords_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("status");
    QTest::newRow("empty") << QString() << int(Status::NoPlaintext);
    QTest::newRow("emoji") << QStringLiteral("abc😀") << int(Status::NotGbk);
    QTest::newRow("Hangul") << QStringLiteral("비밀") << int(Status::NotGbk);
}

void tst_PasswordCodec::refusedPasswords() {
    QFETCH(QString, password);
    QFETCH(int, status);
    FakePrompt prompt;
    const Result r = EncodePassword(password);
    QCOMPARE(int(r.status), status);
    QVERIFY(!r.ok());
    QVERIFY(r.text.isEmpty());
    QVERIFY(!message(r.status).isEmpty());
    // Two such passwords must not collide with each other or with a plain one.
    QVERIFY(!CheckPassword(password, EncodePassword(QStringLiteral("abc?")).text));
    QVERIFY(prompt.records.isEmpty()); // the codec itself shows nothing
}

void tst_PasswordCodec::checkPassword_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("storedNull");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("match");
    const QString s = EncodePassword(QStringLiteral("secret 密")).text;
    QTest::newRow("right") << "secret 密" << false << s << true;
    QTest::newRow("trailing space") << "secret 密 " << false << s << false;
    QTest::newRow("case") << "Secret 密" << false << s << false;
    QTest::newRow("null stored") << "secret 密" << true << QString() << false;
    QTest::newRow("empty stored") << "secret 密" << false << QString("") << false;
    QTest::newRow("empty typed") << "" << false << s << false;
}

void tst_PasswordCodec::checkPassword() {
    QFETCH(QString, typed);
    QFETCH(bool, storedNull);
    QFETCH(QString, stored);
    QFETCH(bool, match);
    const std::optional<QString> value = storedNull ? std::nullopt : std::optional<QString>(stored);
    QCOMPARE(CheckPassword(typed, value), match);
}

void tst_PasswordCodec::gbkBytes() {
    QCOMPARE(*AnsiText::toAnsi(QStringLiteral("Ab1")), QByteArray("Ab1"));
    QCOMPARE(*AnsiText::toAnsi(QStringLiteral("中文")), QByteArray("\xD6\xD0\xCE\xC4"));
    QVERIFY(!AnsiText::toAnsi(QStringLiteral("x😀")));
    QCOMPARE(AnsiText::fromAnsi(QByteArray("\xD6\xD0z\0\0", 5)), QStringLiteral("中z") + QChar(0) + QChar(0));
}

void tst_PasswordCodec::hexText() {
    QCOMPARE(FromHexText(QStringLiteral("0a 1B-c")), QByteArray("\x0A\x1B"));
    QCOMPARE(FromHexText(QStringLiteral("xyz")), QByteArray());
    QCOMPARE(FromHexText(QStringLiteral("F")), QByteArray());
    const QByteArray bytes = QByteArray::fromHex("00ff10abcdef");
    QCOMPARE(ToHexText(bytes, bytes.size(), 2), QStringLiteral("00FF  10AB  CDEF"));
    QCOMPARE(ToHexText(bytes, 3, 16), QStringLiteral("00FF10"));
    QCOMPARE(ToHexText(bytes, 0, 16), QString());
}

void tst_PasswordCodec::keyBytes_data() {
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<int>("keyBits");
    QTest::addColumn<QByteArray>("key");
    const QByteArray k16 = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");
    QTest::newRow("text") << "pqlzt" << false << 128 << (QByteArray("pqlzt") + QByteArray(27, '\0'));
    QTest::newRow("hex of the key size") << "00010203 04050607 08090a0b 0c0d0e0f" << true << 128 << k16;
    // Hex of the wrong length falls back to the text bytes.
    QTest::newRow("hex, wrong size") << "000102030405060708090a0b0c0d0e0f" << true << 256
                                     << QByteArray("000102030405060708090a0b0c0d0e0f");
    QTest::newRow("long text cut") << QString(40, 'q') << false << 128 << QByteArray(32, 'q');
}

void tst_PasswordCodec::keyBytes() {
    QFETCH(QString, phrase);
    QFETCH(bool, hex);
    QFETCH(int, keyBits);
    QFETCH(QByteArray, key);
    QCOMPARE(KeyBytes(phrase, hex, keyBits).value(), key);
}

void tst_PasswordCodec::textCommandsRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<int>("keyBits");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("back");
    const QString nul(1, QChar(0));
    QTest::newRow("text, padding comes back") << "hi 你好"
                                              << "pqlzt" << 128 << false << "hi 你好" + nul.repeated(9);
    QTest::newRow("text, 256-bit") << "0123456789abcdef"
                                   << "长密钥" << 256 << false << "0123456789abcdef";
    QTest::newRow("hex") << "00112233445566778899aabbccddeeff"
                         << "000102030405060708090a0b0c0d0e0f1011121314151617" << 192 << true
                         << "00112233445566778899AABBCCDDEEFF";
}

void tst_PasswordCodec::textCommandsRoundTrip() {
    QFETCH(QString, text);
    QFETCH(QString, phrase);
    QFETCH(int, keyBits);
    QFETCH(bool, hex);
    QFETCH(QString, back);
    cRijndael cipher;
    const Result enc = EncryptText(cipher, text, phrase, keyBits, hex);
    QVERIFY(enc.ok());
    const Result dec = DecryptText(cipher, enc.text, phrase, keyBits, hex);
    QVERIFY(dec.ok());
    QCOMPARE(dec.text, back);
}

void tst_PasswordCodec::textCommandRefusals_data() {
    QTest::addColumn<bool>("encrypt");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("shown");
    QTest::newRow("encrypt, no text") << true << ""
                                      << "k" << false << int(Status::NoPlaintext) << "";
    QTest::newRow("encrypt, no phrase") << true << "x"
                                        << "" << false << int(Status::NoPassword) << "";
    QTest::newRow("encrypt, not hex") << true << "xyz"
                                      << "k" << true << int(Status::NotHex) << "";
    QTest::newRow("encrypt, phrase not GBK") << true << "x"
                                             << "😀" << false << int(Status::PhraseNotGbk) << "";
    QTest::newRow("decrypt, no text") << false << ""
                                      << "k" << false << int(Status::NoCiphertext) << "";
    QTest::newRow("decrypt, no phrase") << false << "00"
                                        << "" << false << int(Status::NoPassword) << "";
    QTest::newRow("decrypt, not hex") << false << "xyz"
                                      << "k" << false << int(Status::NotHex) << "";
    QTest::newRow("decrypt, partial block")
        << false << "0011"
        << "k" << false << int(Status::Failed) << "ciphertext size not a multiple of block size";
}

void tst_PasswordCodec::textCommandRefusals() {
    QFETCH(bool, encrypt);
    QFETCH(QString, text);
    QFETCH(QString, phrase);
    QFETCH(bool, hex);
    QFETCH(int, status);
    QFETCH(QString, shown);
    FakePrompt prompt;
    cRijndael cipher;
    const Result r =
        encrypt ? EncryptText(cipher, text, phrase, 128, hex) : DecryptText(cipher, text, phrase, 128, hex);
    QCOMPARE(int(r.status), status);
    QCOMPARE(prompt.texts(), shown.isEmpty() ? QStringList() : QStringList{shown});
}

QTEST_GUILESS_MAIN(tst_PasswordCodec)
#include "tst_PasswordCodec.moc"
