#pragma once
// A forward-only walk over the records of a table file in one SQL statement, for work that
// reads many records at once (reports, their screen preview). It has its own read-only
// connection, so the window's tables, their position and pending edits are never touched.
//
// Besides the table's fields, conditions, order and columns may name positionColumn(): the
// record's position in the order (Count, row key), counted from 1, which is the record number
// the user sees whatever gaps the stored Count has.

#include "Schemas.h"

#include <QByteArrayView>
#include <QStringList>
#include <QVariantList>
#include <memory>

namespace tav::store {

class RecordCursor
{
public:
    // Opens the table file read-only; StoreError when it cannot.
    RecordCursor(const QString &directory, const QString &tableFile);
    ~RecordCursor();
    RecordCursor(const RecordCursor &) = delete;
    RecordCursor &operator=(const RecordCursor &) = delete;

    static QString positionColumn(); // "_pos"
    const TableSchema &fields() const;

    // Starts "SELECT columns WHERE condition ORDER BY orderBy" over the records; an empty
    // condition takes every record, an empty order gives record order. Values are bound to
    // the "?" of the condition in order. StoreError on bad SQL.
    void select(const QStringList &columns, const QString &condition,
                const QVariantList &parameters, const QString &orderBy);
    // The next record of the selection; false after the last. StoreError on a read failure.
    bool next();
    // A column of the current record as text in UTF-8: dates in the display pattern,
    // numbers in decimal, blanks empty. Valid until the next call of next().
    QByteArrayView bytes(int column) const;
    QString text(int column) const;
    int columnCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace tav::store
