#pragma once
// The facts the "Database Information" window shows about one database: name and folder,
// record count, size of its three files, the records file's times and the file names.
// Read from the file system without touching the open tables.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tav::store::info {

struct DatabaseInfo {
    QString name;
    QString directory;
    int recordCount = 0;
    qint64 size = 0;            // records + labels + memo file, the files that exist
    bool allFilesFound = true;  // false when one of the three could not be read
    QDateTime created;          // invalid when unknown
    bool createdIsChangeTime = false; // the file system keeps no creation time
    QDateTime modified;
    QStringList files; // records, labels and memo file, lower case
};

// Reads the file facts of database `name` in `dataDir`; `recordCount` comes from the caller.
DatabaseInfo readDatabaseInfo(const QString &dataDir, const QString &name, int recordCount);

// 1234567 -> "1,234,567": a comma every three digits for 4 to 9 digits, none otherwise.
QString formatSize(qint64 bytes);
// "Mon Jan 03 14:05:09 2000", in English whatever the locale.
QString cTimeText(const QDateTime &time);
// The label lines of the window's left memo and the value lines of its right memo.
QStringList infoLabelLines();
QStringList infoValueLines(const DatabaseInfo &info);

} // namespace tav::store::info
