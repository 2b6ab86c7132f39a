#include "Attachments.h"

#include "FileNames.h"
#include "Schemas.h"
#include "StoreError.h"
#include "Table.h"
#include "Sqlite.h"
#include "TableFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

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
    Table table;
    openTable(table, attachmentsPath);
    table.execute(attachmentsIndexSql());
}

QString attachmentsIndexSql(const QString &schema)
{
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1.data_number ON data(Number)").arg(schema);
}

struct AttachmentReader::OpenFile {
    QString path;
    dev_t device;
    ino_t inode;
    sql::Connection db;
};

AttachmentReader::AttachmentReader() = default;
AttachmentReader::~AttachmentReader() = default;

void AttachmentReader::close()
{
    m_file.reset();
}

QStringList AttachmentReader::files(const QString &attachmentsPath, qint64 number)
{
    QStringList names;
    struct stat info;
    if (attachmentsPath.isEmpty() ||
        ::stat(QFile::encodeName(attachmentsPath).constData(), &info) != 0) {
        close();
        return names;
    }
    try {
        if (!m_file || m_file->path != attachmentsPath || m_file->device != info.st_dev ||
            m_file->inode != info.st_ino) {
            close();
            m_file.reset(new OpenFile{attachmentsPath, info.st_dev, info.st_ino,
                                      {attachmentsPath, sql::Connection::Mode::ReadOnly}});
        }
        sql::Stmt rows = m_file->db.cached(
            QStringLiteral("SELECT FileName FROM main.data WHERE Number = ? ORDER BY _rk"));
        rows.bindInt(1, number);
        while (rows.step())
            names << rows.text(0);
    } catch (const StoreError &) {
        close(); // not a table we can read: the next call tries again
        names.clear();
    }
    return names;
}

QStringList attachedFiles(const QString &attachmentsPath, qint64 number)
{
    return AttachmentReader().files(attachmentsPath, number);
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
