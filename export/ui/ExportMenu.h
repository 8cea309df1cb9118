#pragma once
class mdiTobrin;

// Connects "倒出数据到Excel" (mnuDBtoExcel) to the export dialog.
void WireExportMenu(mdiTobrin& window);
