#pragma once
// The options dialog: the settings row as check boxes and lists, saved in one write to
// 参数设置 and AppSettings, and the autostart entry. Modeless; one at a time.
#include <QDate>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;

class frmOption : public QDialog {
    Q_OBJECT
public:
    explicit frmOption(QWidget* parent = nullptr);

    // Creates and shows the window, or brings the open one to the front.
    static frmOption* showWindow();
    static frmOption* current();

    void save();

private:
    void fill();
    void updateEnabled();
    QCheckBox* box(const char* name, const char* caption);

    QCheckBox *chkAutoStart, *chkMiniStart, *chkSavePassword, *chkRing, *chkSort, *chkClickEdit,
        *chkShowSplash, *chkHoliday, *chkRemindWork, *chkRemindTomorrow;
    QComboBox *cboRemindTeam, *cboRemindTime, *cboWDay;
    QLabel* m_todayLabel;
    QDate m_shownDate; // the day named in the label, saved with the cycle position
};
