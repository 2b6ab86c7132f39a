// The chart of filled fields on a large database, run offscreen: MMChartClick on a database
// of 100,000 full records with every extra field in use (93 points), its counting query
// alone, and the sqlite3 tool running the same query on the same file.
//
//   QT_QPA_PLATFORM=offscreen bench_chart [records] [extra fields in use]
//
// The data directory is a temporary folder under the current directory (about 180 MB,
// removed afterwards); TAV_BENCH_DIR=<folder> keeps it and reuses the big database (the
// same folder serves bench_switch). Needs `sqlite3` in PATH for the comparison.

#include "BenchCommon.h"
#include "ChartPage.h"
#include "DatabaseOps.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FieldFillCounts.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "SuppliedFiles.h"
#include "Table.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

using namespace tav;
using bench::ms;
using bench::out;
namespace cat = store::catalogue;

namespace
{

const QString kBig = QStringLiteral("BIG");

struct Figures {
    double total = 0;
    double worst = 0;
    int runs = 0;
    void add(double value)
    {
        total += value;
        worst = std::max(worst, value);
        ++runs;
    }
    QString text() const
    {
        return QStringLiteral("average %1 ms, worst %2 ms (%3 runs)")
            .arg(runs ? total / runs : 0.0, 0, 'f', 1)
            .arg(worst, 0, 'f', 1)
            .arg(runs);
    }
};

void createBigDatabase(const QString &dataDir, int records)
{
    QElapsedTimer timer;
    timer.start();
    store::ops::createDatabase(dataDir, kBig);
    store::Table table;
    table.setDirectory(dataDir);
    table.setTableName(store::files::recordsTable(kBig));
    table.open();
    const QString comments = QString(180, QChar(u'c'));
    table.transaction([&] {
        table.first();
        table.deleteRecord(); // the template's blank record
        for (int i = 1; i <= records; ++i)
            bench::appendFullRecord(table, i, comments);
    });
    out() << QStringLiteral("created %1 records in %2 s\n").arg(records).arg(ms(timer) / 1000, 0,
                                                                             'f', 1);
    out().flush();
}

// The sqlite3 tool running `sql` on `file`; the time includes starting the tool.
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
    return ms(timer);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const int extraFields = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : cat::kExtraFields;

    std::unique_ptr<QTemporaryDir> temporary;
    QString dataDir = qEnvironmentVariable("TAV_BENCH_DIR");
    if (dataDir.isEmpty()) {
        temporary = std::make_unique<QTemporaryDir>(
            QDir::current().filePath(QStringLiteral("bench_chart-XXXXXX")));
        dataDir = temporary->path();
    }
    QDir().mkpath(dataDir);
    dataDir = QDir(dataDir).absolutePath();
    QDir::setCurrent(dataDir);
    Settings::setFilePath(QDir(dataDir).filePath(QStringLiteral("bench.ini")));
    Settings::writeInt(QStringLiteral("displayw"), 1); // no start-up wizard
    Settings::sync();
    MessageBoxes::setHandler([](const MessageRequest &request) {
        out() << "unexpected message: " << request.text << "\n";
        return int(MsgCancel);
    });

    store::ensureSuppliedFiles(dataDir);
    const QString file = QDir(dataDir).filePath(store::files::recordsTable(kBig));
    if (!QFile::exists(file))
        createBigDatabase(dataDir, records);
    {
        store::Table labels;
        labels.setDirectory(dataDir);
        labels.setTableName(store::files::labelsTable(kBig));
        labels.open();
        labels.edit();
        labels.setAsInteger(QStringLiteral("Nradd"), extraFields);
        labels.post();
    }

    TFDFin window;
    window.FormCreate();
    window.show();
    QCoreApplication::processEvents();
    auto *list = window.findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    list->setCurrentIndex(list->findText(kBig));
    emit list->activated(list->currentIndex());
    QCoreApplication::processEvents();
    out() << QStringLiteral("records in %1: %2, extra fields in use: %3\n")
                 .arg(kBig)
                 .arg(window.table1()->recordCount())
                 .arg(window.extraFieldCount());

    auto *page = window.findChild<ChartPage *>(QStringLiteral("ScrollBox6"));
    Figures build, paint, query, tool, charts;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.MMChartClick();
        build.add(ms(timer));
        QCoreApplication::processEvents(); // the chart shown is painted
        paint.add(ms(timer));

        timer.restart();
        const store::ops::FieldFillCounts counts =
            store::ops::countFilledFields(file, window.extraFieldCount());
        query.add(ms(timer));
        if (counts.records != window.table1()->recordCount())
            out() << "counted " << counts.records << " records\n";
        timer.restart();
        page->showData(page->title(), page->points());
        charts.add(ms(timer));
        tool.add(sqliteCli(file, store::ops::fillCountSql(window.extraFieldCount())));
    }
    out() << "MMChartClick (count and build the four charts): " << build.text()
          << "   target < 300 ms\n";
    out() << "MMChartClick with the chart painted: " << paint.text() << "\n";
    out() << "counting query alone: " << query.text() << "\n";
    out() << "the four charts alone, " << page->points().size() << " points: " << charts.text()
          << "\n";
    out() << "sqlite3 tool, same query on the same file (with its start-up): " << tool.text()
          << "\n";
    out() << "sqlite3 start-up alone (SELECT 1): " << sqliteCli(file, QStringLiteral("SELECT 1"))
          << " ms\n";
    out().flush();
    return 0;
}
