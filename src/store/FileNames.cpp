#include "FileNames.h"

namespace tav::store::files {

namespace {
bool isMaster(const QString &dbName)
{
    return dbName.compare(kMaster, Qt::CaseInsensitive) == 0;
}
} // namespace

QString recordsTable(const QString &dbName)
{
    return isMaster(dbName) ? QStringLiteral("table1.db") : QStringLiteral("t%1.db").arg(dbName);
}

QString memoFile(const QString &dbName)
{
    return memoFileFor(recordsTable(dbName));
}

QString labelsTable(const QString &dbName)
{
    return isMaster(dbName) ? QStringLiteral("label1.db") : QStringLiteral("l%1.db").arg(dbName);
}

QString attachmentsTable(const QString &dbName)
{
    return attachmentsTableFor(recordsTable(dbName));
}

QString attachmentsTableFor(const QString &recordsFile)
{
    return QStringLiteral("atach_") + recordsFile;
}

QString memoFileFor(const QString &tableFile)
{
    if (tableFile.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        return tableFile.left(tableFile.size() - 3) + QStringLiteral(".mb");
    return tableFile + QStringLiteral(".mb");
}

} // namespace tav::store::files
