#pragma once
// Lists contacts (optionally of one company) and writes the chosen name into a person box of
// the visit form that opened it.
#include <QDialog>
#include <QPointer>

class Grid;

class frmSelectLinkMan : public QDialog {
    Q_OBJECT
public:
    // Loads the list at once: all contacts when `companyId` < 1, else that company's.
    frmSelectLinkMan(QWidget* opener, long companyId, const QString& mode);
    static void pick(QWidget* opener, long companyId, const QString& mode);

private:
    void select();

    QPointer<QWidget> m_opener;
    QString m_mode;
    Grid* m_grid;
};
