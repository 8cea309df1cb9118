#pragma once
// The login gate shown by start-up: a first password on first use, three wrong passwords
// forgiven, the fourth ends the program; the right one brings up the main window and the tray.
#include "ui/main/Startup.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmLogin : public QWidget {
    Q_OBJECT

public:
    // `after` is what a successful login brings up (ShowMainAndTray).
    explicit frmLogin(const StartupHooks& after, QWidget* parent = nullptr);
    ~frmLogin() override;

    // The opening: reads the settings row and asks for a first password when none is set.
    // False when the program was ended (the window is then closing).
    bool Load();

    // Start-up's login step: Load, show, wait 100 ms, focus into txtPassword. nullptr when the
    // program ended while opening.
    static frmLogin* Show(const StartupHooks& after);
    // The open login window, or nullptr.
    static frmLogin* Instance();

    int WrongCount() const { return m_wrong; }

    // The banner text and colours.
    static QImage Banner(const QSize& size);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void cmdLogin_Click(int index);
    void EndProgram();

    StartupHooks m_after;
    qint16 m_wrong = 0;
    bool m_leaving = false;

    QLabel* m_pic1;
    QGroupBox* m_frame1;
    QLineEdit* m_txtPassword;
    QPushButton* m_cmdLogin[2];
};

// Ends the program from the login: lets the next start take the lock, closes every window
// (ExitSystem) and quits the main loop, also one that only starts after this call.
void EndProgramFromLogin();
