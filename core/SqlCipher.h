#pragma once
// Thin RAII wrapper over SQLCipher's C API. Every engine error becomes a message text; nothing
// escapes as an exception.
#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <QString>
#include <QVariant>
#include <memory>

namespace SqlCipher {

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct Finalizer {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
};
using DbHandle = std::unique_ptr<sqlite3, Closer>;
using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;

// Opens an existing file with the key and proves the key by reading the schema. With `create`
// the file may be new (only the init tool does that). On failure the handle is null and
// `error` says why.
DbHandle open(const QString& path, const QByteArray& key, bool create, QString* error);

// Prepares exactly one statement; trailing text other than white space or ';' is refused.
Statement prepare(sqlite3* db, const QString& sql, QString* error);

// Binds a value: null → NULL, bool → 0/1, QDate → ISO text, integers, doubles, anything else as text.
bool bind(sqlite3_stmt* st, int index, const QVariant& value);

// Runs statements with no result rows (several allowed), e.g. BEGIN/COMMIT.
bool exec(sqlite3* db, const char* sql, QString* error);

QString lastError(sqlite3* db);

} // namespace SqlCipher
