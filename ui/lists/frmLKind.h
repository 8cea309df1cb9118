#pragma once
// Editor of the contact kinds (联系人性质). The contact dialogs read the table directly, so this
// one has no picker role.
#include "ui/lists/ClassListEditor.h"

class frmLKind final : public ClassListEditor {
    Q_OBJECT
public:
    explicit frmLKind(QWidget* parent = nullptr);
};
