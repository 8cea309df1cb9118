#include "core/Maintenance.h"

#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/Database.h"
#include "core/ProgramFolder.h"
#include "core/Schema.h"
#include "core/SqlCipher.h"
#include "core/modDBCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Maintenance {
namespace {

// Damaged pages a check reports at most.
constexpr int kCheckLimit = 100;

QString systemError(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

// The engine's text, with the system's reason behind a vague "disk I/O error".
QString engineError(sqlite3* db) {
    QString text = SqlCipher::lastError(db);
    if (const int err = db ? sqlite3_system_errno(db) : 0)
        text += QStringLiteral("（%1）").arg(systemError(err));
    return text;
}

QByteArray databaseKey() {
    return Database::parseConnectionString(ConnectionString()).key;
}

QString absoluteDbPath() {
    return QFileInfo(DbPath).absoluteFilePath();
}

// The file a replace must land on: a symbolic link is followed, so the link stays and its
// target gets the new content (a link whose target is missing gets it created).
QString realPath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    return info.isSymLink() ? QFileInfo(info.symLinkTarget()).absoluteFilePath() : info.absoluteFilePath();
}

// Temporaries carry this mark before the random part, so the ones a crash left are known again.
const QString kTempMark = QStringLiteral(".tobrin-tmp-");

// A new empty file beside `target` with a unique name; empty on failure.
QString makeTemp(const QString& target, QString* error) {
    QByteArray pattern = QFile::encodeName(target + kTempMark + QStringLiteral("XXXXXX"));
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        *error = QStringLiteral("不能在 %1 建立临时文件：%2")
                     .arg(QFileInfo(target).absolutePath(), systemError(errno));
        return {};
    }
    ::close(fd);
    return QFile::decodeName(pattern);
}

void removeWithJournal(const QString& path) {
    if (path.isEmpty())
        return;
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

bool syncPath(const QString& path, bool directory, QString* error) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | (directory ? O_DIRECTORY : 0));
    if (fd < 0 || ::fsync(fd) != 0) {
        *error = QStringLiteral("不能把 %1 写入磁盘：%2").arg(path, systemError(errno));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

// The new file keeps the permissions of the one it replaces.
void copyMode(const QString& from, const QString& to) {
    struct stat st;
    if (::stat(QFile::encodeName(from).constData(), &st) == 0)
        ::chmod(QFile::encodeName(to).constData(), st.st_mode & 07777);
}

// Syncs `temp` and renames it over `target`, then syncs the folder so the rename itself lasts.
// A journal or WAL file of `target` left after its connection closed would be replayed into the
// new file, so the replace is refused then.
bool commitTemp(const QString& temp, const QString& target, QString* error) {
    for (const QString& name : {target, absoluteDbPath()}) {
        if (name != target && realPath(name) != target)
            continue; // the journal of the open database counts only when it is this file
        for (const char* side : {"-journal", "-wal"}) {
            if (QFileInfo::exists(name + QLatin1String(side))) {
                *error = QStringLiteral("%1 还有未完成的写入（%2），请重新启动程序后再试。")
                             .arg(target, name + QLatin1String(side));
                return false;
            }
        }
    }
    if (!syncPath(temp, false, error))
        return false;
    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0) {
        *error = QStringLiteral("不能用新文件替换 %1：%2").arg(target, systemError(errno));
        return false;
    }
    QString ignored; // the rename is done; a failed folder sync cannot be undone any more
    syncPath(QFileInfo(target).absolutePath(), true, &ignored);
    return true;
}

// Copies `source` into the existing file `dest`; errors name `shown`, the file the user knows.
bool copyBytes(const QString& source, const QString& dest, const QString& shown, QString* error,
               const Progress& progress) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("不能读取 %1：%2").arg(source, in.errorString());
        return false;
    }
    const int fd = ::open(QFile::encodeName(dest).constData(), O_WRONLY | O_TRUNC);
    if (fd < 0) {
        *error = QStringLiteral("不能写入 %1：%2").arg(shown, systemError(errno));
        return false;
    }
    const qint64 total = in.size();
    qint64 done = 0;
    QByteArray buffer(256 * 1024, Qt::Uninitialized);
    bool ok = true;
    while (ok) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0) {
            *error = QStringLiteral("不能读取 %1：%2").arg(source, in.errorString());
            ok = false;
            break;
        }
        if (n == 0)
            break;
        for (qint64 off = 0; off < n;) {
            const ssize_t w = ::write(fd, buffer.constData() + off, size_t(n - off));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                *error = QStringLiteral("不能写入 %1：%2").arg(shown, systemError(w < 0 ? errno : ENOSPC));
                ok = false;
                break;
            }
            off += w;
        }
        done += n;
        if (ok && progress)
            progress(done, total);
    }
    if (::close(fd) != 0 && ok) {
        *error = QStringLiteral("不能写入 %1：%2").arg(shown, systemError(errno));
        ok = false;
    }
    return ok;
}

// The shared connection, refused while a write is under way on it.
sqlite3* idleShared(QString* error) {
    QString e;
    sqlite3* db = Database::shared(ConnectionString(), &e);
    if (!db) {
        *error = QStringLiteral("不能打开数据库：") + e;
        return nullptr;
    }
    if (!sqlite3_get_autocommit(db)) {
        *error = QStringLiteral("数据库正在写入，请稍后再试。");
        return nullptr;
    }
    return db;
}

bool queryInt(sqlite3* db, const QString& sql, qint64* value, QString* error) {
    auto st = SqlCipher::prepare(db, sql, error);
    if (!st)
        return false;
    if (sqlite3_step(st.get()) != SQLITE_ROW) {
        *error = SqlCipher::lastError(db);
        return false;
    }
    *value = sqlite3_column_int64(st.get(), 0);
    return true;
}

// Every one of the eight tables holds the same number of rows in both schemas of `db`.
bool sameCounts(sqlite3* db, const QString& other, QString* error) {
    for (const Schema::Table& t : Schema::tables()) {
        qint64 a = -1, b = -2;
        if (!queryInt(db, QStringLiteral("SELECT count(*) FROM main.[%1]").arg(t.name), &a, error) ||
            !queryInt(db, QStringLiteral("SELECT count(*) FROM %1.[%2]").arg(other, t.name), &b, error))
            return false;
        if (a != b) {
            *error = QStringLiteral("压缩后的数据表 %1 行数不对（%2 ≠ %3）").arg(t.name).arg(b).arg(a);
            return false;
        }
    }
    return true;
}

// After a replace: a fresh handle on the new file, the settings read again, the windows told.
bool reopenAfterReplace(QString* error) {
    Database::closeShared(); // in case anything reopened the old file meanwhile
    QString e;
    if (!Database::shared(ConnectionString(), &e)) {
        *error = QStringLiteral("数据库文件已替换，但不能打开：") + e;
        return false;
    }
    const QString message = LoadAppSettings();
    if (IsSqlError(message)) {
        *error = QStringLiteral("数据库文件已替换，但不能读取参数设置：") + message;
        return false;
    }
    Q_EMIT notifier()->databaseReplaced();
    return true;
}

} // namespace

QString backupFolder() {
    return QDir(ProgramFolder()).filePath(QStringLiteral("backup"));
}

QString datedBackupPath() {
    return QDir(backupFolder())
        .filePath(Clock::get().today().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".bak"));
}

QString restoreSourcePath() {
    return QDir(backupFolder()).filePath(QStringLiteral("data.bak"));
}

QString compactTempPath() {
    return QDir(ProgramFolder()).filePath(QStringLiteral("db.tmp"));
}

void removeStaleTemporaries() {
    if (ProgramFolder().isEmpty())
        return;
    // <name>.tobrin-tmp-XXXXXX and its journal, as makeTemp names them.
    static const QRegularExpression ours(QStringLiteral("^(.+)\\.tobrin-tmp-[A-Za-z0-9]{6}(-journal)?$"));
    const auto sweep = [](const QString& folder, const QString& onlyFor) {
        const QFileInfoList found =
            QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo& f : found) {
            const QRegularExpressionMatch m = ours.match(f.fileName());
            if (m.hasMatch() && (onlyFor.isEmpty() || m.captured(1) == onlyFor))
                QFile::remove(f.absoluteFilePath());
        }
    };
    sweep(ProgramFolder(), QString());
    sweep(backupFolder(), QString());
    // Beside the target of a linked Tobrin.dat only its own temporaries: the folder is not ours.
    if (!DbPath.isEmpty()) {
        const QFileInfo real(realPath(absoluteDbPath()));
        if (QDir(real.absolutePath()) != QDir(ProgramFolder()))
            sweep(real.absolutePath(), real.fileName());
    }
    for (const QString& stale : {compactTempPath(), compactTempPath() + QStringLiteral("-journal")})
        QFile::remove(stale);
}

bool checkDatabase(const QString& path, QString* error) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        *error = QStringLiteral("文件不存在：") + path;
        return false;
    }
    if (info.size() == 0) {
        *error = QStringLiteral("文件是空的：") + path;
        return false;
    }
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    SqlCipher::DbHandle db(raw);
    const QByteArray key = databaseKey();
    if (rc != SQLITE_OK || sqlite3_key(db.get(), key.constData(), key.size()) != SQLITE_OK) {
        *error = QStringLiteral("不能打开 %1：%2").arg(path, SqlCipher::lastError(db.get()));
        return false;
    }
    QString e;
    qint64 n = 0;
    if (!queryInt(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_master"), &n, &e)) {
        *error = QStringLiteral("%1 不是本程序的数据库，或者密码不同（%2）").arg(path, e);
        return false;
    }
    {
        // The engine reports every damaged page, up to kCheckLimit of them, in rows that may
        // hold several lines each: the message names the first and counts the rest.
        auto st = SqlCipher::prepare(db.get(), QStringLiteral("PRAGMA quick_check(%1)").arg(kCheckLimit), &e);
        QStringList problems;
        int rc = SQLITE_ERROR;
        while (st && (rc = sqlite3_step(st.get())) == SQLITE_ROW) {
            const QString row =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
            for (const QString& line : row.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                const QString text = line.trimmed();
                if (!text.isEmpty() && !text.startsWith(QLatin1String("*** in database")))
                    problems << text;
            }
        }
        if (rc != SQLITE_DONE) {
            *error = QStringLiteral("%1 已损坏（%2）").arg(path, st ? SqlCipher::lastError(db.get()) : e);
            return false;
        }
        if (problems != QStringList{QStringLiteral("ok")}) {
            if (problems.isEmpty())
                problems << QStringLiteral("检查没有结果");
            qWarning("%s: %s", qPrintable(path), qPrintable(problems.join(QLatin1String("; "))));
            const QString count = problems.size() >= kCheckLimit
                                      ? QStringLiteral("至少 %1 处问题").arg(kCheckLimit)
                                      : QStringLiteral("共 %1 处问题").arg(problems.size());
            *error = QStringLiteral("%1 已损坏：%2（%3）").arg(path, problems.first(), count);
            return false;
        }
    }
    for (const Schema::Table& t : Schema::tables()) {
        auto st = SqlCipher::prepare(db.get(), QStringLiteral("PRAGMA table_info([%1])").arg(t.name), &e);
        if (!st) {
            *error = QStringLiteral("不能读取 %1：%2").arg(path, e);
            return false;
        }
        QStringList columns;
        while (sqlite3_step(st.get()) == SQLITE_ROW)
            columns << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 1)));
        if (columns.isEmpty()) {
            *error = QStringLiteral("%1 缺少数据表 %2").arg(path, t.name);
            return false;
        }
        if (columns != Schema::columnNames(t.name)) {
            *error = QStringLiteral("%1 中数据表 %2 的字段不对").arg(path, t.name);
            return false;
        }
    }
    if (!queryInt(db.get(), QStringLiteral("SELECT count(*) FROM [参数设置]"), &n, &e) || n < 1) {
        *error = QStringLiteral("%1 缺少参数设置记录").arg(path);
        return false;
    }
    return true;
}

bool writeBackup(const QString& shownTarget, QString* error, const Progress& progress) {
    removeStaleTemporaries();
    const QString folder = QFileInfo(shownTarget).absolutePath();
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        *error = QStringLiteral("不能建立备份文件夹 %1").arg(folder);
        return false;
    }
    sqlite3* src = idleShared(error);
    if (!src)
        return false;
    const QString target = realPath(shownTarget);
    const QString temp = makeTemp(target, error);
    if (temp.isEmpty())
        return false;

    bool ok = false;
    {
        sqlite3* raw = nullptr;
        int rc = sqlite3_open_v2(QFile::encodeName(temp).constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        SqlCipher::DbHandle dest(raw);
        const QByteArray key = databaseKey();
        if (rc == SQLITE_OK)
            rc = sqlite3_key(dest.get(), key.constData(), key.size());
        sqlite3_backup* backup =
            rc == SQLITE_OK ? sqlite3_backup_init(dest.get(), "main", src, "main") : nullptr;
        if (backup) {
            int retries = 0;
            do {
                rc = sqlite3_backup_step(backup, 64);
                if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && ++retries < 300)
                    sqlite3_sleep(10);
                else if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                    break;
                if (progress && (rc == SQLITE_OK || rc == SQLITE_DONE)) {
                    const int total = sqlite3_backup_pagecount(backup);
                    progress(total - sqlite3_backup_remaining(backup), total);
                }
            } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
            sqlite3_backup_finish(backup);
            ok = rc == SQLITE_DONE;
        }
        if (!ok)
            *error = QStringLiteral("不能写入备份文件 %1：%2").arg(target, engineError(dest.get()));
        if (ok && sqlite3_close(dest.release()) != SQLITE_OK) {
            *error = QStringLiteral("不能写入备份文件 %1").arg(target);
            ok = false;
        }
    }
    // The copy must be one restore accepts before it takes the dated name.
    ok = ok && checkDatabase(temp, error);
    if (ok)
        copyMode(absoluteDbPath(), temp);
    ok = ok && commitTemp(temp, target, error);
    if (!ok)
        removeWithJournal(temp);
    return ok;
}

Result restoreFrom(const QString& source, const Progress& progress) {
    Result r;
    removeStaleTemporaries();
    if (!checkDatabase(source, &r.error))
        return r;
    // A damaged Tobrin.dat that does not open is no reason to refuse its restore.
    if (Database::isOpen() && !idleShared(&r.error))
        return r;
    const QString target = realPath(absoluteDbPath());
    const QString temp = makeTemp(target, &r.error);
    if (temp.isEmpty())
        return r;
    bool ok = copyBytes(source, temp, absoluteDbPath(), &r.error, progress) && checkDatabase(temp, &r.error);
    if (ok) {
        copyMode(target, temp);
        Database::closeShared();
        ok = commitTemp(temp, target, &r.error);
    }
    if (!ok) {
        removeWithJournal(temp);
        return r;
    }
    r.replaced = true;
    r.ok = reopenAfterReplace(&r.error);
    return r;
}

Result compact(const Progress& progress) {
    Result r;
    removeStaleTemporaries();
    const QString temp = compactTempPath();
    // Left over from a run that crashed: never part of the database.
    for (const QString& stale : {temp, temp + QStringLiteral("-journal")}) {
        if (QFileInfo(stale).exists() || QFileInfo(stale).isSymLink()) {
            if (!QFile::remove(stale)) {
                r.error = QStringLiteral("不能删除上次留下的临时文件 %1").arg(stale);
                return r;
            }
        }
    }
    sqlite3* db = idleShared(&r.error);
    if (!db)
        return r;
    // ATTACH cannot create files on a connection opened without SQLITE_OPEN_CREATE.
    const int fd = ::open(QFile::encodeName(temp).constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        r.error = QStringLiteral("不能建立压缩文件 %1：%2").arg(temp, systemError(errno));
        return r;
    }
    ::close(fd);
    if (progress)
        progress(0, 3);

    const QString alias = QStringLiteral("tobrin_compact");
    bool attached = false;
    bool ok = false;
    QString e;
    {
        auto st = SqlCipher::prepare(db, QStringLiteral("ATTACH DATABASE ? AS %1 KEY ?").arg(alias), &e);
        const QByteArray path = QFile::encodeName(temp);
        const QByteArray key = databaseKey();
        if (st) {
            sqlite3_bind_text(st.get(), 1, path.constData(), path.size(), SQLITE_TRANSIENT);
            sqlite3_bind_text(st.get(), 2, key.constData(), key.size(), SQLITE_TRANSIENT);
            attached = sqlite3_step(st.get()) == SQLITE_DONE;
            if (!attached)
                e = engineError(db);
        }
    }
    if (attached) {
        auto st = SqlCipher::prepare(db, QStringLiteral("SELECT sqlcipher_export('%1')").arg(alias), &e);
        ok = st && sqlite3_step(st.get()) == SQLITE_ROW;
        if (st && !ok)
            e = engineError(db);
        st.reset();
        ok = ok && sameCounts(db, alias, &e);
        QString detachError;
        if (!SqlCipher::exec(db, "DETACH DATABASE tobrin_compact;", &detachError) && ok) {
            e = detachError;
            ok = false;
        }
    }
    if (!ok) {
        r.error = QStringLiteral("不能建立压缩文件 %1：%2").arg(temp, e);
        removeWithJournal(temp);
        return r;
    }
    if (progress)
        progress(1, 3);
    ok = checkDatabase(temp, &r.error);
    // A linked Tobrin.dat is replaced beside its target, which may lie on another disk.
    const QString target = realPath(absoluteDbPath());
    QString beside = temp;
    if (ok && QDir(QFileInfo(target).absolutePath()) != QDir(QFileInfo(temp).absolutePath())) {
        beside = makeTemp(target, &r.error);
        ok = !beside.isEmpty() && copyBytes(temp, beside, target, &r.error, {}) &&
             checkDatabase(beside, &r.error);
    }
    if (ok) {
        if (progress)
            progress(2, 3);
        copyMode(target, beside);
        Database::closeShared();
        ok = commitTemp(beside, target, &r.error);
    }
    if (beside != temp) {
        if (!ok)
            removeWithJournal(beside);
        removeWithJournal(temp);
    }
    if (!ok) {
        removeWithJournal(temp);
        return r;
    }
    r.replaced = true;
    r.ok = reopenAfterReplace(&r.error);
    if (r.ok && progress)
        progress(3, 3);
    return r;
}

Notifier* notifier() {
    static Notifier n;
    return &n;
}

} // namespace Maintenance
