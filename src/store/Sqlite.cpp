#include "Sqlite.h"

#include "Query.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

#include <sqlite3.h>

#include <array>

namespace tav::store {

QString lowerLocale(const QString &text)
{
    static const QLocale locale = QLocale::system();
    return locale.toLower(text);
}

namespace sql {

namespace {

// Whether the user's locale lowers the letters A-Z to a-z (not so in Turkish, for one).
bool asciiLowersPlainly()
{
    static const bool plain = lowerLocale(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")) ==
                              QLatin1String("abcdefghijklmnopqrstuvwxyz");
    return plain;
}

// Lowers plain ASCII `text` into `out` (resized); false when the text is not plain ASCII or
// the locale lowers A-Z otherwise, and the caller lowers it through QString.
bool lowerAscii(const char *text, int size, QByteArray &out)
{
    if (!asciiLowersPlainly())
        return false;
    out.resize(size);
    char *to = out.data();
    for (int i = 0; i < size; ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
        to[i] = (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
    }
    return true;
}

QByteArray lowerUtf8(const char *text, int size)
{
    QByteArray lowered;
    if (!lowerAscii(text, size, lowered))
        lowered = lowerLocale(QString::fromUtf8(text, size)).toUtf8();
    return lowered;
}

// lower_locale(text): lowers text the way the program lowers search texts, so that
// "Ä" and "ä" compare equal in LIKE terms. Plain ASCII text, the bulk of a search over
// every record, is lowered in place without a detour through QString.
void lowerLocaleFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int size = sqlite3_value_bytes(argv[0]);
    thread_local QByteArray buffer;
    if (!lowerAscii(text, size, buffer))
        buffer = lowerLocale(QString::fromUtf8(text, size)).toUtf8();
    sqlite3_result_text(context, buffer.constData(), int(buffer.size()), SQLITE_TRANSIENT);
}

// Searches the lowered `part` in `text` while the text is plain ASCII, lowering each byte as
// it is compared. True when that settles it (`found`): a match among ASCII bytes stays one
// once the whole text is lowered; false when the text has other characters and no match was
// seen, and the whole text must be lowered first.
bool foundInAscii(const char *text, int size, const QByteArray &part, bool &found)
{
    if (!asciiLowersPlainly())
        return false;
    static const auto lower = [] {
        std::array<char, 256> table{};
        for (int c = 0; c < 256; ++c)
            table[c] = char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        return table;
    }();
    const auto folded = [&](int i) { return lower[static_cast<unsigned char>(text[i])]; };
    const int m = int(part.size());
    const char *p = part.constData();
    found = m == 0;
    bool ascii = true;
    for (int i = 0; i < size && !found; ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            ascii = false;
        else if (folded(i) == p[0] && i + m <= size) {
            int j = 1;
            while (j < m && folded(i + j) == p[j])
                ++j;
            found = j == m;
        }
    }
    return found || ascii;
}

void deleteBytes(void *bytes)
{
    delete static_cast<QByteArray *>(bytes);
}

// contains_locale(text, part): 1 when `part` occurs in `text`, both lowered as lower_locale
// lowers them, else 0 (NULL when either is NULL). What a search for a typed text over every
// record runs: the same answer as lower_locale(text) LIKE a pattern of the lowered part, but
// the part is lowered once per statement and plain ASCII text is searched where it lies,
// without making a lowered copy for the engine.
void containsLocaleFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    auto *part = static_cast<const QByteArray *>(sqlite3_get_auxdata(context, 1));
    QByteArray partHere;
    if (!part) {
        partHere = lowerUtf8(reinterpret_cast<const char *>(sqlite3_value_text(argv[1])),
                             sqlite3_value_bytes(argv[1]));
        part = &partHere;
        // Kept while the statement runs with the same bound part; SQLite may also drop it
        // at once, so this call goes on with its own copy.
        sqlite3_set_auxdata(context, 1, new QByteArray(partHere), deleteBytes);
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int size = sqlite3_value_bytes(argv[0]);
    bool found = false;
    if (!foundInAscii(text, size, *part, found)) {
        // Byte search is character search in valid UTF-8.
        found = lowerLocale(QString::fromUtf8(text, size)).toUtf8().contains(*part);
    }
    sqlite3_result_int(context, found ? 1 : 0);
}

QString fileOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

QString quoted(const QString &identifier)
{
    QString inner = identifier;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

// --- Stmt -----------------------------------------------------------------------------------

Stmt::Stmt(Connection &connection, sqlite3_stmt *stmt, bool owned)
    : m_connection(connection), m_stmt(stmt), m_owned(owned)
{
}

Stmt::Stmt(Stmt &&other) noexcept
    : m_connection(other.m_connection), m_stmt(other.m_stmt), m_owned(other.m_owned)
{
    other.m_stmt = nullptr;
}

Stmt::~Stmt()
{
    if (!m_stmt)
        return;
    if (m_owned) {
        sqlite3_finalize(m_stmt);
    } else {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

int Stmt::parameterCount() const
{
    return sqlite3_bind_parameter_count(m_stmt);
}

QString Stmt::parameterName(int index) const
{
    const char *name = sqlite3_bind_parameter_name(m_stmt, index);
    return name ? QString::fromUtf8(name) : QString();
}

void Stmt::bindNull(int index)
{
    if (sqlite3_bind_null(m_stmt, index) != SQLITE_OK)
        m_connection.fail(QStringLiteral("Cannot bind a value"));
}

void Stmt::bindInt(int index, qint64 value)
{
    if (sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK)
        m_connection.fail(QStringLiteral("Cannot bind a value"));
}

void Stmt::bindText(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        m_connection.fail(QStringLiteral("Cannot bind a value"));
}

void Stmt::bindBlob(int index, const QByteArray &bytes)
{
    if (sqlite3_bind_blob(m_stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        m_connection.fail(QStringLiteral("Cannot bind a value"));
}

void Stmt::bind(int index, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        bindNull(index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::QDate:
        bindText(index, value.toDate().toString(Qt::ISODate));
        break;
    case QMetaType::QDateTime:
        bindText(index, value.toDateTime().date().toString(Qt::ISODate));
        break;
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        bindInt(index, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        if (sqlite3_bind_double(m_stmt, index, value.toDouble()) != SQLITE_OK)
            m_connection.fail(QStringLiteral("Cannot bind a value"));
        break;
    case QMetaType::QByteArray:
        bindBlob(index, value.toByteArray());
        break;
    default:
        bindText(index, value.toString());
        break;
    }
}

void Stmt::bindAll(const QVariantList &positional, const QVariantMap &named)
{
    int next = 0;
    const int count = parameterCount();
    for (int i = 1; i <= count; ++i) {
        const QString name = parameterName(i);
        if (name.isEmpty()) {
            if (next >= positional.size())
                throw StoreError(QStringLiteral("No value was given for parameter %1 of: %2")
                                     .arg(i)
                                     .arg(QString::fromUtf8(sqlite3_sql(m_stmt))));
            bind(i, positional.at(next++));
        } else if (name.startsWith(QLatin1Char('?'))) {
            const int at = name.mid(1).toInt() - 1;
            if (at < 0 || at >= positional.size())
                throw StoreError(QStringLiteral("No value was given for parameter %1").arg(name));
            bind(i, positional.at(at));
        } else {
            const QString key = name.mid(1);
            const auto it = named.constFind(key);
            if (it == named.constEnd())
                throw StoreError(QStringLiteral("No value was given for parameter %1").arg(name));
            bind(i, it.value());
        }
    }
}

bool Stmt::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    m_connection.fail(fileOf(m_connection.path()));
}

void Stmt::run()
{
    while (step()) {
    }
}

void Stmt::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

bool Stmt::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 Stmt::int64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QString Stmt::text(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    return text ? QString::fromUtf8(text, size) : QString();
}

QByteArray Stmt::blob(int column) const
{
    const void *data = sqlite3_column_blob(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    return data ? QByteArray(static_cast<const char *>(data), size) : QByteArray();
}

QByteArrayView Stmt::textView(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    return text ? QByteArrayView(text, size) : QByteArrayView();
}

QVariant Stmt::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(int64(column));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT:
        return QVariant(text(column));
    case SQLITE_BLOB:
        return QVariant(blob(column));
    default:
        return QVariant();
    }
}

// --- Connection -----------------------------------------------------------------------------

Connection::Connection(const QString &path, Mode mode) : m_path(path)
{
    int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (mode == Mode::Create)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw StoreError(QStringLiteral("Cannot open %1: %2").arg(path, message));
    }
    // Another connection of this program may hold the file for a moment (a commit).
    sqlite3_busy_timeout(m_db, 2000);
    sqlite3_create_function(m_db, "lower_locale", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            lowerLocaleFunction, nullptr, nullptr);
    sqlite3_create_function(m_db, "contains_locale", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                            nullptr, containsLocaleFunction, nullptr, nullptr);
}

Connection::~Connection()
{
    for (sqlite3_stmt *stmt : std::as_const(m_cache))
        sqlite3_finalize(stmt);
    sqlite3_close_v2(m_db);
}

void Connection::attach(const QString &path, const QString &schema, bool create)
{
    if (!create && !QFileInfo::exists(path))
        throw StoreError(QStringLiteral("The file %1 is missing").arg(path));
    Stmt stmt = prepare(QStringLiteral("ATTACH DATABASE ? AS ") + quoted(schema));
    stmt.bindText(1, path);
    try {
        stmt.run();
    } catch (const StoreError &e) {
        throw StoreError(QStringLiteral("Cannot open %1: %2").arg(path, e.message()));
    }
}

void Connection::exec(const QString &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(m_db));
        sqlite3_free(error);
        throw StoreError(QStringLiteral("%1: %2").arg(fileOf(m_path), message));
    }
}

sqlite3_stmt *Connection::compile(const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(stmt);
        throw StoreError(QStringLiteral("%1: %2 in: %3").arg(fileOf(m_path), message, sql));
    }
    return stmt;
}

Stmt Connection::cached(const QString &sql)
{
    auto it = m_cache.constFind(sql);
    if (it == m_cache.constEnd())
        it = m_cache.insert(sql, compile(sql));
    return Stmt(*this, it.value(), false);
}

Stmt Connection::prepare(const QString &sql)
{
    return Stmt(*this, compile(sql), true);
}

namespace {
int noteWrite(void *context, int action, const char *table, const char *column,
              const char *schema, const char *)
{
    auto *writes = static_cast<TableWrites *>(context);
    if (!table || !schema || writes->table.compare(QLatin1String(table), Qt::CaseInsensitive) != 0 ||
        writes->schema.compare(QLatin1String(schema), Qt::CaseInsensitive) != 0)
        return SQLITE_OK;
    if (action == SQLITE_INSERT)
        writes->rowsAdded = true;
    else if (action == SQLITE_DELETE)
        writes->rowsRemoved = true;
    else if (action == SQLITE_UPDATE && column)
        writes->updatedColumns << QString::fromUtf8(column);
    return SQLITE_OK;
}
} // namespace

Stmt Connection::prepareWatching(const QString &sql, TableWrites &writes)
{
    sqlite3_set_authorizer(m_db, noteWrite, &writes);
    sqlite3_stmt *stmt = nullptr;
    try {
        stmt = compile(sql);
    } catch (...) {
        sqlite3_set_authorizer(m_db, nullptr, nullptr);
        throw;
    }
    sqlite3_set_authorizer(m_db, nullptr, nullptr);
    return Stmt(*this, stmt, true);
}

qint64 Connection::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Connection::changes() const
{
    return sqlite3_changes(m_db);
}

bool Connection::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

void Connection::fail(const QString &context) const
{
    throw StoreError(
        QStringLiteral("%1: %2").arg(context, QString::fromUtf8(sqlite3_errmsg(m_db))));
}

// --- Transaction ----------------------------------------------------------------------------

Transaction::Transaction(Connection &connection)
    : m_connection(connection), m_name(QStringLiteral("tav_sp%1").arg(connection.nextSavepoint()))
{
    try {
        m_connection.exec(QStringLiteral("SAVEPOINT ") + m_name);
    } catch (...) {
        m_connection.releaseSavepoint();
        throw;
    }
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    // After an I/O error SQLite may have rolled the whole transaction back already.
    if (m_connection.inTransaction()) {
        const QByteArray name = m_name.toUtf8();
        sqlite3_exec(m_connection.handle(), ("ROLLBACK TO " + name).constData(), nullptr, nullptr,
                     nullptr);
        sqlite3_exec(m_connection.handle(), ("RELEASE " + name).constData(), nullptr, nullptr,
                     nullptr);
    }
    m_connection.releaseSavepoint();
}

void Transaction::commit()
{
    m_connection.exec(QStringLiteral("RELEASE ") + m_name);
    m_done = true;
    m_connection.releaseSavepoint();
}

} // namespace sql
} // namespace tav::store
