#pragma once
// File-level operations of the table engine. A table is a ".db" file (one SQLite
// database holding the table, self-describing: field names, types and sizes in file
// order) plus, for tables with memo or graphic fields, its ".mb" file (a SQLite file
// holding those values by row key). Paths are full paths or relative to the current
// working directory.
//
// Close every table open on a file before replacing, moving or deleting it: an open table
// keeps using the file it opened.

#include "Schemas.h"

#include <QString>

namespace tav::store {

// Creates an empty table (and its .mb when needed), replacing any existing files. Written
// under a temporary name and renamed into place.
void createTable(const QString &path, const TableSchema &schema);
bool tableExists(const QString &path);
// The field definitions stored in the table file.
TableSchema readSchema(const QString &path);
// Copies the .db and, when the table has memo or graphic fields, the .mb, overwriting the
// destination. The copy is written under a temporary name and renamed into place, so a failed
// copy never leaves a half table under the destination's name.
void copyTable(const QString &from, const QString &to);
// Copies one file of a table (a .db or a .mb) to `to` with SQLite's backup, which sees a
// consistent state even while the table is open elsewhere. `to` is overwritten in place: copy
// to a temporary name when the destination must stay whole on failure.
void copyTableFile(const QString &from, const QString &to);
// Removes the .db and its .mb; missing files are not an error.
void deleteTable(const QString &path);
// Renames the .db and its .mb; StoreError when `to` exists already or `from` is missing.
void moveTable(const QString &from, const QString &to);

} // namespace tav::store
