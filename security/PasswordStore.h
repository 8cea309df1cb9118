#pragma once
// The login password in the settings row: reading it, checking a typed one, setting the first
// one and changing it. Every write is one checked update of the single settings row.
#include "security/PasswordCodec.h"

#include <QString>
#include <functional>
#include <optional>

namespace PasswordStore {

// The statement both dialogs read and write the password with.
QString Statement();
// The message for a settings table that has no row.
QString MissingRowMessage();

struct Stored {
    QString error;                   // "查询错误: …" or MissingRowMessage(); empty when read
    std::optional<QString> password; // nullopt when none is set (Null or "")
    bool ok() const { return error.isEmpty(); }
};
Stored Read();

// Whether `typed` (as typed) is the stored password. A database failure shows the "错误" box
// and counts as no match.
bool Matches(const QString& typed);

// Writes an encoded password into the settings row; on success AppSettings.Password follows.
// Returns the error (nothing changed), empty on success.
QString Write(const QString& encoded);

// The stored form of a password; the windows pass the cipher window's codec.
using Encoder = std::function<PasswordCodec::Result(const QString&)>;

// The message for a new password the codec refuses.
QString RefusalMessage(PasswordCodec::Status status);

enum class FirstUse { Set, Cancelled, Failed };
// The first-use prompt: asks, masked, for a usable password and then for it once more, until
// both agree (Cancelled at either writes nothing); Failed when it could not be written (the
// "错误" box was shown).
FirstUse AskFirstPassword(const Encoder& encode);

// The password change: the checks in order, then the write. Empty when saved, otherwise the
// text for the "错误" box (nothing was changed).
QString Change(const QString& oldTyped, const QString& newPassword, const QString& confirm,
               const Encoder& encode);

} // namespace PasswordStore
