#include "ui/visit/frmAddVisit.h"

#include "core/Prompt.h"
#include "core/modDBCommand.h"

frmAddVisit::frmAddVisit(QWidget* parent) : frmVisitForm(parent, Kind::Add) {}

std::shared_ptr<Recordset> frmAddVisit::openTarget() {
    SqlMessage.clear();
    SqlText = QStringLiteral("select * from [拜访] where [ID]=0");
    auto rs = ExecuteSql(SqlText, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return nullptr;
    }
    rs->AddNew();
    return rs;
}
