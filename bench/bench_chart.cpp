// The chart of filled fields on a large database, run offscreen: MMChartClick on a database
// of 100,000 full records with every extra field in use (93 points), its counting query
// alone, and the sqlite3 tool counting the same in plain SQL on the same file.
//
//   QT_QPA_PLATFORM=offscreen bench_chart [records] [extra fields in use]
//
// The data directory is a temporary folder under the current directory (about 180 MB,
// removed afterwards); TAV_BENCH_DIR=<folder> keeps it and reuses the big database (the
// same folder serves bench_switch). Needs `sqlite3` in PATH for the comparison.

#include "BenchCommon.h"
#include "BigDatabase.h"
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
using bench::Figures;
using bench::kBig;
using bench::ms;
using bench::sqliteCli;
using bench::out;
namespace cat = store::catalogue;

namespace
{
// The same count in plain SQL, which the sqlite3 tool runs: one SUM of "is filled" per field.
QString plainCountSql(int nradd)
{
    QStringList terms{QStringLiteral("COUNT(*)")};
    for (int pos : store::ops::chartedPositions(nradd))
        terms << QStringLiteral("SUM(\"%1\" <> '')").arg(cat::recordField(pos));
    return QStringLiteral("SELECT ") + terms.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM data");
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
        bench::createBigDatabase(dataDir, records);
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
    for (Figures *f : {&build, &paint, &query, &tool, &charts})
        f->decimals = 1;
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
        tool.add(sqliteCli(file, plainCountSql(window.extraFieldCount())));
    }
    out() << "MMChartClick (count and build the four charts): " << build.text()
          << "   target < 300 ms\n";
    out() << "MMChartClick with the chart painted: " << paint.text() << "\n";
    out() << "counting query alone: " << query.text() << "\n";
    out() << "the four charts alone, " << page->points().size() << " points: " << charts.text()
          << "\n";
    out() << "sqlite3 tool, the same count as one SUM per field on the same file (with its start-up): " << tool.text()
          << "\n";
    out() << "sqlite3 start-up alone (SELECT 1): " << sqliteCli(file, QStringLiteral("SELECT 1"))
          << " ms\n";
    out().flush();
    return 0;
}
