#include "app/Wiring.h"
#include "core/ui/QtPrompt.h"
#include "core/ui/QtSound.h"
#include "ui/main/mdiTobrin.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Tobrin"));
    // The program lives in its hidden windows and the tray; it ends only through ExitSystem.
    app.setQuitOnLastWindowClosed(false);
    QtPrompt prompt;
    Prompt::install(&prompt);
    QtSound sound;
    SoundPlayer::install(&sound);

    WireMainMenu(*mdiTobrin::instance());
    const StartupResult r = Startup(app.arguments(), QCoreApplication::applicationDirPath(), ProgramHooks());
    if (r == StartupResult::AlreadyRunning)
        return 0;
    if (r == StartupResult::DatabaseError || r == StartupResult::FolderError)
        return 1;
    const int code = app.exec();
    ReleaseInstanceLock();
    Prompt::install(nullptr);
    SoundPlayer::install(nullptr);
    return code;
}
