#pragma once
// The catalogue table "databases.db" (one row per database, field Name) in the data
// directory. Each call opens the table on its own connection; a window that keeps the
// catalogue open refreshes it afterwards. StoreError on every failure.

#include <QString>
#include <QStringList>

namespace tav::store::ops::catalogue {

// The names in catalogue order (the order the rows were written).
QStringList names(const QString &dataDir);
void add(const QString &dataDir, const QString &name);
// Sets the row named `oldName` to `newName`; StoreError when there is no such row.
void rename(const QString &dataDir, const QString &oldName, const QString &newName);
// Removes the rows named `name` (none is not an error).
void remove(const QString &dataDir, const QString &name);

} // namespace tav::store::ops::catalogue
