#pragma once
class mdiTobrin;
// "企业单位高级信息查询" and "联系人高级信息查询".
void WireQueryMenu(mdiTobrin& window);
