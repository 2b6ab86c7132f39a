#pragma once
// Record insertion and deletion on the records table of the current database. Positions are
// the records' places in the table's order (the number the user sees); the records' order
// keys are the table's business (Table::insertRecords / deleteRange write only the records
// concerned). Attachment rows carry their record's row key (attachmentNumber), so insertion
// and deletion rewrite none of them; a deletion removes the rows of the records deleted.
// Each operation is one transaction over the records, their memo and graphic values and the
// attachment rows (the attachments file attached to the records' connection): on failure
// nothing changes and StoreError carries the engine's message. `records` is the open table;
// a pending edit is posted first.

#include <QDate>
#include <QString>

namespace tav::store {
class Table;
}

namespace tav::store::ops {

struct RecordsChanged {
    int recordCount;   // records now in the table
    int currentRecord; // the record made current: the first inserted one, or the one that
                       // followed the deleted range (the last record when none followed)
};

// The attachments table of a records table: "atach_" + its file name, beside it.
QString attachmentsPathFor(const Table &records);

// Inserts `count` empty records dated `date` at positions pos..pos+count-1 (1 <= pos <=
// record count + 1); the records from pos on move up by `count` positions. A missing
// attachments table is made from "atach.db" beside it.
RecordsChanged insertEmptyRecords(Table &records, const QString &attachmentsPath, int pos,
                                  int count, const QDate &date);

// Deletes the records from..to (1 <= from <= to <= record count) with their memo and graphic
// values and their attachment rows; later records move down by to - from + 1 positions. A
// table left empty gets one new record dated `today`.
RecordsChanged deleteRecords(Table &records, const QString &attachmentsPath, int from, int to,
                             const QDate &today = QDate::currentDate());

// The Number the attachment rows of the record at `position` carry: its row key, or its
// position in files written before attachments were keyed by row (format version below 3,
// until their first insertion or deletion). 0 when there is no such record.
qint64 attachmentNumber(const Table &records, int position);

// A query of every record of the records table attached as `schema`: its row key (_rk) and
// its position (n).
QString recordPositionsSql(const QString &schema = QStringLiteral("main"));

// Removes the attachment rows numbered `number` (Empty Record); a missing attachments table is
// made from "atach.db" beside it, with nothing to remove. StoreError when it cannot be written.
void removeAttachments(const QString &attachmentsPath, qint64 number);

} // namespace tav::store::ops
