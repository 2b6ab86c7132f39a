#pragma once
// The big database "BIG" of the window benchmarks: every shown field filled, as bench_store
// builds its table.

#include "BenchCommon.h"
#include "DatabaseOps.h"
#include "FileNames.h"

namespace tav::bench
{

inline const QString kBig = QStringLiteral("BIG");

inline void createBigDatabase(const QString &dataDir, int records)
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
            appendFullRecord(table, i, comments);
    });
    out() << QStringLiteral("created %1 records in %2 s\n").arg(records).arg(ms(timer) / 1000, 0,
                                                                             'f', 1);
    out().flush();
}

} // namespace tav::bench
