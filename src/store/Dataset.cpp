// Opening, navigation and field access of a dataset.

#include "DatasetImpl.h"
#include "TableFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace tav::store {

// --- Display dates --------------------------------------------------------------------------

namespace {
QString &datePattern()
{
    static QString pattern = QStringLiteral("dd/MM/yyyy");
    return pattern;
}
} // namespace

void setDisplayDatePattern(const QString &pattern)
{
    datePattern() = pattern.isEmpty() ? QStringLiteral("dd/MM/yyyy") : pattern;
}

QString displayDatePattern()
{
    return datePattern();
}

QDate parseDisplayDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QDate();
    const QString pattern = datePattern();
    QDate date = QDate::fromString(trimmed, pattern);
    if (!date.isValid()) {
        // Users type 1/2/2024 for 01/02/2024.
        QString relaxed = pattern;
        relaxed.replace(QRegularExpression(QStringLiteral("(?<!d)dd(?!d)")), QStringLiteral("d"));
        relaxed.replace(QRegularExpression(QStringLiteral("(?<!M)MM(?!M)")), QStringLiteral("M"));
        date = QDate::fromString(trimmed, relaxed);
    }
    const bool twoDigitYear =
        pattern.contains(QLatin1String("yy")) && !pattern.contains(QLatin1String("yyyy"));
    if (date.isValid() && twoDigitYear && date.year() < 1950)
        date = date.addYears(100);
    return date;
}

QString formatDisplayDate(const QDate &date)
{
    return date.isValid() ? date.toString(datePattern()) : QString();
}

// --- Impl -----------------------------------------------------------------------------------

QString Dataset::Impl::filePath() const
{
    const QDir dir(directory.isEmpty() ? QDir::currentPath() : directory);
    return dir.filePath(tableName);
}

void Dataset::Impl::requireActive() const
{
    if (!isActive())
        throw StoreError(QStringLiteral("The table %1 is not open").arg(tableName));
}

void Dataset::Impl::requireWritable() const
{
    requireActive();
    if (readOnly)
        throw StoreError(QStringLiteral("The result set over %1 cannot be changed").arg(tableName));
}

int Dataset::Impl::fieldOrdinal(const QString &name) const
{
    return fieldByName.value(name.toLower(), -1);
}

int Dataset::Impl::requireField(const QString &name) const
{
    requireActive();
    const int ordinal = fieldOrdinal(name);
    if (ordinal < 0)
        throw StoreError(QStringLiteral("Field '%1' not found in %2").arg(name, tableName));
    return ordinal;
}

void Dataset::Impl::open()
{
    if (tableName.isEmpty())
        throw StoreError(QStringLiteral("No table name was given"));
    TableSchema fields;
    std::unique_ptr<sql::Connection> connection = format::openTable(filePath(), readOnly, fields);

    schema = fields;
    fieldByName.clear();
    rowFields.clear();
    memoFields.clear();
    QStringList rowColumns, memoColumns;
    for (int i = 0; i < schema.size(); ++i) {
        fieldByName.insert(schema[i].name.toLower(), i);
        const bool memo = format::inMemoFile(schema[i].type);
        (memo ? memoFields : rowFields).append(i);
        (memo ? memoColumns : rowColumns).append(sql::quoted(schema[i].name));
    }
    countField = format::orderingField(schema);
    rowColumns.prepend(QStringLiteral("_rk"));
    memoColumns.prepend(QStringLiteral("_rk"));
    selectRowSql =
        QStringLiteral("SELECT %1 FROM main.data WHERE _rk = ?").arg(rowColumns.join(','));
    selectMemoSql =
        QStringLiteral("SELECT %1 FROM mb.data WHERE _rk = ?").arg(memoColumns.join(','));
    db = std::move(connection);
    try {
        loadKeys();
    } catch (...) {
        detach();
        throw;
    }
    pos = keys.isEmpty() ? -1 : 0;
    eof = bof = keys.isEmpty();
    invalidateRecord();
    setState(DataSetState::Browse);
    emit q->recordChanged();
    emit q->afterOpen();
}

void Dataset::Impl::detach()
{
    db.reset();
    keys.clear();
    pos = -1;
    eof = bof = true;
    current.clear();
    invalidateRecord();
    buffer.clear();
    modified.clear();
    schema.clear();
    fieldByName.clear();
    txDepth = 0;
}

bool Dataset::Impl::mentionsMemoField(const QString &text) const
{
    for (int ordinal : memoFields) {
        if (text.contains(schema[ordinal].name, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString Dataset::Impl::fromClause(bool join) const
{
    QString from = QStringLiteral("main.data AS d");
    if (join && !memoFields.isEmpty())
        from += QStringLiteral(" LEFT JOIN mb.data AS m ON m._rk = d._rk");
    return from;
}

QString Dataset::Impl::conditionClause() const
{
    QStringList parts;
    if (!where.trimmed().isEmpty())
        parts << QLatin1Char('(') + where + QLatin1Char(')');
    if (filtered && !filter.trimmed().isEmpty())
        parts << QLatin1Char('(') + filter + QLatin1Char(')');
    return parts.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

QString Dataset::Impl::orderClause(bool descending) const
{
    const QString direction = descending ? QStringLiteral(" DESC") : QString();
    if (!tableOrdered())
        return orderBy + QStringLiteral(", d._rk");
    if (countField >= 0)
        return QStringLiteral("d.%1%2, d._rk%2")
            .arg(sql::quoted(schema[countField].name), direction);
    return QStringLiteral("d._rk") + direction;
}

void Dataset::Impl::bindSetParameters(sql::Stmt &stmt, const QVariantList &trailing) const
{
    QVariantList positional = positionalParams;
    if (filtered)
        positional += filterParams;
    positional += trailing;
    stmt.bindAll(positional, namedParams);
}

void Dataset::Impl::loadKeys()
{
    const QString condition = conditionClause();
    const bool join = mentionsMemoField(condition + orderBy);
    sql::Stmt stmt = db->prepare(QStringLiteral("SELECT d._rk FROM ") + fromClause(join) +
                                 condition + QStringLiteral(" ORDER BY ") + orderClause(false));
    bindSetParameters(stmt);
    QVector<qint64> fresh;
    fresh.reserve(keys.size());
    while (stmt.step())
        fresh.append(stmt.int64(0));
    keys.swap(fresh);
}

void Dataset::Impl::reload(bool toFirst)
{
    const qint64 key = keyAt(pos);
    const int oldPos = pos;
    loadKeys();
    int index = toFirst ? -1 : int(keys.indexOf(key));
    if (index < 0)
        index = toFirst ? 0 : qMin(qMax(oldPos, 0), int(keys.size()) - 1);
    pos = keys.isEmpty() ? -1 : index;
    eof = bof = keys.isEmpty();
    invalidateRecord();
    emit q->recordChanged();
}

QVariantList Dataset::Impl::readRecord(qint64 key)
{
    QVariantList values(schema.size());
    {
        sql::Stmt stmt = db->cached(selectRowSql);
        stmt.bindInt(1, key);
        if (!stmt.step())
            return values; // removed behind the set's back: show an empty record
        for (int i = 0; i < rowFields.size(); ++i)
            values[rowFields[i]] = format::readValue(stmt, i + 1, schema[rowFields[i]].type);
    }
    if (!memoFields.isEmpty()) {
        sql::Stmt stmt = db->cached(selectMemoSql);
        stmt.bindInt(1, key);
        if (stmt.step()) {
            for (int i = 0; i < memoFields.size(); ++i)
                values[memoFields[i]] = format::readValue(stmt, i + 1, schema[memoFields[i]].type);
        }
    }
    return values;
}

const QVariantList &Dataset::Impl::record()
{
    const qint64 key = keyAt(pos);
    if (key < 0) {
        if (current.size() != schema.size() || currentKey != -2) {
            current = QVariantList(schema.size());
            currentKey = -2; // the empty record of an empty set
        }
        return current;
    }
    if (currentKey != key) {
        current = readRecord(key);
        currentKey = key;
    }
    return current;
}

void Dataset::Impl::moveTo(int index)
{
    const qint64 before = keyAt(pos);
    pos = index;
    if (keyAt(pos) != before)
        emit q->recordChanged();
}

void Dataset::Impl::setState(DataSetState newState)
{
    if (state == newState)
        return;
    state = newState;
    emit q->stateChanged();
}

// --- Dataset --------------------------------------------------------------------------------

Dataset::Dataset(QObject *parent) : QObject(parent), d(std::make_unique<Impl>(this)) {}

Dataset::~Dataset() = default;

void Dataset::close()
{
    if (!d->isActive())
        return;
    if (d->txDepth > 0)
        throw StoreError(
            QStringLiteral("The table %1 cannot be closed inside a transaction").arg(d->tableName));
    d->detach();
    d->setState(DataSetState::Inactive);
    emit recordChanged();
    emit afterClose();
}

bool Dataset::isActive() const
{
    return d->isActive();
}

DataSetState Dataset::state() const
{
    return d->state;
}

void Dataset::first()
{
    d->requireActive();
    checkBrowseMode();
    d->eof = d->bof = d->keys.isEmpty();
    d->moveTo(d->keys.isEmpty() ? -1 : 0);
}

void Dataset::last()
{
    d->requireActive();
    checkBrowseMode();
    d->eof = d->bof = d->keys.isEmpty();
    d->moveTo(int(d->keys.size()) - 1);
}

void Dataset::next()
{
    moveBy(1);
}

void Dataset::prior()
{
    moveBy(-1);
}

void Dataset::moveBy(int delta)
{
    d->requireActive();
    checkBrowseMode();
    const int count = int(d->keys.size());
    if (count == 0) {
        d->eof = d->bof = true;
        return;
    }
    const qint64 target = qint64(d->pos) + delta;
    d->eof = target >= count;
    d->bof = target < 0;
    d->moveTo(int(qBound<qint64>(0, target, qint64(count) - 1)));
}

bool Dataset::eof() const
{
    return d->eof;
}

bool Dataset::bof() const
{
    return d->bof;
}

int Dataset::recordCount() const
{
    return int(d->keys.size());
}

int Dataset::recNo() const
{
    if (d->state == DataSetState::Insert)
        return d->appending ? int(d->keys.size()) + 1 : d->pos + 1;
    return d->pos + 1;
}

qint64 Dataset::rowKeyAt(int number) const
{
    return d->keyAt(number - 1);
}

int Dataset::fileVersion() const
{
    d->requireActive();
    return format::fileVersion(*d->db);
}

int Dataset::recordNumber() const
{
    if (!d->isActive() || d->keys.isEmpty() || d->pos < 0 || d->state == DataSetState::Insert)
        return 0;
    if (d->tableOrdered() && d->conditionClause().isEmpty())
        return d->pos + 1;
    const qint64 key = d->keys[d->pos];
    if (d->countField < 0) {
        sql::Stmt stmt = d->db->cached(QStringLiteral("SELECT COUNT(*) FROM main.data WHERE _rk <= ?"));
        stmt.bindInt(1, key);
        return stmt.step() ? int(stmt.int64(0)) : 0;
    }
    const QString count = sql::quoted(d->schema[d->countField].name);
    const QVariant order = d->record().at(d->countField);
    // Records without a key come first, in row key order.
    sql::Stmt stmt = d->db->cached(
        order.isNull()
            ? QStringLiteral("SELECT COUNT(*) FROM main.data WHERE %1 IS NULL AND _rk <= ?2")
                  .arg(count)
            : QStringLiteral("SELECT (SELECT COUNT(*) FROM main.data WHERE %1 IS NULL) + "
                             "(SELECT COUNT(*) FROM main.data WHERE (%1, _rk) <= (?1, ?2))")
                  .arg(count));
    if (!order.isNull())
        stmt.bindInt(1, order.toLongLong());
    stmt.bindInt(2, key);
    return stmt.step() ? int(stmt.int64(0)) : 0;
}

void Dataset::setRecNo(int number)
{
    d->requireActive();
    checkBrowseMode();
    if (d->keys.isEmpty())
        return;
    d->eof = d->bof = false;
    d->moveTo(qBound(1, number, int(d->keys.size())) - 1);
}

TableSchema Dataset::fields() const
{
    return d->schema;
}

int Dataset::fieldCount() const
{
    return int(d->schema.size());
}

QStringList Dataset::fieldNames() const
{
    QStringList names;
    for (const FieldDef &field : d->schema)
        names << field.name;
    return names;
}

bool Dataset::hasField(const QString &name) const
{
    return d->fieldOrdinal(name) >= 0;
}

int Dataset::fieldIndex(const QString &name) const
{
    return d->fieldOrdinal(name);
}

QVariant Dataset::value(const QString &field) const
{
    return value(d->requireField(field));
}

QVariant Dataset::value(int ordinal) const
{
    d->requireActive();
    if (ordinal < 0 || ordinal >= d->schema.size())
        throw StoreError(
            QStringLiteral("Field number %1 not found in %2").arg(ordinal).arg(d->tableName));
    if (d->editing())
        return d->buffer.at(ordinal);
    return d->record().at(ordinal);
}

QVariant Dataset::storedValueAt(int number, const QString &field) const
{
    d->requireActive();
    const int ordinal = d->requireField(field);
    const qint64 key = d->keyAt(number - 1);
    if (key < 0)
        return QVariant();
    const FieldDef &def = d->schema[ordinal];
    sql::Stmt stmt = d->db->cached(QStringLiteral("SELECT %1 FROM %2.data WHERE _rk = ?")
                                       .arg(sql::quoted(def.name),
                                            format::inMemoFile(def.type) ? format::kMemoSchema
                                                                         : QStringLiteral("main")));
    stmt.bindInt(1, key);
    return stmt.step() ? format::readValue(stmt, 0, def.type) : QVariant();
}

bool Dataset::isNull(const QString &field) const
{
    return value(field).isNull();
}

QString Dataset::asString(const QString &field) const
{
    const int ordinal = d->requireField(field);
    const QVariant v = value(ordinal);
    if (v.isNull())
        return QString();
    switch (d->schema[ordinal].type) {
    case FieldType::Date:
        return formatDisplayDate(v.toDate());
    case FieldType::Graphic:
        return QString(); // pictures have no text form
    default:
        return v.toString();
    }
}

int Dataset::asInteger(const QString &field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    bool ok = false;
    const qint64 number = v.typeId() == QMetaType::QString ? v.toString().trimmed().toLongLong(&ok)
                                                           : v.toLongLong(&ok);
    return ok ? int(number) : 0;
}

QDate Dataset::asDate(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    return v.isNull() ? QDate() : parseDisplayDate(v.toString());
}

QByteArray Dataset::asBytes(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    return v.isNull() ? QByteArray() : v.toString().toUtf8();
}

void Dataset::setValue(const QString &field, const QVariant &value)
{
    d->requireWritable();
    const int ordinal = d->requireField(field);
    if (!d->editing())
        throw StoreError(
            QStringLiteral("The table %1 is not in edit or insert mode").arg(d->tableName));
    const QVariant normalised = format::normalise(value, d->schema[ordinal]);
    QVariant &slot = d->buffer[ordinal];
    const bool changed = slot.isNull() != normalised.isNull() || slot != normalised;
    slot = normalised;
    d->modified[ordinal] = true;
    if (changed)
        emit fieldChanged(d->schema[ordinal].name);
}

void Dataset::setAsString(const QString &field, const QString &text)
{
    const int ordinal = d->requireField(field);
    const FieldDef &def = d->schema[ordinal];
    switch (def.type) {
    case FieldType::Date: {
        if (text.trimmed().isEmpty()) {
            setValue(field, QVariant());
            return;
        }
        const QDate date = parseDisplayDate(text);
        if (!date.isValid())
            throw StoreError(QStringLiteral("'%1' is not a valid date").arg(text));
        setValue(field, date);
        return;
    }
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Number: {
        if (text.trimmed().isEmpty()) {
            setValue(field, QVariant());
            return;
        }
        bool ok = false;
        const qint64 number = text.trimmed().toLongLong(&ok);
        if (!ok)
            throw StoreError(QStringLiteral("'%1' is not a valid integer value.").arg(text));
        setValue(field, number);
        return;
    }
    case FieldType::Graphic:
        throw StoreError(QStringLiteral("The field %1 holds a picture, not text").arg(def.name));
    case FieldType::Text:
    case FieldType::Memo:
        setValue(field, text);
        return;
    }
}

void Dataset::setAsInteger(const QString &field, int value)
{
    setValue(field, qint64(value));
}

void Dataset::setAsDate(const QString &field, const QDate &date)
{
    setValue(field, date.isValid() ? QVariant(date) : QVariant());
}

void Dataset::clearField(const QString &field)
{
    setValue(field, QVariant());
}

void Dataset::flush()
{
    // Every post is committed with a synced rollback journal: nothing is left to write.
    d->requireActive();
}

void Dataset::checkBrowseMode()
{
    if (d->editing())
        post();
}

void Dataset::refresh()
{
    d->requireActive();
    checkBrowseMode();
    d->reload(false);
}

} // namespace tav::store
