#include "ui/contact/ContactMenu.h"

#include "core/Prompt.h"
#include "ui/company/mdiCompany.h"
#include "ui/contact/frmAddLinkMan.h"
#include "ui/contact/mdiLinkMan.h"
#include "ui/main/mdiTobrin.h"

void WireContactMenu(mdiTobrin& window) {
    auto showList = [] { mdiTobrin::instance()->showChild<mdiLinkMan>(); };
    window.wire(QStringLiteral("mnuLinkmanList"), showList);
    window.wire(QStringLiteral("mnuLinkmanEdit"), showList);
    window.wire(QStringLiteral("mnuLinkmanDel"), showList);
    window.wire(QStringLiteral("mnuLinkmanAdd"), [&window] {
        frmAddLinkMan form(&window);
        Prompt::exec(form);
    });
    mdiCompany::ShowStaff = [](long companyId) {
        mdiTobrin::instance()->showChild<mdiLinkMan>()->LoadCondition(QStringLiteral(" where [企业编号]=") +
                                                                      QString::number(companyId));
    };
}
