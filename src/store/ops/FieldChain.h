#pragma once
// The field chain along which Insert Field and Delete Field move data and captions: the
// fixed fields ID..Reserved5 (catalogue positions 80..94) followed by the extra fields
// 0..77. Its shown part is the first 15 + Nradd entries. Pure functions: the moves are
// worked out here and applied by FieldLayout in one statement.

#include <QVector>

namespace tav::store::ops::chain {

constexpr int kLength = 15 + 78;

int indexOf(int pos); // place in the chain, -1 for positions outside it
int positionAt(int index);
// True when `pos` is in the shown part of the chain for `nradd` extra fields.
bool isShown(int pos, int nradd);

// `target` takes the value of `source`; source kEmpty empties the target (data) or gives
// it the caption "..." (captions). All moves of a list read the values from before the move.
struct FieldMove {
    static constexpr int kEmpty = -1;
    int target;
    int source;
    bool operator==(const FieldMove &o) const { return target == o.target && source == o.source; }
};

struct FieldShift {
    int newNradd;
    QVector<FieldMove> data;     // applied to every record
    QVector<FieldMove> captions; // applied to the labels row
};

// Insert Field at `pos` with `nradd` extra fields shown: N' = min(N + 1, 78); from position
// N' - 1 back to pos + 1 each field takes the one before it; pos is emptied (caption
// "..."). StoreError when pos is not in the shown part of the chain.
FieldShift insertField(int pos, int nradd);

// Delete Field at `pos`: N' = max(N - 1, 0); from pos on each field takes the one after it up
// to position N', which is emptied. Captions move likewise, but for an extra field up to
// position 77, so the captions of the hidden extra fields move down too; the caption where
// the walk stops becomes "...". StoreError when pos is not in the shown part of the chain.
FieldShift deleteField(int pos, int nradd);

} // namespace tav::store::ops::chain
