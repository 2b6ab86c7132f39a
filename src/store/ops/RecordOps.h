#pragma once
// Record insertion and deletion on the records table of the current database. Positions are
// the records' places in the table's order (the number the user sees); the records' order
// keys are the table's business (Table::insertRecords / deleteRange write only the records
// concerned). Attachment rows (Number = the position of their record) are renumbered so they
// keep pointing at the same records: a narrow table, cheap to rewrite. Each operation is one transaction over the records,
// their memo and graphic values and the attachment rows (the attachments file attached to
// the records' connection): on failure nothing changes and StoreError carries the engine's
// message. `records` is the open table; a pending edit is posted first.

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
// record count + 1); the records from pos on move up by `count` positions, and attachment
// rows with Number >= pos by `count`. A missing attachments table is made from "atach.db" beside it.
RecordsChanged insertEmptyRecords(Table &records, const QString &attachmentsPath, int pos,
                                  int count, const QDate &date);

// Deletes the records from..to (1 <= from <= to <= record count) with their memo and graphic
// values and their attachment rows; later records and attachment rows move down by
// to - from + 1 positions. A table left empty gets one new record dated `today`.
RecordsChanged deleteRecords(Table &records, const QString &attachmentsPath, int from, int to,
                             const QDate &today = QDate::currentDate());

// Renumbers the attachment rows on their own (Empty Record: direction 0), with start s, end e
// and direction d (+1 insertion, -1 deletion, 0 emptying); shift = d * (e - s + 1). Rows with
// Number >= s move by the shift, and are deleted when they would land below s; with shift 0
// the rows with Number == s are deleted. A missing attachments table is made from
// "atach.db" beside it, with nothing to renumber. One transaction.
void updateAttachments(const QString &attachmentsPath, int s, int e, int d);

} // namespace tav::store::ops
