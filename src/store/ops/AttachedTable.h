#pragma once
// Keeps another table file attached to a table's connection for the length of a scope, so
// that one Table::transaction() covers both files.

#include "Table.h"

namespace tav::store::ops {

class AttachedTable
{
public:
    AttachedTable(Table &table, const QString &alias, const QString &filePath)
        : m_table(table), m_alias(alias)
    {
        m_table.attachTable(alias, filePath);
    }
    ~AttachedTable()
    {
        try {
            m_table.detachTable(m_alias);
        } catch (...) {
            // The connection keeps the file attached until the table is closed; harmless.
        }
    }
    AttachedTable(const AttachedTable &) = delete;
    AttachedTable &operator=(const AttachedTable &) = delete;

private:
    Table &m_table;
    QString m_alias;
};

} // namespace tav::store::ops
