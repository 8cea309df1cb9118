#include "ui/main/Startup.h"

#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/Maintenance.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "ui/main/frmSplash.h"
#include "ui/main/mdiTobrin.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <memory>
#include <unistd.h>

namespace {
const char kLockName[] = ".tobrin.lock";
std::unique_ptr<QLockFile> instanceLock;

enum class LockState { Held, OtherCopy, Failed };

bool processAlive(qint64 pid) {
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// The lock names a process that still runs here, or one on another machine sharing the folder,
// whose state cannot be checked from here.
bool heldByRunningCopy(const QLockFile& lock) {
    qint64 pid = 0;
    QString host, app;
    if (!lock.getLockInfo(&pid, &host, &app))
        return false;
    return host != QSysInfo::machineHostName() || processAlive(pid);
}

// Why nothing can be written in `folder`, in the user's words.
QString folderProblem(const QString& folder) {
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return QStringLiteral("这是一个文件，不是文件夹");
    if (!info.exists()) {
        // The nearest part of the path that exists tells whether a file stands in the way.
        QString up = folder;
        while (!QFileInfo::exists(up) && QFileInfo(up).absolutePath() != up)
            up = QFileInfo(up).absolutePath();
        if (QFileInfo::exists(up) && !QFileInfo(up).isDir())
            return QStringLiteral("%1 是一个文件，不是文件夹").arg(up);
        return QStringLiteral("文件夹不存在");
    }
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return errno == EROFS ? QStringLiteral("它所在的磁盘只能读取，不能写入")
                              : QStringLiteral("没有在其中写入文件的权限");
    return QStringLiteral("不能在其中建立锁文件 %1").arg(QString::fromLatin1(kLockName));
}

LockState takeInstanceLock(const QString& folder, QString* problem) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QString::fromLatin1(kLockName)));
        // A lock whose process is gone is stale at once, so a crash never blocks the next start.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            instanceLock = std::move(lock);
            return LockState::Held;
        }
        if (lock->error() != QLockFile::LockFailedError)
            break;
        if (heldByRunningCopy(*lock))
            return LockState::OtherCopy;
        // No running owner, yet the stale check kept the file: it names none (empty after a power
        // cut) or could not be removed. Removing it again is refused while a process holds it.
        if (!lock->removeStaleLockFile())
            break;
    }
    *problem = folderProblem(folder);
    return LockState::Failed;
}
} // namespace

void ReleaseInstanceLock() {
    instanceLock.reset();
}

void ShowMainAndTray(const StartupHooks& hooks, bool showMain) {
    if (showMain)
        mdiTobrin::instance()->show();
    if (hooks.loadTray)
        hooks.loadTray();
}

StartupResult Startup(const QStringList& arguments, const QString& executableFolder,
                      const StartupHooks& hooks) {
    const QString folder = ResolveProgramFolder(arguments, executableFolder);
    SetProgramFolder(folder);
    QString problem;
    switch (takeInstanceLock(folder, &problem)) {
    case LockState::Held:
        break;
    case LockState::OtherCopy:
        return StartupResult::AlreadyRunning;
    case LockState::Failed:
        Prompt::error(
            QStringLiteral("无法使用程序文件夹 %1: %2").arg(QDir::toNativeSeparators(folder), problem));
        return StartupResult::FolderError;
    }

    GridFillEnabled = true;
    if (hooks.loadCipherWindow)
        hooks.loadCipherWindow();
    DbPath = QDir(folder).filePath(QStringLiteral("Tobrin.dat"));
    // Only now: while another copy runs, its temporaries are in use.
    Maintenance::removeStaleTemporaries();

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
