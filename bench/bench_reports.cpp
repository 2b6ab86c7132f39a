// Reports on a records table of 100,000 full records with all 95 outputs: each file layout
// next to the sqlite3 tool's own tab-separated export of the same table, and the time until
// the screen preview shows its first rows.
//
//   cd /tmp && QT_QPA_PLATFORM=offscreen /path/to/build/bin/bench_reports [records]
//
// TAV_BENCH_DIR=<folder> keeps the table there and reuses it on later runs.

#include "BenchCommon.h"
#include "FileNames.h"
#include "ReportQuery.h"
#include "ReportRows.h"
#include "ReportWriters.h"
#include "ScreenPreview.h"
#include "TableFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>

using namespace tav;
using namespace tav::bench;
namespace cat = store::catalogue;

namespace
{
const QString kTable = QStringLiteral("tBIG.db");

void createTable(const QString &dir, int records)
{
    const QString path = QDir(dir).filePath(kTable);
    if (QFile::exists(path))
        return;
    QElapsedTimer timer;
    timer.start();
    store::createTable(path, store::schemas::records());
    store::Table table;
    table.setDirectory(dir);
    table.setTableName(kTable);
    table.open();
    table.transaction([&] {
        for (int i = 0; i < records; ++i)
            appendFullRecord(table, i, QStringLiteral("Comments of record "));
    });
    out() << QStringLiteral("created %1 records in %2 ms\n").arg(records).arg(ms(timer));
}

reports::ReportQuery allOutputs()
{
    reports::ReportRequest request;
    request.nradd = cat::kExtraFields;
    request.output.fill(true);
    request.datePattern = QStringLiteral("dd/MM/yyyy");
    return reports::buildReportQuery(request);
}

double sqliteExport(const QString &dir, const QString &target)
{
    const QString db = QDir(dir).filePath(kTable);
    const QString mb = store::files::memoFileFor(db);
    QProcess process;
    process.setStandardOutputFile(target);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral("sqlite3"),
                  {QStringLiteral("-readonly"), QStringLiteral("-separator"), QStringLiteral("\t"),
                   QStringLiteral("-cmd"), QStringLiteral("ATTACH '%1' AS mb").arg(mb), db,
                   QStringLiteral("SELECT d.*, m.Comments FROM main.data AS d JOIN mb.data AS m "
                                  "ON m._rk = d._rk ORDER BY d.Count")});
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        out() << "  sqlite3 failed\n";
        return -1;
    }
    return ms(timer);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-reports-XXXXXX")));
    const QString dir = qEnvironmentVariableIsSet("TAV_BENCH_DIR")
                            ? qEnvironmentVariable("TAV_BENCH_DIR")
                            : temp.path();
    QDir().mkpath(dir);
    createTable(dir, records);
    const reports::ReportQuery query = allOutputs();
    QStringList captions;
    for (int pos : query.positions)
        captions << cat::recordField(pos);

    const QString sqliteOut = QDir(dir).filePath(QStringLiteral("sqlite-export.txt"));
    // Once to warm the file cache, then measured.
    sqliteExport(dir, sqliteOut);
    const double sqlite = sqliteExport(dir, sqliteOut);
    out() << QStringLiteral("sqlite3 tab-separated export: %1 ms, %2 MB\n")
                 .arg(sqlite, 0, 'f', 0)
                 .arg(QFileInfo(sqliteOut).size() / 1e6, 0, 'f', 1);

    const char *names[] = {"", "NotePad", "WordPad", "Excel", "HTML"};
    for (int format = 1; format <= 4; ++format) {
        const QString target = QDir(dir).filePath(QStringLiteral("report%1").arg(format));
        QElapsedTimer timer;
        timer.start();
        reports::ReportRows rows(dir, kTable, query);
        QFile file(target);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        QString error;
        reports::writeReport(format, file, captions, rows, &error, rows.commentsColumn());
        file.close();
        const double took = ms(timer);
        out() << QStringLiteral("%1: %2 ms, %3 MB, ratio to sqlite3 %4 (target <= 1.5)\n")
                     .arg(QLatin1String(names[format]))
                     .arg(took, 0, 'f', 0)
                     .arg(QFileInfo(target).size() / 1e6, 0, 'f', 1)
                     .arg(took / sqlite, 0, 'f', 2);
    }

    // The preview: from the run to its first rows painted.
    reports::ReportQuery preview = query;
    preview.positions.removeOne(cat::kPosComments);
    QStringList titles;
    for (int pos : preview.positions)
        titles << cat::recordField(pos);
    QElapsedTimer timer;
    timer.start();
    auto rows = std::make_unique<reports::ReportRows>(dir, kTable, preview);
    rows->hasRecords();
    TFScreenPreview window(nullptr, std::move(rows), titles);
    window.show();
    window.grid()->viewport()->repaint();
    const double shown = ms(timer);
    out() << QStringLiteral("screen preview: first %1 rows shown in %2 ms (target < 1000)\n")
                 .arg(window.grid()->model()->rowCount())
                 .arg(shown, 0, 'f', 0);
    out().flush();
    return 0;
}
