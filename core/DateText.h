#pragma once
// The system's one short date form, yyyy-MM-dd, for text boxes, grid cells and SQL literals.
#include <QDate>
#include <QString>
#include <optional>

namespace DateText {
QString format(const QDate& d);
// Accepts yyyy-M-d with one- or two-digit month and day ("2026-8-1", "2026-08-01"), also with
// '/' or '.' between the parts. Anything else, or an impossible date, gives nullopt.
std::optional<QDate> parse(const QString& text);
} // namespace DateText
