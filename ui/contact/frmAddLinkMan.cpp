#include "ui/contact/frmAddLinkMan.h"

#include "core/Prompt.h"
#include "core/modDBCommand.h"

frmAddLinkMan::frmAddLinkMan(QWidget* parent) : LinkManForm(parent, false) {
    setObjectName(QStringLiteral("frmAddLinkMan"));
}

bool frmAddLinkMan::save() {
    const auto in = checkedInput();
    if (!in)
        return false;
    QString message;
    auto rs = ExecuteSql(QStringLiteral("select * from [联系人] where [联系人编号]=0"), message);
    if (IsSqlError(message) || !rs) {
        Prompt::error(message);
        return false;
    }
    rs->AddNew();
    auto optional = [&](int col) {
        const QString t = fieldText(col);
        if (!t.isEmpty())
            put(*rs, col, t);
    };
    put(*rs, 1, fieldText(1));
    optional(2);
    put(*rs, 3, fieldText(3));
    for (int col = 4; col <= 10; ++col)
        optional(col);
    if (in->birthday)
        put(*rs, 11, *in->birthday);
    put(*rs, 12, remind() ? QStringLiteral("提醒") : QStringLiteral("不提醒"));
    for (int col = 13; col <= 17; ++col)
        optional(col);
    if (in->companyId)
        put(*rs, 18, qlonglong(*in->companyId));
    for (int col = 19; col <= 24; ++col)
        optional(col);
    const bool ok = finish(*rs);
    rs->Close();
    return ok;
}
