#pragma once
// Text <-> bytes in the GBK code page (one byte per ASCII character, two per Chinese one).
#include <QByteArray>
#include <QString>
#include <optional>

namespace AnsiText {
// nullopt when the text holds a character that GBK cannot encode.
std::optional<QByteArray> toAnsi(const QString& text);
// Bytes that are not valid GBK come back as U+FFFD; NUL bytes come back as NUL characters.
QString fromAnsi(const QByteArray& bytes);
} // namespace AnsiText
