#include "ui/contact/frmEditLinkMan.h"

#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"

#include <QLineEdit>

frmEditLinkMan::frmEditLinkMan(QWidget* parent) : LinkManForm(parent, true) {
    setObjectName(QStringLiteral("frmEditLinkMan"));
}

void frmEditLinkMan::FillFromRow(const QStringList& cells) {
    // The name first: it fills the initials, which the stored ones then replace.
    for (int col = 1; col <= 24; ++col) {
        if (col == 12)
            setRemind(cells.value(col) == QStringLiteral("提醒"));
        else
            setFieldText(col, cells.value(col));
    }
}

void frmEditLinkMan::firstShown() {
    if (m_companyId->text().isEmpty() || m_companyName->text().isEmpty()) {
        m_companyId->clear();
        m_companyName->clear();
    }
}

bool frmEditLinkMan::save() {
    const auto in = checkedInput();
    if (!in)
        return false;
    QString message;
    auto rs = ExecuteSql(
        QStringLiteral("select * from [联系人] where [联系人编号]=") + QString::number(SelectedId), message);
    if (IsSqlError(message) || !rs) {
        Prompt::error(message);
        return false;
    }
    if (rs->RecordCount() != 1) {
        Prompt::error(QStringLiteral("这个联系人已经不在数据库中（可能已被删除），修改没有保存。"));
        return false;
    }
    // An empty box stores the empty text, never Null.
    auto text = [&](int col) { put(*rs, col, fieldText(col)); };
    text(1);
    if (!fieldText(2).isEmpty())
        text(2);
    for (int col = 3; col <= 10; ++col)
        text(col);
    put(*rs, 11, in->birthday ? QVariant(*in->birthday) : QVariant());
    put(*rs, 12, remind() ? QStringLiteral("提醒") : QStringLiteral("不提醒"));
    for (int col = 13; col <= 17; ++col)
        text(col);
    const bool company = in->companyId && !m_companyName->text().isEmpty();
    put(*rs, 18, company ? qlonglong(*in->companyId) : qlonglong(0));
    put(*rs, 19, company ? m_companyName->text() : QStringLiteral(""));
    for (int col = 20; col <= 24; ++col)
        text(col);
    const bool ok = finish(*rs);
    rs->Close();
    return ok;
}
