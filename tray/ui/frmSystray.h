#pragma once
// The hidden tray window: the notification icon and its menu, the reminder scan, the message
// history behind the popup, the hourly chime and the exit path of the whole program.
#include "tray/HourlyChime.h"
#include "tray/MessageHistory.h"
#include "tray/ReminderScan.h"
#include "tray/ui/frmMSG.h"

#include <QDate>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>
#include <memory>

class QAction;
class QMenu;
class QTimer;

class frmSystray : public QWidget {
    Q_OBJECT
public:
    explicit frmSystray(QWidget* parent = nullptr);
    ~frmSystray() override;

    // Loads the tray window once: icon, wave files, clock, then the first scan. Later calls return
    // the loaded one.
    static frmSystray* load();
    static frmSystray* instance();

    // Ends the program; safe from inside any modal window.
    void ExitSystem();
    bool exiting() const { return m_exiting; }
    QString getWHoliday(const QString& rule) const;

    // The reminder scan; a scan already running (its popup open) makes this do nothing.
    void runScan();
    void showNewReminder(const QString& text);
    void showPreviousMessage();
    void showNextMessage();
    void refreshMessages();
    void showMainForm();
    void openOptions();

    QMenu* trayMenu() const { return m_menu; }
    QAction* action(const QString& name) const;
    QSystemTrayIcon* trayIcon() const { return m_icon.get(); }
    frmMSG* popup() const { return m_popup; }
    const MessageHistory& history() const { return m_history; }
    ReminderScan& scan() { return m_scan; }
    QTimer* clockTimer() const { return m_clock; }
    QTimer* checkTimer() const { return m_check; }

public Q_SLOTS:
    void clockTick();
    void onIconActivated(QSystemTrayIcon::ActivationReason reason);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenu();
    void updateMessageMenu();
    frmMSG& ensurePopup();
    void closeOpenDialogs();
    void finishExit();

    QMenu* m_menu;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QPointer<frmMSG> m_popup;
    QTimer* m_clock;
    QTimer* m_check;
    MessageHistory m_history;
    ReminderScan m_scan;
    HourlyChime m_chime;
    QDate m_lastScanDay;
    bool m_scanning = false;
    bool m_exiting = false;
    int m_modalDepth = 0; // modal windows this window runs and waits for
};
