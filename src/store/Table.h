#pragma once
// A table component: a dataset bound to one table file of the data directory.
// Tables with a Count column keep the order of (Count, row key). Count is an order key with
// gaps, not the record's position (OrderKeys.h): inserting places the new record before the
// current one with a key between its neighbours, deleting changes no other record, and the
// position of a record is its place in the set's key list (recNo()), in SQL
// ROW_NUMBER() OVER (ORDER BY Count, _rk). Auto-increment values are always the table's: one
// set in the buffer of a new record is replaced at post. Other tables keep insertion order,
// and there insert() adds at the end like append().
//
// Texts longer than their field's size are refused at post with a StoreError (nothing is cut).
// Blank texts are stored as '' and read back as null. Every post is one transaction over the
// .db and its .mb with a synced rollback journal: about 5-40 ms, so loops over many records
// belong inside transaction().

#include "Dataset.h"

namespace tav::store {

class Table : public Dataset
{
    Q_OBJECT
public:
    explicit Table(QObject *parent = nullptr);
    ~Table() override;

    // The folder the table file lives in (the data directory); default: working directory.
    void setDirectory(const QString &dir);
    QString directory() const;
    // File name as built by files:: ("table1.db", "tNAME.db", ...). Changing it closes the table.
    void setTableName(const QString &fileName);
    QString tableName() const;
    QString filePath() const;

    // Opens the file; StoreError when it is missing, locked or not a table.
    void open() override;
    void close() override;
    // Removes every record in one transaction.
    void emptyTable();

    // Multi-row work on the open table as SQL with bound parameters. The records are the
    // table `data` (field names as columns, `_rk` the hidden row key) and memo and graphic
    // values the table `mb.data` (keyed by `_rk`). A pending edit is posted first. Outside
    // transaction() each call is a transaction of its own. The set is re-read afterwards only
    // when the SQL added or removed records, changed Count, or (in a filtered set) changed
    // any field. Returns the number of rows changed.
    int execute(const QString &sql, const QVariantList &parameters = {});
    // The first column of the first row of a SELECT (null when there is no row).
    QVariant selectValue(const QString &sql, const QVariantList &parameters = {});
    // Runs `work` as one transaction: committed when it returns, rolled back when it throws
    // (the exception goes on). Posts, execute() and the calls below inside it join the
    // transaction. Afterwards the set is re-read when SQL changed it (keeping the current
    // record where possible); after a rollback the set and position are as before.
    void transaction(const std::function<void()> &work);
    // Deletes the records meeting `condition` (a SQL condition over the fields) and their
    // memo and graphic values. Returns the number of records deleted.
    int deleteRecords(const QString &condition, const QVariantList &parameters = {});
    // Numbers Count 1..N in table order (Count, then the order the rows were written), in
    // one statement (rewrites every record: for repairs, not for inserting or deleting).
    void renumber();

    // Inserts `count` records holding `values` (field name -> value, the other fields blank)
    // at positions position..position+count-1 of the set (1 <= position <= recordCount() + 1);
    // the first of them becomes current. Writes only the new records and, when their
    // neighbours leave no room in the order key, a small neighbourhood. The key list is
    // patched in place, not re-read.
    void insertRecords(int position, int count, const QVariantMap &values = {});
    // Deletes the records at positions from..to of the set with their memo and graphic values;
    // no other record changes. The record that followed them becomes current (the last one
    // when none followed).
    void deleteRange(int from, int to);

    // Attaches another table file (one without memo or graphic fields) to this table's
    // connection under `alias`, its records being the table `alias.data`, so that one
    // transaction() changes both files atomically. Not inside a transaction. StoreError when
    // the file is missing or not a table, or the alias is in use.
    void attachTable(const QString &alias, const QString &filePath);
    void detachTable(const QString &alias);
};

} // namespace tav::store
