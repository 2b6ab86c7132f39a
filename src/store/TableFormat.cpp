#include "TableFormat.h"

#include "Dataset.h"
#include "FileNames.h"

#include <QFileInfo>

namespace tav::store::format {

namespace {

// A record of the records table is about 2 KB: large pages waste less space and halve the
// time of a full scan (a find without a match) against SQLite's default of 4 KB.
constexpr int kPageSize = 16384;

struct TypeName {
    FieldType type;
    const char *name;
};
constexpr TypeName kTypeNames[] = {
    {FieldType::Date, "date"},       {FieldType::AutoInc, "autoinc"},
    {FieldType::Integer, "integer"}, {FieldType::Number, "number"},
    {FieldType::Text, "text"},       {FieldType::Memo, "memo"},
    {FieldType::Graphic, "graphic"},
};

FieldType typeFromName(const QString &name)
{
    for (const TypeName &t : kTypeNames) {
        if (name == QLatin1String(t.name))
            return t.type;
    }
    throw StoreError(QStringLiteral("Unknown field type \"%1\"").arg(name));
}

QString columnDefinition(const FieldDef &field)
{
    QString type;
    switch (field.type) {
    case FieldType::Date:
        type = QStringLiteral("TEXT");
        break;
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Number:
        type = QStringLiteral("INTEGER");
        break;
    case FieldType::Text:
    case FieldType::Memo:
        // A NULL written by a multi-row UPDATE becomes '' instead of failing.
        type = QStringLiteral("TEXT NOT NULL ON CONFLICT REPLACE DEFAULT ''");
        break;
    case FieldType::Graphic:
        type = QStringLiteral("BLOB");
        break;
    }
    return sql::quoted(field.name) + QLatin1Char(' ') + type;
}

QString createDataTable(const TableSchema &schema, bool memoPart)
{
    QString sqlText = QStringLiteral("CREATE TABLE data(_rk INTEGER PRIMARY KEY");
    for (const FieldDef &field : schema) {
        if (inMemoFile(field.type) == memoPart)
            sqlText += QStringLiteral(", ") + columnDefinition(field);
    }
    return sqlText + QLatin1Char(')');
}

QString invalidValue(const QVariant &value, const FieldDef &field, const char *what)
{
    return QStringLiteral("'%1' is not a valid %2 for the field %3")
        .arg(value.toString(), QLatin1String(what), field.name);
}

} // namespace

bool inMemoFile(FieldType type)
{
    return type == FieldType::Memo || type == FieldType::Graphic;
}

QString typeName(FieldType type)
{
    for (const TypeName &t : kTypeNames) {
        if (t.type == type)
            return QLatin1String(t.name);
    }
    return QString();
}

int orderingField(const TableSchema &schema)
{
    for (int i = 0; i < schema.size(); ++i) {
        if (schema[i].type == FieldType::AutoInc &&
            schema[i].name.compare(QLatin1String("Count"), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void writeEmptyTable(const QString &dbPath, const QString &mbPath, const TableSchema &schema)
{
    {
        sql::Connection db(dbPath, sql::Connection::Mode::Create);
        db.exec(QStringLiteral("PRAGMA page_size=%1; PRAGMA journal_mode=DELETE").arg(kPageSize));
        sql::Transaction tx(db);
        db.exec(QStringLiteral("CREATE TABLE _fields(ord INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                               "type TEXT NOT NULL, size INTEGER NOT NULL)"));
        {
            sql::Stmt insert =
                db.prepare(QStringLiteral("INSERT INTO _fields(ord, name, type, size) "
                                          "VALUES(?, ?, ?, ?)"));
            for (int i = 0; i < schema.size(); ++i) {
                insert.bindInt(1, i);
                insert.bindText(2, schema[i].name);
                insert.bindText(3, typeName(schema[i].type));
                insert.bindInt(4, schema[i].size);
                insert.run();
                insert.reset();
            }
        }
        db.exec(createDataTable(schema, false));
        const int count = orderingField(schema);
        if (count >= 0)
            db.exec(QStringLiteral("CREATE INDEX data_order ON data(%1, _rk)")
                        .arg(sql::quoted(schema[count].name)));
        // Only an ordered table may hold gaps in its order key.
        db.exec(QStringLiteral("PRAGMA user_version=%1")
                    .arg(count >= 0 ? kRowKeyAttachmentsVersion : kDenseOrderVersion));
        tx.commit();
    }
    if (hasMemoFields(schema))
        writeEmptyMemoFile(mbPath, schema);
}

void writeEmptyMemoFile(const QString &mbPath, const TableSchema &schema)
{
    sql::Connection mb(mbPath, sql::Connection::Mode::Create);
    mb.exec(QStringLiteral("PRAGMA page_size=%1; PRAGMA journal_mode=DELETE").arg(kPageSize));
    sql::Transaction tx(mb);
    mb.exec(createDataTable(schema, true));
    mb.exec(QStringLiteral("PRAGMA user_version=%1").arg(kDenseOrderVersion));
    tx.commit();
}

QString newerFileMessage(const QString &fileName)
{
    return QStringLiteral("%1 was written by a newer version of Tavrionex and cannot be opened "
                          "by this one. Open it with the version that wrote it.")
        .arg(fileName);
}

int fileVersion(sql::Connection &connection, const QString &schema)
{
    sql::Stmt stmt = connection.cached(QStringLiteral("PRAGMA %1.user_version").arg(schema));
    return stmt.step() ? int(stmt.int64(0)) : 0;
}

void markOrderGapped(sql::Connection &connection)
{
    if (fileVersion(connection) < kGappedOrderVersion)
        connection.exec(QStringLiteral("PRAGMA main.user_version=%1").arg(kGappedOrderVersion));
}

TableSchema readFields(sql::Connection &connection)
{
    TableSchema schema;
    sql::Stmt stmt = connection.prepare(
        QStringLiteral("SELECT name, type, size FROM main._fields ORDER BY ord"));
    while (stmt.step())
        schema.append(FieldDef{stmt.text(0), typeFromName(stmt.text(1)), int(stmt.int64(2))});
    if (schema.isEmpty())
        throw StoreError(QStringLiteral("the table has no fields"));
    return schema;
}

std::unique_ptr<sql::Connection> openTable(const QString &dbPath, bool readOnly,
                                           TableSchema &schema)
{
    if (!QFileInfo(dbPath).isFile())
        throw StoreError(QStringLiteral("The table %1 does not exist").arg(dbPath));
    auto db = std::make_unique<sql::Connection>(
        dbPath, readOnly ? sql::Connection::Mode::ReadOnly : sql::Connection::Mode::ReadWrite);
    try {
        schema = readFields(*db);
    } catch (const StoreError &e) {
        throw StoreError(QStringLiteral("%1 is not a table file: %2").arg(dbPath, e.message()));
    }
    if (fileVersion(*db) > kUserVersion)
        throw StoreError(newerFileMessage(QFileInfo(dbPath).fileName()));
    const bool memo = hasMemoFields(schema);
    if (memo)
        db->attach(files::memoFileFor(dbPath), kMemoSchema, false);
    if (!readOnly) {
        db->exec(QStringLiteral("PRAGMA main.journal_mode=DELETE; PRAGMA main.synchronous=FULL"));
        if (memo)
            db->exec(QStringLiteral("PRAGMA mb.journal_mode=DELETE; PRAGMA mb.synchronous=FULL"));
    }
    return db;
}

QVariant readValue(const sql::Stmt &stmt, int column, FieldType type)
{
    if (stmt.isNull(column))
        return QVariant();
    switch (type) {
    case FieldType::Date: {
        const QDate date = QDate::fromString(stmt.text(column), Qt::ISODate);
        return date.isValid() ? QVariant(date) : QVariant();
    }
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Number:
        return QVariant(stmt.int64(column));
    case FieldType::Text:
    case FieldType::Memo: {
        const QString text = stmt.text(column);
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case FieldType::Graphic: {
        const QByteArray bytes = stmt.blob(column);
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    }
    return QVariant();
}

void bindValue(sql::Stmt &stmt, int index, const QVariant &value, FieldType type)
{
    switch (type) {
    case FieldType::Text:
    case FieldType::Memo:
        stmt.bindText(index, value.isNull() ? QString() : value.toString());
        return;
    case FieldType::Date:
        if (value.isNull())
            stmt.bindNull(index);
        else
            stmt.bindText(index, value.toDate().toString(Qt::ISODate));
        return;
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Number:
        if (value.isNull())
            stmt.bindNull(index);
        else
            stmt.bindInt(index, value.toLongLong());
        return;
    case FieldType::Graphic:
        if (value.isNull())
            stmt.bindNull(index);
        else
            stmt.bindBlob(index, value.toByteArray());
        return;
    }
}

QVariant normalise(const QVariant &value, const FieldDef &field)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (field.type) {
    case FieldType::Date: {
        if (value.typeId() == QMetaType::QDate)
            return value;
        if (value.typeId() == QMetaType::QDateTime)
            return QVariant(value.toDateTime().date());
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return QVariant();
        QDate date = QDate::fromString(text, Qt::ISODate);
        if (!date.isValid())
            date = parseDisplayDate(text);
        if (!date.isValid())
            throw StoreError(invalidValue(value, field, "date"));
        return QVariant(date);
    }
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Number: {
        if (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty())
            return QVariant();
        bool ok = false;
        const qint64 number = value.typeId() == QMetaType::QString
                                  ? value.toString().trimmed().toLongLong(&ok)
                                  : value.toLongLong(&ok);
        if (!ok)
            throw StoreError(invalidValue(value, field, "integer value"));
        return QVariant(number);
    }
    case FieldType::Text:
    case FieldType::Memo: {
        const QString text = value.typeId() == QMetaType::QByteArray
                                 ? QString::fromUtf8(value.toByteArray())
                                 : value.toString();
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case FieldType::Graphic: {
        const QByteArray bytes = value.toByteArray();
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    }
    return QVariant();
}

} // namespace tav::store::format
