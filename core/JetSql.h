#pragma once
// The statements the windows build (bracketed names, #date# literals, LIKE) are turned into the
// engine's dialect here and nowhere else.
#include <QString>

namespace JetSql {

// `#yyyy-M-d#` outside quotes becomes 'yyyy-MM-dd'; everything else passes as it is.
QString translate(const QString& statement);

// For "select <columns> from <one table> [where …] [order by …]": the table name (brackets
// removed) and the statement with the rowid put in front of the columns. Empty when the
// statement is not such a select (joins, functions, several tables); it is then read-only.
struct Updatable {
    QString table;
    QString sqlWithRowid;
};
Updatable updatable(const QString& translated);

} // namespace JetSql

// The one way user text enters SQL.
namespace SqlQuote {
// 'text' with single quotes doubled.
QString text(const QString& value);
// " LIKE '%value%' ESCAPE '\'" with %, _ and \ in the value matching themselves.
QString like(const QString& value);
} // namespace SqlQuote
