#pragma once
// The records a report query selects, read through a RecordCursor of their own, with the
// captions of the output columns.

#include "RecordCursor.h"
#include "ReportQuery.h"
#include "ReportWriters.h"

#include <memory>

namespace tav::reports {

class ReportRows : public RowSource
{
public:
    // Opens the records table `tableFile` in `directory` and starts the query (StoreError
    // when the table or the query fails).
    ReportRows(const QString &directory, const QString &tableFile, const ReportQuery &query);

    // Whether the query selects any record (reads the first one; next() still starts there).
    bool hasRecords();
    bool next() override;
    QByteArrayView value(int column) const override;
    QString text(int column) const;
    // The column of the comments, or -1.
    int commentsColumn() const { return m_commentsColumn; }
    int columnCount() const { return int(m_positions.size()); }
    const QVector<int> &positions() const { return m_positions; }

private:
    store::RecordCursor m_cursor;
    QVector<int> m_positions;
    int m_commentsColumn = -1;
    // -1 nothing read, 0 no records, 1 first record read but not handed out, 2 reading on
    int m_peeked = -1;
};

} // namespace tav::reports
