#pragma once
// The three maintenance commands of the administration menu: they ask, show progress and report
// through the prompt service; the file work is in core/Maintenance.h.
class QWidget;

namespace Maintenance {

void RunBackup(QWidget* parent);
void RunRestore(QWidget* parent);
void RunCompact(QWidget* parent);

} // namespace Maintenance
