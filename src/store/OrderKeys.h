#pragma once
// The order key of a Count-ordered table, private to the table engine.
//
// Count orders the records (row key `_rk` breaks ties) but is not their position: it leaves
// gaps so that a record can be placed between two others by writing that record alone.
// Appended records take the highest Count plus kGap. A record inserted before another takes
// a key between its neighbours; when they leave no room, the smallest neighbourhood around
// the place that gives every record in it a spacing of at least kGap / 4 is spaced out again
// (at the start and the end of the table the keys are unbounded, so the neighbourhood never
// has to grow past them). Deleting records changes no key.
//
// Files whose Count runs 1..N (written before keys had gaps) are valid as they are: their
// first insertion spaces out the neighbourhood up to the nearer end of the table.

#include "Sqlite.h"

#include <QVector>

namespace tav::store::order {

constexpr qint64 kGap = 65536;

// Returns `count` increasing keys for new records placed directly before the record with row
// key `beforeKey`, or after the last record when `beforeKey` is -1, spacing out neighbours
// where needed. `column` is the quoted Count column of main.data. Runs inside the caller's
// transaction.
QVector<qint64> makeRoom(sql::Connection &db, const QString &column, qint64 beforeKey, int count);

} // namespace tav::store::order
