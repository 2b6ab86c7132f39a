#include "SuppliedFiles.h"

#include "FieldCatalogue.h"
#include "FileNames.h"
#include "Table.h"
#include "TableFiles.h"
#include "TableFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

namespace tav::store {

namespace {

// Captions of the template labels row, by labels-table field.
void fillDefaultCaptions(Table &labels)
{
    static const char *const kCaptions[][2] = {
        {"Created", "Created"},  {"No", "No."},         {"ID", "ID"},
        {"First", "First Name"}, {"Last", "Last Name"}, {"Phone", "Phone"},
        {"Fax", "Fax"},          {"Email", "E-mail"},   {"URL", "Web Site"},
        {"Add1", "Address"},     {"Add2", "City"},      {"Add3", "Country"},
        {"Res1", "Field 1"},     {"Res2", "Field 2"},   {"Res3", "Field 3"},
        {"Res4", "Field 4"},     {"Res5", "Field 5"},   {"Comments", "Comments"},
    };
    for (const auto &caption : kCaptions)
        labels.setValue(QLatin1String(caption[0]), QLatin1String(caption[1]));
    // The extra fields continue the numbering of Field 1..5.
    for (int pos = 0; pos < catalogue::kExtraFields; ++pos)
        labels.setValue(catalogue::labelsField(pos), QStringLiteral("Field %1").arg(pos + 6));
    labels.setAsInteger(QStringLiteral("Nradd"), 0);
}

// Creates the table `name` with `fill` run on it, unless its .db exists. The table is
// built under a temporary name and moved into place only when complete. A .mb lying there
// without its .db belongs to no table and is replaced; an existing .db missing its .mb gets
// an empty one, so it can be opened.
void ensureTable(const QDir &dir, const QString &name, const TableSchema &schema,
                 const std::function<void(Table &)> &fill)
{
    const QString path = dir.filePath(name);
    const QString mb = files::memoFileFor(path);
    if (tableExists(path)) {
        const TableSchema existing = readSchema(path);
        if (hasMemoFields(existing) && !QFileInfo::exists(mb))
            format::writeEmptyMemoFile(mb, existing);
        return;
    }
    const QString building = dir.filePath(QStringLiteral(".new-") + name);
    createTable(building, schema);
    try {
        if (fill) {
            Table table;
            table.setTableName(building);
            table.open();
            fill(table);
            table.close();
        }
        if (QFileInfo::exists(mb) && !QFile::remove(mb))
            throw StoreError(QStringLiteral("Cannot replace %1").arg(mb));
        moveTable(building, path);
    } catch (...) {
        deleteTable(building);
        throw;
    }
}

void appendRecord(Table &table, const std::function<void(Table &)> &setFields)
{
    table.append();
    if (setFields)
        setFields(table);
    table.post();
}

} // namespace

void ensureSuppliedFiles(const QString &dataDir)
{
    if (!QDir().mkpath(dataDir))
        throw StoreError(QStringLiteral("Cannot create the data directory %1").arg(dataDir));
    const QDir dir(dataDir);

    ensureTable(dir, files::kRecordsTemplate, schemas::records(),
                [](Table &t) { appendRecord(t, nullptr); });
    ensureTable(dir, files::kLabelsTemplate, schemas::labels(),
                [](Table &t) { appendRecord(t, fillDefaultCaptions); });
    ensureTable(dir, files::kAttachmentsTemplate, schemas::attachments(), nullptr);
    ensureTable(dir, files::kMasterConfig, schemas::masterConfig(), nullptr);
    ensureTable(dir, files::kDetailsCriteria, schemas::detailsCriteria(), nullptr);
    ensureTable(dir, files::kCatalogue, schemas::catalogue(), [](Table &t) {
        appendRecord(t, [](Table &row) { row.setValue(QStringLiteral("Name"), files::kMaster); });
    });
    ensureTable(dir, files::recordsTable(files::kMaster), schemas::records(), [](Table &t) {
        appendRecord(
            t, [](Table &row) { row.setAsDate(QStringLiteral("Date"), QDate::currentDate()); });
    });
    const QString masterLabels = dir.filePath(files::labelsTable(files::kMaster));
    if (!tableExists(masterLabels))
        copyTable(dir.filePath(files::kLabelsTemplate), masterLabels);
}

} // namespace tav::store
