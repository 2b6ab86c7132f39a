#pragma once
// The parts of the Records menu's Insert, Delete, Empty Record, Copy Record and Paste Record
// that need no window: the questions asked, the fields emptied, the record clipboard, and
// when an emptied record's attachment rows go. The handlers in FDFinRecordCommands.cpp ask,
// call these and the record operations of RecordOps.h, and show the result.

#include "FieldCatalogue.h"

#include <QObject>
#include <QStringList>

namespace tav::store
{
class Dataset;
class Table;
} // namespace tav::store

namespace tav
{

// "Are you sure you want to insert ..." for `count` records at position `position`.
QString insertQuestion(int count, int position);
// "Are you sure you want to delete completely ..." for the records from..to.
QString deleteQuestion(int from, int to);

// Empty Record clears the fixed fields, the comments and the extra fields in use; the date,
// Count, the picture and the hidden extra fields keep their values.
QStringList emptiedFields(int extraFieldCount);
// Empties those fields of the current record (into Edit state, not posted).
void emptyRecord(store::Dataset &records, int extraFieldCount);

// The record clipboard holds the records table's fields after Date and Count in file order:
// ID, FirstName, LastName, Phone, Fax, Email, URLWebsite, Comments, Address1..3,
// Reserved1..5.
QStringList recordClipboardFields();
store::RecordClipboard copyRecord(const store::Dataset &records);
// Sets the 16 fields of the current record from the clipboard, empty texts included (into
// Edit state, not posted). Without `withComments` the record keeps its comments: locked
// comments are neither copied nor overwritten.
void pasteRecord(store::Dataset &records, const store::RecordClipboard &clipboard,
                 bool withComments = true);

// An emptied record loses its attachment rows only when it is saved: Cancel (or No at the
// unsaved-changes prompt, or closing the table) gives back its fields and keeps its
// attachments. Whatever saves the record (Save, the prompt's Yes, a search or another
// record command posting first) removes them.
class EmptiedRecordAttachments : public QObject
{
    Q_OBJECT
public:
    explicit EmptiedRecordAttachments(store::Table *records, QObject *parent = nullptr);
    // The current record, at position `count`, has just been emptied and is being edited.
    void recordEmptied(int count);
    // The position of the emptied record still being edited, 0 when none.
    int pending() const { return m_emptied; }

signals:
    // The emptied record was saved and its attachment rows removed, or it was given back
    // and they stay: either way the attachment view shows the current record's rows again.
    void settled();
    // The rows could not be removed; the record itself was saved.
    void removalFailed(const QString &message);

private:
    void stateChanged();
    void afterPost();

    store::Table *m_records;
    int m_emptied = 0;     // while the emptied record is being edited
    int m_justSettled = 0; // between the end of that edit and the post's afterPost
};

} // namespace tav
