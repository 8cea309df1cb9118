#pragma once
// The contact edit dialog: rewrites the row numbered SelectedId; empty fields become "", no
// company becomes 0 and "".
#include "ui/contact/LinkManForm.h"

#include <QStringList>

class frmEditLinkMan : public LinkManForm {
    Q_OBJECT
public:
    explicit frmEditLinkMan(QWidget* parent = nullptr);
    // Fills the fields from the cells of a list row (index = table column, 0…24).
    void FillFromRow(const QStringList& cells);

protected:
    bool save() override;
    void firstShown() override;
};
