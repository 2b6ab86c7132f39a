#include "DatabaseInfo.h"

#include "FileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace tav::store::info {

DatabaseInfo readDatabaseInfo(const QString &dataDir, const QString &name, int recordCount)
{
    DatabaseInfo info;
    info.name = name;
    info.directory = QDir::toNativeSeparators(QDir(dataDir).absolutePath());
    info.recordCount = recordCount;
    const QString records = files::recordsTable(name);
    info.files = {records.toLower(), files::labelsTable(name).toLower(),
                  files::memoFile(name).toLower()};
    const QDir dir(dataDir);
    for (const QString &file : {records, files::labelsTable(name), files::memoFile(name)}) {
        const QFileInfo fi(dir.filePath(file));
        if (fi.isFile() && fi.isReadable())
            info.size += fi.size();
        else
            info.allFilesFound = false;
    }
    const QFileInfo recordsFile(dir.filePath(records));
    if (recordsFile.exists()) {
        info.created = recordsFile.birthTime();
        if (!info.created.isValid()) {
            info.created = recordsFile.metadataChangeTime();
            info.createdIsChangeTime = true;
        }
        info.modified = recordsFile.lastModified();
    }
    return info;
}

QString formatSize(qint64 bytes)
{
    QString digits = QString::number(bytes);
    if (bytes < 0 || digits.size() < 4 || digits.size() > 9)
        return digits;
    for (int at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

QString cTimeText(const QDateTime &time)
{
    return QLocale::c().toString(time.toLocalTime(), QStringLiteral("ddd MMM dd HH:mm:ss yyyy"));
}

QStringList infoLabelLines()
{
    return {QStringLiteral(" Name and Location:"), QStringLiteral(" Number of Records:"),
            QStringLiteral(" Size:"),              QStringLiteral(" Created:"),
            QStringLiteral(" Last Modified:"),     QStringLiteral(" Files:")};
}

QStringList infoValueLines(const DatabaseInfo &info)
{
    const QString unknown = QStringLiteral("unknown");
    QString size = formatSize(info.size) + QStringLiteral(" bytes");
    if (!info.allFilesFound)
        size += QStringLiteral(" (a file of the database could not be read)");
    QString created = info.created.isValid() ? cTimeText(info.created) : unknown;
    if (info.created.isValid() && info.createdIsChangeTime)
        created += QStringLiteral(" (last change: no creation time is kept)");
    return {info.name + QStringLiteral("  ") + info.directory, QString::number(info.recordCount),
            size, created, info.modified.isValid() ? cTimeText(info.modified) : unknown,
            info.files.join(QStringLiteral(", "))};
}

} // namespace tav::store::info
