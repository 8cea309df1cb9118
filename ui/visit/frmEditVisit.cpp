#include "ui/visit/frmEditVisit.h"

#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"

#include <QPushButton>

frmEditVisit::frmEditVisit(QWidget* parent) : frmEditVisit(parent, SelectedId) {}

frmEditVisit::frmEditVisit(QWidget* parent, long visitId) : frmVisitForm(parent, Kind::Edit), m_id(visitId) {}

std::shared_ptr<Recordset> frmEditVisit::openTarget() {
    SqlMessage.clear();
    SqlText = QStringLiteral("select * from [拜访] where [ID]=") + QString::number(m_id);
    auto rs = ExecuteSql(SqlText, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return nullptr;
    }
    // The row may have been deleted while the dialog was open.
    if (rs->RecordCount() != 1) {
        Prompt::error(QStringLiteral("查询错误: 编号为 ") + QString::number(m_id) +
                      QStringLiteral(" 的拜访记录已不存在，无法保存。"));
        return nullptr;
    }
    rs->MoveFirst();
    return rs;
}
