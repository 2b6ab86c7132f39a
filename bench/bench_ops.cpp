// The database operations on a large database, next to the sqlite3 command-line tool doing
// the bare equivalent on a copy of the same file:
//   opening the table (time and memory),
//   Insert Field / Delete Field with all 78 extra fields shown (every field moves; not at
//   1,000,000 records),
//   insertion of 1 record at position 1, deletion of records 10..20 (with attachment rows,
//   which follow the row key and are not renumbered),
//   beside sqlite3 renumbering every record as inserting did before Count had gaps,
//   repeated insertion at one place (re-spacing), Find Next without a match through the
//   quick-search filter beside a plain LIKE scan.
//
//   bench_ops [records ...]     default: 10000 100000     e.g. bench_ops 10000 100000 1000000
//
// Works in a temporary folder under the current directory (about 200 MB for 100,000
// records, 4 GB for 1,000,000 with the sqlite3 copy), removed afterwards. Needs `sqlite3` in
// PATH for the comparison figures.

#include "Attachments.h"
#include "BenchCommon.h"
#include "FieldCatalogue.h"
#include "FieldChain.h"
#include "FieldLayout.h"
#include "QuickSearch.h"
#include "RecordOps.h"
#include "Schemas.h"
#include "Table.h"
#include "TableFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

using namespace tav::store;
using namespace tav::store::ops;
using tav::bench::out;
using tav::bench::sqliteCli;

namespace {

double timed(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// The SET list of an UPDATE applying the moves to the records.
QString assignments(const QVector<chain::FieldMove> &moves)
{
    QStringList sets;
    for (const chain::FieldMove &move : moves)
        sets << quoted(catalogue::recordField(move.target)) + QStringLiteral(" = ") +
                    (move.source == chain::FieldMove::kEmpty
                         ? QStringLiteral("''")
                         : quoted(catalogue::recordField(move.source)));
    return sets.join(QStringLiteral(", "));
}

// A records table with every field filled, its labels row (all extra fields shown) and one
// attachment row per ten records.
void createDatabase(const QDir &dir, int records)
{
    tav::bench::writeFullTable(dir.filePath(QStringLiteral("tBENCH.db")), records);

    const QString labelsPath = dir.filePath(QStringLiteral("lBENCH.db"));
    createTable(labelsPath, schemas::labels());
    Table labels;
    labels.setTableName(labelsPath);
    labels.open();
    labels.append();
    for (int pos = 0; pos < catalogue::kExtraFields; ++pos)
        labels.setValue(catalogue::labelsField(pos), QStringLiteral("Extra %1").arg(pos + 1));
    labels.setAsInteger(QStringLiteral("Nradd"), catalogue::kExtraFields);
    labels.post();

    const QString attachmentsPath = dir.filePath(QStringLiteral("atach_tBENCH.db"));
    ops::ensureAttachmentsTable(attachmentsPath);
    Table attachments;
    attachments.setTableName(attachmentsPath);
    attachments.open();
    attachments.execute(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 10 UNION ALL SELECT i + 10 FROM n "
                       "WHERE i + 10 <= ?) INSERT INTO data(Number, FileName) "
                       "SELECT i, 'document ' || i || '.txt' FROM n"),
        {records});
}

// Resident memory of this process in MB.
double rssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &row : status.readAll().split('\n')) {
        if (row.startsWith("VmRSS:"))
            return row.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

struct Repeated {
    double average, best, worst;
};

// Runs `work` `times` times. On a shared machine the best run shows the work itself, the
// average and the worst what waiting for the disk added.
Repeated repeated(int times, const std::function<void(int)> &work)
{
    Repeated r{0, 1e99, 0};
    for (int i = 0; i < times; ++i) {
        const double one = timed([&] { work(i); });
        r.average += one / times;
        r.best = qMin(r.best, one);
        r.worst = qMax(r.worst, one);
    }
    return r;
}


void line(const char *what, double ours, double cli, const char *target)
{
    out() << QStringLiteral("  %1 %2 ms").arg(QLatin1String(what), -34).arg(ours, 9, 'f', 1);
    if (cli > 0)
        out() << QStringLiteral("   sqlite3 %1 ms   ratio %2")
                     .arg(cli, 9, 'f', 1)
                     .arg(ours / cli, 5, 'f', 2);
    out() << "   " << target << "\n";
    out().flush();
}

void lines(const char *what, const Repeated &r, double cli, const char *target)
{
    line(what, r.average, cli, target);
    out() << QStringLiteral("    best %1 ms, worst %2 ms\n").arg(r.best, 0, 'f', 1).arg(r.worst, 0, 'f', 1);
}

void run(int records)
{
    QTemporaryDir tmp(QDir::current().filePath(QStringLiteral("bench_ops-XXXXXX")));
    const QDir dir(tmp.path());
    out() << QStringLiteral("%1 records, 100 fields filled, Nradd 78\n").arg(records);
    const double created = timed([&] { createDatabase(dir, records); });
    out() << QStringLiteral("  created in %1 s, tBENCH.db %2 MB, tBENCH.mb %3 MB\n")
                 .arg(created / 1000, 0, 'f', 1)
                 .arg(QFileInfo(dir.filePath("tBENCH.db")).size() / 1e6, 0, 'f', 0)
                 .arg(QFileInfo(dir.filePath("tBENCH.mb")).size() / 1e6, 0, 'f', 0);
    const QString cliCopy = dir.filePath(QStringLiteral("tCLI.db"));
    copyTable(dir.filePath(QStringLiteral("tBENCH.db")), cliCopy);
    out() << QStringLiteral("  sqlite3 start-up alone (SELECT 1): %1 ms\n")
                 .arg(sqliteCli(cliCopy, "SELECT 1"), 0, 'f', 1);
    out().flush();

    const double rssBefore = rssMb();
    Table table;
    const double open = timed([&] {
        table.setTableName(dir.filePath(QStringLiteral("tBENCH.db")));
        table.open();
        table.first();
        table.asString(QStringLiteral("LastName"));
    });
    line("Open + first record", open, -1, "target < 1000 ms");
    out() << QStringLiteral("  memory for the open table: %1 MB (RSS %2 -> %3 MB)   target < 300 MB\n")
                 .arg(rssMb() - rssBefore, 0, 'f', 1)
                 .arg(rssBefore, 0, 'f', 1)
                 .arg(rssMb(), 0, 'f', 1);
    Table labels;
    labels.setTableName(dir.filePath(QStringLiteral("lBENCH.db")));
    labels.open();
    const QString attachments = attachmentsPathFor(table);
    const int id = catalogue::kFirstFixed;

    if (records >= 100000 && records < 1000000) {
        const double insertField = timed([&] { ops::insertField(table, labels, id); });
        const double cliInsertField =
            sqliteCli(cliCopy, QStringLiteral("UPDATE data SET ") +
                                   assignments(chain::insertField(id, 78).data));
        line("Insert Field on ID", insertField, cliInsertField, "target < 1500 ms");
        const double deleteField = timed([&] { ops::deleteField(table, labels, id); });
        const double cliDeleteField =
            sqliteCli(cliCopy, QStringLiteral("UPDATE data SET ") +
                                   assignments(chain::deleteField(id, 78).data));
        line("Delete Field on ID", deleteField, cliDeleteField, "target < 1500 ms");
    }

    // What inserting and deleting cost before Count had gaps: every record renumbered.
    const double cliCount = sqliteCli(cliCopy, QStringLiteral("UPDATE data SET Count = Count + 1"));
    lines("Insert 1 record at 1 (avg of 10)", repeated(10, [&](int) {
              insertEmptyRecords(table, attachments, 1, 1, QDate::currentDate());
          }),
          cliCount, "target < 20 ms");
    lines("Delete records 10..20 (avg of 10)",
          repeated(10, [&](int) { deleteRecords(table, attachments, 10, 20); }), cliCount,
          "target < 20 ms");
    // The same without the attachments file: what the records and their memo rows cost.
    lines("  records only: insert 1 at 1", repeated(10, [&](int) { table.insertRecords(1, 1); }),
          -1, "");
    lines("  records only: delete 10..20", repeated(10, [&](int) { table.deleteRange(10, 20); }),
          -1, "");
    // One place again and again: the gap there is used up and the neighbourhood re-spaced.
    const int middle = table.recordCount() / 2;
    lines("Insert 1 record in the middle (avg of 40)", repeated(40, [&](int) {
              insertEmptyRecords(table, attachments, middle, 1, QDate::currentDate());
          }),
          -1, "the same place 40 times: gap used up and re-spaced");
    const double insertMany =
        timed([&] { insertEmptyRecords(table, attachments, middle, 1000, QDate::currentDate()); });
    line("Insert 1000 records in the middle", insertMany, -1, "");

    // Each find and scan five times, after one run that warms the cache.
    QuickSearch search;
    search.takeCriterion(2, QStringLiteral("no such name"));
    table.setRecordFilter(search.filter(2));
    table.first();
    bool found = table.findNext();
    const Repeated findNext = repeated(5, [&](int) {
        table.first();
        found = found || table.findNext();
    });
    const QString likeSql =
        QStringLiteral("SELECT COUNT(*) FROM data WHERE FirstName LIKE '%no such name%'");
    sqliteCli(cliCopy, likeSql);
    double cliLike = 1e99;
    for (int i = 0; i < 5; ++i)
        cliLike = qMin(cliLike, sqliteCli(cliCopy, likeSql));
    const Repeated plainLike = repeated(5, [&](int) {
        table.selectValue(QStringLiteral("SELECT COUNT(*) FROM data WHERE FirstName LIKE ?"),
                          {QStringLiteral("%no such name%")});
    });
    lines(found ? "Find Next (FOUND?!)" : "Find Next, no match (FirstName)", findNext, cliLike,
          "target within 1.2x; sqlite3: full-table LIKE scan, best of 5");
    lines("  plain LIKE scan, same connection", plainLike, -1, "");
    out() << QStringLiteral("  Find Next / plain LIKE scan in this process: ratio %1 (best %2)\n")
                 .arg(findNext.average / plainLike.average, 0, 'f', 2)
                 .arg(findNext.best / plainLike.best, 0, 'f', 2);
    search.takeCriterion(8, QStringLiteral("no such remark"));
    table.setRecordFilter(search.filter(8));
    const Repeated findComments = repeated(5, [&](int) {
        table.first();
        found = found || table.findNext();
    });
    lines(found ? "Find Next (FOUND?!)" : "Find Next, no match (Comments)", findComments, -1, "");
    // A match close by: the next record but one.
    search.takeCriterion(2, QStringLiteral("value 3"));
    table.setRecordFilter(search.filter(2));
    const Repeated findNear = repeated(5, [&](int) {
        table.first();
        table.findNext();
    });
    lines("Find Next, match 2 records on", findNear, -1, "");
    out() << "\n";
    out().flush();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (const QString &arg : app.arguments().mid(1))
        sizes << arg.toInt();
    if (sizes.isEmpty())
        sizes = {10000, 100000};
    for (int records : sizes)
        run(records);
    return 0;
}
