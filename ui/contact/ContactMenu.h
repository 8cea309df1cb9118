#pragma once
class mdiTobrin;

// Connects the contact menu items and the company list's "所属员工" button to the contact windows.
void WireContactMenu(mdiTobrin& window);
