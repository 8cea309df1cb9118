#pragma once
// The password change, opened modal from mnuPasswordEdit; made for each opening.
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmEditPassword : public QDialog {
    Q_OBJECT

public:
    explicit frmEditPassword(QWidget* parent = nullptr);

private:
    void cmdSave_Click();

    QLabel* m_picture1;
    QGroupBox* m_fraPassword;
    QLabel* m_label1[3];
    QLineEdit* m_txtPassword[3];
    QCheckBox* m_chkShowPassword = nullptr;
    QPushButton* m_cmdSave;
    QPushButton* m_cmdCancel;
};
