#pragma once
class mdiTobrin;
// "农历日期查阅" opens the calendar window, modal.
void WireCalendarMenu(mdiTobrin& window);
