// Edit, Insert and Post: the record buffer and how it reaches the file.

#include "DatasetImpl.h"
#include "OrderKeys.h"
#include "TableFormat.h"

#include <algorithm>

namespace tav::store {

void Dataset::Impl::startNew(bool append)
{
    buffer = QVariantList(schema.size());
    modified = QVector<bool>(schema.size(), false);
    // Only a Count-ordered table can place a record before another one; elsewhere a new
    // record goes to the end.
    appending = append || countField < 0 || pos < 0;
    setState(DataSetState::Insert);
    emit q->recordChanged();
    emit q->newRecord();
}

namespace {
// Field widths count characters: a character outside the Basic Multilingual Plane (an emoji)
// is one character though it takes two UTF-16 units.
qsizetype characterCount(const QString &text)
{
    qsizetype count = 0;
    for (const QChar c : text)
        if (!c.isLowSurrogate())
            ++count;
    return count;
}
} // namespace

// Texts longer than their field are refused rather than cut: the user's input is never
// shortened behind their back. Values already stored are not checked again.
void Dataset::Impl::checkSizes() const
{
    for (int i = 0; i < schema.size(); ++i) {
        const FieldDef &field = schema[i];
        if (field.type != FieldType::Text || field.size <= 0)
            continue;
        if (state == DataSetState::Edit && !modified[i])
            continue;
        const qsizetype length = buffer[i].isNull() ? 0 : characterCount(buffer[i].toString());
        if (length > field.size)
            throw StoreError(QStringLiteral("The text of the field %1 is %2 characters long; "
                                            "the field holds at most %3 characters.")
                                 .arg(field.name)
                                 .arg(length)
                                 .arg(field.size));
    }
}

void Dataset::Impl::writeChanges()
{
    QVector<int> rowChanged, memoChanged;
    for (int i = 0; i < schema.size(); ++i) {
        if (modified[i])
            (format::inMemoFile(schema[i].type) ? memoChanged : rowChanged).append(i);
    }
    const qint64 key = keyAt(pos);
    sql::Transaction tx(*db);
    if (!rowChanged.isEmpty()) {
        QStringList sets;
        for (int i : rowChanged)
            sets << sql::quoted(schema[i].name) + QStringLiteral(" = ?");
        sql::Stmt stmt = db->cached(QStringLiteral("UPDATE main.data SET %1 WHERE _rk = ?")
                                        .arg(sets.join(QStringLiteral(", "))));
        int index = 1;
        for (int i : rowChanged)
            format::bindValue(stmt, index++, buffer[i], schema[i].type);
        stmt.bindInt(index, key);
        stmt.run();
        if (db->changes() == 0)
            throw StoreError(QStringLiteral("the record no longer exists"));
    } else {
        sql::Stmt exists = db->cached(QStringLiteral("SELECT 1 FROM main.data WHERE _rk = ?"));
        exists.bindInt(1, key);
        if (!exists.step())
            throw StoreError(QStringLiteral("the record no longer exists"));
    }
    if (!memoChanged.isEmpty()) {
        QStringList columns, marks, updates;
        for (int i : memoChanged) {
            const QString name = sql::quoted(schema[i].name);
            columns << name;
            marks << QStringLiteral("?");
            updates << name + QStringLiteral(" = excluded.") + name;
        }
        sql::Stmt stmt = db->cached(
            QStringLiteral("INSERT INTO mb.data(_rk, %1) VALUES(?, %2) "
                           "ON CONFLICT(_rk) DO UPDATE SET %3")
                .arg(columns.join(','), marks.join(','), updates.join(QStringLiteral(", "))));
        stmt.bindInt(1, key);
        int index = 2;
        for (int i : memoChanged)
            format::bindValue(stmt, index++, buffer[i], schema[i].type);
        stmt.run();
    }
    tx.commit();
}

QVector<qint64> Dataset::Impl::insertRows(int index, int count, const QVariantList &values)
{
    QVector<qint64> rowKeys;
    if (count <= 0)
        return rowKeys;
    rowKeys.reserve(count);
    // Auto-increment fields are the table's to assign: Count places the records (an order
    // key with gaps, OrderKeys.h), any other one counts upwards.
    QVector<qint64> orderKeys;
    if (countField >= 0) {
        orderKeys = order::makeRoom(*db, sql::quoted(schema[countField].name),
                                    index < keys.size() ? keyAt(index) : -1, count);
        format::markOrderGapped(*db);
    }
    QVariantList row = values;
    QStringList columns, marks;
    for (int i : std::as_const(rowFields)) {
        columns << sql::quoted(schema[i].name);
        marks << QStringLiteral("?");
    }
    sql::Stmt insert =
        db->cached(columns.isEmpty() ? QStringLiteral("INSERT INTO main.data DEFAULT VALUES")
                                     : QStringLiteral("INSERT INTO main.data(%1) VALUES(%2)")
                                           .arg(columns.join(','), marks.join(',')));
    QStringList memoColumns, memoMarks;
    for (int i : std::as_const(memoFields)) {
        memoColumns << sql::quoted(schema[i].name);
        memoMarks << QStringLiteral("?");
    }
    for (int n = 0; n < count; ++n) {
        for (int i = 0; i < schema.size(); ++i) {
            if (schema[i].type != FieldType::AutoInc)
                continue;
            if (i == countField) {
                row[i] = orderKeys[n];
            } else {
                sql::Stmt next =
                    db->cached(QStringLiteral("SELECT COALESCE(MAX(%1), 0) + 1 FROM main.data")
                                   .arg(sql::quoted(schema[i].name)));
                next.step();
                row[i] = next.int64(0);
            }
        }
        int column = 1;
        for (int i : std::as_const(rowFields))
            format::bindValue(insert, column++, row[i], schema[i].type);
        insert.run();
        insert.reset();
        const qint64 key = db->lastInsertRowId();
        rowKeys.append(key);
        if (!memoFields.isEmpty()) {
            // Always written, so every record has its memo row (and a stale row of a reused
            // key is replaced).
            sql::Stmt memo = db->cached(
                QStringLiteral("INSERT OR REPLACE INTO mb.data(_rk, %1) VALUES(?, %2)")
                    .arg(memoColumns.join(','), memoMarks.join(',')));
            memo.bindInt(1, key);
            int m = 2;
            for (int i : std::as_const(memoFields))
                format::bindValue(memo, m++, row[i], schema[i].type);
            memo.run();
        }
    }
    return rowKeys;
}

void Dataset::Impl::placeKeys(int index, const QVector<qint64> &rowKeys)
{
    keys.insert(index, rowKeys.size(), 0);
    std::copy(rowKeys.cbegin(), rowKeys.cend(), keys.begin() + index);
}

void Dataset::Impl::deleteRows(int first, int last)
{
    if (first < 0 || last < first || last >= keys.size())
        throw StoreError(QStringLiteral("There are no records %1 to %2 in %3")
                             .arg(first + 1)
                             .arg(last + 1)
                             .arg(tableName));
    const bool wholeRange = countField >= 0 && conditionClause().isEmpty() && tableOrdered();
    if (wholeRange && last > first) {
        // In an unfiltered set the records first..last are exactly a range of the order.
        const QString count = sql::quoted(schema[countField].name);
        sql::Stmt bounds = db->cached(
            QStringLiteral("SELECT %1 FROM main.data WHERE _rk IN (?, ?) ORDER BY %1, _rk")
                .arg(count));
        bounds.bindInt(1, keys[first]);
        bounds.bindInt(2, keys[last]);
        QVariantList range;
        while (bounds.step())
            range << bounds.value(0) << QVariant();
        if (range.size() == 4 && !range[0].isNull() && !range[2].isNull()) {
            range[1] = keys[first];
            range[3] = keys[last];
            const QString condition =
                QStringLiteral("(%1, _rk) >= (?, ?) AND (%1, _rk) <= (?, ?)").arg(count);
            if (!memoFields.isEmpty()) {
                sql::Stmt memo = db->prepare(
                    QStringLiteral(
                        "DELETE FROM mb.data WHERE _rk IN (SELECT _rk FROM main.data WHERE %1)")
                        .arg(condition));
                memo.bindAll(range);
                memo.run();
            }
            sql::Stmt rows =
                db->prepare(QStringLiteral("DELETE FROM main.data WHERE %1").arg(condition));
            rows.bindAll(range);
            rows.run();
            if (db->changes() != last - first + 1)
                throw StoreError(QStringLiteral("the records changed while they were deleted"));
            format::markOrderGapped(*db);
            return;
        }
    }
    sql::Stmt row = db->cached(QStringLiteral("DELETE FROM main.data WHERE _rk = ?"));
    for (int i = first; i <= last; ++i) {
        row.bindInt(1, keys[i]);
        row.run();
        row.reset();
        if (!memoFields.isEmpty()) {
            sql::Stmt memo = db->cached(QStringLiteral("DELETE FROM mb.data WHERE _rk = ?"));
            memo.bindInt(1, keys[i]);
            memo.run();
        }
    }
    if (countField >= 0)
        format::markOrderGapped(*db);
}

void Dataset::Impl::writeNewRecord()
{
    // Only a Count-ordered table places a record before another one.
    const int index = !appending && countField >= 0 && pos >= 0 ? pos : int(keys.size());
    sql::Transaction tx(*db);
    const QVector<qint64> rowKeys = insertRows(index, 1, buffer);
    tx.commit();
    placeKeys(index, rowKeys);
    pos = index;
}

void Dataset::edit()
{
    d->requireWritable();
    if (d->editing())
        return;
    if (d->keys.isEmpty()) {
        append();
        return;
    }
    d->buffer = d->record();
    d->modified = QVector<bool>(d->schema.size(), false);
    d->setState(DataSetState::Edit);
}

void Dataset::append()
{
    d->requireWritable();
    checkBrowseMode();
    d->startNew(true);
}

void Dataset::insert()
{
    d->requireWritable();
    checkBrowseMode();
    d->startNew(false);
}

void Dataset::post()
{
    d->requireActive();
    if (!d->editing())
        return;
    emit beforePost();
    if (!d->editing())
        return; // a handler cancelled the edit
    d->requireWritable();
    d->checkSizes();
    try {
        if (d->state == DataSetState::Edit)
            d->writeChanges();
        else
            d->writeNewRecord();
    } catch (const StoreError &e) {
        throw StoreError(QStringLiteral("The record could not be saved in %1: %2")
                             .arg(d->tableName, e.message()));
    }
    // Only now, with everything written, does the buffer go.
    d->buffer.clear();
    d->modified.clear();
    d->eof = d->bof = false;
    d->invalidateRecord();
    d->setState(DataSetState::Browse);
    emit recordChanged();
    emit afterPost();
}

void Dataset::cancel()
{
    if (!d->editing())
        return;
    d->buffer.clear();
    d->modified.clear();
    d->setState(DataSetState::Browse);
    emit recordChanged();
}

void Dataset::deleteRecord()
{
    d->requireWritable();
    if (d->state == DataSetState::Insert) {
        cancel(); // the record being added is simply dropped
        return;
    }
    cancel();
    if (d->keys.isEmpty())
        throw StoreError(QStringLiteral("There is no record to delete in %1").arg(d->tableName));
    try {
        sql::Transaction tx(*d->db);
        d->deleteRows(d->pos, d->pos);
        tx.commit();
    } catch (const StoreError &e) {
        throw StoreError(QStringLiteral("The record could not be deleted from %1: %2")
                             .arg(d->tableName, e.message()));
    }
    d->keys.remove(d->pos);
    if (d->pos >= d->keys.size())
        d->pos = int(d->keys.size()) - 1;
    d->eof = d->bof = d->keys.isEmpty();
    d->invalidateRecord();
    emit recordChanged();
}

} // namespace tav::store
