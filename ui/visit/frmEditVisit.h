#pragma once
// Edits the visit numbered `visitId` (SelectedId when the list window opens it); the opener
// fills the fields before showing it.
#include "ui/visit/frmVisitForm.h"

class frmEditVisit : public frmVisitForm {
    Q_OBJECT
public:
    explicit frmEditVisit(QWidget* parent = nullptr);
    frmEditVisit(QWidget* parent, long visitId);
    long visitId() const { return m_id; }

protected:
    std::shared_ptr<Recordset> openTarget() override;

private:
    long m_id;
};
