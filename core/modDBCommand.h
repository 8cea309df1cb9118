#pragma once
// The only way to the database: a window builds SQL text, calls ExecuteSql and treats the call as
// failed when the message contains "查询错误".
#include "core/Recordset.h"

#include <QString>

extern QString DbPath;
extern QString SqlText;
extern QString SqlMessage;

QString ConnectionString();

// Runs one statement on the shared connection. Commands (first word INSERT, DELETE, UPDATE or
// EXECUTE) give "<word> query successful" and no recordset; queries give "查询到N 条记录 " and
// the rows; failures "查询错误: <reason>" and no recordset.
RecordsetPtr ExecuteSql(const QString& statement, QString& message);

// True when a message from ExecuteSql reports a failure.
inline bool IsSqlError(const QString& message) { return message.contains(QStringLiteral("查询错误")); }
