#pragma once
// The contact add dialog: empty fields stay Null in the new row.
#include "ui/contact/LinkManForm.h"

class frmAddLinkMan : public LinkManForm {
    Q_OBJECT
public:
    explicit frmAddLinkMan(QWidget* parent = nullptr);

protected:
    bool save() override;
};
