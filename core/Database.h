#pragma once
// The one shared connection to Tobrin.dat. Key derivation is slow, so the connection is opened
// once and kept; maintenance closes it before it replaces the file.
#include "core/SqlCipher.h"

#include <QString>

namespace Database {

// Connection text → file path and password ("Data Source=" and "Database Password=").
struct Target {
    QString path;
    QByteArray key;
};
Target parseConnectionString(const QString& connection);

// The shared handle for the connection text, opened on first use; null and `error` set on failure.
sqlite3* shared(const QString& connection, QString* error);
// Closes the shared handle (no transaction can be open: every write commits at once).
void closeShared();
bool isOpen();
// Changes each time the shared handle is closed, so older recordsets know their handle is gone.
quint64 generation();

// Runs `body` inside BEGIN IMMEDIATE … COMMIT; rolls back when it returns false.
template <typename F> bool transaction(sqlite3* db, QString* error, F&& body) {
    if (!SqlCipher::exec(db, "BEGIN IMMEDIATE;", error))
        return false;
    if (!body()) {
        QString ignored;
        SqlCipher::exec(db, "ROLLBACK;", &ignored);
        return false;
    }
    if (!SqlCipher::exec(db, "COMMIT;", error)) {
        QString ignored;
        SqlCipher::exec(db, "ROLLBACK;", &ignored);
        return false;
    }
    return true;
}

} // namespace Database
