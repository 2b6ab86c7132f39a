#include "TableFiles.h"

#include "FileNames.h"
#include "StoreError.h"
#include "TableFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>
#include <sqlite3.h>

namespace tav::store {

namespace {

QString journalOf(const QString &path)
{
    return path + QStringLiteral("-journal");
}

// A free name beside `path`, so the final rename stays on one file system.
QString tempSibling(const QString &path, const QString &suffix)
{
    const QFileInfo info(path);
    QString candidate;
    do {
        candidate = info.dir().filePath(QStringLiteral(".%1.%2.tmp%3")
                                            .arg(info.completeBaseName())
                                            .arg(QRandomGenerator::global()->generate(), 0, 16)
                                            .arg(suffix));
    } while (QFileInfo::exists(candidate));
    return candidate;
}

void removeFile(const QString &path)
{
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw StoreError(QStringLiteral("Cannot delete %1").arg(path));
}

// Moves a finished file into place, replacing the old one in one step. A journal left
// beside the old file must not be applied to the new one.
void replaceFile(const QString &from, const QString &to)
{
    removeFile(journalOf(to));
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw StoreError(QStringLiteral("Cannot write %1").arg(to));
}

// Writes the .db (and .mb) of a table under temporary names with `write`, then moves them
// into place. Nothing is left behind when writing fails.
template <typename Write> void writeTableFiles(const QString &path, bool withMemo, Write write)
{
    const QString tmpDb = tempSibling(path, QStringLiteral(".db"));
    const QString tmpMb = tempSibling(path, QStringLiteral(".mb"));
    try {
        write(tmpDb, tmpMb);
        const QString mb = files::memoFileFor(path);
        if (withMemo)
            replaceFile(tmpMb, mb);
        else
            removeFile(mb);
        replaceFile(tmpDb, path);
    } catch (...) {
        QFile::remove(tmpDb);
        QFile::remove(tmpMb);
        QFile::remove(journalOf(tmpDb));
        QFile::remove(journalOf(tmpMb));
        throw;
    }
}

} // namespace

// Copies one SQLite file with SQLite's backup, which sees a consistent state even while
// another connection has the file open.
void copyTableFile(const QString &from, const QString &to)
{
    if (!QFileInfo(from).isFile())
        throw StoreError(QStringLiteral("The file %1 does not exist").arg(from));
    sql::Connection source(from, sql::Connection::Mode::ReadWrite);
    sql::Connection target(to, sql::Connection::Mode::Create);
    sqlite3_backup *backup = sqlite3_backup_init(target.handle(), "main", source.handle(), "main");
    if (!backup)
        target.fail(QStringLiteral("Cannot copy %1 to %2").arg(from, to));
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        target.fail(QStringLiteral("Cannot copy %1 to %2").arg(from, to));
}

void createTable(const QString &path, const TableSchema &schema)
{
    writeTableFiles(path, hasMemoFields(schema), [&](const QString &db, const QString &mb) {
        format::writeEmptyTable(db, mb, schema);
    });
}

bool tableExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

TableSchema readSchema(const QString &path)
{
    if (!tableExists(path))
        throw StoreError(QStringLiteral("The table %1 does not exist").arg(path));
    sql::Connection connection(path, sql::Connection::Mode::ReadWrite);
    try {
        return format::readFields(connection);
    } catch (const StoreError &e) {
        throw StoreError(QStringLiteral("%1 is not a table file: %2").arg(path, e.message()));
    }
}

void copyTable(const QString &from, const QString &to)
{
    const QFileInfo source(from);
    if (source.exists() && source.canonicalFilePath() == QFileInfo(to).canonicalFilePath())
        return;
    const bool withMemo = hasMemoFields(readSchema(from));
    writeTableFiles(to, withMemo, [&](const QString &db, const QString &mb) {
        copyTableFile(from, db);
        if (withMemo)
            copyTableFile(files::memoFileFor(from), mb);
    });
}

void deleteTable(const QString &path)
{
    const QString mb = files::memoFileFor(path);
    for (const QString &file : {path, journalOf(path), mb, journalOf(mb)})
        removeFile(file);
}

void moveTable(const QString &from, const QString &to)
{
    readSchema(from); // also settles a journal left by a crash, which must not be separated
    if (QFileInfo::exists(to))
        throw StoreError(QStringLiteral("The table %1 exists already").arg(to));
    const QString fromMb = files::memoFileFor(from);
    const QString toMb = files::memoFileFor(to);
    if (QFileInfo::exists(fromMb)) {
        if (QFileInfo::exists(toMb))
            throw StoreError(QStringLiteral("The file %1 exists already").arg(toMb));
        replaceFile(fromMb, toMb);
    }
    try {
        replaceFile(from, to);
    } catch (...) {
        if (QFileInfo::exists(toMb))
            std::rename(QFile::encodeName(toMb).constData(), QFile::encodeName(fromMb).constData());
        throw;
    }
}

} // namespace tav::store
