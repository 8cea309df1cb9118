#pragma once
// Whole-file work on Tobrin.dat: dated backups, restore from a checked copy, compaction. Every
// file that is replaced is written beside its target, synced and renamed over it, so a failure at
// any point leaves the old file as it was. No widgets here; ui/main/Maintenance.h asks and reports.
#include <QObject>
#include <QString>
#include <functional>

namespace Maintenance {

// Progress of one long step: `done` of `total` units (total 0 = unknown).
using Progress = std::function<void(qint64 done, qint64 total)>;

// The files beside the program.
QString backupFolder();
QString datedBackupPath();   // backup/yyyy-MM-dd.bak for Clock::get().today()
QString restoreSourcePath(); // backup/data.bak
QString compactTempPath();   // db.tmp

// Removes what a run that crashed left behind: temporaries of backup, restore and compaction in
// the program folder, in backup/ and beside the target of a linked Tobrin.dat. Call only while
// this copy holds the program folder; every command below calls it first.
void removeStaleTemporaries();

// Copies the open database with the engine's backup API into `target` (temporary file in the same
// folder, synced, renamed over `target`; a link is followed). The folder is created when missing.
bool writeBackup(const QString& target, QString* error, const Progress& progress = {});

// True when `path` opens with the database key and holds the settings row and the eight tables
// with their columns in order, and the engine finds no damage in it. The error of a damaged file
// is one line: the first problem and how many there are.
bool checkDatabase(const QString& path, QString* error);

struct Result {
    bool ok = false;
    // Tobrin.dat was replaced (true also when reopening it afterwards failed).
    bool replaced = false;
    QString error;
};

// Replaces Tobrin.dat with a copy of `source`, which must pass checkDatabase. A linked Tobrin.dat
// stays a link and its target gets the copy. The shared connection is closed first and reopened
// after; the settings are read again.
Result restoreFrom(const QString& source, const Progress& progress = {});

// Rebuilds Tobrin.dat through db.tmp with the same key and renames it into place (for a linked
// Tobrin.dat in another folder, through a copy beside its target). A db.tmp left by an earlier
// run is removed first.
Result compact(const Progress& progress = {});

// Emits databaseReplaced() after Tobrin.dat was replaced (restore, compaction) and the shared
// connection points at the new file. List windows connect to it and reload their grids.
class Notifier : public QObject {
    Q_OBJECT
Q_SIGNALS:
    void databaseReplaced();
};
Notifier* notifier();

} // namespace Maintenance
