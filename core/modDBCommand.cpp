#include "core/modDBCommand.h"

#include "core/Database.h"
#include "core/JetSql.h"

#include <QRegularExpression>

QString DbPath;
QString SqlText;
QString SqlMessage;

QString ConnectionString() {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + DbPath +
           QStringLiteral(";Jet OLEDB:Database Password=qmvtrpelhwz");
}

namespace {
bool isCommand(const QString& firstWord) {
    const QString w = firstWord.toUpper();
    return w == QLatin1String("INSERT") || w == QLatin1String("DELETE") || w == QLatin1String("UPDATE") ||
           w == QLatin1String("EXECUTE");
}
} // namespace

RecordsetPtr ExecuteSql(const QString& statement, QString& message) {
    const QString trimmed = statement.trimmed();
    const QString firstWord = trimmed.section(QRegularExpression(QStringLiteral("\\s")), 0, 0);
    QString error;
    sqlite3* db = Database::shared(ConnectionString(), &error);
    if (!db) {
        message = QStringLiteral("查询错误: ") + error;
        return nullptr;
    }
    const QString sql = JetSql::translate(trimmed);
    if (isCommand(firstWord)) {
        const bool ok = Database::transaction(db, &error, [&] {
            auto st = SqlCipher::prepare(db, sql, &error);
            if (!st)
                return false;
            const int rc = sqlite3_step(st.get());
            if (rc == SQLITE_DONE || rc == SQLITE_ROW)
                return true;
            error = SqlCipher::lastError(db);
            return false;
        });
        message = ok ? firstWord + QStringLiteral(" query successful") : QStringLiteral("查询错误: ") + error;
        return nullptr;
    }
    const auto up = JetSql::updatable(sql);
    RecordsetPtr rs = up.table.isEmpty() ? Recordset::open(db, sql, QString(), false, &error)
                                         : Recordset::open(db, up.sqlWithRowid, up.table, true, &error);
    if (!rs) {
        message = QStringLiteral("查询错误: ") + error;
        return nullptr;
    }
    message = QStringLiteral("查询到") + QString::number(rs->RecordCount()) + QStringLiteral(" 条记录 ");
    return rs;
}
