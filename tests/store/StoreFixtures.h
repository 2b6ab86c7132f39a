#pragma once
// Small tables for the store tests.

#include "Schemas.h"
#include "Table.h"
#include "TableFiles.h"

#include <QStringList>
#include <memory>

namespace tav::test {

// A records table `fileName` in the working directory with one record per last name,
// Count 1..n (as in files written before Count had gaps), opened on its first record.
inline std::unique_ptr<store::Table> recordsTable(const QString &fileName,
                                                  const QStringList &lastNames)
{
    store::createTable(fileName, store::schemas::records());
    auto table = std::make_unique<store::Table>();
    table->setTableName(fileName);
    table->open();
    table->transaction([&] {
        for (const QString &name : lastNames) {
            table->append();
            table->setValue(QStringLiteral("LastName"), name);
            table->post();
        }
        table->renumber();
    });
    table->first();
    return table;
}

inline QStringList namesL(int n)
{
    QStringList names;
    for (int i = 1; i <= n; ++i)
        names << QStringLiteral("L%1").arg(i);
    return names;
}

// Walks the set from the first record: "Count:LastName" per record (the stored Count).
inline QStringList walk(store::Dataset &set)
{
    QStringList rows;
    set.first();
    while (!set.eof()) {
        rows << QStringLiteral("%1:%2").arg(set.asString(QStringLiteral("Count")),
                                            set.asString(QStringLiteral("LastName")));
        set.next();
    }
    return rows;
}

// Walks the set from the first record: "position:LastName" per record.
inline QStringList listed(store::Dataset &set)
{
    QStringList rows;
    set.first();
    while (!set.eof()) {
        rows << QStringLiteral("%1:%2").arg(set.recNo()).arg(
                    set.asString(QStringLiteral("LastName")));
        set.next();
    }
    return rows;
}

} // namespace tav::test
