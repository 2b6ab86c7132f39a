#include "ReportRows.h"

namespace tav::reports {

ReportRows::ReportRows(const QString &directory, const QString &tableFile,
                       const ReportQuery &query)
    : m_cursor(directory, tableFile), m_positions(query.positions)
{
    QStringList columns;
    for (int i = 0; i < m_positions.size(); ++i) {
        const int pos = m_positions[i];
        // The number a report shows is the record's position, not the stored Count.
        columns << (pos == cat::kPosCount ? store::RecordCursor::positionColumn()
                                          : cat::recordField(pos));
        if (pos == cat::kPosComments)
            m_commentsColumn = i;
    }
    m_cursor.select(columns, query.condition, query.parameters, query.orderBy);
}

bool ReportRows::hasRecords()
{
    if (m_peeked < 0)
        m_peeked = m_cursor.next() ? 1 : 0;
    return m_peeked != 0;
}

bool ReportRows::next()
{
    if (m_peeked == 0)
        return false;
    if (m_peeked == 1) {
        m_peeked = 2; // the first record is handed out; read on from the cursor
        return true;
    }
    return m_cursor.next();
}

QByteArrayView ReportRows::value(int column) const
{
    return m_cursor.bytes(column);
}

QString ReportRows::text(int column) const
{
    return m_cursor.text(column);
}

} // namespace tav::reports
