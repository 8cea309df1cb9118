#pragma once
// The shared body of the three classification editors: a grid of one table (key, name) with
// add, rename and delete, and, for the company kinds and industries, a selection area that
// returns a name into the company dialog that opened it.
#include <QDialog>
#include <QPointer>

class Grid;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class ClassListEditor : public QDialog {
    Q_OBJECT
public:
    void setCaller(const QString& tag) { m_tag = tag; }
    QString caller() const { return m_tag; }
    // The selection area is off unless a company dialog turns it on.
    void setSelectionEnabled(bool on);
    bool selectionEnabled() const;

    // What differs between the three editors.
    struct Config {
        const char* dialogName;
        const char* caption;
        const char* table;
        const char* keyColumn;
        const char* nameColumn;
        const char* gridName;
        // Selection area; dialog without one when selFrame is null.
        const char* selFrame;
        const char* selFrameCaption;
        const char* selBox;
        const char* targetField; // the company dialog's box that receives the choice
        bool selNeedsRow;
        // Delete area of its own (contact kinds); otherwise delete sits with rename.
        const char* delFrame;
        const char* delFrameCaption;
        const char* delBox;
        const char* editFrameCaption;
        const char* editBox;
        const char* addFrameCaption;
        const char* addBox;
        const char* editButton;
        const char* delButton;
        const char* addButton;
        const char* label;
        const char* addMessage;
        const char* renameMessage;
    };

protected:
    ClassListEditor(const Config& config, QWidget* opener);
    void showEvent(QShowEvent* e) override;

private:
    void load();
    void clicked();
    void doubleClicked();
    void add();
    void rename();
    void remove();
    void select();
    long currentKey() const;
    QString currentName() const;
    QString tableName() const;

    const Config& m_cfg;
    QPointer<QWidget> m_opener;
    QString m_tag;
    Grid* m_grid;
    QGroupBox* m_selFrame = nullptr;
    QLineEdit* m_sel = nullptr;
    QLineEdit* m_del = nullptr;
    QLineEdit* m_edit;
    QLineEdit* m_add;
    QCheckBox* m_unload;
};
