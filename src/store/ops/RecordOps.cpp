#include "RecordOps.h"

#include "AttachedTable.h"
#include "Attachments.h"
#include "FileNames.h"
#include "Schemas.h"
#include "StoreError.h"
#include "Table.h"
#include "TableFiles.h"
#include "TableFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QVector>

#include <functional>

namespace tav::store::ops {

namespace {

const QString kAttachments = QStringLiteral("att");

// Makes the attachments table when it is missing (from the template when there is one).
// Returns whether it existed.
bool ensureAttachments(const QString &path)
{
    if (tableExists(path))
        return true;
    ensureAttachmentsTable(path);
    return false;
}

// Files written before attachment rows carried their record's row key number them by
// position: they are numbered by row key once, in the transaction of the first insertion or
// deletion (which is when such a file's order keys get gaps, too). A row whose position
// holds no record is kept, detached from every record (a negative number: row keys are
// positive).
void keyAttachmentsByRowKey(Table &records)
{
    if (records.fileVersion() >= format::kRowKeyAttachmentsVersion)
        return;
    records.execute(attachmentsIndexSql(kAttachments));
    records.execute(QStringLiteral("UPDATE %1.data AS a SET Number = -a.Number "
                                   "WHERE a.Number > (SELECT COUNT(*) FROM main.data)")
                        .arg(kAttachments));
    // One statement: every row is renumbered from its old number, none twice.
    records.execute(QStringLiteral("UPDATE %1.data AS a SET Number = p._rk FROM (%2) AS p "
                                   "WHERE p.n = a.Number")
                        .arg(kAttachments, recordPositionsSql()));
    records.execute(QStringLiteral("PRAGMA main.user_version=%1")
                        .arg(format::kRowKeyAttachmentsVersion));
}

// Removes the attachment rows of the records with these row keys, a few hundred per statement.
void removeAttachmentRows(Table &records, const QVector<qint64> &rowKeys)
{
    constexpr int kBatch = 500;
    for (int first = 0; first < rowKeys.size(); first += kBatch) {
        QStringList marks;
        QVariantList keys;
        for (int i = first; i < rowKeys.size() && i < first + kBatch; ++i) {
            marks << QStringLiteral("?");
            keys << rowKeys[i];
        }
        records.execute(QStringLiteral("DELETE FROM %1.data WHERE Number IN (%2)")
                            .arg(kAttachments, marks.join(QLatin1Char(','))),
                        keys);
    }
}

// Runs `work` in one transaction over the records and the attachment rows, then makes
// record `current` current (clamped to the table).
void overRecordsAndAttachments(Table &records, const QString &attachmentsPath,
                               const std::function<int()> &work)
{
    records.checkBrowseMode();
    ensureAttachments(attachmentsPath);
    int current = 0;
    {
        AttachedTable attached(records, kAttachments, attachmentsPath);
        records.transaction([&] {
            keyAttachmentsByRowKey(records);
            current = work();
        });
    }
    records.setRecNo(current);
}

} // namespace

QString attachmentsPathFor(const Table &records)
{
    const QFileInfo file(records.filePath());
    return file.dir().filePath(files::attachmentsTableFor(file.fileName()));
}

RecordsChanged insertEmptyRecords(Table &records, const QString &attachmentsPath, int pos,
                                  int count, const QDate &date)
{
    RecordsChanged result{0, pos};
    overRecordsAndAttachments(records, attachmentsPath, [&] {
        const int before = records.recordCount();
        if (count < 1 || pos < 1 || pos > before + 1)
            throw StoreError(QStringLiteral("Cannot insert %1 records at position %2 of %3")
                                 .arg(count)
                                 .arg(pos)
                                 .arg(before));
        records.insertRecords(pos, count, {{QStringLiteral("Date"), date}});
        result.recordCount = before + count;
        return pos;
    });
    return result;
}

RecordsChanged deleteRecords(Table &records, const QString &attachmentsPath, int from, int to,
                             const QDate &today)
{
    RecordsChanged result{0, 0};
    overRecordsAndAttachments(records, attachmentsPath, [&] {
        const int before = records.recordCount();
        if (from < 1 || to < from || to > before)
            throw StoreError(QStringLiteral("Cannot delete the records %1 to %2 of %3")
                                 .arg(from)
                                 .arg(to)
                                 .arg(before));
        QVector<qint64> deleted;
        deleted.reserve(to - from + 1);
        for (int n = from; n <= to; ++n)
            deleted.append(records.rowKeyAt(n));
        records.deleteRange(from, to);
        removeAttachmentRows(records, deleted);
        result.recordCount = records.recordCount();
        if (result.recordCount == 0) { // a database never stays without records
            records.insertRecords(1, 1, {{QStringLiteral("Date"), today}});
            result.recordCount = 1;
        }
        result.currentRecord = qMin(from, result.recordCount);
        return result.currentRecord;
    });
    return result;
}

void removeAttachments(const QString &attachmentsPath, qint64 number)
{
    if (!ensureAttachments(attachmentsPath))
        return; // a new table: nothing to remove
    Table table;
    table.setTableName(attachmentsPath);
    table.open();
    table.execute(QStringLiteral("DELETE FROM data WHERE Number = ?"), {number});
}

QString recordPositionsSql(const QString &schema)
{
    return QStringLiteral("SELECT _rk, ROW_NUMBER() OVER (ORDER BY Count, _rk) AS n FROM %1.data")
        .arg(schema);
}

qint64 attachmentNumber(const Table &records, int position)
{
    if (position < 1 || position > records.recordCount())
        return 0;
    return records.fileVersion() >= format::kRowKeyAttachmentsVersion ? records.rowKeyAt(position)
                                                                      : position;
}

} // namespace tav::store::ops
