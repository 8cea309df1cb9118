#pragma once
// What the visit add and edit dialogs share: the fields of one row of [拜访], the pickers, the
// checks and the save. The two dialogs differ only in caption, defaults, picker tags and the
// row they write.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Recordset;

namespace VisitUi {
class DatePicker;
class LimitedLineEdit;
class LimitedTextEdit;
} // namespace VisitUi

class frmVisitForm : public QDialog {
    Q_OBJECT
public:
    // Set by every change of a box or list; cleared once the dialog is ready for the user.
    bool IsDirty = false;

    // Sets the boxes of columns 1 to 16 from texts in column order (as the visit list copies
    // a grid row); the three lists take any text.
    void setColumns(const QStringList& texts);

    void reject() override;

protected:
    enum class Kind { Add, Edit };
    frmVisitForm(QWidget* parent, Kind kind);
    void showEvent(QShowEvent* e) override;

    // Opens the recordset positioned where the values go; false after telling the user.
    virtual std::shared_ptr<Recordset> openTarget() = 0;

    QLineEdit* txtVisited;
    QLineEdit* txtVisit;
    QLineEdit* txtVisitor;
    QLineEdit* txtLinkMan[2];
    QLineEdit* txtRecord;
    QLineEdit* txtVisitStart;
    QLineEdit* txtVisitEnd;
    QLineEdit* txtRemindStart;
    QLineEdit* txtRemindEnd;
    QComboBox* cboOver;
    QComboBox* cboImportant;
    QComboBox* cboRemind;
    VisitUi::LimitedLineEdit* txtIntent;
    VisitUi::LimitedTextEdit* txtProject;
    VisitUi::LimitedTextEdit* txtNote;
    QPushButton* cmdSave;
    QPushButton* cmdCancel;

private:
    struct DateBox {
        QLineEdit* box;
        VisitUi::DatePicker* picker;
        const char* column;
    };

    QLineEdit* dateRow(const QString& box, const QString& picker, const char* column, QWidget* parent,
                       QWidget** rowOut);
    void pickCompany(int element);
    void pickPerson(int element);
    // Focuses the first empty step after step `after` (-1: from the start).
    void focusNextStep(int after, bool requiredOnly = false);
    void save();
    void markDirty() { IsDirty = true; }

    Kind m_kind;
    bool m_shownOnce = false;
    QList<DateBox> m_dates;
};
