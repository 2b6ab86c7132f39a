#include "ReportQuery.h"

#include "CriteriaDates.h"
#include "Query.h"
#include "RecordCursor.h"

#include <limits>

namespace tav::reports {

namespace {

QString invalidDate(const QString &which, const QString &text)
{
    return QStringLiteral("%1 '%2' is not a valid date!").arg(which, text);
}

// A record number bound: digits only; values beyond the range of numbers count as the
// largest one.
qint64 recordNumber(const QString &text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? value : std::numeric_limits<qint64>::max();
}

bool takesPart(int pos, int nradd)
{
    return pos >= cat::kPosDate || pos < nradd;
}

} // namespace

bool isIntervalText(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

ReportQuery buildReportQuery(const ReportRequest &request)
{
    ReportQuery query;
    const int nradd = std::clamp(request.nradd, 0, cat::kExtraFields);

    bool anyOutput = false;
    for (int pos = 0; pos <= cat::kLastFixed; ++pos)
        anyOutput = anyOutput || (request.output[pos] && takesPart(pos, nradd));
    if (!anyOutput) {
        query.outcome = QueryOutcome::NoOutput;
        return query;
    }

    // Res6 is a field no window shows: records carrying a value there stay out, as they
    // always have.
    QStringList terms{QStringLiteral("Res6 = ''")};
    QVariantList values;
    const QString position = store::RecordCursor::positionColumn();

    QVector<int> criteriaPositions;
    for (int pos = cat::kPosDate; pos <= cat::kLastFixed; ++pos)
        criteriaPositions << pos;
    for (int pos = 0; pos < nradd; ++pos)
        criteriaPositions << pos;

    for (int pos : criteriaPositions) {
        if (!request.criteria[pos])
            continue;
        const QString &from = request.criteriaText[pos];
        if (pos == cat::kPosDate) {
            const QDate start = readCriteriaDate(from, request.datePattern);
            if (!start.isValid()) {
                query.outcome = QueryOutcome::InvalidCriterion;
                query.message = invalidDate(QStringLiteral("From:"), from);
                return query;
            }
            const QDate end = readCriteriaDate(request.dateTo, request.datePattern);
            if (!end.isValid()) {
                query.outcome = QueryOutcome::InvalidCriterion;
                query.message = invalidDate(QStringLiteral("To:"), request.dateTo);
                return query;
            }
            terms << QStringLiteral("Date >= ?") << QStringLiteral("Date <= ?");
            values << start.toString(Qt::ISODate) << end.toString(Qt::ISODate);
        } else if (pos == cat::kPosCount) {
            if (!isIntervalText(from) || !isIntervalText(request.numberTo)) {
                query.outcome = QueryOutcome::InvalidCriterion;
                query.message = kIntervalMessage;
                return query;
            }
            terms << position + QStringLiteral(" >= ?") << position + QStringLiteral(" <= ?");
            values << recordNumber(from) << recordNumber(request.numberTo);
        } else {
            terms << QStringLiteral("lower_locale(%1) LIKE ? ESCAPE '\\'")
                         .arg(cat::recordField(pos));
            values << store::containsPattern(from);
        }
    }
    query.condition = terms.join(QStringLiteral(" AND "));
    query.parameters = values;

    const int sortPos = cat::positionOfRecordField(request.sortField);
    if (sortPos >= 0 && takesPart(sortPos, nradd)) {
        const QString direction = request.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
        QString key;
        if (sortPos == cat::kPosCount)
            key = position;
        else if (sortPos == cat::kPosDate)
            key = cat::recordField(sortPos);
        else
            key = QStringLiteral("lower_locale(%1)").arg(cat::recordField(sortPos));
        // Equal keys keep record order.
        query.orderBy = key + direction + QStringLiteral(", ") + position;
    }

    for (int pos = cat::kPosDate; pos <= cat::kPosComments; ++pos)
        if (request.output[pos] && !(pos == cat::kPosComments && request.commentsLocked))
            query.positions << pos;
    for (int pos = 0; pos < nradd; ++pos)
        if (request.output[pos])
            query.positions << pos;
    return query;
}

} // namespace tav::reports
