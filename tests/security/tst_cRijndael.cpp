#include "security/cRijndael.h"
#include "tests/support/FakePrompt.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray hex(const char* h) {
    return QByteArray::fromHex(h);
}

QByteArray pattern(qsizetype n, quint32 seed = 7) {
    QByteArray out(n, Qt::Uninitialized);
    QRandomGenerator gen(seed);
    for (qsizetype i = 0; i < n; ++i)
        out[i] = static_cast<char>(gen.generate() & 0xff);
    return out;
}

QByteArray key128() {
    return hex("000102030405060708090a0b0c0d0e0f");
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

// The padded plaintext the layouts describe.
QByteArray padded(const QByteArray& data, bool lengthByte) {
    QByteArray out = data;
    const qsizetype size = lengthByte ? 16 * (data.size() / 16 + 1) : 16 * ((data.size() + 15) / 16);
    out.append(size - data.size(), '\0');
    if (lengthByte)
        out[size - 1] = static_cast<char>(data.size() % 16);
    return out;
}

void checkNotice(const FakePrompt::Record& r, const QString& text) {
    QCOMPARE(r.text, text);
    QCOMPARE(r.caption, QStringLiteral("Tobrin"));
    QCOMPARE(r.icon, Prompt::Icon::None);
    QCOMPARE(r.buttons, Prompt::Buttons::Ok);
}

} // namespace

class tst_cRijndael : public QObject {
    Q_OBJECT

private slots:
    void standardVectors_data();
    void standardVectors();
    void blocksAtOffsetsAndInPlace();
    void offsetOutsideArrayRefused_data();
    void offsetOutsideArrayRefused();
    void illegalKeyBitsKeepsKey();
    void keyStringIsPaddedGbk();
    void arrayLayouts_data();
    void arrayLayouts();
    void arrayDecryptRefusals_data();
    void arrayDecryptRefusals();
    void arrayDecryptWrongLengthByte();
    void fileRoundTrip_data();
    void fileRoundTrip();
    void fileDecryptRefusesSize_data();
    void fileDecryptRefusesSize();
    void fileDecryptWrongLengthByte_data();
    void fileDecryptWrongLengthByte();
    void fileErrorsLeaveTargetAlone();
    void fileOutputReplacesLongerFile();
};

void tst_cRijndael::standardVectors_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("cipher");
    const QByteArray p = hex("00112233445566778899aabbccddeeff");
    QTest::newRow("C.1 AES-128") << key128() << p << hex("69c4e0d86a7b0430d8cdb78070b4c55a");
    QTest::newRow("C.2 AES-192") << hex("000102030405060708090a0b0c0d0e0f1011121314151617") << p
                                 << hex("dda97ca4864cdfe06eaf70a0ec0d7191");
    QTest::newRow("C.3 AES-256") << hex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f")
                                 << p << hex("8ea2b7ca516745bfeafc49904b496089");
    QTest::newRow("B example") << hex("2b7e151628aed2a6abf7158809cf4f3c")
                               << hex("3243f6a8885a308d313198a2e0370734")
                               << hex("3925841d02dc09fbdc118597196a0b32");
}

void tst_cRijndael::standardVectors() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, cipher);
    cRijndael r;
    QCOMPARE(r.SetCipherKey(key, int(key.size() * 8)), 0);
    QCOMPARE(r.rounds(), int(key.size() / 4 + 6));
    QByteArray out(16, '\0');
    r.BlockEncrypt(plain, out, 0, 0);
    QCOMPARE(out.toHex(), cipher.toHex());
    QByteArray back(16, '\0');
    r.BlockDecrypt(back, out, 0, 0);
    QCOMPARE(back.toHex(), plain.toHex());
}

void tst_cRijndael::blocksAtOffsetsAndInPlace() {
    cRijndael r;
    r.SetCipherKey(key128(), 128);
    const QByteArray plain = hex("00112233445566778899aabbccddeeff");
    const QByteArray expected = hex("69c4e0d86a7b0430d8cdb78070b4c55a");

    // In place, at a non-zero offset, other bytes untouched.
    QByteArray buf = QByteArray(3, 'x') + plain + QByteArray(2, 'y');
    r.BlockEncrypt(buf, buf, 3, 3);
    QCOMPARE(buf, QByteArray(3, 'x') + expected + QByteArray(2, 'y'));
    r.BlockDecrypt(buf, buf, 3, 3);
    QCOMPARE(buf, QByteArray(3, 'x') + plain + QByteArray(2, 'y'));

    // Different offsets in two arrays.
    QByteArray src = QByteArray(5, 'a') + plain;
    QByteArray dst(20, 'z');
    r.BlockEncrypt(src, dst, 5, 1);
    QCOMPARE(dst.mid(1, 16), expected);
    QCOMPARE(dst.left(1) + dst.mid(17), QByteArray(4, 'z'));
}

void tst_cRijndael::offsetOutsideArrayRefused_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("offset");
    QTest::newRow("short array") << 15 << 0;
    QTest::newRow("past end") << 32 << 17;
    QTest::newRow("negative") << 32 << -1;
}

void tst_cRijndael::offsetOutsideArrayRefused() {
    QFETCH(int, size);
    QFETCH(int, offset);
    cRijndael r;
    r.SetCipherKey(key128(), 128);
    const QByteArray good(32, 'g');
    QByteArray bad(size, 'b');
    const QByteArray before = bad;
    try {
        r.BlockEncrypt(good, bad, 0, offset);
        QFAIL("encrypt accepted the offset");
    } catch (const CipherError& e) {
        QCOMPARE(e.number(), 9);
    }
    try {
        r.BlockDecrypt(bad, good, offset, 0);
        QFAIL("decrypt accepted the offset");
    } catch (const CipherError& e) {
        QCOMPARE(e.number(), 9);
    }
    QCOMPARE(bad, before);
}

void tst_cRijndael::illegalKeyBitsKeepsKey() {
    cRijndael r;
    r.SetCipherKey(key128(), 128);
    const QByteArray plain = hex("00112233445566778899aabbccddeeff");
    for (int bits : {100, 0, 64, 512}) {
        try {
            r.SetCipherKey(QByteArray(32, '\x55'), bits);
            QFAIL("illegal KeyBits accepted");
        } catch (const CipherError& e) {
            QCOMPARE(e.number(), 1);
            QCOMPARE(e.description(), QStringLiteral("cRijndael.SetCipherKey - Illegal KeyBits Value"));
        }
    }
    QByteArray out(16, '\0');
    r.BlockEncrypt(plain, out, 0, 0);
    QCOMPARE(out, hex("69c4e0d86a7b0430d8cdb78070b4c55a"));
    QCOMPARE(r.rounds(), 10);
}

void tst_cRijndael::keyStringIsPaddedGbk() {
    // "中" is D6 D0 in GBK; the rest of the 32 bytes are zero.
    cRijndael byString, byBytes;
    byString.SetCipherKeyString(QStringLiteral("ab中"), 256);
    QByteArray key("ab\xD6\xD0");
    key.append(28, '\0');
    byBytes.SetCipherKey(key, 256);
    const QByteArray plain = pattern(16);
    QByteArray a(16, '\0'), b(16, '\0');
    byString.BlockEncrypt(plain, a, 0, 0);
    byBytes.BlockEncrypt(plain, b, 0, 0);
    QCOMPARE(a, b);

    // A phrase longer than 32 bytes is cut.
    byString.SetCipherKeyString(QString(40, QLatin1Char('k')), 256);
    byBytes.SetCipherKey(QByteArray(32, 'k'), 256);
    byString.BlockEncrypt(plain, a, 0, 0);
    byBytes.BlockEncrypt(plain, b, 0, 0);
    QCOMPARE(a, b);
}

void tst_cRijndael::arrayLayouts_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("appendsize");
    QTest::addColumn<int>("cipherSize");
    for (auto [n, plainSize, withLength] :
         {std::tuple{0, 0, 16}, {5, 16, 16}, {15, 16, 16}, {16, 16, 32}, {17, 32, 32}}) {
        QTest::addRow("%d bytes, no length byte", n) << n << 0 << plainSize;
        QTest::addRow("%d bytes, length byte", n) << n << 1 << withLength;
    }
}

void tst_cRijndael::arrayLayouts() {
    QFETCH(int, size);
    QFETCH(int, appendsize);
    QFETCH(int, cipherSize);
    FakePrompt prompt;
    cRijndael r;
    r.SetCipherKeyString(QStringLiteral("pqlzt"), 128);
    const QByteArray data = pattern(size);

    QByteArray cipher("stale");
    QCOMPARE(r.ArrayEncrypt(data, cipher, appendsize), 0);
    QCOMPARE(cipher.size(), cipherSize);

    // Every block is the padded plaintext enciphered on its own.
    const QByteArray layout = padded(data, appendsize != 0);
    QCOMPARE(layout.size(), cipherSize);
    for (int i = 0; i < cipherSize; i += 16) {
        QByteArray block(16, '\0');
        r.BlockDecrypt(block, cipher, 0, i);
        QCOMPARE(block.toHex(), layout.mid(i, 16).toHex());
    }

    QVERIFY(prompt.records.isEmpty());
    if (cipherSize == 0)
        return; // an empty ciphertext is refused (arrayDecryptRefusals)
    QByteArray back("stale");
    QCOMPARE(r.ArrayDecrypt(back, cipher, appendsize), 0);
    QCOMPARE(back, appendsize ? data : layout);
    QVERIFY(prompt.records.isEmpty());
}

void tst_cRijndael::arrayDecryptRefusals_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("appendsize");
    QTest::newRow("empty, length byte") << 0 << 1;
    QTest::newRow("empty, no length byte") << 0 << 0;
    QTest::newRow("20 bytes") << 20 << 1;
    QTest::newRow("15 bytes") << 15 << 0;
}

void tst_cRijndael::arrayDecryptRefusals() {
    QFETCH(int, size);
    QFETCH(int, appendsize);
    FakePrompt prompt;
    cRijndael r;
    r.SetCipherKey(key128(), 128);
    QByteArray plain("untouched");
    QCOMPARE(r.ArrayDecrypt(plain, pattern(size), appendsize), -1);
    QCOMPARE(plain, QByteArray("untouched"));
    QCOMPARE(prompt.messages().size(), 1);
    checkNotice(prompt.messages().first(), QStringLiteral("ciphertext size not a multiple of block size"));
}

void tst_cRijndael::arrayDecryptWrongLengthByte() {
    FakePrompt prompt;
    cRijndael r;
    r.SetCipherKey(key128(), 128);
    // A last deciphered byte of 16 and of 0xAA: both out of range.
    for (char last : {'\x10', '\xAA'}) {
        prompt.clear();
        QByteArray data = pattern(32);
        data[31] = last;
        QByteArray cipher;
        r.ArrayEncrypt(data, cipher, 0);
        QByteArray plain;
        QCOMPARE(r.ArrayDecrypt(plain, cipher, 1), 1);
        QCOMPARE(plain, data);
        QCOMPARE(prompt.messages().size(), 1);
        checkNotice(prompt.messages().first(), QStringLiteral("warning - incorrect length field"));
    }
}

void tst_cRijndael::fileRoundTrip_data() {
    QTest::addColumn<qint64>("size");
    for (qint64 n : {0, 1, 15, 16, 17, 3999984, 3999999, 4000000, 4000001, 8000000})
        QTest::addRow("%lld bytes", n) << n;
}

void tst_cRijndael::fileRoundTrip() {
    QFETCH(qint64, size);
    FakePrompt prompt;
    QTemporaryDir dir;
    const QString plainPath = dir.filePath("data.bin");
    const QString cipherPath = dir.filePath("data.bin.aes");
    const QString backPath = dir.filePath("back.bin");
    const QByteArray data = pattern(size, 11);
    writeFile(plainPath, data);

    cRijndael r;
    r.SetCipherKeyString(QStringLiteral("密钥 key"), 192);
    QCOMPARE(r.FileEncrypt(plainPath, cipherPath), 0);
    const QByteArray cipher = readFile(cipherPath);
    QCOMPARE(cipher.size(), 16 * (size / 16 + 1));
    // The file layout is the array layout with a length byte, whatever the pieces.
    QByteArray expected;
    r.ArrayEncrypt(data, expected, 1);
    QVERIFY(cipher == expected);

    QCOMPARE(r.FileDecrypt(backPath, cipherPath), 0);
    const QByteArray back = readFile(backPath);
    QCOMPARE(back.size(), size);
    QVERIFY(back == data);
    QVERIFY(prompt.records.isEmpty());
    // Nothing but the three files: no temporary left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

void tst_cRijndael::fileDecryptRefusesSize_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("20 bytes, new target") << 20 << false;
    QTest::newRow("20 bytes, existing target") << 20 << true;
    QTest::newRow("empty, new target") << 0 << false;
    QTest::newRow("4000001 bytes") << 4000001 << true;
}

void tst_cRijndael::fileDecryptRefusesSize() {
    QFETCH(int, size);
    QFETCH(bool, targetExists);
    FakePrompt prompt;
    QTemporaryDir dir;
    const QString cipherPath = dir.filePath("in.aes");
    const QString target = dir.filePath("out.txt");
    writeFile(cipherPath, pattern(size));
    if (targetExists)
        writeFile(target, "keep me");
    cRijndael r;
    r.SetCipherKey(key128(), 128);
    QCOMPARE(r.FileDecrypt(target, cipherPath), 1);
    QCOMPARE(prompt.messages().size(), 1);
    checkNotice(prompt.messages().first(),
                QStringLiteral("File Size Error - ciphertext file not a multiple of block size"));
    QCOMPARE(QFile::exists(target), targetExists);
    if (targetExists)
        QCOMPARE(readFile(target), QByteArray("keep me"));
}

void tst_cRijndael::fileDecryptWrongLengthByte_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("one block, new target") << 16 << false;
    QTest::newRow("two pieces, new target") << 4000016 << false;
    QTest::newRow("one block, existing target") << 16 << true;
    QTest::newRow("two pieces, existing target") << 4000016 << true;
}

void tst_cRijndael::fileDecryptWrongLengthByte() {
    QFETCH(int, size);
    QFETCH(bool, targetExists);
    FakePrompt prompt;
    QTemporaryDir dir;
    const QString cipherPath = dir.filePath("in.aes");
    const QString target = dir.filePath("out.txt");
    cRijndael r;
    r.SetCipherKey(key128(), 128);
    // What a wrong key typically yields: a last deciphered byte of 16 or more.
    QByteArray data = pattern(size, 5);
    data[size - 1] = '\x42';
    QByteArray cipher;
    r.ArrayEncrypt(data, cipher, 0);
    writeFile(cipherPath, cipher);
    if (targetExists)
        writeFile(target, "precious");

    QCOMPARE(r.FileDecrypt(target, cipherPath), 0);
    QCOMPARE(prompt.messages().size(), 1);
    checkNotice(prompt.messages().first(),
                QStringLiteral("warning - incorrect length field in decrypted file.\nWrong key or keysize?"));
    if (targetExists) {
        QCOMPARE(readFile(target), QByteArray("precious"));
    } else {
        const QByteArray out = readFile(target);
        QCOMPARE(out.size(), size); // the whole last block is kept
        QVERIFY(out == data);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void tst_cRijndael::fileErrorsLeaveTargetAlone() {
    FakePrompt prompt;
    QTemporaryDir dir;
    const QString target = dir.filePath("target");
    writeFile(target, "old content");
    cRijndael r;
    r.SetCipherKey(key128(), 128);

    // Missing source: raised, target kept.
    for (bool encrypt : {true, false}) {
        try {
            encrypt ? r.FileEncrypt(dir.filePath("missing"), target)
                    : r.FileDecrypt(target, dir.filePath("missing"));
            QFAIL("missing source accepted");
        } catch (const CipherError& e) {
            QCOMPARE(e.number(), 53);
            QVERIFY(e.description().contains(QStringLiteral("missing")));
        }
        QCOMPARE(readFile(target), QByteArray("old content"));
    }

    // Target in a folder that does not exist: raised, nothing created.
    writeFile(dir.filePath("src"), "hello");
    const QString nowhere = dir.filePath("no/such/folder/out.aes");
    try {
        r.FileEncrypt(dir.filePath("src"), nowhere);
        QFAIL("unwritable target accepted");
    } catch (const CipherError& e) {
        QCOMPARE(e.number(), 75);
    }
    QVERIFY(!QFile::exists(nowhere));
    QVERIFY(prompt.records.isEmpty());
}

void tst_cRijndael::fileOutputReplacesLongerFile() {
    QTemporaryDir dir;
    const QString src = dir.filePath("src");
    const QString target = dir.filePath("target");
    writeFile(src, "short");
    writeFile(target, QByteArray(1000, 'L'));
    cRijndael r;
    r.SetCipherKey(key128(), 128);
    r.FileEncrypt(src, target);
    QCOMPARE(readFile(target).size(), 16); // no stale tail of the old file
    r.FileDecrypt(target, target);         // in place: the source is read before it is replaced
    QCOMPARE(readFile(target), QByteArray("short"));
}

QTEST_GUILESS_MAIN(tst_cRijndael)
#include "tst_cRijndael.moc"
