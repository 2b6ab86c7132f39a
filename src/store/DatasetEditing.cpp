// Edit, Insert and Post: the record buffer and how it reaches the file.

#include "DatasetImpl.h"
#include "TableFormat.h"

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

void Dataset::Impl::writeNewRecord()
{
    QVariantList values = buffer;
    const QVariant currentCount =
        countField >= 0 && pos >= 0 ? record().at(countField) : QVariant();
    const bool placeBefore = !appending && !currentCount.isNull();

    sql::Transaction tx(*db);
    // Auto-increment fields are the table's to assign.
    for (int i = 0; i < schema.size(); ++i) {
        if (schema[i].type != FieldType::AutoInc)
            continue;
        if (i == countField && placeBefore) {
            // The new record takes the current record's Count; it and all after it move up
            // one, so Count keeps equal to the position.
            sql::Stmt shift =
                db->cached(QStringLiteral("UPDATE main.data SET %1 = %1 + 1 WHERE %1 >= ?")
                               .arg(sql::quoted(schema[i].name)));
            shift.bindInt(1, currentCount.toLongLong());
            shift.run();
            values[i] = currentCount;
        } else {
            sql::Stmt next =
                db->cached(QStringLiteral("SELECT COALESCE(MAX(%1), 0) + 1 FROM main.data")
                               .arg(sql::quoted(schema[i].name)));
            next.step();
            values[i] = next.int64(0);
        }
    }

    QStringList columns, marks;
    for (int i : std::as_const(rowFields)) {
        columns << sql::quoted(schema[i].name);
        marks << QStringLiteral("?");
    }
    qint64 key = -1;
    {
        sql::Stmt insert =
            db->cached(columns.isEmpty() ? QStringLiteral("INSERT INTO main.data DEFAULT VALUES")
                                         : QStringLiteral("INSERT INTO main.data(%1) VALUES(%2)")
                                               .arg(columns.join(','), marks.join(',')));
        int index = 1;
        for (int i : std::as_const(rowFields))
            format::bindValue(insert, index++, values[i], schema[i].type);
        insert.run();
        key = db->lastInsertRowId();
    }
    if (!memoFields.isEmpty()) {
        // Always written, so every record has its memo row (and a stale row of a reused key
        // is replaced).
        QStringList memoColumns, memoMarks;
        for (int i : std::as_const(memoFields)) {
            memoColumns << sql::quoted(schema[i].name);
            memoMarks << QStringLiteral("?");
        }
        sql::Stmt insert =
            db->cached(QStringLiteral("INSERT OR REPLACE INTO mb.data(_rk, %1) VALUES(?, %2)")
                           .arg(memoColumns.join(','), memoMarks.join(',')));
        insert.bindInt(1, key);
        int index = 2;
        for (int i : std::as_const(memoFields))
            format::bindValue(insert, index++, values[i], schema[i].type);
        insert.run();
    }
    tx.commit();

    if (placeBefore) {
        keys.insert(pos, key);
    } else {
        keys.append(key);
        pos = int(keys.size()) - 1;
    }
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
    const qint64 key = d->keys[d->pos];
    try {
        sql::Transaction tx(*d->db);
        sql::Stmt row = d->db->cached(QStringLiteral("DELETE FROM main.data WHERE _rk = ?"));
        row.bindInt(1, key);
        row.run();
        if (!d->memoFields.isEmpty()) {
            sql::Stmt memo = d->db->cached(QStringLiteral("DELETE FROM mb.data WHERE _rk = ?"));
            memo.bindInt(1, key);
            memo.run();
        }
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
