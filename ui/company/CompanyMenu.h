#pragma once
class mdiTobrin;

// Connects the company list and the add dialog to the company menu.
void WireCompanyMenu(mdiTobrin& window);
