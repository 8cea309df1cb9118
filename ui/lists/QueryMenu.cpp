#include "ui/lists/QueryMenu.h"

#include "ui/lists/QueryWindow.h"
#include "ui/main/mdiTobrin.h"

void WireQueryMenu(mdiTobrin& window) {
    window.wire(QStringLiteral("mnuCompanyQuery"), [&window] { window.showChild<mdiCompanyQuery>(); });
    window.wire(QStringLiteral("mnuLinkmanQuery"), [&window] { window.showChild<mdiLinkmanQuery>(); });
}
