#pragma once
// The text commands of the cipher tool without its window, and the stored password form:
// GBK bytes, zero padding to 16, each block enciphered under "pqlzt" (128-bit key), upper-case
// hex with two spaces between blocks.
#include <QByteArray>
#include <QString>
#include <optional>

class cRijndael;

namespace PasswordCodec {

enum class Status {
    Ok,
    NoPlaintext,  // "No Plaintext"
    NoCiphertext, // "No Ciphertext"
    NoPassword,   // "No Password"
    NotHex,       // "Text not Hex data"
    NotGbk,       // the text has a character GBK cannot encode
    PhraseNotGbk, // the pass phrase has a character GBK cannot encode
    Failed        // the cipher refused the data and showed its own message
};

struct Result {
    Status status = Status::Failed;
    QString text; // the output when status is Ok
    bool ok() const { return status == Status::Ok; }
};

// The cipher tool's message for a refusal (empty for Ok and Failed).
QString message(Status status);

// The settings the tool starts with, which the stored form uses.
inline constexpr const char* DefaultPassPhrase = "pqlzt";
inline constexpr int DefaultKeyBits = 128;
inline constexpr int BlockBits = 128;

// Two upper-case hex digits per byte of the first count bytes; two spaces before each byte whose
// index is a non-zero multiple of group.
QString ToHexText(const QByteArray& bytes, qsizetype count, int group);
// Hex digit pairs in order, any other character skipped, a last lone digit dropped.
QByteArray FromHexText(const QString& text);
// With hex set and the phrase giving exactly keyBits/8 bytes of hex, those bytes; else the
// phrase's GBK bytes cut or zero-padded to 32. nullopt when the phrase is not GBK-encodable.
std::optional<QByteArray> KeyBytes(const QString& phrase, bool hex, int keyBits);

// The encrypt and decrypt commands of the tool on plain values, with the caller's cipher object
// (its key is replaced).
Result EncryptText(cRijndael& cipher, const QString& text, const QString& phrase, int keyBits, bool hex);
Result DecryptText(cRijndael& cipher, const QString& text, const QString& phrase, int keyBits, bool hex);

// The stored form of a new or typed password. Fails (NoPlaintext, NotGbk) instead of producing a
// text no later check could match or that another password would share.
Result EncodePassword(const QString& password);
// Whether the typed password's stored form equals the stored text; a Null (nullopt) or empty
// stored text never matches.
bool CheckPassword(const QString& typed, const std::optional<QString>& stored);

} // namespace PasswordCodec
