// The database operations on a large database, next to the sqlite3 command-line tool doing
// the bare equivalent on a copy of the same file:
//   Insert Field / Delete Field with all 78 extra fields shown (every field moves),
//   insertion of 1 record at position 1, deletion of records 10..20 (with attachments),
//   Find Next without a match through the quick-search filter.
//
//   bench_ops [records ...]     default: 100000 10000
//
// Works in a temporary folder under the current directory (about 200 MB for 100,000
// records), removed afterwards. Needs `sqlite3` in PATH for the comparison figures.

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
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

using namespace tav::store;
using namespace tav::store::ops;
using tav::bench::out;

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

// Runs one statement with the sqlite3 tool on `file`; the time includes starting the tool.
double sqliteCli(const QString &file, const QString &sql)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral("sqlite3"), {file, sql});
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        out() << "  sqlite3 failed: " << process.readAllStandardError() << "\n";
        return -1;
    }
    return double(timer.nsecsElapsed()) / 1e6;
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
    const QString recordsPath = dir.filePath(QStringLiteral("tBENCH.db"));
    createTable(recordsPath, schemas::records());
    Table table;
    table.setTableName(recordsPath);
    table.open();
    QStringList columns, values;
    for (const FieldDef &field : schemas::records()) {
        switch (field.type) {
        case FieldType::Date:
            columns << quoted(field.name);
            values << QStringLiteral("date('2000-01-01', '+' || (i % 9000) || ' days')");
            break;
        case FieldType::AutoInc:
            columns << quoted(field.name);
            values << QStringLiteral("i");
            break;
        case FieldType::Text:
            columns << quoted(field.name);
            values << QStringLiteral("'%1 value ' || i").arg(field.name);
            break;
        default: // memo and graphic values live in the .mb
            break;
        }
    }
    table.transaction([&] {
        table.execute(
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                           "WHERE i < ?) INSERT INTO main.data(%1) SELECT %2 FROM n")
                .arg(columns.join(','), values.join(',')),
            {records});
        table.execute(
            QStringLiteral("INSERT INTO mb.data(_rk, Comments, Image, Res17, Res18) "
                           "SELECT _rk, ? || Count, ?, ?, 'memo ' || Count FROM main.data"),
            {QString(180, QLatin1Char('c')), QByteArray(200, 'i'), QByteArray(50, 'g')});
    });
    table.close();

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
    createTable(attachmentsPath, schemas::attachments());
    Table attachments;
    attachments.setTableName(attachmentsPath);
    attachments.open();
    attachments.execute(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 10 UNION ALL SELECT i + 10 FROM n "
                       "WHERE i + 10 <= ?) INSERT INTO data(Number, FileName) "
                       "SELECT i, 'document ' || i || '.txt' FROM n"),
        {records});
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

    Table table;
    table.setTableName(dir.filePath(QStringLiteral("tBENCH.db")));
    table.open();
    Table labels;
    labels.setTableName(dir.filePath(QStringLiteral("lBENCH.db")));
    labels.open();
    const QString attachments = attachmentsPathFor(table);
    const int id = catalogue::kFirstFixed;

    if (records >= 100000) {
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

    const double cliCount = sqliteCli(cliCopy, QStringLiteral("UPDATE data SET Count = Count + 1"));
    const double insert =
        timed([&] { insertEmptyRecords(table, attachments, 1, 1, QDate::currentDate()); });
    line("Insert 1 record at 1", insert, cliCount,
         "target within 1.5x of sqlite3 (Count + 1); < 100 ms at 10,000");
    const double remove = timed([&] { deleteRecords(table, attachments, 10, 20); });
    line("Delete records 10..20", remove, cliCount,
         "target within 1.5x of sqlite3 (Count + 1); < 100 ms at 10,000");

    QuickSearch search;
    search.takeCriterion(2, QStringLiteral("no such name"));
    table.setRecordFilter(search.filter(2));
    table.first();
    bool found = true;
    const double findNext = timed([&] { found = table.findNext(); });
    const double cliLike = sqliteCli(
        cliCopy, QStringLiteral("SELECT COUNT(*) FROM data WHERE FirstName LIKE '%no such name%'"));
    line(found ? "Find Next (FOUND?!)" : "Find Next, no match (FirstName)", findNext, cliLike,
         "target < 150 ms; sqlite3: full-table LIKE scan");
    search.takeCriterion(8, QStringLiteral("no such remark"));
    table.setRecordFilter(search.filter(8));
    table.first();
    const double findComments = timed([&] { found = table.findNext(); });
    line(found ? "Find Next (FOUND?!)" : "Find Next, no match (Comments)", findComments, -1, "");
    out() << "\n";
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (const QString &arg : app.arguments().mid(1))
        sizes << arg.toInt();
    if (sizes.isEmpty())
        sizes = {100000, 10000};
    for (int records : sizes)
        run(records);
    return 0;
}
