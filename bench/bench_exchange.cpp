// Import and export of delimited text on a file of 100,000 lines x 93 columns, next to the
// sqlite3 command-line tool doing the same work on the same file: `.import` into a table of
// 93 text columns, and a tab-separated export of the same 95 columns in record order. Peak
// memory added by the import is printed too: run it with two sizes to see that it stays flat.
//
//   bench_exchange [lines]        (default 100000; needs sqlite3 in PATH)

#include "BenchCommon.h"
#include "ExportText.h"
#include "FieldCatalogue.h"
#include "ImportFileGenerator.h"
#include "ImportText.h"
#include "SuppliedFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace tav;
using namespace tav::bench;
namespace cat = tav::store::catalogue;

namespace
{

qint64 statusKb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Runs sqlite3 on `db` with `commands` on its standard input; the time in ms, -1 on failure.
double runSqlite(const QString &db, const QByteArray &commands)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(QStringLiteral("sqlite3"), {db});
    if (!process.waitForStarted())
        return -1;
    process.write(commands);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    if (process.exitCode() != 0) {
        out() << "  sqlite3 failed: " << process.readAllStandardError() << "\n";
        return -1;
    }
    return ms(timer);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int lines = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    QTemporaryDir dir(QDir::current().filePath(QStringLiteral("bench_exchange_XXXXXX")));
    const QString dataDir = dir.path();
    store::ensureSuppliedFiles(dataDir);
    const QString text = QDir(dataDir).filePath(QStringLiteral("in.txt"));
    if (!writeImportFile(text, lines)) {
        out() << "cannot write " << text << "\n";
        return 1;
    }
    out() << QStringLiteral("%1 lines x 93 columns, %2 MB\n")
                 .arg(lines)
                 .arg(QFileInfo(text).size() / 1e6, 0, 'f', 1);
    out().flush();

    // Import.
    exchange::ImportRequest request;
    request.dataDir = dataDir;
    request.textFile = text;
    request.target = QStringLiteral("BIG");
    const qint64 peakBefore = statusKb("VmHWM:");
    QElapsedTimer timer;
    timer.start();
    const exchange::ImportResult imported = exchange::importText(request);
    const double importMs = ms(timer);
    const qint64 peakAfter = statusKb("VmHWM:");

    QStringList columns;
    for (int c = 1; c <= 93; ++c)
        columns << QStringLiteral("c%1 TEXT").arg(c);
    const QString sqliteDb = QDir(dataDir).filePath(QStringLiteral("sqlite_import.db"));
    const double sqliteImportMs = runSqlite(
        sqliteDb, QStringLiteral("CREATE TABLE data(%1);\n.mode tabs\n.import %2 data\n")
                      .arg(columns.join(QLatin1Char(',')), text)
                      .toUtf8());
    out() << QStringLiteral("import   %1 ms (%2 records, Nradd %3)   sqlite3 .import %4 ms   "
                            "ratio %5   target <= 1.5\n")
                 .arg(importMs, 0, 'f', 0)
                 .arg(imported.records)
                 .arg(imported.nradd)
                 .arg(sqliteImportMs, 0, 'f', 0)
                 .arg(importMs / sqliteImportMs, 0, 'f', 2);
    out() << QStringLiteral("import   peak memory added %1 MB (VmHWM %2 -> %3 MB)\n")
                 .arg((peakAfter - peakBefore) / 1024.0, 0, 'f', 1)
                 .arg(peakBefore / 1024.0, 0, 'f', 1)
                 .arg(peakAfter / 1024.0, 0, 'f', 1);
    out().flush();

    // Export of the imported database with its 78 extra fields.
    const QString records = QDir(dataDir).filePath(QStringLiteral("tBIG.db"));
    timer.restart();
    const exchange::ExportResult exported =
        exchange::exportRecords(records, imported.nradd, QLatin1Char('\t'),
                                QDir(dataDir).filePath(QStringLiteral("out.txt")));
    const double exportMs = ms(timer);

    QStringList fields{QStringLiteral("Date"), QStringLiteral("Count")};
    for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
        fields << cat::recordField(pos);
    for (int pos = 0; pos < cat::kExtraFields; ++pos)
        fields << cat::recordField(pos);
    const double sqliteExportMs = runSqlite(
        records, QStringLiteral(".mode tabs\n.output %1\nSELECT %2 FROM data ORDER BY Count, _rk;\n")
                     .arg(QDir(dataDir).filePath(QStringLiteral("sqlite_out.txt")),
                          fields.join(QLatin1Char(',')))
                     .toUtf8());
    out() << QStringLiteral("export   %1 ms (%2 records)   sqlite3 tab-separated %3 ms   ratio %4   "
                            "target <= 1.5\n")
                 .arg(exportMs, 0, 'f', 0)
                 .arg(exported.records)
                 .arg(sqliteExportMs, 0, 'f', 0)
                 .arg(exportMs / sqliteExportMs, 0, 'f', 2);
    return 0;
}
