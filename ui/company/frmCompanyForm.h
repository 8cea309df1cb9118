#pragma once
// The two company entry dialogs. frmAddCompany adds a row to 企业; frmEditCompany changes the
// row whose number was in SelectedId when it was made, after the list filled its fields.
#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;

class CompanyForm : public QDialog {
    Q_OBJECT
public:
    // True once typed or picked input would be lost by closing.
    bool IsDirty() const { return m_dirty; }
    // Cancel, Esc and the close box all come here: a changed dialog asks first.
    void reject() override;

protected:
    enum class Mode { Add, Edit };
    CompanyForm(Mode mode, QWidget* parent);
    void showEvent(QShowEvent* e) override;
    QLineEdit* box(int column) const { return m_boxes[column]; }

private:
    void save();
    void pickKind();
    void pickIndustry();
    QString callerTag() const;

    Mode m_mode;
    long m_id = 0;
    bool m_dirty = false;
    bool m_shownOnce = false;
    QLineEdit* m_boxes[11] = {}; // by column of 企业; 0 unused
};

class frmAddCompany final : public CompanyForm {
    Q_OBJECT
public:
    explicit frmAddCompany(QWidget* parent = nullptr);
};

class frmEditCompany final : public CompanyForm {
    Q_OBJECT
public:
    // Takes the company number from SelectedId.
    explicit frmEditCompany(QWidget* parent = nullptr);
    // Fills the ten fields from a list row: cells[i] is column i of 企业 (cells[0], the number, is not
    // shown).
    void fill(const QStringList& cells);
};
