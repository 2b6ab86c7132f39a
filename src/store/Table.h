#pragma once
// A table component: a dataset bound to one table file of the data directory.
// Tables with a Count column keep the order of Count (row key breaks ties); inserting
// places the new record before the current one by giving it the current Count and moving
// the following records up by one, so Count keeps equal to the position. Appending gives
// Count the highest value plus one (auto-increment values are always the table's: one set in
// the buffer of a new record is replaced at post). Other tables keep insertion order, and
// there insert() adds at the end like append().
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
    // transaction() each call is a transaction of its own and the set is re-read afterwards.
    // Returns the number of rows changed.
    int execute(const QString &sql, const QVariantList &parameters = {});
    // The first column of the first row of a SELECT (null when there is no row).
    QVariant selectValue(const QString &sql, const QVariantList &parameters = {});
    // Runs `work` as one transaction: committed when it returns, rolled back when it throws
    // (the exception goes on). Posts, execute() and the calls below inside it join the
    // transaction. The set is re-read afterwards, keeping the current record where possible.
    void transaction(const std::function<void()> &work);
    // Deletes the records meeting `condition` (a SQL condition over the fields) and their
    // memo and graphic values. Returns the number of records deleted.
    int deleteRecords(const QString &condition, const QVariantList &parameters = {});
    // Numbers Count 1..N in table order (Count, then the order the rows were written), in
    // one statement.
    void renumber();

    // Attaches another table file (one without memo or graphic fields) to this table's
    // connection under `alias`, its records being the table `alias.data`, so that one
    // transaction() changes both files atomically. Not inside a transaction. StoreError when
    // the file is missing or not a table, or the alias is in use.
    void attachTable(const QString &alias, const QString &filePath);
    void detachTable(const QString &alias);
};

} // namespace tav::store
