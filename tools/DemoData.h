#pragma once
#include <QDate>
#include <QString>

struct sqlite3;

namespace InitDb {
// Classification lists, festivals and the settings row: what every new file holds.
bool fillBase(sqlite3* db, QString* error);
// Sample companies, contacts and visits around `today`.
bool fillDemo(sqlite3* db, const QDate& today, QString* error);
} // namespace InitDb
