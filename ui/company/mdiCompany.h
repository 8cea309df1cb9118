#pragma once
// The company list: all companies in a grid, a one-field search, and the way to add, edit and
// delete companies and to reach a company's contacts and visits.
#include <QWidget>
#include <functional>

class Grid;
class QComboBox;
class QLineEdit;
class QPushButton;

class mdiCompany : public QWidget {
    Q_OBJECT
public:
    explicit mdiCompany(QWidget* parent = nullptr);

    // Links to windows of other libraries, set by them at wiring time. A button whose hook is
    // empty stays disabled.
    // "所属员工": the contact list filtered to this company.
    static inline std::function<void(long companyId)> ShowStaff;
    // "拜访记录": the visits whose visited company is this one.
    static inline std::function<void(long companyId, const QString& name)> ShowVisits;
    // "添加拜访": a new visit with this company as the visited one.
    static inline std::function<void(long companyId, const QString& name)> AddVisit;

    // Fills the grid from 企业 with a condition (" where …", may be empty), for windows that
    // show their results here.
    void LoadCondition(const QString& condition);

    Grid* grid() const { return m_grid; }
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void loadAll(const QString& table = QStringLiteral(" [企业]"));
    void loadFieldNames();
    void keywordLeft();
    void query();
    void addCompany();
    void editCompany();
    void deleteCompany();
    void personList();
    void visitList();
    void visitAdd();
    void updateHookButtons();
    void layoutControls();
    bool isCompanyNumberItem() const;

    Grid* m_grid;
    QComboBox* m_item;
    QLineEdit* m_keyword;
    QPushButton* m_query;
    QPushButton* m_clear;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_del;
    QPushButton* m_person;
    QPushButton* m_visits;
    QPushButton* m_visitAdd;
    bool m_shownOnce = false;
};
