// The filter expression and the finds with a per-record filter.

#include "DatasetImpl.h"
#include "TableFormat.h"

namespace tav::store {

namespace {
// Reverts the filter settings when applying new ones fails.
struct FilterSettings {
    QString condition;
    QVariantList parameters;
    bool on;
};
} // namespace

void Dataset::setFilter(const QString &condition, const QVariantList &parameters)
{
    const FilterSettings old{d->filter, d->filterParams, d->filtered};
    d->filter = condition;
    d->filterParams = parameters;
    if (!d->isActive() || !d->filtered)
        return;
    checkBrowseMode();
    try {
        d->reload(true);
    } catch (...) {
        d->filter = old.condition;
        d->filterParams = old.parameters;
        throw;
    }
}

void Dataset::setFiltered(bool on)
{
    if (d->filtered == on)
        return;
    d->filtered = on;
    if (!d->isActive())
        return;
    try {
        checkBrowseMode();
        d->reload(true);
    } catch (...) {
        d->filtered = !on;
        throw;
    }
}

bool Dataset::isFiltered() const
{
    return d->filtered;
}

void Dataset::setRecordFilter(RecordFilter filter)
{
    d->recordFilter = std::move(filter);
}

bool Dataset::findFirst()
{
    return d->find(true, true);
}

bool Dataset::findNext()
{
    return d->find(true, false);
}

bool Dataset::findPrior()
{
    return d->find(false, false);
}

bool Dataset::findLast()
{
    return d->find(false, true);
}

// Visits the records from the starting point in set order until the record filter accepts
// one. In table order this is one sequential statement, reading only the filter's fields or,
// with a SQL condition, returning only the matching records; a set in another order visits
// its keys one by one.
bool Dataset::Impl::find(bool forward, bool fromEnd)
{
    requireActive();
    q->checkBrowseMode();
    const int count = int(keys.size());
    const int start = fromEnd ? (forward ? 0 : count - 1) : (forward ? pos + 1 : pos - 1);
    if (count == 0 || start < 0 || start >= count)
        return false;
    const auto found = [&](int index) {
        eof = bof = false;
        moveTo(index);
        return true;
    };

    if (recordFilter.byPosition) {
        const qint64 index = recordFilter.position - 1;
        const bool ahead = forward ? index >= start && index < count : index <= start && index >= 0;
        return ahead && found(int(index));
    }

    const bool inSql = !recordFilter.condition.isEmpty();
    QVector<int> columns;
    QString select = QStringLiteral("SELECT d._rk");
    bool join = mentionsMemoField(conditionClause()) ||
                (inSql && mentionsMemoField(recordFilter.condition));
    for (const QString &name : std::as_const(recordFilter.fields)) {
        const int ordinal = requireField(name);
        const bool memo = format::inMemoFile(schema[ordinal].type);
        join = join || memo;
        if (inSql)
            continue;
        columns.append(ordinal);
        select += (memo ? QStringLiteral(", m.") : QStringLiteral(", d.")) +
                  sql::quoted(schema[ordinal].name);
    }
    QVariantList values(columns.size());
    const auto accepts = [&](const sql::Stmt &stmt) {
        if (inSql)
            return true; // the statement returned only matching records
        for (int i = 0; i < columns.size(); ++i)
            values[i] = format::readValue(stmt, i + 1, schema[columns[i]].type);
        return !recordFilter.accept || recordFilter.accept(values);
    };
    const QString match =
        inSql ? QLatin1Char('(') + recordFilter.condition + QLatin1Char(')') : QString();

    const QVariant startCount = countField >= 0 && !fromEnd ? record().at(countField) : QVariant();
    const bool sequential = tableOrdered() && (countField < 0 || fromEnd || !startCount.isNull());
    if (sequential) {
        QString condition = conditionClause();
        QVariantList after;
        const auto also = [&](const QString &part) {
            condition += condition.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
            condition += part;
        };
        if (!fromEnd) {
            const QString op = forward ? QStringLiteral(">") : QStringLiteral("<");
            if (countField >= 0) {
                also(QStringLiteral("(d.%1, d._rk) %2 (?, ?)")
                         .arg(sql::quoted(schema[countField].name), op));
                after << startCount << keys[pos];
            } else {
                also(QStringLiteral("d._rk ") + op + QStringLiteral(" ?"));
                after << keys[pos];
            }
        }
        if (inSql) {
            also(match);
            after += recordFilter.parameters;
        }
        int index = -1;
        {
            sql::Stmt stmt =
                db->prepare(select + QStringLiteral(" FROM ") + fromClause(join) + condition +
                            QStringLiteral(" ORDER BY ") + orderClause(!forward));
            bindSetParameters(stmt, after);
            while (index < 0 && stmt.step()) {
                // A row added since the snapshot was taken is not part of the set.
                if (accepts(stmt)) {
                    const qint64 key = stmt.int64(0);
                    index = int(forward ? keys.indexOf(key, start) : keys.lastIndexOf(key, start));
                }
            }
        } // the scan is finished before anyone hears of the move
        return index >= 0 && found(index);
    }

    int index = -1;
    {
        sql::Stmt stmt = db->prepare(select + QStringLiteral(" FROM ") + fromClause(join) +
                                     QStringLiteral(" WHERE d._rk = ?") +
                                     (inSql ? QStringLiteral(" AND ") + match : QString()));
        for (int i = start; index < 0 && (forward ? i < count : i >= 0); forward ? ++i : --i) {
            stmt.bindAll(QVariantList{keys[i]} + recordFilter.parameters);
            if (stmt.step() && accepts(stmt))
                index = i;
            stmt.reset();
        }
    }
    return index >= 0 && found(index);
}

} // namespace tav::store
