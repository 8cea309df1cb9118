#include "security/PasswordCodec.h"

#include "security/AnsiText.h"
#include "security/cRijndael.h"

namespace PasswordCodec {

QString message(Status status) {
    switch (status) {
    case Status::NoPlaintext:
        return QStringLiteral("No Plaintext");
    case Status::NoCiphertext:
        return QStringLiteral("No Ciphertext");
    case Status::NoPassword:
        return QStringLiteral("No Password");
    case Status::NotHex:
        return QStringLiteral("Text not Hex data");
    case Status::NotGbk:
        return QStringLiteral("Text has characters that GBK cannot encode");
    case Status::PhraseNotGbk:
        return QStringLiteral("Password has characters that GBK cannot encode");
    case Status::Ok:
    case Status::Failed:
        break;
    }
    return QString();
}

QString ToHexText(const QByteArray& bytes, qsizetype count, int group) {
    static const char digits[] = "0123456789ABCDEF";
    count = std::min(count, bytes.size());
    QString out;
    out.reserve(count * 2 + (group > 0 ? count / group * 2 : 0));
    for (qsizetype i = 0; i < count; ++i) {
        if (group > 0 && i > 0 && i % group == 0)
            out += QLatin1String("  ");
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += QLatin1Char(digits[b >> 4]);
        out += QLatin1Char(digits[b & 15]);
    }
    return out;
}

QByteArray FromHexText(const QString& text) {
    QByteArray out;
    out.reserve(text.size() / 2);
    int high = -1;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        int v;
        if (c >= u'0' && c <= u'9')
            v = c - u'0';
        else if (c >= u'A' && c <= u'F')
            v = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            v = c - u'a' + 10;
        else
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.append(static_cast<char>(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

std::optional<QByteArray> KeyBytes(const QString& phrase, bool hex, int keyBits) {
    if (hex) {
        const QByteArray k = FromHexText(phrase);
        if (k.size() == keyBits / 8)
            return k;
    }
    auto bytes = AnsiText::toAnsi(phrase);
    if (!bytes)
        return std::nullopt;
    QByteArray key = bytes->left(32);
    key.append(32 - key.size(), '\0');
    return key;
}

namespace {
Result fail(Status s) {
    return {s, QString()};
}
} // namespace

Result EncryptText(cRijndael& cipher, const QString& text, const QString& phrase, int keyBits, bool hex) {
    if (text.isEmpty())
        return fail(Status::NoPlaintext);
    if (phrase.isEmpty())
        return fail(Status::NoPassword);
    const auto key = KeyBytes(phrase, hex, keyBits);
    if (!key)
        return fail(Status::PhraseNotGbk);
    QByteArray plain;
    if (hex) {
        plain = FromHexText(text);
        if (plain.isEmpty())
            return fail(Status::NotHex);
    } else {
        const auto bytes = AnsiText::toAnsi(text);
        if (!bytes)
            return fail(Status::NotGbk);
        plain = *bytes;
    }
    cipher.SetCipherKey(*key, keyBits);
    QByteArray encrypted;
    cipher.ArrayEncrypt(plain, encrypted, 0);
    return {Status::Ok, ToHexText(encrypted, encrypted.size(), BlockBits / 8)};
}

Result DecryptText(cRijndael& cipher, const QString& text, const QString& phrase, int keyBits, bool hex) {
    if (text.isEmpty())
        return fail(Status::NoCiphertext);
    if (phrase.isEmpty())
        return fail(Status::NoPassword);
    const auto key = KeyBytes(phrase, hex, keyBits);
    if (!key)
        return fail(Status::PhraseNotGbk);
    const QByteArray encrypted = FromHexText(text);
    if (encrypted.isEmpty())
        return fail(Status::NotHex);
    cipher.SetCipherKey(*key, keyBits);
    QByteArray plain;
    if (cipher.ArrayDecrypt(plain, encrypted, 0) != 0)
        return fail(Status::Failed);
    return {Status::Ok, hex ? ToHexText(plain, plain.size(), BlockBits / 8) : AnsiText::fromAnsi(plain)};
}

Result EncodePassword(const QString& password) {
    cRijndael cipher;
    return EncryptText(cipher, password, QString::fromLatin1(DefaultPassPhrase), DefaultKeyBits, false);
}

bool CheckPassword(const QString& typed, const std::optional<QString>& stored) {
    if (!stored || stored->isEmpty())
        return false;
    const Result r = EncodePassword(typed);
    return r.ok() && r.text == *stored;
}

} // namespace PasswordCodec
