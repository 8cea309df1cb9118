#include "security/ui/SecurityMenu.h"

#include "app/Wiring.h"
#include "core/Prompt.h"
#include "security/ui/frmEditPassword.h"
#include "security/ui/frmJJM.h"
#include "security/ui/frmLogin.h"
#include "ui/main/mdiTobrin.h"

void WireSecurityMenu(mdiTobrin& window) {
    window.wire(QStringLiteral("mnuPasswordEdit"), [&window] {
        frmEditPassword dialog(&window);
        Prompt::exec(dialog);
    });
}

void AddSecurityHooks(StartupHooks& hooks) {
    hooks.loadCipherWindow = [] { frmJJM::Load(); };
    // The program's hooks are completed after these (the tray comes later), so what a login
    // brings up is filled in when the login is shown.
    hooks.showLogin = [captured = hooks] {
        StartupHooks after = captured;
        if (!after.loadTray)
            after.loadTray = ProgramHooks().loadTray;
        frmLogin::Show(after);
    };
}
