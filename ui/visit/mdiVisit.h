#pragma once
// The list of visits and appointments: one-field query, optional range of work start dates,
// add, edit and delete.
#include <QDate>
#include <QWidget>

class Grid;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace VisitUi {
class DatePicker;
}

class mdiVisit : public QWidget {
    Q_OBJECT
public:
    explicit mdiVisit(QWidget* parent = nullptr);

    Grid& grid() const { return *grdVisitList; }

    void query();
    void addVisit();
    void editVisit();
    void deleteVisit();

private:
    void pickRange(int element, const QDate& d);
    QString rangeCondition() const;

    QComboBox* cboQueryItem;
    QLineEdit* txtKeyword;
    QLineEdit* txtDayQuery[2];
    VisitUi::DatePicker* dpQuery[2];
    Grid* grdVisitList;
    QDate m_range[2];
};
