#include "Attachments.h"

#include "FileNames.h"
#include "Query.h"
#include "Schemas.h"
#include "StoreError.h"
#include "Table.h"
#include "TableFiles.h"

#include <QDir>
#include <QFileInfo>

namespace tav::store::ops
{

namespace
{

void openTable(Table &table, const QString &attachmentsPath)
{
    table.setTableName(attachmentsPath);
    table.open();
}

} // namespace

void ensureAttachmentsTable(const QString &attachmentsPath)
{
    if (tableExists(attachmentsPath))
        return;
    const QString templatePath =
        QFileInfo(attachmentsPath).dir().filePath(files::kAttachmentsTemplate);
    if (tableExists(templatePath))
        copyTable(templatePath, attachmentsPath);
    else
        createTable(attachmentsPath, schemas::attachments());
}

QStringList attachedFiles(const QString &attachmentsPath, qint64 number)
{
    QStringList names;
    if (attachmentsPath.isEmpty() || !QFileInfo::exists(attachmentsPath))
        return names;
    try {
        Query query;
        query.setTableName(attachmentsPath);
        query.setWhere(QStringLiteral("Number = :Count"));
        query.bindValue(QStringLiteral(":Count"), number);
        query.open();
        const QString field = QStringLiteral("FileName");
        for (query.first(); !query.eof(); query.next())
            names << query.asString(field);
    } catch (const StoreError &) {
        names.clear();
    }
    return names;
}

bool attachFile(const QString &attachmentsPath, qint64 number, const QString &fileName)
{
    ensureAttachmentsTable(attachmentsPath);
    Table table;
    openTable(table, attachmentsPath);
    bool added = false;
    table.transaction([&] {
        const QVariant found = table.selectValue(
            QStringLiteral("SELECT 1 FROM data WHERE Number = ? AND FileName = ?"),
            {number, fileName});
        if (!found.isNull())
            return;
        table.execute(QStringLiteral("INSERT INTO data(Number, FileName) VALUES (?, ?)"),
                      {number, fileName});
        added = true;
    });
    return added;
}

int detachFiles(const QString &attachmentsPath, qint64 number, const QStringList &fileNames)
{
    if (fileNames.isEmpty())
        return 0;
    Table table;
    openTable(table, attachmentsPath);
    QStringList marks;
    QVariantList parameters{number};
    for (const QString &name : fileNames) {
        marks << QStringLiteral("?");
        parameters << name;
    }
    return table.execute(QStringLiteral("DELETE FROM data WHERE Number = ? AND FileName IN (%1)")
                             .arg(marks.join(QLatin1Char(','))),
                         parameters);
}

} // namespace tav::store::ops
