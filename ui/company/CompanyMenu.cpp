#include "ui/company/CompanyMenu.h"

#include "core/Prompt.h"
#include "ui/company/frmCompanyForm.h"
#include "ui/company/mdiCompany.h"
#include "ui/main/mdiTobrin.h"

void WireCompanyMenu(mdiTobrin& window) {
    mdiTobrin* w = &window;
    // Editing and deleting happen in the list, so those items open it too.
    for (const char* item : {"mnuCompanyList", "mnuCompanyEdit", "mnuCompanyDel"})
        window.wire(QString::fromLatin1(item), [w] { w->showChild<mdiCompany>(); });
    window.wire(QStringLiteral("mnuCompanyAdd"), [w] {
        frmAddCompany dialog(w);
        Prompt::exec(dialog);
    });
}
