#include "ui/main/Startup.h"

#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/ProgramFolder.h"
#include "core/modDBCommand.h"
#include "ui/main/frmSplash.h"
#include "ui/main/mdiTobrin.h"

#include <QDir>
#include <QLockFile>
#include <memory>

namespace {
std::unique_ptr<QLockFile> instanceLock;

bool takeInstanceLock(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral(".tobrin.lock")));
    // A lock whose process is gone is stale at once, so a crash never blocks the next start.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    instanceLock = std::move(lock);
    return true;
}
} // namespace

void ReleaseInstanceLock() { instanceLock.reset(); }

void ShowMainAndTray(const StartupHooks& hooks, bool showMain) {
    if (showMain)
        mdiTobrin::instance()->show();
    if (hooks.loadTray)
        hooks.loadTray();
}

StartupResult Startup(const QStringList& arguments, const QString& executableFolder, const StartupHooks& hooks) {
    const QString folder = ResolveProgramFolder(arguments, executableFolder);
    SetProgramFolder(folder);
    if (!takeInstanceLock(folder))
        return StartupResult::AlreadyRunning;

    GridFillEnabled = true;
    if (hooks.loadCipherWindow)
        hooks.loadCipherWindow();
    DbPath = QDir(folder).filePath(QStringLiteral("Tobrin.dat"));

    AppSettings = AppSettingsRecord();
    SqlText = QStringLiteral("select * from [参数设置]");
    SqlMessage = LoadAppSettings();
    if (IsSqlError(SqlMessage)) {
        Prompt::error(SqlMessage);
        ReleaseInstanceLock();
        return StartupResult::DatabaseError;
    }

    std::unique_ptr<frmSplash> splash;
    if (AppSettings.ShowSplash) {
        splash = std::make_unique<frmSplash>();
        splash->show();
    }
    Pause(3000);
    splash.reset();

    if (AppSettings.AutoStart || !hooks.showLogin) {
        ShowMainAndTray(hooks, !(AppSettings.AutoStart && AppSettings.MiniStart));
    } else {
        hooks.showLogin();
    }
    return StartupResult::Running;
}
