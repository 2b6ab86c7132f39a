#pragma once
// The on-disk form of a table, private to the table engine.
//
// "x.db" holds `_fields(ord, name, type, size)` describing the fields in file order and
// `data(_rk INTEGER PRIMARY KEY, <fields>)` with every field that is not a memo or graphic.
// "x.mb" holds `data(_rk INTEGER PRIMARY KEY, <memo and graphic fields>)` and is attached to
// the .db connection as schema `mb`, so one transaction writes both files.
//
// `PRAGMA user_version` of the .db: 1 when Count runs 1..N (the record's position), 2 once
// Count is an order key with gaps (see OrderKeys.h). A file of version 1 is valid as it is and
// stays at 1 until records are added or removed; the first such change raises it to 2 in the
// same transaction, so that a build knowing only version 1 refuses the file instead of showing
// Count as the record number. A file above kUserVersion is refused with kNewerFileMessage.
//
// Text and memo columns never hold NULL: a blank text is stored as '' (so a condition like
// "Res6 = ''" holds for every blank field); the engine reports it as null. Dates are ISO text.

#include "Schemas.h"
#include "Sqlite.h"

#include <memory>

namespace tav::store::format {

// The format versions of a records table file (PRAGMA user_version):
//   1  Count numbers the records 1..N; attachment rows carry the record's position
//   2  Count is an order key with gaps; attachment rows still carry the position
//   3  attachment rows carry the record's row key, which never changes, so inserting and
//      deleting records rewrites none of them
constexpr int kDenseOrderVersion = 1;
constexpr int kGappedOrderVersion = 2;
constexpr int kRowKeyAttachmentsVersion = 3;
constexpr int kUserVersion = kRowKeyAttachmentsVersion; // the highest version this build reads

// The format version of the file attached to `connection` as `schema`.
int fileVersion(sql::Connection &connection, const QString &schema = QStringLiteral("main"));

// "%1" is the file name.
QString newerFileMessage(const QString &fileName);
inline const QString kMemoSchema = QStringLiteral("mb");

bool inMemoFile(FieldType type);
QString typeName(FieldType type);
// The auto-increment field "Count" that orders the table, or -1 (the table keeps row-key order).
int orderingField(const TableSchema &schema);

// Writes new, empty table files at paths that do not exist yet: the .db, and the .mb when
// the schema has memo or graphic fields.
void writeEmptyTable(const QString &dbPath, const QString &mbPath, const TableSchema &schema);
void writeEmptyMemoFile(const QString &mbPath, const TableSchema &schema);

// Raises the open table's version to kGappedOrderVersion when it is lower (inside the caller's
// transaction, so a rollback keeps the old version).
void markOrderGapped(sql::Connection &connection);

// The fields recorded in an open table file.
TableSchema readFields(sql::Connection &connection);

// Opens a table file for the engine: checks it exists, reads its fields, attaches its .mb when
// the table has memo or graphic fields, and sets the journal and sync modes.
std::unique_ptr<sql::Connection> openTable(const QString &dbPath, bool readOnly,
                                           TableSchema &schema);

// A column value as the engine hands it out: QDate, qint64, QString, QByteArray or null.
QVariant readValue(const sql::Stmt &stmt, int column, FieldType type);
// Binds a buffer value (already normalised) for a column of the given type.
void bindValue(sql::Stmt &stmt, int index, const QVariant &value, FieldType type);
// Converts a value given by a caller to the buffer form of the field; StoreError when it
// does not fit the field's type.
QVariant normalise(const QVariant &value, const FieldDef &field);

} // namespace tav::store::format
