#pragma once
// Lists all companies and writes the chosen one into the opener's fields, chosen by the caller
// tag (compared without regard to case).
#include <QDialog>
#include <QPointer>

class Grid;

class frmSelectCompany : public QDialog {
    Q_OBJECT
public:
    // `opener` is the dialog whose fields receive the choice.
    explicit frmSelectCompany(QWidget* opener);
    void setCaller(const QString& tag) { m_tag = tag; }
    QString caller() const { return m_tag; }

    // Loads, shows modally (through the prompt service) and returns when closed.
    static void pick(QWidget* opener, const QString& tag);

private:
    void select();

    QPointer<QWidget> m_opener;
    QString m_tag;
    Grid* m_grid;
};
