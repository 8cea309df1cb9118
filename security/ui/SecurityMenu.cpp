#include "security/ui/SecurityMenu.h"

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
    // A login brings up what the other hooks load, so these are added last.
    hooks.showLogin = [after = hooks] { frmLogin::Show(after); };
}
