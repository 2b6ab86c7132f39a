#pragma once
// A dataset over one table file: an ordered snapshot of row keys taken at open or refresh,
// a current position, and Browse / Edit / Insert states with a record buffer. Table (read and
// write) and Query (read-only result set) share this interface.
//
// Moving (first/next/prior/last/moveBy/setRecNo) and finds post a pending edit first
// ("check browse mode"); callers that must ask the user do so before they move.

#include "Schemas.h"
#include "StoreError.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

namespace tav::store {

enum class DataSetState { Inactive, Browse, Edit, Insert };

// Per-record filter used only by the finds: the dataset reads `fields` of each candidate
// record (in this order) and hands their values to `accept`.
//
// With `condition` set, the finds test that SQL condition over the field names instead
// (bound values in `parameters`, e.g. "lower_locale(FirstName) LIKE ? ESCAPE '\\'"), so that
// a record that does not match is never read into the program; `accept` must then agree with
// it (it serves callers that test a single value). With `byPosition`, the finds look for the
// record at `position` (1-based, in the set's order) and nothing else: none when there is no
// such position or it lies behind the find's direction.
struct RecordFilter {
    QStringList fields;
    std::function<bool(const QVariantList &values)> accept;
    QString condition;
    QVariantList parameters;
    bool byPosition = false;
    qint64 position = 0;
    explicit operator bool() const { return bool(accept) || !condition.isEmpty() || byPosition; }
};

// Date fields are shown and parsed with this pattern (the user's short date format, set by
// the program at start-up; "dd/MM/yyyy" until then).
void setDisplayDatePattern(const QString &pattern);
QString displayDatePattern();
// A date typed by the user, read with the display pattern: one-digit days and months are
// accepted, and with a two-digit year pattern 00..49 mean 2000..2049, 50..99 mean 1950..1999.
// Invalid (null) QDate when the text is empty or no date.
QDate parseDisplayDate(const QString &text);
QString formatDisplayDate(const QDate &date); // "" for a null date

class Dataset : public QObject
{
    Q_OBJECT
public:
    explicit Dataset(QObject *parent = nullptr);
    ~Dataset() override;

    virtual void open() = 0;
    virtual void close();
    bool isActive() const;
    DataSetState state() const;

    // Navigation. Every move posts a pending edit first.
    void first();
    void last();
    void next();
    void prior();
    void moveBy(int delta);
    // eof: a next() (or moveBy) ran past the last record, or the set is empty; first(), last()
    // and every successful move clear it. bof likewise for prior() before the first record.
    bool eof() const;
    bool bof() const;
    int recordCount() const; // exact
    int recNo() const;       // 1-based position of the current record; 0 when empty
    void setRecNo(int number);
    // The record number the user sees: the current record's position in the whole table's
    // order (Count, row key), whatever the set's filter or order; 0 when the set is empty or
    // a new record is being added. recNo() in an unfiltered set in table order; otherwise
    // counted in the file (through the order index).
    int recordNumber() const;
    // The row key of the record at position `number` (1-based) of the set: it never changes
    // while the record exists. -1 when there is no such record.
    qint64 rowKeyAt(int number) const;
    // The format version of the open table's file (TableFormat.h).
    int fileVersion() const;

    // Fields, by name or by ordinal in file order.
    TableSchema fields() const;
    int fieldCount() const;
    QStringList fieldNames() const;
    bool hasField(const QString &name) const;
    int fieldIndex(const QString &name) const; // -1 when absent

    // Values of the current record (the edit buffer while editing). Reading a field the
    // set does not have throws StoreError.
    QVariant value(const QString &field) const; // QDate, qint64, QString, QByteArray or null
    QVariant value(int ordinal) const;
    bool isNull(const QString &field) const;
    QString asString(const QString &field) const; // dates in the display pattern; null -> ""
    int asInteger(const QString &field) const;    // null or non-numeric -> 0
    QDate asDate(const QString &field) const;     // invalid when null
    QByteArray asBytes(const QString &field) const;
    // The stored value of a field of the record at position `number` (1-based), read without
    // moving to it or touching an edit: what a control reads ahead. Null when there is no
    // such record.
    QVariant storedValueAt(int number, const QString &field) const;

    // Writing needs Edit or Insert state (StoreError otherwise).
    void setValue(const QString &field, const QVariant &value); // null QVariant clears
    // Text for a date field is parsed with the display pattern (StoreError when invalid).
    void setAsString(const QString &field, const QString &text);
    void setAsInteger(const QString &field, int value);
    void setAsDate(const QString &field, const QDate &date);
    void clearField(const QString &field);

    // Editing.
    void edit();   // Browse -> Edit; on an empty set it starts a new record (Insert)
    void append(); // new record after the last one (Insert)
    void insert(); // new record placed before the current one (Insert)
    void post();   // stores the buffer; failure leaves state and buffer as they were
    void cancel(); // drops the buffer; a record being inserted disappears
    void deleteRecord();
    void flush();  // makes what was posted durable on disk
    void checkBrowseMode(); // posts a pending edit
    void refresh(); // re-reads the snapshot, keeping the current record where possible

    // Filtering. A filter expression restricts the records visited while filtered is on:
    // a SQL condition over field names with bound values, e.g.
    // "Count >= 1 AND Count < ? OR Count > ? AND Count <= ?".
    void setFilter(const QString &condition, const QVariantList &parameters = {});
    void setFiltered(bool on);
    bool isFiltered() const;
    // The per-record filter, used only by the finds (the set is never filtered by it).
    void setRecordFilter(RecordFilter filter);
    bool findFirst();
    bool findNext();  // from the record after the current one, forward
    bool findPrior(); // from the record before the current one, backward
    bool findLast();

signals:
    void stateChanged();
    // The current record changed: moved, refreshed, opened, closed, posted or cancelled.
    void recordChanged();
    // A field of the buffer was set through setValue and friends.
    void fieldChanged(const QString &field);
    void afterOpen();
    void afterClose();
    void newRecord(); // an append or insert started
    void afterPost();
    void beforePost(); // bound controls write their pending text now

protected:
    struct Impl;
    std::unique_ptr<Impl> d;
    friend class Table;
    friend class Query;
};

} // namespace tav::store
