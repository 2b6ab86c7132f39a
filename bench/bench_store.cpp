// The table engine on a large records table: creating full records, opening the
// table, moving, finding and the multi-row operations the program runs on it.
//
//   bench_store [records]            creates a table in a temporary folder and measures it
//   bench_store --measure <folder>   measures an existing "tBENCH.db" (run in a fresh process
//                                    by the line above, so the memory figures start clean)

#include "BenchCommon.h"
#include "Query.h"
#include "Schemas.h"
#include "Table.h"
#include "TableFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

using namespace tav::store;
using namespace tav::bench;

namespace {

const QString kTable = QStringLiteral("tBENCH.db");

// Resident memory of this process in MB.
double rssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void create(const QString &dir, int records)
{
    const QString path = QDir(dir).filePath(kTable);
    QElapsedTimer timer;
    timer.start();
    writeFullTable(path, records);
    out() << QStringLiteral("create %1 records (78 extra fields, comments): %2 s\n")
                 .arg(records)
                 .arg(ms(timer) / 1000.0, 0, 'f', 1);
    out() << QStringLiteral("file sizes: %1 MB .db, %2 MB .mb\n")
                 .arg(QFileInfo(path).size() / 1048576.0, 0, 'f', 1)
                 .arg(QFileInfo(QDir(dir).filePath(QStringLiteral("tBENCH.mb"))).size() / 1048576.0,
                      0, 'f', 1);
    out().flush();
}

// Reads every field of the current record, as a window showing it does.
int touch(const Dataset &set)
{
    int length = 0;
    for (const QString &field : set.fieldNames())
        length += set.asString(field).size();
    return length;
}

void measure(const QString &dir)
{
    const QString path = QDir(dir).filePath(kTable);
    const double rssBefore = rssMb();

    QElapsedTimer timer;
    timer.start();
    Table table;
    table.setTableName(path);
    table.open();
    const int count = table.recordCount();
    table.first();
    touch(table);
    const double openMs = ms(timer);
    const double rssAfter = rssMb();
    out() << QStringLiteral("open + record count (%1) + first record: %2 ms\n")
                 .arg(count)
                 .arg(openMs, 0, 'f', 1);

    const auto timeMoves = [&](const char *name, const std::function<void(int)> &move) {
        const int moves = 1000;
        double worst = 0;
        QElapsedTimer all;
        all.start();
        for (int i = 0; i < moves; ++i) {
            QElapsedTimer one;
            one.start();
            move(i);
            touch(table);
            worst = qMax(worst, ms(one));
        }
        out() << QStringLiteral(
                     "%1 x1000 (each reading all 100 fields): average %2 ms, worst %3 ms\n")
                     .arg(QLatin1String(name))
                     .arg(ms(all) / moves, 0, 'f', 3)
                     .arg(worst, 0, 'f', 3);
    };
    timeMoves("First/Last alternating", [&](int i) { i % 2 ? table.last() : table.first(); });
    table.first();
    timeMoves("Next", [&](int) { table.next(); });
    table.setRecNo(count / 2);
    timeMoves("Prior", [&](int) { table.prior(); });
    out() << QStringLiteral(
                 "RSS: %1 MB before opening, %2 MB with the table open: %3 MB for the open table\n")
                 .arg(rssBefore, 0, 'f', 1)
                 .arg(rssAfter, 0, 'f', 1)
                 .arg(rssAfter - rssBefore, 0, 'f', 1);
    out().flush();

    // Quick search on LastName with no match anywhere: the whole table is read.
    const QString needle = lowerLocale(QStringLiteral("no such name"));
    const auto noMatch = [&](const QString &field) {
        RecordFilter filter{{field}, [&](const QVariantList &v) {
                                return lowerLocale(v.at(0).toString()).contains(needle);
                            }};
        filter.condition = QStringLiteral("lower_locale(%1) LIKE ? ESCAPE '\\'").arg(field);
        filter.parameters = {containsPattern(needle)};
        return filter;
    };
    table.setRecordFilter(noMatch(QStringLiteral("LastName")));
    table.first();
    timer.restart();
    const bool found = table.findNext();
    out() << QStringLiteral("Find Next without a match over %1 records: %2 ms (found: %3)\n")
                 .arg(count)
                 .arg(ms(timer), 0, 'f', 1)
                 .arg(found ? "yes" : "no");
    table.setRecordFilter(noMatch(QStringLiteral("Comments")));
    table.first();
    timer.restart();
    table.findNext();
    out() << QStringLiteral("Find Next without a match on the comments: %1 ms\n")
                 .arg(ms(timer), 0, 'f', 1);
    out().flush();

    // Writing.
    table.setRecNo(count / 2);
    timer.restart();
    table.edit();
    table.setValue(QStringLiteral("LastName"), QStringLiteral("Edited"));
    table.post();
    out() << QStringLiteral("post of one edited record: %1 ms\n").arg(ms(timer), 0, 'f', 1);

    table.first();
    timer.restart();
    table.insert();
    table.setValue(QStringLiteral("LastName"), QStringLiteral("Inserted"));
    table.post();
    out() << QStringLiteral("insert before record 1: %1 ms\n")
                 .arg(ms(timer), 0, 'f', 1);

    timer.restart();
    table.execute(QStringLiteral("UPDATE data SET Fax = Phone, Email = Fax, Phone = NULL"));
    out() << QStringLiteral("field move over all records (one UPDATE): %1 ms\n")
                 .arg(ms(timer), 0, 'f', 1);

    timer.restart();
    table.deleteRange(10, 20);
    out() << QStringLiteral("delete records 10..20: %1 ms\n").arg(ms(timer), 0, 'f', 1);

    Query query;
    query.setTableName(path);
    query.setWhere(QStringLiteral("lower_locale(LastName) LIKE :p ESCAPE '\\'"));
    query.setOrderBy(QStringLiteral("LastName DESC"));
    query.bindValue(QStringLiteral("p"), containsPattern(QStringLiteral("record 99")));
    timer.restart();
    query.open();
    out() << QStringLiteral(
                 "report query (LIKE on LastName, ORDER BY LastName): %1 rows in %2 ms\n")
                 .arg(query.recordCount())
                 .arg(ms(timer), 0, 'f', 1);
    out().flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() >= 3 && args.at(1) == QLatin1String("--measure")) {
            measure(args.at(2));
            return 0;
        }
        const int records = args.size() >= 2 ? args.at(1).toInt() : 100000;
        QTemporaryDir temporary(QDir::current().filePath(QStringLiteral("bench-XXXXXX")));
        // TAV_BENCH_DIR keeps the table between runs (created once, measured each time).
        const QString kept = qEnvironmentVariable("TAV_BENCH_DIR");
        const QString dir = kept.isEmpty() ? temporary.path() : kept;
        QDir().mkpath(dir);
        if (!tableExists(QDir(dir).filePath(kTable)))
            create(dir, records > 0 ? records : 100000);
        // Measured in a fresh process, so the memory of the creation does not count.
        QProcess measuring;
        measuring.setProcessChannelMode(QProcess::ForwardedChannels);
        measuring.start(app.applicationFilePath(), {QStringLiteral("--measure"), dir});
        measuring.waitForFinished(-1);
        return measuring.exitCode();
    } catch (const StoreError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
}
