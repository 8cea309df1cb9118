#pragma once
// A program folder with a fresh Tobrin.dat holding many contacts, for the benchmarks.
#include <QString>

namespace BenchData {
// Runs the init tool in `home`, adds `contacts` contacts and sets DbPath. False with a message
// on stderr when anything failed.
bool makeContacts(const QString& home, int contacts);
} // namespace BenchData
