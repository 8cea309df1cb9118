#include "tray/AutoStartEntry.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace AutoStartEntry {
namespace {
// One argument of Exec: always quoted, with ", `, $ and \ escaped inside the quotes; then the
// string escape of the file (\ doubled) and %% for a literal %.
QString quoted(const QString& arg) {
    QString q;
    for (const QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            q += QLatin1Char('\\');
        q += c;
    }
    q = QLatin1Char('"') + q + QLatin1Char('"');
    q.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    q.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return q;
}

bool sameFolder(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return ca.isEmpty() || cb.isEmpty() ? QDir::cleanPath(a) == QDir::cleanPath(b) : ca == cb;
}
} // namespace

QString path() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::home().filePath(QStringLiteral(".config"));
    return QDir(config).filePath(QStringLiteral("autostart/tobrin.desktop"));
}

QString execLine(const QString& program, const QString& programFolder) {
    QString line = quoted(program);
    if (!programFolder.isEmpty() && !sameFolder(programFolder, QFileInfo(program).absolutePath()))
        line += QStringLiteral(" --home ") + quoted(programFolder);
    return line;
}

bool write(bool registered, const QString& program, const QString& programFolder) {
    const QString file = path();
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Orvane商务名片管理系统\n"
                                        "Exec=%1\n"
                                        "Terminal=false\n"
                                        "Hidden=%2\n"
                                        "X-GNOME-Autostart-enabled=%3\n")
                             .arg(execLine(program, programFolder),
                                  registered ? QStringLiteral("false") : QStringLiteral("true"),
                                  registered ? QStringLiteral("true") : QStringLiteral("false"));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    return out.write(bytes) == bytes.size() && out.commit();
}

} // namespace AutoStartEntry
