#pragma once
// A file written under a temporary name beside its target and given the target's name only when
// complete: readers of the target see the old file or the whole new one, never a half-written one.
// The temporary is named ".<name>.tobrin-tmp-XXXXXX" and locked while in use, so one left behind
// by a crash is recognised and removed by the next write of the same target.
#include <QString>

class SiblingFile {
public:
    enum class Existing { Keep, Replace };

    SiblingFile(const QString& target, Existing existing);
    ~SiblingFile(); // removes an uncommitted temporary
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;

    // Removes stale temporaries of the target and reserves a new one. With Existing::Keep it
    // fails when the target exists.
    bool open();
    // Flushes the temporary to disk and moves it to the target name (over an existing file only
    // with Existing::Replace, which also keeps that file's permissions).
    bool commit();
    void discard();

    QString target() const { return m_target; }
    QString tempPath() const { return m_temp; }
    int errorNumber() const { return m_errno; }
    QString errorString() const { return m_error; }

    // ".<name>.tobrin-tmp-": what every temporary of a target called <name> starts with.
    static QString tempPrefix(const QString& fileName);

private:
    bool fail(int err, const QString& description);
    void removeStale() const;

    QString m_target;
    Existing m_existing;
    QString m_temp;
    int m_fd = -1; // holds the lock on the temporary
    int m_errno = 0;
    QString m_error;
};
