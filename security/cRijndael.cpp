#include "security/cRijndael.h"

#include "core/Prompt.h"
#include "security/AnsiText.h"
#include "security/AppTitle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <vector>

namespace {

inline uint32_t rotl(uint32_t w, int n) {
    return (w << n) | (w >> (32 - n));
}

// Multiplication in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1.
uint8_t gmul(uint8_t a, uint8_t b) {
    uint8_t r = 0;
    while (b) {
        if (b & 1)
            r ^= a;
        a = static_cast<uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1b : 0));
        b >>= 1;
    }
    return r;
}

// Byte 0 of a block is the lowest byte of its word (row 0 of the column).
inline uint32_t load32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline void store32(unsigned char* p, uint32_t w) {
    p[0] = static_cast<unsigned char>(w);
    p[1] = static_cast<unsigned char>(w >> 8);
    p[2] = static_cast<unsigned char>(w >> 16);
    p[3] = static_cast<unsigned char>(w >> 24);
}
inline uint32_t b0(uint32_t w) {
    return w & 0xff;
}
inline uint32_t b1(uint32_t w) {
    return (w >> 8) & 0xff;
}
inline uint32_t b2(uint32_t w) {
    return (w >> 16) & 0xff;
}
inline uint32_t b3(uint32_t w) {
    return w >> 24;
}

void notice(const QString& text) {
    Prompt::message(text, AppTitle(), Prompt::Icon::None, Prompt::Buttons::Ok);
}

void checkRange(qsizetype size, qsizetype offset) {
    if (offset < 0 || offset > size - 16)
        throw CipherError(9, QStringLiteral("Subscript out of range"));
}

[[noreturn]] void fileError(int number, const QString& what, const QString& path, const QString& why) {
    throw CipherError(number, QStringLiteral("%1: %2 (%3)").arg(what, QDir::toNativeSeparators(path), why));
}

} // namespace

cRijndael::cRijndael() {
    // S-box from the multiplicative inverse and the affine map; inverse found by the field's
    // generator 3 (log/antilog tables).
    uint8_t exp[256], log[256] = {};
    uint8_t x = 1;
    for (int i = 0; i < 255; ++i) {
        exp[i] = x;
        log[x] = static_cast<uint8_t>(i);
        x = gmul(x, 3);
    }
    exp[255] = exp[0];
    for (int i = 0; i < 256; ++i) {
        const uint8_t inv = i == 0 ? 0 : exp[(255 - log[i]) % 255];
        uint8_t s = inv;
        for (int k = 1; k <= 4; ++k)
            s ^= static_cast<uint8_t>((inv << k) | (inv >> (8 - k)));
        s ^= 0x63;
        m_sbox[i] = s;
        m_isbox[s] = static_cast<uint8_t>(i);
    }
    for (int i = 0; i < 256; ++i) {
        const uint8_t s = m_sbox[i];
        const uint32_t e =
            uint32_t(gmul(s, 2)) | (uint32_t(s) << 8) | (uint32_t(s) << 16) | (uint32_t(gmul(s, 3)) << 24);
        const uint8_t t = m_isbox[i];
        const uint32_t d = uint32_t(gmul(t, 14)) | (uint32_t(gmul(t, 9)) << 8) |
                           (uint32_t(gmul(t, 13)) << 16) | (uint32_t(gmul(t, 11)) << 24);
        for (int r = 0; r < 4; ++r) {
            m_te[r][i] = r ? rotl(e, 8 * r) : e;
            m_td[r][i] = r ? rotl(d, 8 * r) : d;
        }
    }
    uint8_t rc = 1;
    for (int i = 0; i < 10; ++i) {
        m_rcon[i] = rc;
        rc = gmul(rc, 2);
    }
}

int cRijndael::SetCipherKey(const QByteArray& pass, int KeyBits) {
    if (KeyBits != 128 && KeyBits != 192 && KeyBits != 256)
        throw CipherError(1, QStringLiteral("cRijndael.SetCipherKey - Illegal KeyBits Value"));
    const int nk = KeyBits / 32;
    if (pass.size() < nk * 4)
        throw CipherError(9, QStringLiteral("cRijndael.SetCipherKey - key shorter than KeyBits"));
    const int rounds = nk + 6;
    const int words = 4 * (rounds + 1);
    const auto* key = reinterpret_cast<const unsigned char*>(pass.constData());

    uint32_t ek[60];
    for (int i = 0; i < nk; ++i)
        ek[i] = load32(key + 4 * i);
    auto subWord = [this](uint32_t w) {
        return uint32_t(m_sbox[b0(w)]) | (uint32_t(m_sbox[b1(w)]) << 8) | (uint32_t(m_sbox[b2(w)]) << 16) |
               (uint32_t(m_sbox[b3(w)]) << 24);
    };
    for (int i = nk; i < words; ++i) {
        uint32_t t = ek[i - 1];
        if (i % nk == 0)
            t = subWord(rotl(t, 24)) ^ m_rcon[i / nk - 1]; // RotWord moves byte 1 to byte 0
        else if (nk > 6 && i % nk == 4)
            t = subWord(t);
        ek[i] = ek[i - nk] ^ t;
    }

    // Equivalent inverse cipher: round keys in reverse order, inverse column mix on the inner ones.
    uint32_t dk[60];
    for (int r = 0; r <= rounds; ++r)
        for (int c = 0; c < 4; ++c) {
            const uint32_t w = ek[4 * (rounds - r) + c];
            dk[4 * r + c] = (r == 0 || r == rounds) ? w
                                                    : m_td[0][m_sbox[b0(w)]] ^ m_td[1][m_sbox[b1(w)]] ^
                                                          m_td[2][m_sbox[b2(w)]] ^ m_td[3][m_sbox[b3(w)]];
        }

    std::copy(ek, ek + words, m_ek);
    std::copy(dk, dk + words, m_dk);
    m_rounds = rounds;
    return 0;
}

int cRijndael::SetCipherKeyString(const QString& PassPhrase, int KeyBits) {
    const auto bytes = AnsiText::toAnsi(PassPhrase);
    if (!bytes)
        throw CipherError(
            5, QStringLiteral("cRijndael.SetCipherKeyString - pass phrase has characters GBK cannot encode"));
    QByteArray key = bytes->left(32);
    key.append(32 - key.size(), '\0');
    return SetCipherKey(key, KeyBits);
}

void cRijndael::requireKey() const {
    if (m_rounds == 0)
        throw CipherError(5, QStringLiteral("cRijndael - no cipher key set"));
}

void cRijndael::encryptBlock(const unsigned char* in, unsigned char* out) const {
    const uint32_t* rk = m_ek;
    uint32_t s0 = load32(in) ^ rk[0], s1 = load32(in + 4) ^ rk[1], s2 = load32(in + 8) ^ rk[2],
             s3 = load32(in + 12) ^ rk[3];
    const uint32_t *T0 = m_te[0], *T1 = m_te[1], *T2 = m_te[2], *T3 = m_te[3];
    for (int r = 1; r < m_rounds; ++r) {
        rk += 4;
        const uint32_t t0 = T0[b0(s0)] ^ T1[b1(s1)] ^ T2[b2(s2)] ^ T3[b3(s3)] ^ rk[0];
        const uint32_t t1 = T0[b0(s1)] ^ T1[b1(s2)] ^ T2[b2(s3)] ^ T3[b3(s0)] ^ rk[1];
        const uint32_t t2 = T0[b0(s2)] ^ T1[b1(s3)] ^ T2[b2(s0)] ^ T3[b3(s1)] ^ rk[2];
        const uint32_t t3 = T0[b0(s3)] ^ T1[b1(s0)] ^ T2[b2(s1)] ^ T3[b3(s2)] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk += 4;
    const uint8_t* S = m_sbox;
    auto last = [S](uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
        return uint32_t(S[b0(a)]) | (uint32_t(S[b1(b)]) << 8) | (uint32_t(S[b2(c)]) << 16) |
               (uint32_t(S[b3(d)]) << 24);
    };
    store32(out, last(s0, s1, s2, s3) ^ rk[0]);
    store32(out + 4, last(s1, s2, s3, s0) ^ rk[1]);
    store32(out + 8, last(s2, s3, s0, s1) ^ rk[2]);
    store32(out + 12, last(s3, s0, s1, s2) ^ rk[3]);
}

void cRijndael::decryptBlock(const unsigned char* in, unsigned char* out) const {
    const uint32_t* rk = m_dk;
    uint32_t s0 = load32(in) ^ rk[0], s1 = load32(in + 4) ^ rk[1], s2 = load32(in + 8) ^ rk[2],
             s3 = load32(in + 12) ^ rk[3];
    const uint32_t *T0 = m_td[0], *T1 = m_td[1], *T2 = m_td[2], *T3 = m_td[3];
    for (int r = 1; r < m_rounds; ++r) {
        rk += 4;
        const uint32_t t0 = T0[b0(s0)] ^ T1[b1(s3)] ^ T2[b2(s2)] ^ T3[b3(s1)] ^ rk[0];
        const uint32_t t1 = T0[b0(s1)] ^ T1[b1(s0)] ^ T2[b2(s3)] ^ T3[b3(s2)] ^ rk[1];
        const uint32_t t2 = T0[b0(s2)] ^ T1[b1(s1)] ^ T2[b2(s0)] ^ T3[b3(s3)] ^ rk[2];
        const uint32_t t3 = T0[b0(s3)] ^ T1[b1(s2)] ^ T2[b2(s1)] ^ T3[b3(s0)] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk += 4;
    const uint8_t* S = m_isbox;
    auto last = [S](uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
        return uint32_t(S[b0(a)]) | (uint32_t(S[b1(b)]) << 8) | (uint32_t(S[b2(c)]) << 16) |
               (uint32_t(S[b3(d)]) << 24);
    };
    store32(out, last(s0, s3, s2, s1) ^ rk[0]);
    store32(out + 4, last(s1, s0, s3, s2) ^ rk[1]);
    store32(out + 8, last(s2, s1, s0, s3) ^ rk[2]);
    store32(out + 12, last(s3, s2, s1, s0) ^ rk[3]);
}

void cRijndael::BlockEncrypt(const QByteArray& plaintext, QByteArray& ciphertext, int p, int q) const {
    checkRange(plaintext.size(), p);
    checkRange(ciphertext.size(), q);
    requireKey();
    unsigned char block[16];
    encryptBlock(reinterpret_cast<const unsigned char*>(plaintext.constData()) + p, block);
    std::copy(block, block + 16, reinterpret_cast<unsigned char*>(ciphertext.data()) + q);
}

void cRijndael::BlockDecrypt(QByteArray& plaintext, const QByteArray& ciphertext, int p, int q) const {
    checkRange(plaintext.size(), p);
    checkRange(ciphertext.size(), q);
    requireKey();
    unsigned char block[16];
    decryptBlock(reinterpret_cast<const unsigned char*>(ciphertext.constData()) + q, block);
    std::copy(block, block + 16, reinterpret_cast<unsigned char*>(plaintext.data()) + p);
}

void cRijndael::encryptPiece(unsigned char* data, qint64 size) const {
    for (qint64 i = 0; i < size; i += 16)
        encryptBlock(data + i, data + i);
}

void cRijndael::decryptPiece(unsigned char* data, qint64 size) const {
    for (qint64 i = 0; i < size; i += 16)
        decryptBlock(data + i, data + i);
}

int cRijndael::ArrayEncrypt(const QByteArray& plaintext, QByteArray& ciphertext, int appendsize) const {
    requireKey();
    const qsizetype n = plaintext.size();
    const qsizetype size = appendsize ? 16 * (n / 16 + 1) : 16 * ((n + 15) / 16);
    // Copy first: plaintext and ciphertext may be one array.
    QByteArray out(size, '\0');
    std::copy(plaintext.constBegin(), plaintext.constEnd(), out.begin());
    if (appendsize)
        out[size - 1] = static_cast<char>(n % 16);
    encryptPiece(reinterpret_cast<unsigned char*>(out.data()), size);
    ciphertext = std::move(out);
    return 0;
}

int cRijndael::ArrayDecrypt(QByteArray& plaintext, const QByteArray& ciphertext, int appendsize) const {
    const qsizetype size = ciphertext.size();
    // An empty array has no last block to read a length byte from.
    if (size == 0 || size % 16 != 0) {
        notice(QStringLiteral("ciphertext size not a multiple of block size"));
        return -1;
    }
    requireKey();
    QByteArray out = ciphertext;
    decryptPiece(reinterpret_cast<unsigned char*>(out.data()), size);
    int result = 0;
    if (appendsize) {
        const auto b = static_cast<unsigned char>(out[size - 1]);
        if (b > 15) {
            notice(QStringLiteral("warning - incorrect length field"));
            result = 1;
        } else {
            out.resize(size - 16 + b);
        }
    }
    plaintext = std::move(out);
    return result;
}

namespace {

void openSource(QFile& in) {
    if (!in.open(QIODevice::ReadOnly)) {
        const int number = in.exists() ? 75 : 53;
        fileError(number,
                  number == 53 ? QStringLiteral("File not found") : QStringLiteral("Path/File access error"),
                  in.fileName(), in.errorString());
    }
}

void openTarget(QSaveFile& out) {
    if (!out.open(QIODevice::WriteOnly))
        fileError(75, QStringLiteral("Path/File access error"), out.fileName(), out.errorString());
}

void readExactly(QFile& in, unsigned char* buffer, qint64 count) {
    qint64 done = 0;
    while (done < count) {
        const qint64 got = in.read(reinterpret_cast<char*>(buffer) + done, count - done);
        if (got <= 0)
            fileError(62, QStringLiteral("Input past end of file"), in.fileName(), in.errorString());
        done += got;
    }
}

void writeAll(QSaveFile& out, const unsigned char* buffer, qint64 count) {
    if (count > 0 && out.write(reinterpret_cast<const char*>(buffer), count) != count)
        fileError(61, QStringLiteral("Disk full or write error"), out.fileName(), out.errorString());
}

void commit(QSaveFile& out) {
    if (!out.commit())
        fileError(61, QStringLiteral("Disk full or write error"), out.fileName(), out.errorString());
}

} // namespace

int cRijndael::FileEncrypt(const QString& PlaintextFileName, const QString& CiphertextFileName) const {
    requireKey();
    QFile in(PlaintextFileName);
    openSource(in);
    const qint64 n = in.size();
    QSaveFile out(CiphertextFileName);
    openTarget(out);

    std::vector<unsigned char> buffer(static_cast<size_t>(std::min<qint64>(PieceSize, 16 * (n / 16 + 1))));
    qint64 remaining = 16 * (n / 16 + 1);
    while (remaining > PieceSize) {
        readExactly(in, buffer.data(), PieceSize);
        encryptPiece(buffer.data(), PieceSize);
        writeAll(out, buffer.data(), PieceSize);
        remaining -= PieceSize;
    }
    const qint64 rest = n - in.pos();
    std::fill(buffer.begin(), buffer.begin() + remaining, 0);
    readExactly(in, buffer.data(), rest);
    if (!in.atEnd())
        fileError(75, QStringLiteral("Path/File access error"), PlaintextFileName,
                  QStringLiteral("file changed while being read"));
    buffer[remaining - 1] = static_cast<unsigned char>(n % 16);
    encryptPiece(buffer.data(), remaining);
    writeAll(out, buffer.data(), remaining);
    commit(out);
    return 0;
}

int cRijndael::FileDecrypt(const QString& PlaintextFileName, const QString& CiphertextFileName) const {
    const qint64 n = QFileInfo(CiphertextFileName).size();
    if (QFileInfo::exists(CiphertextFileName) && (n == 0 || n % 16 != 0)) {
        notice(QStringLiteral("File Size Error - ciphertext file not a multiple of block size"));
        return 1;
    }
    requireKey();
    QFile in(CiphertextFileName);
    openSource(in);
    const bool targetExisted = QFileInfo::exists(PlaintextFileName);
    QSaveFile out(PlaintextFileName);
    openTarget(out);

    std::vector<unsigned char> buffer(static_cast<size_t>(std::min<qint64>(PieceSize, n)));
    qint64 remaining = n;
    while (remaining > PieceSize) {
        readExactly(in, buffer.data(), PieceSize);
        decryptPiece(buffer.data(), PieceSize);
        writeAll(out, buffer.data(), PieceSize);
        remaining -= PieceSize;
    }
    readExactly(in, buffer.data(), remaining);
    decryptPiece(buffer.data(), remaining);
    const unsigned char b = buffer[remaining - 1];
    if (b < 16) {
        writeAll(out, buffer.data(), remaining - 16 + b);
    } else {
        notice(QStringLiteral("warning - incorrect length field in decrypted file.\nWrong key or keysize?"));
        // Output of a wrong key is garbage: it must not take the place of an existing file.
        if (targetExisted) {
            out.cancelWriting();
            return 0;
        }
        writeAll(out, buffer.data(), remaining);
    }
    commit(out);
    return 0;
}
