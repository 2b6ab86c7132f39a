#pragma once
// The attachment rows of one record: (Number, FileName) rows of a database's attachments
// table, Number being the row key of the record a file belongs to (ops::attachmentNumber).
// Writers open the file for themselves and close it again, and readers notice when the path
// names another file, so renaming, deleting, importing or restoring a database can replace
// the file at any time.

#include <QString>
#include <QStringList>

#include <memory>

namespace tav::store::ops
{

// Reads the attachment rows of one record after another (the attachments window follows
// every move) on one read-only connection, kept while the path still names the file it
// opened: a file renamed, deleted, imported or restored in its place is opened afresh.
class AttachmentReader
{
public:
    AttachmentReader();
    ~AttachmentReader();
    AttachmentReader(const AttachmentReader &) = delete;
    AttachmentReader &operator=(const AttachmentReader &) = delete;

    // As attachedFiles().
    QStringList files(const QString &attachmentsPath, qint64 number);
    // Lets go of the file.
    void close();

private:
    struct OpenFile;
    std::unique_ptr<OpenFile> m_file;
};

// Makes the attachments table from the template "atach.db" beside it (or from the schema when
// the template is missing), with its index, unless it exists. StoreError when it cannot be made.
void ensureAttachmentsTable(const QString &attachmentsPath);

// Creates, unless there, the index that finds a record's rows in the attachments table of
// the file attached as `schema` (files written before the rows were keyed by record lack it).
QString attachmentsIndexSql(const QString &schema = QStringLiteral("main"));

// The file names attached to record `number`, in the order they were attached. Empty when the
// table is missing or cannot be read (the caller shows no attachments then).
QStringList attachedFiles(const QString &attachmentsPath, qint64 number);

// Attaches `fileName` to record `number`; the table is made first when it is missing. False
// when that exact path (case-sensitive) is attached to the record already: nothing is added.
// StoreError when the table cannot be written.
bool attachFile(const QString &attachmentsPath, qint64 number, const QString &fileName);

// Removes the rows of record `number` whose file name is one of `fileNames`, in one statement.
// Returns the number of rows removed; StoreError when the table cannot be opened or written
// (then nothing is removed).
int detachFiles(const QString &attachmentsPath, qint64 number, const QStringList &fileNames);

} // namespace tav::store::ops
