#include "export/ui/ExportMenu.h"

#include "core/Prompt.h"
#include "export/ui/frmToExcel.h"
#include "ui/main/mdiTobrin.h"

#include <QPointer>

void WireExportMenu(mdiTobrin& window) {
    window.wire(QStringLiteral("mnuDBtoExcel"), [&window] {
        // Guarded: the dialog belongs to the main window, which an exit may have freed by the
        // time exec returns.
        QPointer<frmToExcel> dialog = new frmToExcel(&window);
        Prompt::exec(*dialog);
        if (dialog)
            dialog->deleteLater();
    });
}
