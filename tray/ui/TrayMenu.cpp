#include "tray/ui/TrayMenu.h"

#include "tray/ui/frmOption.h"
#include "tray/ui/frmSystray.h"
#include "ui/main/mdiTobrin.h"

void WireTrayMenu(mdiTobrin& window) {
    window.wire(QStringLiteral("mnuSysSet"), [] { frmOption::showWindow(); });
}

void AddTrayHooks(StartupHooks& hooks) {
    hooks.loadTray = [] { frmSystray::load(); };
}
