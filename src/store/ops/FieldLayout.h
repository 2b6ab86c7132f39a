#pragma once
// Field layout operations over all records and the labels row of the current database:
// Insert Field, Delete Field, Remove Fields and Add Fields. `records` and `labels` are the
// open tables of the database. Each operation posts pending edits of both tables first,
// then makes all its changes in one transaction over both files (the labels file attached
// to the records' connection): the data moves of all records are one UPDATE statement.
// On failure nothing has changed (data, captions, Nradd) and StoreError carries the
// engine's message. Both tables are re-read afterwards; each returns the new Nradd.

#include <QString>

namespace tav::store {
class Table;
}

namespace tav::store::ops {

// Inserts an empty field "..." at catalogue position `pos` (a shown field of the chain);
// see chain::insertField.
int insertField(Table &records, Table &labels, int pos);
// Deletes the field at `pos` with its caption; see chain::deleteField.
int deleteField(Table &records, Table &labels, int pos);
// Hides the last `count` shown extra fields (1 <= count <= Nradd): their values are emptied
// in every record and their captions become "...".
int removeFields(Table &records, Table &labels, int count);
// Shows `count` more extra fields (1 <= count <= 78 - Nradd); no record changes.
int addFields(Table &labels, int count);

// The number typed into the Add Fields / Delete Fields dialogs; 0 when it is no number.
int parseFieldCount(const QString &text);
// "Max" of the dialogs: how many fields can be added / removed.
int maxFieldsToAdd(int nradd);
int maxFieldsToRemove(int nradd);
// Whether OK is enabled for the typed text.
bool canAddFields(const QString &text, int nradd);
bool canRemoveFields(const QString &text, int nradd);

} // namespace tav::store::ops
