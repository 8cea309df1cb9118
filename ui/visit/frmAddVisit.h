#pragma once
// Adds one visit or appointment: opens empty with today's registration date, or with the
// visited company or person already filled in by a list window.
#include "ui/visit/frmVisitForm.h"

class frmAddVisit : public frmVisitForm {
    Q_OBJECT
public:
    explicit frmAddVisit(QWidget* parent = nullptr);

protected:
    std::shared_ptr<Recordset> openTarget() override;
};
