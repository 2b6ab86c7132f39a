#pragma once
// A table component: a dataset bound to one table file of the data directory.
// Tables with a Count column keep the order of Count (row key breaks ties); inserting
// places the new record before the current one by giving it the current Count and moving
// the following records up by one, so Count keeps equal to the position. Appending gives
// Count the highest value plus one. Other tables keep insertion order.

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
};

} // namespace tav::store
