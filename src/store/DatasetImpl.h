#pragma once
// The state shared by Table and Query, private to the table engine.

#include "Dataset.h"
#include "Sqlite.h"

#include <QHash>
#include <QVariantMap>
#include <memory>

namespace tav::store {

struct Dataset::Impl {
    explicit Impl(Dataset *owner) : q(owner) {}

    Dataset *q;

    // Where the set comes from.
    QString directory;
    QString tableName;
    bool readOnly = false;
    QString where;                 // Query only
    QString orderBy;               // Query only; empty = table order
    QVariantMap namedParams;       // Query only
    QVariantList positionalParams; // Query only
    QString filter;
    QVariantList filterParams;
    bool filtered = false;
    RecordFilter recordFilter;

    // The open table.
    std::unique_ptr<sql::Connection> db;
    TableSchema schema;
    QHash<QString, int> fieldByName; // lower-case name -> ordinal
    QVector<int> rowFields;          // ordinals kept in the .db, file order
    QVector<int> memoFields;         // ordinals kept in the .mb
    int countField = -1;             // the Count field ordering the table, or -1
    QString selectRowSql, selectMemoSql;
    int txDepth = 0; // Table::transaction nesting
    // SQL run through Table may have changed which records the set holds or their order:
    // the row keys are read again when the outermost transaction ends.
    bool keysStale = false;

    // Snapshot and position.
    QVector<qint64> keys;
    int pos = -1; // index into keys; -1 when empty
    bool eof = true;
    bool bof = true;
    DataSetState state = DataSetState::Inactive;

    // The current record as read from the file, loaded on demand.
    QVariantList current;
    qint64 currentKey = -1; // key `current` belongs to; -1 = not loaded

    // Edit and Insert.
    QVariantList buffer;
    QVector<bool> modified;
    bool appending = false; // Insert state: append (true) or insert before `pos`

    QString filePath() const;
    bool isActive() const { return state != DataSetState::Inactive; }
    bool editing() const { return state == DataSetState::Edit || state == DataSetState::Insert; }
    void requireActive() const;
    void requireWritable() const;
    int fieldOrdinal(const QString &name) const; // -1 when absent
    int requireField(const QString &name) const;

    // Opening (Table::open / Query::open) and closing.
    void open();
    void detach();
    // Re-reads the row keys and announces the current record again; the current record stays
    // current when it is still in the set (or the first record with `toFirst`).
    void reload(bool toFirst);

    // SQL pieces over "main.data AS d" (joined with "mb.data AS m" when memo fields are used).
    bool mentionsMemoField(const QString &text) const;
    QString fromClause(bool join) const;
    QString conditionClause() const; // "" or "WHERE ..." from where and filter
    QString orderClause(bool descending) const;
    bool tableOrdered() const { return orderBy.trimmed().isEmpty(); }
    void bindSetParameters(sql::Stmt &stmt, const QVariantList &leading = {}) const;

    void loadKeys();
    qint64 keyAt(int index) const { return index >= 0 && index < keys.size() ? keys[index] : -1; }
    const QVariantList &record(); // current record values (null values when the set is empty)
    QVariantList readRecord(qint64 key);
    void invalidateRecord() { currentKey = -1; }

    // Moves to `index` and announces it when the current record changed.
    void moveTo(int index);
    void setState(DataSetState newState);

    // Editing (DatasetEditing.cpp).
    void startNew(bool append);
    void checkSizes() const;
    void writeChanges();
    void writeNewRecord();
    // Writes `count` records holding `values` (file order; auto-increment fields are
    // assigned here) placed before the record at `index` of the set (at the end of the table
    // when index is the record count), inside the caller's transaction. Returns their row
    // keys for placeKeys, which the caller runs once the records are written.
    QVector<qint64> insertRows(int index, int count, const QVariantList &values);
    void placeKeys(int index, const QVector<qint64> &rowKeys);
    // Deletes the records at first..last of the set with their memo rows, inside the
    // caller's transaction; the caller removes their keys afterwards.
    void deleteRows(int first, int last);

    // Finds (DatasetFind.cpp).
    bool find(bool forward, bool fromEnd);
};

} // namespace tav::store
