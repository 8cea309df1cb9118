#pragma once
// The Rijndael block cipher with a 128-bit block (AES, FIPS-197) and a 128-, 192- or 256-bit key.
// Each block is enciphered on its own; arrays and files add optional zero padding and a length byte.
// Errors for the caller are thrown as CipherError; notices go through the prompt service.
#include "security/CipherError.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class cRijndael {
public:
    // Length of one file piece: a multiple of the block size, bounding the memory of file work.
    static constexpr qint64 PieceSize = 4000000;

    cRijndael();

    // KeyBits 128, 192 or 256; the first KeyBits/8 bytes of pass are the key. Returns 0.
    // Other KeyBits: CipherError 1 and the key in force stays.
    int SetCipherKey(const QByteArray& pass, int KeyBits);
    // The pass phrase's GBK bytes cut or zero-padded to 32 bytes, then SetCipherKey.
    int SetCipherKeyString(const QString& PassPhrase, int KeyBits);

    // plaintext[p..p+15] -> ciphertext[q..q+15]; the arrays may be the same, offsets too.
    void BlockEncrypt(const QByteArray& plaintext, QByteArray& ciphertext, int p, int q) const;
    // ciphertext[q..q+15] -> plaintext[p..p+15]; in place allowed.
    void BlockDecrypt(QByteArray& plaintext, const QByteArray& ciphertext, int p, int q) const;

    // With appendsize non-zero the length byte layout, else plain zero padding. Returns 0.
    int ArrayEncrypt(const QByteArray& plaintext, QByteArray& ciphertext, int appendsize) const;
    // 0 on success; -1 when the ciphertext is empty or not a multiple of 16 (plaintext untouched);
    // 1 when the length byte is wrong (plaintext kept at full size).
    int ArrayDecrypt(QByteArray& plaintext, const QByteArray& ciphertext, int appendsize) const;

    // Writes the length byte layout of the plaintext file; the target is replaced only once
    // complete. Returns 0; file errors are thrown as CipherError.
    int FileEncrypt(const QString& PlaintextFileName, const QString& CiphertextFileName) const;
    // Returns 1 when the ciphertext file is refused for its size (nothing written), 0 otherwise.
    // After a wrong length byte the whole last piece is kept, but an existing plaintext file is
    // never replaced by such output.
    int FileDecrypt(const QString& PlaintextFileName, const QString& CiphertextFileName) const;

    int rounds() const { return m_rounds; }

    // Raw block work on 16 bytes; a key must be set.
    void encryptBlock(const unsigned char* in, unsigned char* out) const;
    void decryptBlock(const unsigned char* in, unsigned char* out) const;

private:
    void requireKey() const;
    void encryptPiece(unsigned char* data, qint64 size) const;
    void decryptPiece(unsigned char* data, qint64 size) const;

    int m_rounds = 0;
    uint32_t m_ek[60] = {};
    uint32_t m_dk[60] = {};

    uint8_t m_sbox[256];
    uint8_t m_isbox[256];
    uint32_t m_te[4][256];
    uint32_t m_td[4][256];
    uint32_t m_rcon[10];
};
