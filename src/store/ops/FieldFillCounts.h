#pragma once
// How many records fill each field of a records table: what the Chart page draws. Counted
// by one read-only statement on a connection of its own, so the window's records table, its
// current record and any edit it holds stay as they are.

#include "FieldCatalogue.h"

#include <QString>
#include <QVector>
#include <array>

namespace tav::store::ops {

struct FieldFillCounts {
    int records = 0;
    // Per catalogue position: the records whose field is not blank (a single space counts
    // as filled). Only the charted positions are counted; the others stay 0.
    std::array<int, catalogue::kPositions> filled{};
};

// The positions the chart shows, in its order: the fixed fields 80..94, then the extra
// fields 0..nradd-1 (nradd is kept within 0..78).
QVector<int> chartedPositions(int nradd);

// Counts the charted positions of the records table file `recordsFile` (the .db) in one
// statement.
// StoreError when the file cannot be read.
FieldFillCounts countFilledFields(const QString &recordsFile, int nradd);

} // namespace tav::store::ops
