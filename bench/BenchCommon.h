#pragma once
// What the benchmark programs share: their output, their clock and the full record they
// fill a big records table with.

#include "FieldCatalogue.h"
#include "Table.h"

#include <QDate>
#include <QElapsedTimer>
#include <QTextStream>

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

} // namespace tav::bench
