#pragma once
// Start-up: one instance, settings, splash, then the main window and tray or the login dialog.
#include <QStringList>
#include <functional>

struct StartupHooks {
    // Loads the hidden cipher window.
    std::function<void()> loadCipherWindow;
    // Puts the icon into the notification area, runs the reminder scan and starts the clock.
    std::function<void()> loadTray;
    // The login gate; when empty the main window and the tray come up directly.
    std::function<void()> showLogin;
};

enum class StartupResult {
    Running,        // windows are up; run the event loop
    AlreadyRunning, // another copy holds the lock: end silently
    DatabaseError,  // the "错误" box was shown: end
    FolderError,    // the program folder cannot be used; the "错误" box was shown: end
};

// `executableFolder` is where the program lies; --home or $TOBRIN_HOME override it.
StartupResult Startup(const QStringList& arguments, const QString& executableFolder,
                      const StartupHooks& hooks);

// The part of start-up after a successful login (or a direct start).
void ShowMainAndTray(const StartupHooks& hooks, bool showMain = true);

// Lets the next start take the single-instance lock (called on exit).
void ReleaseInstanceLock();
