#include "BackupSets.h"

#include "Catalogue.h"
#include "DatabaseNames.h"
#include "FileNames.h"
#include "FileSetSwap.h"
#include "StoreError.h"
#include "TableFiles.h"

#include <QDir>
#include <QFileInfo>

namespace tav::exchange::backup {

namespace files = store::files;
namespace names = store::ops::names;
using store::StoreError;

namespace {

// Stages a copy of `from` as `to`; a missing source is an error unless `optional`.
bool stageCopy(FileSetSwap &swap, const QString &from, const QString &to, bool optional = false)
{
    if (!QFileInfo(from).isFile()) {
        if (optional)
            return false;
        throw StoreError(QStringLiteral("The file %1 does not exist").arg(from));
    }
    store::copyTableFile(from, swap.stage(to));
    return true;
}

} // namespace

SetFiles setFiles(const QString &name)
{
    // MASTER's records file "table1.db" takes the "t" every other records file starts with.
    const QString stem = names::normalised(name) == files::kMaster ? QStringLiteral("t") : QString();
    return {kSetPrefix + stem + files::recordsTable(name), files::memoFile(name),
            files::labelsTable(name), files::attachmentsTable(name)};
}

QString setNameOf(const QString &fileName)
{
    if (!fileName.startsWith(kSetPrefix + QLatin1Char('t')) ||
        !fileName.endsWith(QLatin1String(".db")))
        return QString();
    if (fileName.contains(QLatin1String("ttable1")))
        return files::kMaster;
    const QString name = fileName.mid(7, fileName.size() - 10);
    return names::isValid(name) ? name : QString();
}

FoundSets findSets(const QString &directory)
{
    FoundSets found;
    const QStringList entries =
        QDir(directory).entryList({kSetPattern}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : entries) {
        const QString name = setNameOf(file);
        (name.isEmpty() ? found.invalidFiles : found.names) << (name.isEmpty() ? file : name);
    }
    return found;
}

bool sameDirectory(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    if (ca.isEmpty() || cb.isEmpty())
        return QDir::cleanPath(QDir(a).absolutePath()) == QDir::cleanPath(QDir(b).absolutePath());
    return ca == cb;
}

void backupDatabase(const QString &dataDir, const QString &name, const QString &destination)
{
    if (sameDirectory(dataDir, destination))
        throw StoreError(QStringLiteral("The backup directory is the data directory"));
    const QDir from(dataDir);
    const QDir to(destination);
    const SetFiles set = setFiles(name);
    FileSetSwap swap;
    stageCopy(swap, from.filePath(files::recordsTable(name)), to.filePath(set.records));
    stageCopy(swap, from.filePath(files::memoFile(name)), to.filePath(set.memo));
    stageCopy(swap, from.filePath(files::labelsTable(name)), to.filePath(set.labels));
    // No attachments table yet: an older set's list must not come back with a restore.
    if (!stageCopy(swap, from.filePath(files::attachmentsTable(name)),
                   to.filePath(set.attachments), true))
        swap.removeOnInstall(to.filePath(set.attachments));
    swap.install();
}

bool restoreDatabase(const QString &source, const QString &name, const QString &dataDir)
{
    if (sameDirectory(dataDir, source))
        throw StoreError(QStringLiteral("The backup directory is the data directory"));
    const QString target = names::normalised(name);
    if (target != files::kMaster && !names::isValid(target))
        throw StoreError(QStringLiteral("'%1' is not a valid database name").arg(name));
    const QDir from(source);
    const QDir to(dataDir);
    const SetFiles set = setFiles(name);
    FileSetSwap swap;
    stageCopy(swap, from.filePath(set.records), to.filePath(files::recordsTable(target)));
    stageCopy(swap, from.filePath(set.memo), to.filePath(files::memoFile(target)));
    stageCopy(swap, from.filePath(set.labels), to.filePath(files::labelsTable(target)));
    stageCopy(swap, from.filePath(set.attachments), to.filePath(files::attachmentsTable(target)),
              true);
    const bool add = target != files::kMaster &&
                     !names::isTaken(target, store::ops::catalogue::names(dataDir));
    swap.install();
    if (add)
        store::ops::catalogue::add(dataDir, target);
    return add;
}

} // namespace tav::exchange::backup
