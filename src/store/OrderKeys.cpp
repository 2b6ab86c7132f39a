#include "OrderKeys.h"

namespace tav::store::order {

namespace {

struct Row {
    qint64 count;
    qint64 key;
};

// Up to `limit` records nearest to `at` in table order: before it going backwards, or from it
// (included) going forwards. Both walk the (Count, _rk) index.
QVector<Row> neighbours(sql::Connection &db, const QString &column, const Row &at, bool before,
                        int limit)
{
    sql::Stmt stmt = db.cached(
        before ? QStringLiteral("SELECT %1, _rk FROM main.data WHERE (%1, _rk) < (?, ?) "
                                "ORDER BY %1 DESC, _rk DESC LIMIT ?")
                     .arg(column)
               : QStringLiteral("SELECT %1, _rk FROM main.data WHERE (%1, _rk) >= (?, ?) "
                                "ORDER BY %1, _rk LIMIT ?")
                     .arg(column));
    stmt.bindInt(1, at.count);
    stmt.bindInt(2, at.key);
    stmt.bindInt(3, limit);
    QVector<Row> rows;
    while (stmt.step())
        rows.append(Row{stmt.int64(0), stmt.int64(1)});
    return rows;
}

// `amount` keys spaced `step` apart after `low`.
QVector<qint64> spaced(qint64 low, qint64 step, int amount)
{
    QVector<qint64> keys(amount);
    for (int i = 0; i < amount; ++i)
        keys[i] = low + step * (i + 1);
    return keys;
}

QVector<qint64> afterLast(sql::Connection &db, const QString &column, int count)
{
    sql::Stmt stmt = db.cached(QStringLiteral("SELECT MAX(%1) FROM main.data").arg(column));
    const qint64 last = stmt.step() && !stmt.isNull(0) ? stmt.int64(0) : 0;
    return spaced(last, kGap, count);
}

} // namespace

QVector<qint64> makeRoom(sql::Connection &db, const QString &column, qint64 beforeKey, int count)
{
    if (count <= 0)
        return {};
    if (beforeKey < 0)
        return afterLast(db, column, count);
    Row at{0, beforeKey};
    {
        sql::Stmt stmt =
            db.cached(QStringLiteral("SELECT %1 FROM main.data WHERE _rk = ?").arg(column));
        stmt.bindInt(1, beforeKey);
        if (!stmt.step())
            throw StoreError(QStringLiteral("the record to insert before no longer exists"));
        if (stmt.isNull(0)) // a record without a key has no place: the new ones go last
            return afterLast(db, column, count);
        at.count = stmt.int64(0);
    }

    const QVector<Row> previous = neighbours(db, column, at, true, 1);
    if (previous.isEmpty()) // before the first record the keys are free
        return spaced(at.count - kGap * (count + 1), kGap, count);
    const qint64 room = at.count - previous[0].count;
    if (room > count)
        return spaced(previous[0].count, room / (count + 1), count);

    // No room: space out the smallest neighbourhood that leaves enough between its records.
    for (int width = 4;; width *= 4) {
        const QVector<Row> left = neighbours(db, column, at, true, width + 1);
        const QVector<Row> right = neighbours(db, column, at, false, width + 1);
        const bool openBelow = left.size() <= width;
        const bool openAbove = right.size() <= width;
        QVector<Row> moved; // the records to re-key, in table order, new ones marked by key -1
        qint64 low = 0, step = kGap;
        if (openBelow) {
            // The first records of the table move down below `at`, which keeps its key.
            for (int i = int(left.size()) - 1; i >= 0; --i)
                moved.append(left[i]);
            moved.insert(moved.size(), count, Row{0, -1});
            low = at.count - kGap * (moved.size() + 1);
        } else if (openAbove) {
            // The last records of the table move up above the record before the place.
            moved.insert(0, count, Row{0, -1});
            moved += right;
            low = previous[0].count;
        } else {
            for (int i = width - 1; i >= 0; --i)
                moved.append(left[i]);
            moved.insert(moved.size(), count, Row{0, -1});
            moved += right.mid(0, width);
            const qint64 span = right[width].count - left[width].count;
            step = span / (moved.size() + 1);
            if (step < kGap / 4)
                continue;
            low = left[width].count;
        }
        const QVector<qint64> keys = spaced(low, step, int(moved.size()));
        QVector<qint64> result;
        result.reserve(count);
        sql::Stmt update = db.cached(
            QStringLiteral("UPDATE main.data SET %1 = ? WHERE _rk = ?").arg(column));
        for (int i = 0; i < moved.size(); ++i) {
            if (moved[i].key < 0) {
                result.append(keys[i]);
                continue;
            }
            if (moved[i].count == keys[i])
                continue;
            update.bindInt(1, keys[i]);
            update.bindInt(2, moved[i].key);
            update.run();
            update.reset();
        }
        return result;
    }
}

} // namespace tav::store::order
