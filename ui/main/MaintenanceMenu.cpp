#include "ui/main/MaintenanceMenu.h"

#include "ui/main/Maintenance.h"
#include "ui/main/mdiTobrin.h"

void WireMaintenanceMenu(mdiTobrin& window) {
    mdiTobrin* w = &window;
    window.wire(QStringLiteral("mnuBackup"), [w] { Maintenance::RunBackup(w); });
    window.wire(QStringLiteral("mnuRestore"), [w] { Maintenance::RunRestore(w); });
    window.wire(QStringLiteral("mnuCompDB"), [w] { Maintenance::RunCompact(w); });
}
