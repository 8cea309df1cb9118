#include "tests/support/TempHome.h"

#include "core/Database.h"
#include "core/ProgramFolder.h"
#include "core/SqlCipher.h"
#include "core/modDBCommand.h"

#include <QDir>
#include <QProcess>

TempHome::TempHome(Content content) {
    Database::closeShared();
    QString error;
    m_ok = m_dir.isValid() && initDb(m_dir.path(), content == Demo, &error);
    if (!m_ok)
        qWarning("TempHome: %s", qPrintable(error));
    SetProgramFolder(m_dir.path());
    SetWaveFiles(m_dir.path());
    DbPath = db();
}

TempHome::~TempHome() { Database::closeShared(); }

QString TempHome::db() const { return file(QStringLiteral("Tobrin.dat")); }
QString TempHome::file(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

bool TempHome::initDb(const QString& home, bool demo, QString* error) {
    const QString tool = qEnvironmentVariable("TOBRIN_INITDB");
    if (tool.isEmpty()) {
        *error = QStringLiteral("TOBRIN_INITDB is not set");
        return false;
    }
    QProcess p;
    QStringList args;
    if (demo)
        args << QStringLiteral("--demo");
    args << home;
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QString::fromLocal8Bit(p.readAllStandardError()) + p.errorString();
        return false;
    }
    return true;
}

bool TempHome::raw(const QString& sql, QString* error) const {
    QString e;
    const auto target = Database::parseConnectionString(ConnectionString());
    auto handle = SqlCipher::open(db(), target.key, false, &e);
    const bool ok = handle && SqlCipher::exec(handle.get(), sql.toUtf8().constData(), &e);
    if (error)
        *error = e;
    return ok;
}
