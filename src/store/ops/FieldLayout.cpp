#include "FieldLayout.h"

#include "AttachedTable.h"
#include "FieldCatalogue.h"
#include "FieldChain.h"
#include "StoreError.h"
#include "Table.h"

#include <QStringList>

#include <algorithm>
#include <functional>

namespace tav::store::ops {

namespace {

const QString kLabels = QStringLiteral("lab");
const QString kNoCaption = QStringLiteral("...");

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// "target = source, ..." for one UPDATE; emptied targets take `emptyValue` (SQL text).
QString assignments(const QVector<chain::FieldMove> &moves, QString (*field)(int),
                    const QString &emptyValue)
{
    QStringList sets;
    for (const chain::FieldMove &move : moves) {
        sets << quoted(field(move.target)) + QStringLiteral(" = ") +
                    (move.source == chain::FieldMove::kEmpty ? emptyValue
                                                             : quoted(field(move.source)));
    }
    return sets.join(QStringLiteral(", "));
}

int readNradd(Table &table, const QString &schema)
{
    const QVariant value = table.selectValue(
        QStringLiteral("SELECT Nradd FROM %1.data ORDER BY _rk LIMIT 1").arg(schema));
    if (!value.isValid())
        throw StoreError(QStringLiteral("The labels table has no row"));
    return qBound(0, value.toInt(), catalogue::kExtraFields);
}

// Sets the captions and Nradd of the labels row (attached as kLabels).
void writeLabels(Table &records, const QVector<chain::FieldMove> &captions, int nradd)
{
    QString sets = QStringLiteral("Nradd = ?");
    if (!captions.isEmpty())
        sets += QStringLiteral(", ") +
                assignments(captions, catalogue::labelsField, QStringLiteral("?"));
    const int emptied =
        int(std::count_if(captions.begin(), captions.end(), [](const chain::FieldMove &m) {
            return m.source == chain::FieldMove::kEmpty;
        }));
    QVariantList parameters{nradd};
    for (int i = 0; i < emptied; ++i)
        parameters << kNoCaption;
    if (records.execute(QStringLiteral("UPDATE %1.data SET %2").arg(kLabels, sets), parameters) ==
        0)
        throw StoreError(QStringLiteral("The labels table has no row"));
}

void moveData(Table &records, const QVector<chain::FieldMove> &moves)
{
    records.execute(QStringLiteral("UPDATE main.data SET ") +
                    assignments(moves, catalogue::recordField, QStringLiteral("''")));
}

// Runs `work(nradd)` in one transaction over the records and the labels row.
int overRecordsAndLabels(Table &records, Table &labels, const std::function<int(int)> &work)
{
    if (labels.isActive())
        labels.checkBrowseMode();
    records.checkBrowseMode();
    int result = 0;
    {
        AttachedTable attached(records, kLabels, labels.filePath());
        records.transaction([&] { result = work(readNradd(records, kLabels)); });
    }
    if (labels.isActive())
        labels.refresh();
    return result;
}

// The positions new..old-1 as moves that empty them.
QVector<chain::FieldMove> emptied(int from, int to)
{
    QVector<chain::FieldMove> moves;
    for (int pos = from; pos < to; ++pos)
        moves.append({pos, chain::FieldMove::kEmpty});
    return moves;
}

} // namespace

int insertField(Table &records, Table &labels, int pos)
{
    return overRecordsAndLabels(records, labels, [&](int nradd) {
        const chain::FieldShift shift = chain::insertField(pos, nradd);
        moveData(records, shift.data);
        writeLabels(records, shift.captions, shift.newNradd);
        return shift.newNradd;
    });
}

int deleteField(Table &records, Table &labels, int pos)
{
    return overRecordsAndLabels(records, labels, [&](int nradd) {
        const chain::FieldShift shift = chain::deleteField(pos, nradd);
        moveData(records, shift.data);
        writeLabels(records, shift.captions, shift.newNradd);
        return shift.newNradd;
    });
}

int removeFields(Table &records, Table &labels, int count)
{
    return overRecordsAndLabels(records, labels, [&](int nradd) {
        if (count < 1 || count > maxFieldsToRemove(nradd))
            throw StoreError(
                QStringLiteral("%1 fields cannot be removed; %2 are shown").arg(count).arg(nradd));
        const QVector<chain::FieldMove> moves = emptied(nradd - count, nradd);
        moveData(records, moves);
        writeLabels(records, moves, nradd - count);
        return nradd - count;
    });
}

int addFields(Table &labels, int count)
{
    int result = 0;
    labels.transaction([&] {
        const int nradd = readNradd(labels, QStringLiteral("main"));
        if (count < 1 || count > maxFieldsToAdd(nradd))
            throw StoreError(
                QStringLiteral("%1 fields cannot be added; %2 are shown").arg(count).arg(nradd));
        result = nradd + count;
        labels.execute(QStringLiteral("UPDATE main.data SET Nradd = ?"), {result});
    });
    return result;
}

int parseFieldCount(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 0;
}

int maxFieldsToAdd(int nradd)
{
    return catalogue::kExtraFields - nradd;
}

int maxFieldsToRemove(int nradd)
{
    return nradd;
}

bool canAddFields(const QString &text, int nradd)
{
    const int n = parseFieldCount(text);
    return n >= 1 && n <= maxFieldsToAdd(nradd);
}

bool canRemoveFields(const QString &text, int nradd)
{
    const int n = parseFieldCount(text);
    return n >= 1 && n <= maxFieldsToRemove(nradd);
}

} // namespace tav::store::ops
