#include "FieldFillCounts.h"

#include "Sqlite.h"

#include <QStringList>

#include <algorithm>

namespace tav::store::ops {

namespace cat = catalogue;

QVector<int> chartedPositions(int nradd)
{
    QVector<int> positions;
    for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
        positions.append(pos);
    const int extra = std::clamp(nradd, 0, cat::kExtraFields);
    for (int pos = 0; pos < extra; ++pos)
        positions.append(pos);
    return positions;
}

QString fillCountSql(int nradd)
{
    // Blank texts are stored as ''; a NULL (older files) compares as NULL, which SUM skips,
    // so both count as empty. A sum of comparisons reads about twice as fast as counting
    // NULLIF values.
    QStringList terms{QStringLiteral("COUNT(*)")};
    for (int pos : chartedPositions(nradd))
        terms << QStringLiteral("SUM(%1 <> '')").arg(sql::quoted(cat::recordField(pos)));
    return QStringLiteral("SELECT ") + terms.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM main.data");
}

FieldFillCounts countFilledFields(const QString &recordsFile, int nradd)
{
    const QVector<int> positions = chartedPositions(nradd);
    sql::Connection db(recordsFile, sql::Connection::Mode::ReadOnly);
    sql::Stmt stmt = db.prepare(fillCountSql(nradd));
    FieldFillCounts counts;
    if (!stmt.step())
        return counts;
    counts.records = int(stmt.int64(0));
    for (int i = 0; i < positions.size(); ++i)
        counts.filled[positions[i]] = int(stmt.int64(i + 1)); // SUM of no rows: NULL, 0
    return counts;
}

} // namespace tav::store::ops
