#include "export/SiblingFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kRandomChars = 6;

QString sysError(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

QString randomPart() {
    static const char chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    for (int i = 0; i < kRandomChars; ++i)
        s += QLatin1Char(chars[QRandomGenerator::global()->bounded(int(sizeof chars) - 1)]);
    return s;
}

void syncFolder(const QString& folder) {
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // the new name survives a power cut; the file itself is already synced
        ::close(fd);
    }
}

} // namespace

SiblingFile::SiblingFile(const QString& target, Existing existing)
    : m_target(QFileInfo(target).absoluteFilePath()), m_existing(existing) {}

SiblingFile::~SiblingFile() {
    discard();
}

QString SiblingFile::tempPrefix(const QString& fileName) {
    return QStringLiteral(".%1.tobrin-tmp-").arg(fileName);
}

bool SiblingFile::fail(int err, const QString& description) {
    m_errno = err;
    m_error = description;
    return false;
}

void SiblingFile::removeStale() const {
    const QFileInfo info(m_target);
    const QString prefix = tempPrefix(info.fileName());
    const QDir folder(info.absolutePath());
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QString& name : names) {
        if (!name.startsWith(prefix) || name.size() != prefix.size() + kRandomChars)
            continue;
        const QByteArray path = native(folder.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        // A temporary still locked belongs to a write that is running now.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

bool SiblingFile::open() {
    discard();
    QFileInfo info(m_target);
    if (m_existing == Existing::Keep && (info.exists() || info.isSymLink()))
        return fail(EEXIST, QStringLiteral("目标文件已经存在，不会覆盖它：%1").arg(m_target));
    if (m_existing == Existing::Replace && info.isSymLink() && !info.canonicalFilePath().isEmpty()) {
        // Replacing through a link replaces the file it points to and keeps the link.
        m_target = info.canonicalFilePath();
        info = QFileInfo(m_target);
    }
    if (info.isDir())
        return fail(EISDIR, QStringLiteral("%1 是一个文件夹，不能用作文件名。").arg(m_target));

    removeStale();
    const QString folder = info.absolutePath();
    const QString prefix = QDir(folder).filePath(tempPrefix(info.fileName()));
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = prefix + randomPart();
        // O_EXCL: two writes never share a temporary.
        const int fd = ::open(native(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            m_fd = fd;
            m_temp = name;
            return true;
        }
        if (errno != EEXIST)
            return fail(errno, QStringLiteral("无法在文件夹 %1 中写入文件：%2").arg(folder, sysError(errno)));
    }
    return fail(EEXIST, QStringLiteral("无法在文件夹 %1 中创建临时文件。").arg(folder));
}

bool SiblingFile::commit() {
    if (m_fd < 0)
        return fail(EBADF, QStringLiteral("没有可保存的文件。"));
    const QByteArray temp = native(m_temp);
    const QByteArray target = native(m_target);
    struct stat old {};
    if (m_existing == Existing::Replace && ::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(m_fd, old.st_mode & 07777);
    // Late write errors (a full disk) show up here, before the name is taken.
    if (::fsync(m_fd) != 0) {
        const int err = errno;
        discard();
        return fail(err, QStringLiteral("保存文件 %1 失败：%2").arg(m_target, sysError(err)));
    }
    int rc = 0;
    if (m_existing == Existing::Replace) {
        rc = ::rename(temp.constData(), target.constData());
    } else {
        rc = ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
        if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
            // A file system without RENAME_NOREPLACE: a hard link refuses an existing name too.
            rc = ::link(temp.constData(), target.constData());
            if (rc == 0)
                ::unlink(temp.constData());
        }
    }
    if (rc != 0) {
        const int err = errno;
        discard();
        if (err == EEXIST)
            return fail(err, QStringLiteral("目标文件已经存在，不会覆盖它：%1").arg(m_target));
        return fail(err, QStringLiteral("无法把文件保存为 %1：%2").arg(m_target, sysError(err)));
    }
    ::close(m_fd);
    m_fd = -1;
    m_temp.clear();
    syncFolder(QFileInfo(m_target).absolutePath());
    return true;
}

void SiblingFile::discard() {
    if (!m_temp.isEmpty()) {
        ::unlink(native(m_temp).constData());
        m_temp.clear();
    }
    if (m_fd >= 0) {
        ::close(m_fd); // only now: the lock marks the temporary as in use until it is gone
        m_fd = -1;
    }
}
