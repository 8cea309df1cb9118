#include "core/ProgramFolder.h"

#include <QDir>

namespace {
QString folder;
}

QString ResolveProgramFolder(const QStringList& arguments, const QString& executableFolder) {
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--home") && i + 1 < arguments.size())
            return QDir(arguments[i + 1]).absolutePath();
        if (arguments[i].startsWith(QLatin1String("--home=")))
            return QDir(arguments[i].mid(7)).absolutePath();
    }
    const QString env = qEnvironmentVariable("TOBRIN_HOME");
    if (!env.isEmpty())
        return QDir(env).absolutePath();
    return executableFolder;
}

QString ProgramFolder() { return folder; }
void SetProgramFolder(const QString& f) { folder = f; }
