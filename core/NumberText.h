#pragma once
// The one reading of a typed number keyword: an optional sign, digits and an optional fraction,
// rounded to a whole number with halves to even (12.5 → 12, 13.5 → 14, "007" → 7). Anything
// else, or a value outside 32 bits, gives nullopt.
#include <QString>
#include <optional>

namespace NumberText {
std::optional<qint32> toLong(const QString& keyword);
}
