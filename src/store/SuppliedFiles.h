#pragma once
// Files the program brings along: created in the data directory when missing, so a first
// start in an empty folder works. Existing files are never touched.

#include <QString>

namespace tav::store {

// Templates "t.db"/"t.mb" (one record, every field empty), "l.db" (one row, Nradd 0,
// default captions), "atach.db" (empty), the report configuration tables, the catalogue
// "databases.db" holding the row MASTER, and MASTER's "table1.db", "table1.mb" (one record
// dated today) and "label1.db".
void ensureSuppliedFiles(const QString &dataDir);

} // namespace tav::store
