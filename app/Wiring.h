#pragma once
#include "ui/main/Startup.h"

class mdiTobrin;

// Connects every menu item whose window exists to that window.
void WireMainMenu(mdiTobrin& window);
// The start-up hooks of the whole program (cipher window, tray, login).
StartupHooks ProgramHooks();
