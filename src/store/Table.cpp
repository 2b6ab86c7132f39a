#include "Table.h"

#include "DatasetImpl.h"
#include "TableFiles.h"
#include "TableFormat.h"

#include <exception>

namespace tav::store {

Table::Table(QObject *parent) : Dataset(parent) {}

Table::~Table() = default;

void Table::setDirectory(const QString &dir)
{
    if (d->directory == dir)
        return;
    close();
    d->directory = dir;
}

QString Table::directory() const
{
    return d->directory;
}

void Table::setTableName(const QString &fileName)
{
    if (d->tableName == fileName)
        return;
    close();
    d->tableName = fileName;
}

QString Table::tableName() const
{
    return d->tableName;
}

QString Table::filePath() const
{
    return d->filePath();
}

void Table::open()
{
    if (isActive())
        return;
    d->readOnly = false;
    d->open();
}

void Table::close()
{
    Dataset::close();
}

void Table::emptyTable()
{
    d->requireWritable();
    cancel();
    transaction([this] {
        d->db->exec(QStringLiteral("DELETE FROM main.data"));
        if (!d->memoFields.isEmpty())
            d->db->exec(QStringLiteral("DELETE FROM mb.data"));
        d->keysStale = true;
    });
}

int Table::execute(const QString &sql, const QVariantList &parameters)
{
    d->requireWritable();
    int changed = 0;
    transaction([&] {
        sql::TableWrites writes{QStringLiteral("main"), QStringLiteral("data")};
        sql::Stmt stmt = d->db->prepareWatching(sql, writes);
        stmt.bindAll(parameters);
        stmt.run();
        changed = d->db->changes();
        // Whether the statement may have changed the records of the set or their order.
        bool rowsOrOrder = writes.rowsAdded || writes.rowsRemoved;
        for (const QString &column : std::as_const(writes.updatedColumns)) {
            if (d->countField >= 0 &&
                column.compare(d->schema[d->countField].name, Qt::CaseInsensitive) == 0)
                rowsOrOrder = true;
        }
        if (rowsOrOrder && d->countField >= 0)
            format::markOrderGapped(*d->db);
        // In a filtered set any field may decide whether a record belongs to it.
        if (rowsOrOrder || (!writes.updatedColumns.isEmpty() && !d->conditionClause().isEmpty()))
            d->keysStale = true;
    });
    return changed;
}

QVariant Table::selectValue(const QString &sql, const QVariantList &parameters)
{
    d->requireActive();
    sql::Stmt stmt = d->db->prepare(sql);
    stmt.bindAll(parameters);
    return stmt.step() ? stmt.value(0) : QVariant();
}

void Table::transaction(const std::function<void()> &work)
{
    d->requireWritable();
    const bool outermost = d->txDepth == 0;
    if (outermost)
        checkBrowseMode();
    // The key list as it was (shared, copied only when changed), given back on rollback.
    const QVector<qint64> keysBefore = d->keys;
    const int posBefore = d->pos;
    if (outermost)
        d->keysStale = false;
    std::exception_ptr failure;
    {
        sql::Transaction tx(*d->db);
        ++d->txDepth;
        try {
            work();
            tx.commit();
        } catch (...) {
            failure = std::current_exception();
        }
        --d->txDepth;
    } // rolled back here unless committed
    if (outermost && d->isActive()) {
        try {
            if (failure) {
                d->keys = keysBefore;
                d->pos = posBefore;
                d->eof = d->bof = d->keys.isEmpty();
                d->invalidateRecord();
                emit recordChanged();
            } else if (d->keysStale) {
                d->reload(false);
            } else {
                // Insertions and deletions through the table patched the key list already.
                if (d->pos >= d->keys.size())
                    d->pos = int(d->keys.size()) - 1;
                if (d->pos < 0 && !d->keys.isEmpty())
                    d->pos = 0;
                d->eof = d->bof = d->keys.isEmpty();
                d->invalidateRecord();
                emit recordChanged();
            }
        } catch (...) {
            if (!failure)
                throw;
        }
        d->keysStale = false;
    } else if (failure && d->isActive()) {
        // An inner transaction rolled back its part: the outer one cannot know which keys it
        // had patched.
        d->keys = keysBefore;
        d->pos = posBefore;
    }
    if (failure)
        std::rethrow_exception(failure);
}

int Table::deleteRecords(const QString &condition, const QVariantList &parameters)
{
    d->requireWritable();
    int deleted = 0;
    transaction([&] {
        if (!d->memoFields.isEmpty()) {
            sql::Stmt memo = d->db->prepare(
                QStringLiteral(
                    "DELETE FROM mb.data WHERE _rk IN (SELECT _rk FROM main.data WHERE %1)")
                    .arg(condition));
            memo.bindAll(parameters);
            memo.run();
        }
        sql::Stmt rows =
            d->db->prepare(QStringLiteral("DELETE FROM main.data WHERE %1").arg(condition));
        rows.bindAll(parameters);
        rows.run();
        deleted = d->db->changes();
        if (deleted > 0) {
            d->keysStale = true;
            if (d->countField >= 0)
                format::markOrderGapped(*d->db);
        }
    });
    return deleted;
}

void Table::insertRecords(int position, int count, const QVariantMap &values)
{
    d->requireWritable();
    checkBrowseMode();
    if (count < 1 || position < 1 || position > d->keys.size() + 1)
        throw StoreError(QStringLiteral("Cannot insert %1 records at position %2 of %3")
                             .arg(count)
                             .arg(position)
                             .arg(d->keys.size()));
    QVariantList row(d->schema.size());
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const int ordinal = d->requireField(it.key());
        row[ordinal] = format::normalise(it.value(), d->schema[ordinal]);
    }
    transaction([&] {
        const int index = position - 1;
        d->placeKeys(index, d->insertRows(index, count, row));
        d->pos = index;
    });
}

void Table::deleteRange(int from, int to)
{
    d->requireWritable();
    checkBrowseMode();
    transaction([&] {
        d->deleteRows(from - 1, to - 1);
        d->keys.remove(from - 1, to - from + 1);
        d->pos = qMin(from - 1, int(d->keys.size()) - 1);
    });
}

void Table::renumber()
{
    d->requireWritable();
    if (d->countField < 0)
        throw StoreError(QStringLiteral("The table %1 has no Count field").arg(d->tableName));
    const QString count = sql::quoted(d->schema[d->countField].name);
    execute(QStringLiteral("UPDATE main.data SET %1 = r.n FROM (SELECT _rk, ROW_NUMBER() OVER "
                           "(ORDER BY %1, _rk) AS n FROM main.data) AS r "
                           "WHERE main.data._rk = r._rk AND main.data.%1 IS NOT r.n")
                .arg(count));
}

void Table::attachTable(const QString &alias, const QString &filePath)
{
    d->requireWritable();
    if (d->txDepth > 0)
        throw StoreError(
            QStringLiteral("%1 cannot be attached inside a transaction").arg(filePath));
    if (hasMemoFields(readSchema(filePath))) // also settles a journal left by a crash
        throw StoreError(QStringLiteral("%1 has memo fields and cannot be attached").arg(filePath));
    d->db->attach(filePath, alias, false);
    try {
        d->db->exec(QStringLiteral("PRAGMA %1.journal_mode=DELETE; PRAGMA %1.synchronous=FULL")
                        .arg(sql::quoted(alias)));
    } catch (...) {
        try {
            detachTable(alias);
        } catch (...) {
        }
        throw;
    }
}

void Table::detachTable(const QString &alias)
{
    d->requireActive();
    d->db->exec(QStringLiteral("DETACH DATABASE ") + sql::quoted(alias));
}

} // namespace tav::store
