#pragma once
// Starting with the session: the XDG autostart entry tobrin.desktop in the user's own folder
// ($XDG_CONFIG_HOME/autostart, by default ~/.config/autostart). Unregistered, the entry stays
// with Hidden=true so that a system-wide copy of the same name is masked too.
#include <QString>

namespace AutoStartEntry {

QString path();
// The Exec value: the program, and --home when the program folder is not the program's own.
QString execLine(const QString& program, const QString& programFolder);
// Writes the entry; false when it could not be written (the caller keeps quiet about it).
bool write(bool registered, const QString& program, const QString& programFolder);

} // namespace AutoStartEntry
