#include "ImportText.h"

#include "Attachments.h"
#include "Catalogue.h"
#include "DatabaseNames.h"
#include "DatabaseOps.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "FileSetSwap.h"
#include "RecordOps.h"
#include "Sqlite.h"
#include "Table.h"
#include "TableFiles.h"
#include "TableFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <unistd.h>

namespace tav::exchange {

namespace cat = store::catalogue;
namespace files = store::files;
namespace names = store::ops::names;
using store::StoreError;

namespace {

constexpr int kFixedColumns = 15;
constexpr int kFieldWidth = 100;
constexpr qint64 kChunk = 1 << 20;
const char kBlank[] = " ";

// A well-formed UTF-8 byte sequence (no overlongs, no surrogates, at most U+10FFFF).
bool isValidUtf8(const char *p, qsizetype n)
{
    const auto *s = reinterpret_cast<const unsigned char *>(p);
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more;
        unsigned int cp;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += more + 1;
    }
    return true;
}

// Byte length of the first `width` characters of UTF-8 text, or -1 when it has no more.
qsizetype cutAt(const char *p, qsizetype n, int width)
{
    if (n <= width)
        return -1;
    int chars = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) {
            if (chars == width)
                return i;
            ++chars;
        }
    }
    return -1;
}

void syncFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || ::fsync(file.handle()) != 0)
        throw StoreError(QStringLiteral("Cannot write %1").arg(path));
}

struct RawStatement {
    RawStatement(store::sql::Connection &db, const QString &sqlText) : db(db)
    {
        if (sqlite3_prepare_v2(db.handle(), sqlText.toUtf8().constData(), -1, &stmt, nullptr) !=
            SQLITE_OK)
            db.fail(QStringLiteral("Cannot write %1").arg(db.path()));
    }
    ~RawStatement() { sqlite3_finalize(stmt); }
    RawStatement(const RawStatement &) = delete;
    RawStatement &operator=(const RawStatement &) = delete;
    store::sql::Connection &db;
    sqlite3_stmt *stmt = nullptr;
};

// Writes the records of the text file into the new, empty records table open on `db`.
class RecordWriter
{
public:
    RecordWriter(store::sql::Connection &db, QChar separator, const QDate &today,
                 ImportResult &result)
        : m_db(db), m_separator(QString(separator).toUtf8()),
          m_today(today.toString(Qt::ISODate).toUtf8()), m_result(result),
          m_insert(db, insertText())
    {
        m_dropQuotes = separator != QLatin1Char('"');
    }

    // One line without its line end.
    void addLine(QByteArray line)
    {
        if (line.endsWith('\r'))
            line.chop(1);
        if (m_lines == 0 && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        if (!isValidUtf8(line.constData(), line.size()))
            line = QString::fromLatin1(line).toUtf8();
        if (m_dropQuotes && line.contains('"'))
            line.replace('"', QByteArray());
        split(line);
        write();
    }

    // An empty file keeps one empty record, as a new database has.
    void finish()
    {
        if (m_lines == 0) {
            sqlite3_stmt *s = m_insert.stmt;
            sqlite3_bind_null(s, 1);
            sqlite3_bind_int64(s, 2, 1);
            for (int i = 3; i <= 2 + kFixedColumns + cat::kExtraFields; ++i)
                sqlite3_bind_text(s, i, "", 0, SQLITE_STATIC);
            step();
            m_lines = 1;
        }
        m_result.records = m_lines;
        m_result.nradd = m_widest >= kFixedColumns ? m_widest - (kFixedColumns - 1) : 0;
    }

private:
    static QString insertText()
    {
        QStringList columns{QStringLiteral("Date"), QStringLiteral("Count")};
        for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
            columns << store::sql::quoted(cat::recordField(pos));
        for (int pos = 0; pos < cat::kExtraFields; ++pos)
            columns << store::sql::quoted(cat::recordField(pos));
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        return QStringLiteral("INSERT INTO main.data(%1) VALUES(%2)")
            .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    }

    void split(const QByteArray &line)
    {
        m_count = 0;
        int separators = 0;
        const char *p = line.constData();
        const qsizetype n = line.size();
        const char *sep = m_separator.constData();
        const qsizetype sepSize = m_separator.size();
        qsizetype start = 0;
        for (qsizetype i = 0; i + sepSize <= n;) {
            if (p[i] == sep[0] && (sepSize == 1 || memcmp(p + i, sep, sepSize) == 0)) {
                addColumn(p + start, i - start);
                ++separators;
                i += sepSize;
                start = i;
            } else {
                ++i;
            }
        }
        addColumn(p + start, n - start);
        if (separators >= kImportColumns) {
            ++m_result.linesCut;
            separators = kImportColumns - 1;
        }
        if (separators > m_widest && separators >= kFixedColumns)
            m_widest = separators;
    }

    void addColumn(const char *p, qsizetype n)
    {
        if (m_count < kImportColumns)
            m_columns[m_count] = {p, n};
        ++m_count;
    }

    void bindColumn(int index, int column)
    {
        sqlite3_stmt *s = m_insert.stmt;
        if (column >= m_count || m_columns[column].size == 0) {
            sqlite3_bind_text(s, index, kBlank, 1, SQLITE_STATIC);
            return;
        }
        const auto &[p, n] = m_columns[column];
        qsizetype size = n;
        const qsizetype cut = cutAt(p, n, kFieldWidth);
        if (cut >= 0) {
            size = cut;
            ++m_result.valuesCut;
        }
        sqlite3_bind_text(s, index, p, int(size), SQLITE_STATIC);
    }

    void write()
    {
        sqlite3_stmt *s = m_insert.stmt;
        ++m_lines;
        sqlite3_bind_text(s, 1, m_today.constData(), int(m_today.size()), SQLITE_STATIC);
        sqlite3_bind_int64(s, 2, m_lines);
        int index = 3;
        for (int c = 0; c < kFixedColumns; ++c)
            bindColumn(index++, c);
        const int extras = m_widest >= kFixedColumns ? m_widest - (kFixedColumns - 1) : 0;
        for (int e = 0; e < cat::kExtraFields; ++e, ++index) {
            if (e < extras)
                bindColumn(index, kFixedColumns + e);
            else
                sqlite3_bind_text(s, index, "", 0, SQLITE_STATIC);
        }
        step();
    }

    void step()
    {
        if (sqlite3_step(m_insert.stmt) != SQLITE_DONE)
            m_db.fail(QStringLiteral("Cannot write the records"));
        sqlite3_reset(m_insert.stmt);
    }

    struct Column {
        const char *data = nullptr;
        qsizetype size = 0;
    };

    store::sql::Connection &m_db;
    QByteArray m_separator;
    QByteArray m_today;
    ImportResult &m_result;
    RawStatement m_insert;
    bool m_dropQuotes = true;
    Column m_columns[kImportColumns];
    int m_count = 0;
    int m_widest = 0;
    int m_lines = 0;
};

// Reads the text file line by line into the new records table at `recordsPath`.
void readRecords(QFile &text, const QString &recordsPath, const ImportRequest &request,
                 ImportResult &result, const Progress &progress)
{
    store::TableSchema schema;
    const auto db = store::format::openTable(recordsPath, false, schema);
    // A file nobody else sees yet: no journal, no syncs until it is complete.
    db->exec(QStringLiteral("PRAGMA main.journal_mode=OFF; PRAGMA main.synchronous=OFF; "
                            "PRAGMA mb.journal_mode=OFF; PRAGMA mb.synchronous=OFF"));
    db->exec(QStringLiteral("BEGIN"));
    {
        RecordWriter writer(*db, request.separator, request.today, result);
        const qint64 total = text.size();
        ProgressThrottle throttle(progress, total);
        throttle.report(0);
        qint64 done = 0;
        QByteArray pending;
        for (;;) {
            const QByteArray chunk = text.read(kChunk);
            if (chunk.isEmpty()) {
                if (text.error() != QFileDevice::NoError)
                    throw StoreError(QStringLiteral("Cannot read %1: %2")
                                         .arg(request.textFile, text.errorString()));
                break;
            }
            pending += chunk;
            qsizetype start = 0;
            for (qsizetype end; (end = pending.indexOf('\n', start)) >= 0; start = end + 1) {
                writer.addLine(pending.mid(start, end - start));
                done += end + 1 - start;
                throttle.report(done);
            }
            pending.remove(0, start);
        }
        if (!pending.isEmpty()) // a last line without a line end
            writer.addLine(pending);
        writer.finish();
        throttle.report(total);
    }
    db->exec(QStringLiteral("INSERT INTO mb.data(_rk) SELECT _rk FROM main.data"));
    db->exec(QStringLiteral("COMMIT"));
}

// Kept attachment rows stay with the record numbers. The new records take the row keys 1..N
// in the file's order, their positions: rows keyed by the replaced records' row keys are
// numbered by those records' positions (rows of files written before attachments were keyed
// by row carry positions already). A row whose number no new record takes is kept detached
// (a negative number: row keys are positive), so that no record added later inherits it.
// The rows are rewritten in a copy installed with the new records.
void stageKeptAttachments(FileSetSwap &swap, const QString &oldRecords, const QString &attachments,
                          int newCount)
{
    if (!store::tableExists(attachments))
        return;
    const QString staged = swap.stage(attachments);
    store::copyTableFile(attachments, staged);
    {
        store::sql::Connection db(staged, store::sql::Connection::Mode::ReadWrite);
        bool keyedByRow = false;
        if (store::tableExists(oldRecords)) {
            db.attach(oldRecords, QStringLiteral("old"), false);
            keyedByRow = store::format::fileVersion(db, QStringLiteral("old")) >=
                         store::format::kRowKeyAttachmentsVersion;
        }
        store::sql::Transaction tx(db);
        if (keyedByRow) {
            db.exec(QStringLiteral(
                "UPDATE main.data AS a SET Number = -a.Number WHERE a.Number > 0 "
                "AND NOT EXISTS (SELECT 1 FROM old.data WHERE _rk = a.Number)"));
            db.exec(QStringLiteral("UPDATE main.data AS a SET Number = p.n FROM (%1) AS p "
                                   "WHERE p._rk = a.Number")
                        .arg(store::ops::recordPositionsSql(QStringLiteral("old"))));
        }
        db.exec(QStringLiteral("UPDATE main.data SET Number = -Number WHERE Number > %1")
                    .arg(newCount));
        db.exec(store::ops::attachmentsIndexSql());
        tx.commit();
    }
    syncFile(staged);
}

} // namespace

ImportResult importText(const ImportRequest &request, const Progress &progress)
{
    ImportResult result;
    const QString name = names::normalised(request.target);
    if (name != files::kMaster && !names::isValid(name))
        throw StoreError(QStringLiteral("'%1' is not a valid database name").arg(request.target));
    const bool existing = names::isTaken(name, store::ops::catalogue::names(request.dataDir));
    if (!existing && store::ops::isNameTaken(request.dataDir, name)) {
        result.status = ImportStatus::NameTaken;
        return result;
    }

    QFile text(request.textFile);
    if (!QFileInfo(request.textFile).isFile() || !text.open(QIODevice::ReadOnly)) {
        result.status = ImportStatus::CannotOpenFile;
        return result;
    }

    const QDir dir(request.dataDir);
    const QString recordsPath = dir.filePath(files::recordsTable(name));
    const QString labelsPath = dir.filePath(files::labelsTable(name));
    const QString labelsSource = request.labelsSource.isEmpty()
                                     ? dir.filePath(files::kLabelsTemplate)
                                     : request.labelsSource;

    FileSetSwap swap;
    const QString newRecords = swap.stage(recordsPath);
    const QString newMemo = files::memoFileFor(newRecords);
    swap.stageAs(newMemo, dir.filePath(files::memoFile(name)));
    const QString newLabels = swap.stage(labelsPath);

    store::format::writeEmptyTable(newRecords, newMemo, store::schemas::records());
    readRecords(text, newRecords, request, result, progress);
    syncFile(newRecords);
    syncFile(newMemo);

    const QString attachments = dir.filePath(files::attachmentsTable(name));
    if (request.keepAttachments)
        stageKeptAttachments(swap, recordsPath, attachments, result.records);
    else
        swap.removeOnInstall(attachments);

    store::copyTableFile(labelsSource, newLabels);
    {
        store::Table labels;
        labels.setTableName(newLabels);
        labels.open();
        if (labels.recordCount() == 0) {
            labels.append();
            labels.post();
        }
        labels.execute(QStringLiteral("UPDATE data SET Nradd = ?"), {result.nradd});
        labels.close();
    }

    swap.install();
    if (!existing) {
        store::ops::catalogue::add(request.dataDir, name);
        result.newDatabase = true;
    }
    return result;
}

} // namespace tav::exchange
