#pragma once
// The contact list: a grid of 联系人, a one-field search, and the commands on the selected contact.
#include <QWidget>
#include <functional>

class Grid;
class QComboBox;
class QLineEdit;
class QPushButton;

class mdiLinkMan : public QWidget {
    Q_OBJECT
public:
    explicit mdiLinkMan(QWidget* parent = nullptr);

    // Lists the contacts of a condition (" where …"), for windows that show their results here.
    void LoadCondition(const QString& condition);
    Grid* grid() const { return m_grid; }

    // Set by the visits library: lists the visits of a contact. "约会记录" is disabled while empty.
    static inline std::function<void(const QString& contactName)> ShowVisits;
    // Set by the visits library: a new visit with the contact as visited person. "添加约会" is
    // disabled while empty.
    static inline std::function<void(const QString& contactName)> AddVisit;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QString orderClause() const;
    void reload();
    bool numberItem() const;
    void normaliseKeyword();
    void query();
    void add();
    void edit();
    void remove();
    void showCompany();
    // Trimmed name of the selected contact; empty when none.
    QString selectedName() const;
    void updateHookButtons();

    Grid* m_grid;
    QComboBox* m_item;
    QLineEdit* m_keyword;
    QPushButton* m_visitList;
    QPushButton* m_visitAdd;
};
