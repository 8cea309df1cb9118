#pragma once
#include <QString>

class Grid;

// Loads "select * from" + table + condition into the grid (does nothing while GridFillEnabled
// is false). A filtered load that finds nothing says "没有找到任何数据！"; a failed query shows
// the "错误" box and leaves the grid as it was.
void FillGrid(Grid& grid, const QString& table, const QString& condition);
