#include "RecordOps.h"

#include "AttachedTable.h"
#include "FileNames.h"
#include "Schemas.h"
#include "StoreError.h"
#include "Table.h"
#include "TableFiles.h"

#include <QDir>
#include <QFileInfo>

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
    const QString templatePath = QFileInfo(path).dir().filePath(files::kAttachmentsTemplate);
    if (tableExists(templatePath))
        copyTable(templatePath, path);
    else
        createTable(path, schemas::attachments());
    return false;
}

// The attachment rows of table `schema`.data follow their records (see updateAttachments).
void renumberAttachments(Table &table, const QString &schema, int s, int e, int d)
{
    const qint64 shift = qint64(d) * (qint64(e) - s + 1);
    if (shift == 0) {
        table.execute(QStringLiteral("DELETE FROM %1.data WHERE Number = ?").arg(schema), {s});
        return;
    }
    table.execute(
        QStringLiteral("DELETE FROM %1.data WHERE Number >= ? AND Number + ? < ?").arg(schema),
        {s, shift, s});
    table.execute(
        QStringLiteral("UPDATE %1.data SET Number = Number + ? WHERE Number >= ?").arg(schema),
        {shift, s});
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
        records.transaction([&] { current = work(); });
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
        renumberAttachments(records, kAttachments, pos, pos + count - 1, +1);
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
        records.deleteRange(from, to);
        result.recordCount = records.recordCount();
        if (result.recordCount == 0) { // a database never stays without records
            records.insertRecords(1, 1, {{QStringLiteral("Date"), today}});
            result.recordCount = 1;
        }
        renumberAttachments(records, kAttachments, from, to, -1);
        result.currentRecord = qMin(from, result.recordCount);
        return result.currentRecord;
    });
    return result;
}

void updateAttachments(const QString &attachmentsPath, int s, int e, int d)
{
    if (!ensureAttachments(attachmentsPath))
        return; // a new table: nothing to renumber
    Table table;
    table.setTableName(attachmentsPath);
    table.open();
    table.transaction([&] { renumberAttachments(table, QStringLiteral("main"), s, e, d); });
}

} // namespace tav::store::ops
