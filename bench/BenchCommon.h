#pragma once
// What the benchmark programs share: their output, their clock and the full record they
// fill a big records table with.

#include "FieldCatalogue.h"
#include "Schemas.h"
#include "Table.h"
#include "TableFiles.h"

#include <QDate>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <algorithm>

namespace tav::bench
{

inline QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

inline double ms(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Runs one statement with the sqlite3 tool on `file`; the time includes starting the tool.
// -1 when the tool fails.
inline double sqliteCli(const QString &file, const QString &sql)
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

// Average and worst of repeated timings, shown with `decimals` places.
struct Figures {
    double total = 0;
    double worst = 0;
    int runs = 0;
    int decimals = 3;
    void add(double value)
    {
        total += value;
        worst = std::max(worst, value);
        ++runs;
    }
    QString text() const
    {
        return QStringLiteral("average %1 ms, worst %2 ms (%3 runs)")
            .arg(runs ? total / runs : 0.0, 0, 'f', decimals)
            .arg(worst, 0, 'f', decimals)
            .arg(runs);
    }
};

// Appends record `i` with its date, every fixed and extra field and `comments` followed by
// the number filled, and posts it.
inline void appendFullRecord(store::Table &table, int i, const QString &comments)
{
    namespace cat = store::catalogue;
    table.append();
    table.setValue(QStringLiteral("Date"), QDate(2000, 1, 1).addDays(i % 9000));
    for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
        table.setValue(cat::recordField(pos), QStringLiteral("F%1 record %2").arg(pos).arg(i));
    for (int pos = 0; pos < cat::kExtraFields; ++pos)
        table.setValue(cat::recordField(pos), QStringLiteral("X%1 value %2").arg(pos).arg(i));
    table.setValue(QStringLiteral("Comments"), comments + QString::number(i));
    table.post();
}

// Writes a records table of `records` records with every field filled (texts of about the
// length users type, comments of 180 characters and more, a small picture) in one transaction
// of two statements, so that 1,000,000 records take well under a minute. Count is spaced as
// appended records are (multiples of 65536). The fixed fields ID..URLWebsite hold
// "<field> value <n>" (FirstName "FirstName value <n>"); the others the same text for every
// record, which spares building 90 texts per record.
inline void writeFullTable(const QString &path, int records)
{
    store::createTable(path, store::schemas::records());
    store::Table table;
    table.setTableName(path);
    table.open();
    QStringList columns, values;
    for (const store::FieldDef &field : store::schemas::records()) {
        switch (field.type) {
        case store::FieldType::Date:
            columns << QStringLiteral("\"%1\"").arg(field.name);
            values << QStringLiteral("date('2000-01-01', '+' || (i % 9000) || ' days')");
            break;
        case store::FieldType::AutoInc:
            columns << QStringLiteral("\"%1\"").arg(field.name);
            values << QStringLiteral("i * 65536");
            break;
        case store::FieldType::Text: {
            columns << QStringLiteral("\"%1\"").arg(field.name);
            const int pos = store::catalogue::positionOfRecordField(field.name);
            values << (pos >= store::catalogue::kFirstFixed && pos <= store::catalogue::kFirstFixed + 6
                           ? QStringLiteral("'%1 value ' || i").arg(field.name)
                           : QStringLiteral("'%1 value 1000000'").arg(field.name));
            break;
        }
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
                           "SELECT _rk, ? || _rk, ?, ?, 'memo ' || _rk FROM main.data"),
            {QString(180, QLatin1Char('c')), QByteArray(200, 'i'), QByteArray(50, 'g')});
    });
}

} // namespace tav::bench
