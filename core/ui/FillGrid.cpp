#include "core/ui/FillGrid.h"

#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "core/ui/Grid.h"

void FillGrid(Grid& grid, const QString& table, const QString& condition) {
    if (!GridFillEnabled)
        return;
    SqlText = QStringLiteral("select * from") + table;
    if (!condition.isEmpty())
        SqlText += condition;
    SqlMessage.clear();
    auto rs = ExecuteSql(SqlText, SqlMessage);
    if (!IsSqlError(SqlMessage) && rs) {
        grid.Clear();
        grid.Bind(*rs);
        // Only a filter can find nothing; an order clause alone lists the whole table.
        const bool filtered = condition.trimmed().startsWith(QLatin1String("where"), Qt::CaseInsensitive);
        if (filtered && rs->RecordCount() == 0)
            Prompt::message(QStringLiteral("没有找到任何数据！"), QStringLiteral("提示"), Prompt::Icon::Information,
                            Prompt::Buttons::OkCancel);
        rs->Close();
    } else {
        Prompt::error(SqlMessage);
    }
    grid.Refresh();
}
