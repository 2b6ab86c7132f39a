#pragma once
// The operations that change the set of databases in the data directory: create from the
// templates, copy under a new name, rename and delete, each keeping the file set of every
// database and the catalogue "databases.db" consistent. Names are taken as typed and turned
// into upper case here. The caller closes the database's tables (records, labels,
// attachments) before a rename or delete and binds the database again afterwards.
//
// Order of work: files first, the catalogue last; when a later step fails the earlier ones
// are undone, so a failure never loses a database nor leaves one half made. Failures throw
// StoreError with the engine's message.

#include <QString>
#include <QStringList>

namespace tav::store::ops {

enum class NameResult {
    Done,
    // The name is "MASTER", in the catalogue, or files of that name already lie in the data
    // directory (which are never overwritten): the dialog's "name in use" message.
    NameTaken,
};

// The file names of a database: records table, its memo file, labels table, attachments table.
QStringList databaseFiles(const QString &name);
// True when the name is taken as NameResult::NameTaken describes.
bool isNameTaken(const QString &dataDir, const QString &name);

// Copies "t.db", "t.mb" and "l.db" to the new database's names and appends its catalogue
// row (templates and catalogue are created first when missing). The new database holds one blank record and
// its labels row.
NameResult createDatabase(const QString &dataDir, const QString &name);

// Copies the four files of `oldName` ("MASTER": table1.db, table1.mb, label1.db,
// atach_table1.db) to the names of `newName` and appends its catalogue row. A missing
// attachments table is copied from "atach.db".
NameResult saveAsDatabase(const QString &dataDir, const QString &oldName, const QString &newName);

// Moves the four files (the attachments table when it exists) to the new names and renames
// the catalogue row. On failure the files moved so far are moved back and the catalogue is
// left as it was. "MASTER" cannot be renamed (StoreError).
NameResult renameDatabase(const QString &dataDir, const QString &oldName, const QString &newName);

// Deletes the four files (missing ones are no error), then the catalogue row. A failure
// leaves the row, so the deletion can be repeated. "MASTER" cannot be deleted (StoreError).
void deleteDatabase(const QString &dataDir, const QString &name);

} // namespace tav::store::ops
