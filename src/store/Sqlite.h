#pragma once
// A thin RAII layer over the SQLite C API, private to the table engine. Every failure becomes a
// StoreError carrying SQLite's message and what was being done.

#include "StoreError.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace tav::store::sql {

class Connection;

// A prepared statement. Cached statements are reset when the handle goes out of scope, so no
// read lock outlives its use; one-off statements are finalized.
class Stmt
{
public:
    Stmt(Connection &connection, sqlite3_stmt *stmt, bool owned);
    Stmt(Stmt &&other) noexcept;
    Stmt(const Stmt &) = delete;
    Stmt &operator=(const Stmt &) = delete;
    Stmt &operator=(Stmt &&) = delete;
    ~Stmt();

    int parameterCount() const;
    QString parameterName(int index) const; // "" for a bare "?"

    // 1-based parameter index.
    void bindNull(int index);
    void bindInt(int index, qint64 value);
    void bindText(int index, const QString &text);
    void bindBlob(int index, const QByteArray &bytes);
    // Generic binding: QDate as ISO text, integers, doubles, text, bytes, null.
    void bind(int index, const QVariant &value);
    // Binds "?" in order from `positional` and ":name" from `named` (keys without the colon).
    void bindAll(const QVariantList &positional, const QVariantMap &named = {});

    bool step();  // true when a row is ready
    void run();   // steps to the end, ignoring rows
    void reset(); // ready to run again; bindings cleared

    bool isNull(int column) const;
    qint64 int64(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;
    QVariant value(int column) const; // by the column's stored type: qint64, double, text, bytes

private:
    Connection &m_connection;
    sqlite3_stmt *m_stmt;
    bool m_owned;
};

// What a statement writes to one table, learnt while it is prepared (triggers included).
struct TableWrites {
    QString schema, table;     // the table watched, e.g. "main", "data"
    bool rowsAdded = false;    // INSERT
    bool rowsRemoved = false;  // DELETE
    QStringList updatedColumns; // UPDATE, the columns set
};

class Connection
{
public:
    enum class Mode { ReadWrite, ReadOnly, Create };
    // Opens `path`. ReadWrite and ReadOnly never create a file.
    Connection(const QString &path, Mode mode);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QString path() const { return m_path; }
    sqlite3 *handle() const { return m_db; }

    // Attaches another database file under `schema` (the file must exist unless `create`).
    void attach(const QString &path, const QString &schema, bool create);
    // Runs SQL text without parameters (may hold several statements).
    void exec(const QString &sql);
    // A statement kept prepared for the connection's lifetime.
    Stmt cached(const QString &sql);
    // A statement used once.
    Stmt prepare(const QString &sql);
    // A statement used once, noting in `writes` what it writes to writes.schema/table.
    Stmt prepareWatching(const QString &sql, TableWrites &writes);
    qint64 lastInsertRowId() const;
    int changes() const;
    bool inTransaction() const;

    // Throws a StoreError: "<context>: <SQLite's message>".
    [[noreturn]] void fail(const QString &context) const;

    int nextSavepoint() { return ++m_savepoints; }
    void releaseSavepoint() { --m_savepoints; }

private:
    sqlite3_stmt *compile(const QString &sql);

    QString m_path;
    sqlite3 *m_db = nullptr;
    QHash<QString, sqlite3_stmt *> m_cache;
    int m_savepoints = 0;
};

// A savepoint: a transaction of its own when none is open, a nested one otherwise. Rolled
// back on destruction unless committed.
class Transaction
{
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Connection &m_connection;
    QString m_name;
    bool m_done = false;
};

// Double-quoted SQL identifier.
QString quoted(const QString &identifier);

} // namespace tav::store::sql
