#pragma once
// Connects 备份数据库, 恢复数据库 and 压缩数据库 of the main menu.
class mdiTobrin;

void WireMaintenanceMenu(mdiTobrin& window);
