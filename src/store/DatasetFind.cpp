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
        const QString op = forward ? QStringLiteral(">") : QStringLiteral("<");
        const QString orderKey =
            countField >= 0
                ? QStringLiteral("(d.%1, d._rk)").arg(sql::quoted(schema[countField].name))
                : QStringLiteral("d._rk");
        const QString marks = countField >= 0 ? QStringLiteral("(?, ?)") : QStringLiteral("?");
        // (Count, row key) of the record at `index`, as the statement compares them.
        const auto orderValues = [&](int index) {
            if (countField < 0)
                return QVariantList{keys[index]};
            if (index == pos)
                return QVariantList{startCount, keys[index]};
            sql::Stmt stmt = db->cached(QStringLiteral("SELECT d.%1 FROM main.data AS d WHERE d._rk = ?")
                                            .arg(sql::quoted(schema[countField].name)));
            stmt.bindInt(1, keys[index]);
            return QVariantList{stmt.step() ? stmt.value(0) : QVariant(), keys[index]};
        };
        // The first record the statement returns that belongs to the set, beyond `bound`
        // (none: from the end) and, with `limit`, up to it.
        const auto scan = [&](int bound, int limit, bool wholeTable) {
            QString condition = conditionClause();
            QVariantList parameters;
            const auto also = [&](const QString &part, const QVariantList &values) {
                condition +=
                    condition.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
                condition += part;
                parameters += values;
            };
            if (bound >= 0)
                also(orderKey + QLatin1Char(' ') + op + QLatin1Char(' ') + marks,
                     orderValues(bound));
            if (limit >= 0)
                also(orderKey + (forward ? QStringLiteral(" <= ") : QStringLiteral(" >= ")) +
                         marks,
                     orderValues(limit));
            if (inSql)
                also(match, recordFilter.parameters);
            QString from = fromClause(join);
            if (wholeTable) // one pass in file order, not a look-up per record
                from.replace(QStringLiteral("main.data AS d"),
                             QStringLiteral("main.data AS d NOT INDEXED"));
            int index = -1;
            sql::Stmt stmt = db->prepare(select + QStringLiteral(" FROM ") + from + condition +
                                         QStringLiteral(" ORDER BY ") + orderClause(!forward));
            bindSetParameters(stmt, parameters);
            while (index < 0 && stmt.step()) {
                // A row added since the snapshot was taken is not part of the set.
                if (accepts(stmt)) {
                    const qint64 key = stmt.int64(0);
                    index = int(forward ? keys.indexOf(key, start) : keys.lastIndexOf(key, start));
                }
            }
            return index;
        };
        const int from = fromEnd ? -1 : pos;
        int index = -1;
        // A match the engine finds by itself in the records' own file: the next records are
        // walked in order through the order index, stopping at the first match; the rest of
        // the table, when the window holds none, is searched in one pass over the file, which
        // reads all records faster than looking each one up through the index. (A match in
        // the memo file walks the index alone, which holds Count: no record is read then.)
        constexpr int kWindow = 1000;
        const int last = forward ? start + kWindow - 1 : start - kWindow + 1;
        if (inSql && !join && countField >= 0 && last > 0 && last < count - 1 &&
            !orderValues(last).first().isNull()) { // (a record removed behind the set's back)
            index = scan(from, last, false);
            if (index < 0)
                index = scan(last, -1, true);
        } else {
            index = scan(from, -1, false);
        }
        // the scan is finished before anyone hears of the move
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
