#include "RecordCursor.h"

#include "Dataset.h"
#include "Sqlite.h"
#include "TableFormat.h"

#include <QDate>
#include <QDir>
#include <optional>

namespace tav::store {

struct RecordCursor::Impl {
    std::unique_ptr<sql::Connection> db;
    TableSchema schema;
    std::optional<sql::Stmt> stmt;
    QVector<bool> dateColumns;
    mutable QVector<QByteArray> dateTexts; // display form of the current record's dates
    mutable QVector<bool> dateReady;
};

RecordCursor::RecordCursor(const QString &directory, const QString &tableFile)
    : d(std::make_unique<Impl>())
{
    const QString path = QDir(directory.isEmpty() ? QDir::currentPath() : directory)
                             .filePath(tableFile);
    d->db = format::openTable(path, true, d->schema);
}

RecordCursor::~RecordCursor()
{
    d->stmt.reset(); // before the connection goes
}

QString RecordCursor::positionColumn()
{
    return QStringLiteral("_pos");
}

const TableSchema &RecordCursor::fields() const
{
    return d->schema;
}

void RecordCursor::select(const QStringList &columns, const QString &condition,
                          const QVariantList &parameters, const QString &orderBy)
{
    d->stmt.reset();
    bool memo = false;
    QStringList selected;
    d->dateColumns.clear();
    for (const QString &column : columns) {
        bool date = false;
        if (column == positionColumn()) {
            selected << QStringLiteral("p._pos");
        } else {
            const FieldDef *field = nullptr;
            for (const FieldDef &f : std::as_const(d->schema))
                if (f.name.compare(column, Qt::CaseInsensitive) == 0)
                    field = &f;
            if (!field)
                throw StoreError(QStringLiteral("Field '%1' not found").arg(column));
            const bool inMemo = format::inMemoFile(field->type);
            memo = memo || inMemo;
            date = field->type == FieldType::Date;
            selected << (inMemo ? QStringLiteral("m.") : QStringLiteral("d.")) +
                            sql::quoted(field->name);
        }
        d->dateColumns << date;
    }
    // Conditions may name memo fields too.
    for (const FieldDef &f : std::as_const(d->schema))
        if (format::inMemoFile(f.type) && condition.contains(f.name, Qt::CaseInsensitive))
            memo = true;

    const int countField = format::orderingField(d->schema);
    const QString count = countField >= 0 ? sql::quoted(d->schema[countField].name) : QString();
    const QString recordOrder = countField >= 0 ? count + QStringLiteral(", _rk") : QStringLiteral("_rk");
    // The records are walked in record order through the table's index, the positions looked
    // up beside them: the first rows come without sorting the whole result (CROSS JOIN keeps
    // this join order).
    QString text = QStringLiteral("SELECT %1 FROM main.data AS d CROSS JOIN (SELECT _rk AS pk, "
                                  "ROW_NUMBER() OVER (ORDER BY %2) AS _pos FROM main.data) AS p "
                                  "ON p.pk = d._rk")
                       .arg(selected.isEmpty() ? QStringLiteral("p._pos") : selected.join(','),
                            recordOrder);
    if (memo)
        text += QStringLiteral(" CROSS JOIN mb.data AS m ON m._rk = d._rk");
    if (!condition.trimmed().isEmpty())
        text += QStringLiteral(" WHERE ") + condition;
    const QString tableOrder = countField >= 0
                                   ? QStringLiteral("d.") + count + QStringLiteral(", d._rk")
                                   : QStringLiteral("d._rk");
    text += QStringLiteral(" ORDER BY ") + (orderBy.trimmed().isEmpty() ? tableOrder : orderBy);
    d->stmt.emplace(d->db->prepare(text));
    d->stmt->bindAll(parameters);
    d->dateTexts.fill(QByteArray(), columns.size());
    d->dateReady.fill(false, columns.size());
}

bool RecordCursor::next()
{
    if (!d->stmt)
        return false;
    d->dateReady.fill(false);
    return d->stmt->step();
}

QByteArrayView RecordCursor::bytes(int column) const
{
    if (!d->stmt || column < 0 || column >= d->dateColumns.size())
        return {};
    const QByteArrayView raw = d->stmt->textView(column);
    if (!d->dateColumns[column] || raw.isEmpty())
        return raw;
    if (!d->dateReady[column]) {
        const QDate date = QDate::fromString(QString::fromLatin1(raw), Qt::ISODate);
        d->dateTexts[column] = formatDisplayDate(date).toUtf8();
        d->dateReady[column] = true;
    }
    return d->dateTexts[column];
}

QString RecordCursor::text(int column) const
{
    const QByteArrayView raw = bytes(column);
    return QString::fromUtf8(raw.data(), raw.size());
}

int RecordCursor::columnCount() const
{
    return int(d->dateColumns.size());
}

} // namespace tav::store
