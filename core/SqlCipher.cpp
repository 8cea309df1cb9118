#include "core/SqlCipher.h"

#include "core/DateText.h"

#include <QDate>
#include <QFileInfo>

namespace SqlCipher {

QString lastError(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

DbHandle open(const QString& path, const QByteArray& key, bool create, QString* error) {
    if (!create && !QFileInfo(path).isFile()) {
        *error = QStringLiteral("数据库文件不存在: %1").arg(path);
        return nullptr;
    }
    sqlite3* raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    DbHandle db(raw); // closed even when the open failed
    if (rc != SQLITE_OK) {
        *error = lastError(raw);
        return nullptr;
    }
    if (sqlite3_key(db.get(), key.constData(), key.size()) != SQLITE_OK) {
        *error = lastError(db.get());
        return nullptr;
    }
    sqlite3_busy_timeout(db.get(), 3000);
    // The key is only checked when the first page is read.
    if (!exec(db.get(), "SELECT count(*) FROM sqlite_master;", error))
        return nullptr;
    return db;
}

Statement prepare(sqlite3* db, const QString& sql, QString* error) {
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), utf8.size(), &raw, &tail) != SQLITE_OK) {
        *error = lastError(db);
        sqlite3_finalize(raw);
        return nullptr;
    }
    Statement st(raw);
    if (!st) {
        *error = QStringLiteral("语句为空");
        return nullptr;
    }
    for (const char* p = tail; p && *p; ++p) {
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';') {
            *error = QStringLiteral("一次只能执行一条语句");
            return nullptr;
        }
    }
    return st;
}

bool bind(sqlite3_stmt* st, int index, const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return sqlite3_bind_null(st, index) == SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return sqlite3_bind_int(st, index, value.toBool() ? 1 : 0) == SQLITE_OK;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return sqlite3_bind_int64(st, index, value.toLongLong()) == SQLITE_OK;
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(st, index, value.toDouble()) == SQLITE_OK;
    case QMetaType::QDate: {
        const QByteArray t = DateText::format(value.toDate()).toUtf8();
        return sqlite3_bind_text(st, index, t.constData(), t.size(), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    case QMetaType::QDateTime: {
        const QByteArray t = DateText::format(value.toDateTime().date()).toUtf8();
        return sqlite3_bind_text(st, index, t.constData(), t.size(), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    default: {
        const QByteArray t = value.toString().toUtf8();
        return sqlite3_bind_text(st, index, t.constData(), t.size(), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    }
}

bool exec(sqlite3* db, const char* sql, QString* error) {
    char* msg = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &msg) != SQLITE_OK) {
        *error = msg ? QString::fromUtf8(msg) : lastError(db);
        sqlite3_free(msg);
        return false;
    }
    return true;
}

} // namespace SqlCipher
