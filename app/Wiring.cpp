#include "app/Wiring.h"

#include "ui/main/mdiTobrin.h"

void WireMainMenu(mdiTobrin& window) {
    (void)window;
}

StartupHooks ProgramHooks() {
    StartupHooks hooks;
    return hooks;
}
