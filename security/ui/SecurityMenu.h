#pragma once
// The security library's part of the program: the password change on the main menu, and the
// cipher window and the login at start-up.
#include "ui/main/Startup.h"

class mdiTobrin;

void WireSecurityMenu(mdiTobrin& window);
void AddSecurityHooks(StartupHooks& hooks);
