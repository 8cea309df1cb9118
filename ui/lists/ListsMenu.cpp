#include "ui/lists/ListsMenu.h"

#include "core/Prompt.h"
#include "ui/lists/frmCKind.h"
#include "ui/lists/frmIndustry.h"
#include "ui/lists/frmLKind.h"
#include "ui/main/mdiTobrin.h"

namespace {
// From the menu the editors are plain editors: no caller tag, no selection area.
template <typename T> void showEditor(mdiTobrin* window) {
    T editor(window);
    Prompt::exec(editor);
}
} // namespace

void WireListsMenu(mdiTobrin& window) {
    mdiTobrin* w = &window;
    window.wire(QStringLiteral("mnuCompanyKind"), [w] { showEditor<frmCKind>(w); });
    window.wire(QStringLiteral("mnuIndustry"), [w] { showEditor<frmIndustry>(w); });
    window.wire(QStringLiteral("mnuLinkmanKind"), [w] { showEditor<frmLKind>(w); });
}
