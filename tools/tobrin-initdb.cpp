// Creates a new Tobrin.dat: the eight tables, the settings row, classification lists and
// festivals; with --demo also sample companies, contacts and visits.
#include "core/Database.h"
#include "core/Schema.h"
#include "core/SqlCipher.h"
#include "core/modDBCommand.h"
#include "tools/DemoData.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

namespace {
int usage() {
    std::fprintf(
        stderr, "usage: tobrin-initdb [--demo] [--force] HOME\n"
                "  creates HOME/Tobrin.dat; --demo adds sample records; --force replaces an existing file\n");
    return 2;
}

int fail(const QString& what) {
    std::fprintf(stderr, "tobrin-initdb: %s\n", what.toLocal8Bit().constData());
    return 1;
}

// Puts the program's wave files and readme beside the database, keeping any the user has.
bool putCompanionFiles(const QString& home, QString* error) {
    const QDir dir(home);
    if (!dir.mkpath(QStringLiteral("wave"))) {
        *error = QStringLiteral("cannot create folder %1").arg(dir.filePath(QStringLiteral("wave")));
        return false;
    }
    const QStringList files = {QStringLiteral("wave/Cuckoo.wav"), QStringLiteral("wave/Notify.wav"),
                               QStringLiteral("wave/Del.wav"), QStringLiteral("readme.txt")};
    for (const QString& name : files) {
        const QString target = dir.filePath(name);
        if (QFileInfo::exists(target))
            continue;
        QFile source(QStringLiteral(":/") + name);
        QSaveFile out(target);
        if (!source.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) ||
            out.write(source.readAll()) != source.size() || !out.commit()) {
            *error = QStringLiteral("cannot write %1: %2").arg(target, out.errorString());
            return false;
        }
    }
    return true;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool demo = false, force = false;
    QString home;
    for (const QString& a : app.arguments().mid(1)) {
        if (a == QLatin1String("--demo"))
            demo = true;
        else if (a == QLatin1String("--force"))
            force = true;
        else if (a.startsWith(QLatin1String("-")) || !home.isEmpty())
            return usage();
        else
            home = a;
    }
    if (home.isEmpty())
        return usage();
    if (!QDir().mkpath(home))
        return fail(QStringLiteral("cannot create folder %1").arg(home));
    DbPath = QDir(home).absoluteFilePath(QStringLiteral("Tobrin.dat"));
    if (QFileInfo::exists(DbPath) && !force)
        return fail(QStringLiteral("%1 exists; use --force to replace it").arg(DbPath));

    // Built beside the target and renamed into place, so a failed run leaves no half file.
    const QString temp = DbPath + QStringLiteral(".new");
    QFile::remove(temp);
    QString error;
    {
        const auto target = Database::parseConnectionString(ConnectionString());
        auto db = SqlCipher::open(temp, target.key, true, &error);
        if (!db)
            return fail(error);
        const bool ok = Database::transaction(db.get(), &error, [&] {
            for (const Schema::Table& t : Schema::tables()) {
                if (!SqlCipher::exec(db.get(), Schema::createStatement(t).toUtf8().constData(), &error))
                    return false;
            }
            return InitDb::fillBase(db.get(), &error) &&
                   (!demo || InitDb::fillDemo(db.get(), QDate::currentDate(), &error));
        });
        if (!ok) {
            db.reset();
            QFile::remove(temp);
            return fail(error);
        }
    }
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(DbPath).constData()) != 0)
        return fail(QStringLiteral("cannot rename %1 to %2").arg(temp, DbPath));
    if (!putCompanionFiles(home, &error))
        return fail(error);
    std::printf("created %s%s\n", DbPath.toLocal8Bit().constData(), demo ? " with demo records" : "");
    return 0;
}
