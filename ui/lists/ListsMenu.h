#pragma once
class mdiTobrin;

// Connects the classification editors to the administration menu.
void WireListsMenu(mdiTobrin& window);
