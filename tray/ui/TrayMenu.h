#pragma once
// The tray library's part of the program: the options dialog on the main menu, and the tray
// window loaded at start-up.
#include "ui/main/Startup.h"

class mdiTobrin;

void WireTrayMenu(mdiTobrin& window);
void AddTrayHooks(StartupHooks& hooks);
