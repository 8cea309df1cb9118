#pragma once
// Editor of the company kinds (企业性质); also the kind picker of the company dialogs.
#include "ui/lists/ClassListEditor.h"

class frmCKind final : public ClassListEditor {
    Q_OBJECT
public:
    explicit frmCKind(QWidget* opener = nullptr);
    // Opens as a picker for `opener` (tag "AddCompany" or "EditCompany") and returns when closed.
    static void pick(QWidget* opener, const QString& tag);
};
