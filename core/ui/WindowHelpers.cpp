#include "core/ui/WindowHelpers.h"

#include <QMdiSubWindow>
#include <QPushButton>

void CloseChildWindow(QWidget* w) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        frame->close();
    else
        w->close();
}

void NoDefaultButton(QWidget& dialog) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
}
