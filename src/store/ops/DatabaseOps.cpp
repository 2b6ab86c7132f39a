#include "DatabaseOps.h"

#include "Catalogue.h"
#include "DatabaseNames.h"
#include "FileNames.h"
#include "StoreError.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TableFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QVector>

#include <utility>

namespace tav::store::ops {

namespace {

QString validName(const QString &typed)
{
    const QString name = names::normalised(typed);
    if (!names::isValid(name))
        throw StoreError(QStringLiteral("'%1' is not a valid database name").arg(typed));
    return name;
}

// Names read from the catalogue: whatever their length, they must not lead out of the data
// directory.
QString existingName(const QString &typed)
{
    const QString name = names::normalised(typed);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        throw StoreError(QStringLiteral("'%1' is not a valid database name").arg(typed));
    return name;
}

void refuseMaster(const QString &name, const char *what)
{
    if (names::normalised(name) == files::kMaster)
        throw StoreError(
            QStringLiteral("The MASTER database can not be %1").arg(QLatin1String(what)));
}

// A table file of a new database starts with one row (the first record, the labels row).
void ensureOneRow(const QString &path)
{
    Table table;
    table.setTableName(path);
    table.open();
    if (table.recordCount() == 0) {
        table.append();
        table.post();
    }
}

// Tables written by an operation so far, deleted again when a later step fails. Only tables
// whose names were free before the operation are recorded.
class CreatedTables
{
public:
    void add(const QString &path) { m_paths << path; }
    void discard()
    {
        for (const QString &path : std::as_const(m_paths)) {
            try {
                deleteTable(path);
            } catch (...) {
                // The first failure is the one reported.
            }
        }
    }

private:
    QStringList m_paths;
};

template <typename Work> void undoOnFailure(CreatedTables &created, Work work)
{
    try {
        work();
    } catch (...) {
        created.discard();
        throw;
    }
}

} // namespace

QStringList databaseFiles(const QString &name)
{
    return {files::recordsTable(name), files::memoFile(name), files::labelsTable(name),
            files::attachmentsTable(name)};
}

bool isNameTaken(const QString &dataDir, const QString &name)
{
    if (names::isTaken(name, catalogue::names(dataDir)))
        return true;
    const QDir dir(dataDir);
    for (const QString &file : databaseFiles(names::normalised(name))) {
        if (QFileInfo::exists(dir.filePath(file)))
            return true;
    }
    return false;
}

NameResult createDatabase(const QString &dataDir, const QString &typed)
{
    const QString name = validName(typed);
    ensureSuppliedFiles(dataDir); // the templates and the catalogue
    if (isNameTaken(dataDir, name))
        return NameResult::NameTaken;
    const QDir dir(dataDir);
    CreatedTables created;
    undoOnFailure(created, [&] {
        for (const auto &[from, to] :
             {std::pair{files::kRecordsTemplate, files::recordsTable(name)},
              std::pair{files::kLabelsTemplate, files::labelsTable(name)}}) {
            created.add(dir.filePath(to));
            copyTable(dir.filePath(from), dir.filePath(to));
            ensureOneRow(dir.filePath(to));
        }
        catalogue::add(dataDir, name);
    });
    return NameResult::Done;
}

NameResult saveAsDatabase(const QString &dataDir, const QString &oldTyped, const QString &newTyped)
{
    const QString oldName = existingName(oldTyped);
    const QString newName = validName(newTyped);
    ensureSuppliedFiles(dataDir); // "atach.db" and the catalogue
    if (isNameTaken(dataDir, newName))
        return NameResult::NameTaken;
    const QDir dir(dataDir);
    QString attachments = dir.filePath(files::attachmentsTable(oldName));
    if (!tableExists(attachments))
        attachments = dir.filePath(files::kAttachmentsTemplate);
    CreatedTables created;
    undoOnFailure(created, [&] {
        for (const auto &[from, to] :
             {std::pair{dir.filePath(files::recordsTable(oldName)), files::recordsTable(newName)},
              std::pair{dir.filePath(files::labelsTable(oldName)), files::labelsTable(newName)},
              std::pair{attachments, files::attachmentsTable(newName)}}) {
            if (!tableExists(from))
                throw StoreError(QStringLiteral("The table %1 does not exist").arg(from));
            created.add(dir.filePath(to));
            copyTable(from, dir.filePath(to));
        }
        catalogue::add(dataDir, newName);
    });
    return NameResult::Done;
}

NameResult renameDatabase(const QString &dataDir, const QString &oldTyped, const QString &newTyped)
{
    refuseMaster(oldTyped, "renamed");
    const QString oldName = existingName(oldTyped);
    const QString newName = validName(newTyped);
    if (isNameTaken(dataDir, newName))
        return NameResult::NameTaken;
    const QDir dir(dataDir);
    QVector<std::pair<QString, QString>> moves = {
        {dir.filePath(files::recordsTable(oldName)), dir.filePath(files::recordsTable(newName))},
        {dir.filePath(files::labelsTable(oldName)), dir.filePath(files::labelsTable(newName))},
    };
    // The attachments table is made when the database is first opened.
    const QString attachments = dir.filePath(files::attachmentsTable(oldName));
    if (QFileInfo::exists(attachments))
        moves.append({attachments, dir.filePath(files::attachmentsTable(newName))});

    QVector<std::pair<QString, QString>> done;
    try {
        for (const auto &move : std::as_const(moves)) {
            moveTable(move.first, move.second); // the .db with its .mb
            done.append(move);
        }
        catalogue::rename(dataDir, oldName, newName);
    } catch (const StoreError &e) {
        QStringList stranded;
        for (auto it = done.crbegin(); it != done.crend(); ++it) {
            try {
                moveTable(it->second, it->first);
            } catch (const StoreError &) {
                stranded << QFileInfo(it->second).fileName();
            }
        }
        if (stranded.isEmpty())
            throw;
        throw StoreError(QStringLiteral("%1\nThese files keep the new name: %2")
                             .arg(e.message(), stranded.join(QStringLiteral(", "))));
    }
    return NameResult::Done;
}

void deleteDatabase(const QString &dataDir, const QString &typed)
{
    refuseMaster(typed, "deleted");
    const QString name = existingName(typed);
    const QDir dir(dataDir);
    for (const QString &table :
         {files::recordsTable(name), files::labelsTable(name), files::attachmentsTable(name)})
        deleteTable(dir.filePath(table)); // with its .mb
    catalogue::remove(dataDir, name);
}

} // namespace tav::store::ops
