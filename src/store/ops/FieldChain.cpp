#include "FieldChain.h"

#include "FieldCatalogue.h"
#include "StoreError.h"

#include <QtGlobal>

namespace tav::store::ops::chain {

namespace {

constexpr int kFixedCount = catalogue::kLastFixed - catalogue::kFirstFixed + 1; // 15
constexpr int kLastExtra = catalogue::kExtraFields - 1;                         // 77

int requireShown(int pos, int nradd)
{
    if (!isShown(pos, nradd))
        throw StoreError(
            QStringLiteral("Position %1 is not a shown field of the chain (%2 extra fields)")
                .arg(pos)
                .arg(nradd));
    return indexOf(pos);
}

// Walks from chain index `from` to `to` (either direction): each field takes the value of its
// neighbour one step further on; the field at `to` is emptied.
QVector<FieldMove> walk(int from, int to)
{
    QVector<FieldMove> moves;
    const int step = to >= from ? 1 : -1;
    for (int i = from; i != to; i += step)
        moves.append({positionAt(i), positionAt(i + step)});
    moves.append({positionAt(to), FieldMove::kEmpty});
    return moves;
}

} // namespace

int indexOf(int pos)
{
    if (pos >= catalogue::kFirstFixed && pos <= catalogue::kLastFixed)
        return pos - catalogue::kFirstFixed;
    if (pos >= 0 && pos <= kLastExtra)
        return kFixedCount + pos;
    return -1;
}

int positionAt(int index)
{
    return index < kFixedCount ? catalogue::kFirstFixed + index : index - kFixedCount;
}

bool isShown(int pos, int nradd)
{
    const int index = indexOf(pos);
    return index >= 0 && index < kFixedCount + qBound(0, nradd, catalogue::kExtraFields);
}

FieldShift insertField(int pos, int nradd)
{
    const int start = requireShown(pos, nradd);
    const int newNradd = qMin(nradd + 1, catalogue::kExtraFields);
    // Backwards from the last shown field (one more than before) to pos.
    QVector<FieldMove> moves = walk(indexOf(newNradd - 1), start);
    return {newNradd, moves, moves};
}

FieldShift deleteField(int pos, int nradd)
{
    const int start = requireShown(pos, nradd);
    const int newNradd = qMax(nradd - 1, 0);
    const int dataEnd = qMin(indexOf(newNradd), indexOf(kLastExtra));
    const int captionEnd = pos <= kLastExtra ? indexOf(kLastExtra) : dataEnd;
    return {newNradd, walk(start, dataEnd), walk(start, captionEnd)};
}

} // namespace tav::store::ops::chain
