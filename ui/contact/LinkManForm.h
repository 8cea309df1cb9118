#pragma once
// What the contact add and edit dialogs share: the 24 fields of a 联系人 row, their layout and
// per-field behaviour, the changed flag and the question before typed input is thrown away.
#include <QDate>
#include <QDialog>
#include <QVariant>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class Recordset;

class LinkManForm : public QDialog {
    Q_OBJECT
public:
    bool IsDirty() const { return m_isDirty; }
    // Esc, the close box and cmdCancel all come here.
    void reject() override;

protected:
    LinkManForm(QWidget* parent, bool editForm);

    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

    // Text of the control of table column `col` (1…24, not 12).
    QString fieldText(int col) const;
    // Sets it as code does: a typing limit never cuts it, a kind not in its list is kept.
    void setFieldText(int col, const QString& text);
    bool remind() const;
    void setRemind(bool on);

    // The typed values, trimmed and checked. Nothing when the user was told what is wrong.
    struct Input {
        std::optional<QDate> birthday;
        std::optional<long> companyId;
    };
    std::optional<Input> checkedInput();
    // Sets one column, remembering the first failure.
    void put(Recordset& rs, int col, const QVariant& v);
    // Writes the row after the puts; tells the user and returns false when anything failed.
    bool finish(Recordset& rs);
    static QString columnName(int col);

    // Writes the row; true when it is stored and the dialog may close.
    virtual bool save() = 0;
    // After the fields are filled and the dialog is shown for the first time.
    virtual void firstShown() {}

    QLineEdit* m_companyId = nullptr;
    QLineEdit* m_companyName = nullptr;

private:
    QLineEdit* addLine(int col, const char* name, int limit = 50);
    void build(bool editForm);
    void trimAll();
    void trimBox(QObject* box);
    void markDirty() { m_isDirty = true; }
    void birthdayChanged(const QString& text);
    void showBirthdayInPicker(const std::optional<QDate>& d);

    QWidget* m_controls[25] = {};
    QComboBox* m_sex = nullptr;
    QComboBox* m_kind = nullptr;
    QCheckBox* m_remind = nullptr;
    QDateEdit* m_dpBirthday = nullptr;
    QPlainTextEdit* m_note = nullptr;
    int m_noteLimit = 255;
    QString m_noteLast;
    bool m_isDirty = false;
    bool m_shown = false;
    bool m_putFailed = false;
    QString m_putError;
};
