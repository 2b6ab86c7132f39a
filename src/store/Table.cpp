#include "Table.h"

#include "DatasetImpl.h"
#include "TableFiles.h"

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
    });
}

int Table::execute(const QString &sql, const QVariantList &parameters)
{
    d->requireWritable();
    int changed = 0;
    transaction([&] {
        sql::Stmt stmt = d->db->prepare(sql);
        stmt.bindAll(parameters);
        stmt.run();
        changed = d->db->changes();
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
            d->reload(false);
        } catch (...) {
            if (!failure)
                throw;
        }
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
    });
    return deleted;
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
