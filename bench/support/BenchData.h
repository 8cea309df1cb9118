#pragma once
// A program folder with a fresh Tobrin.dat holding many contacts, for the benchmarks.
#include <QDate>
#include <QString>

namespace BenchData {
// Runs the init tool in `home`, adds `contacts` contacts and sets DbPath. False with a message
// on stderr when anything failed.
// Every `remindEvery`-th contact wants a birthday reminder.
bool makeContacts(const QString& home, int contacts, int remindEvery = 1);
// Adds companies named "<city>第<n>贸易有限公司" over ten cities to DbPath.
bool addCompanies(int companies);
// Adds visits around a date to DbPath, every second one with a reminder period.
bool addVisits(int visits, const QDate& around);
} // namespace BenchData
