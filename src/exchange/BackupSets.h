#pragma once
// Backup sets: the four files of a database copied into a directory of the user's choice.
// The records file carries the prefix "x1y2z3" that marks a set; the memo, labels and
// attachments files keep their data-directory names:
//   x1y2z3tNAME.db  tNAME.mb  lNAME.db  atach_tNAME.db
//   x1y2z3ttable1.db  table1.mb  label1.db  atach_table1.db      (MASTER)
// Files are copied with SQLite's backup (a consistent copy of an open table) under temporary
// names and moved into place together, so a failure leaves the older set, or the database,
// exactly as it was.

#include <QString>
#include <QStringList>

namespace tav::exchange::backup {

inline const QString kSetPrefix = QStringLiteral("x1y2z3");
// The records files of the sets in a directory.
inline const QString kSetPattern = QStringLiteral("x1y2z3t*.db");

// The names of the four files of a set in the backup directory.
struct SetFiles {
    QString records;
    QString memo;
    QString labels;
    QString attachments;
};
SetFiles setFiles(const QString &name);

// The database name a set's records file stands for: "MASTER" when the name contains
// "ttable1", else its characters from the eighth to before ".db". Empty when the file name
// is no set's, or the name is not a valid database name.
QString setNameOf(const QString &fileName);

struct FoundSets {
    QStringList names;        // valid sets, as their file names spell them
    QStringList invalidFiles; // set files whose names give no valid database name
};
FoundSets findSets(const QString &directory);

// True when both paths lead to the same directory (links and trailing slashes resolved).
bool sameDirectory(const QString &a, const QString &b);

// Copies the database `name` from `dataDir` into `destination`, replacing an older set of
// the same name. A database without an attachments table leaves none in the set. StoreError
// on failure, with the destination as it was.
void backupDatabase(const QString &dataDir, const QString &name, const QString &destination);

// Copies the set `name` (as findSets spells it) from `source` into `dataDir`, replacing the
// database's files; a set without an attachments file keeps the database's own. Adds the
// database to the catalogue when it is not there yet (never MASTER) and returns true then.
// Close every table open on the database first. StoreError on failure, with the
// database's files and the catalogue as they were.
bool restoreDatabase(const QString &source, const QString &name, const QString &dataDir);

} // namespace tav::exchange::backup
