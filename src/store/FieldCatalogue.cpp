#include "FieldCatalogue.h"

#include "Dataset.h"
#include "StoreError.h"

#include <QHash>

namespace tav::store {

namespace catalogue {

namespace {

// The standard positions 78..95, in position order.
struct Standard {
    const char *recordField;
    const char *editBox;
    const char *captionBox;
    const char *labelsField;
};
constexpr Standard kStandard[] = {
    {"Date", "EditDate", "", "Created"},
    {"Count", "EditCount", "", "No"},
    {"ID", "EditID", "LabelID", "ID"},
    {"FirstName", "EditFirstName", "LabelFirst", "First"},
    {"LastName", "EditLastName", "LabelLast", "Last"},
    {"Phone", "EditPhone", "LabelPhone", "Phone"},
    {"Fax", "EditFax", "LabelFax", "Fax"},
    {"Email", "EditEmail", "LabelEmail", "Email"},
    {"URLWebsite", "EditURLWebsite", "LabelURL", "URL"},
    {"Address1", "EditAddress", "LabelAdd1", "Add1"},
    {"Address2", "EditAddress2", "LabelAdd2", "Add2"},
    {"Address3", "EditAddress3", "LabelAdd3", "Add3"},
    {"Reserved1", "EditReserved", "LabelR1", "Res1"},
    {"Reserved2", "EditReserved2", "LabelR2", "Res2"},
    {"Reserved3", "EditReserved3", "LabelR3", "Res3"},
    {"Reserved4", "EditReserved4", "LabelR4", "Res4"},
    {"Reserved5", "EditReserved5", "LabelR5", "Res5"},
    {"Comments", "", "", "Comments"},
};

bool isExtra(int pos)
{
    return pos >= 0 && pos < kExtraFields;
}
bool isStandard(int pos)
{
    return pos >= kPosDate && pos <= kPosComments;
}
const Standard &standard(int pos)
{
    return kStandard[pos - kPosDate];
}

QString numbered(const char *prefix, int number)
{
    return QLatin1String(prefix) + QString::number(number);
}

// Control and caption numbers follow the extra field's place on screen (position + 6), the
// record field skips Res17 and Res18.
int extraRecordNumber(int pos)
{
    return pos < 10 ? pos + 7 : pos + 9;
}

// Report page boxes of the standard positions are numbered from 1 (position 78).
int standardBoxNumber(int pos)
{
    return pos - kPosDate + 1;
}

} // namespace

QString recordField(int pos)
{
    if (isExtra(pos))
        return numbered("Res", extraRecordNumber(pos));
    return isStandard(pos) ? QLatin1String(standard(pos).recordField) : QString();
}

QString editBoxName(int pos)
{
    if (isExtra(pos))
        return numbered("EditReserved", pos + 6);
    return isStandard(pos) ? QLatin1String(standard(pos).editBox) : QString();
}

QString captionBoxName(int pos)
{
    if (isExtra(pos))
        return numbered("LabelR", pos + 6);
    return isStandard(pos) ? QLatin1String(standard(pos).captionBox) : QString();
}

QString labelsField(int pos)
{
    if (isExtra(pos))
        return numbered("Res", pos + 6);
    return isStandard(pos) ? QLatin1String(standard(pos).labelsField) : QString();
}

QString criteriaEditName(int pos)
{
    if (isExtra(pos))
        return numbered("Edit", pos + 18);
    return isStandard(pos) && pos != kPosComments ? numbered("Edit", standardBoxNumber(pos))
                                                  : QString();
}

QString criteriaCheckName(int pos)
{
    if (isExtra(pos))
        return numbered("CheckBox", pos + 18);
    return isStandard(pos) && pos != kPosComments ? numbered("CheckBox", standardBoxNumber(pos))
                                                  : QString();
}

QString outputCheckName(int pos)
{
    if (isExtra(pos))
        return numbered("CheckBoxO", pos + 19);
    return isStandard(pos) ? numbered("CheckBoxO", standardBoxNumber(pos)) : QString();
}

int positionOfRecordField(const QString &field)
{
    static const QHash<QString, int> positions = [] {
        QHash<QString, int> map;
        for (int pos = 0; pos < kPositions; ++pos)
            map.insert(recordField(pos), pos);
        return map;
    }();
    return positions.value(field, -1);
}

namespace {
void appendRange(QVector<int> &order, int from, int to)
{
    for (int pos = from; pos <= to; ++pos)
        order.append(pos);
}
} // namespace

QVector<int> databasePageOrder()
{
    // 79 sits beside 78 on the first row.
    QVector<int> order{kPosDate, kPosCount};
    appendRange(order, kFirstFixed, kLastFixed);
    appendRange(order, 0, kExtraFields - 1);
    return order;
}

QVector<int> criteriaOrder()
{
    QVector<int> order;
    appendRange(order, kPosDate, kLastFixed);
    appendRange(order, 0, kExtraFields - 1);
    return order;
}

QVector<int> outputOrder()
{
    QVector<int> order;
    appendRange(order, kPosDate, kPosComments);
    appendRange(order, 0, kExtraFields - 1);
    return order;
}

} // namespace catalogue

void FillRowBuffer(RowBuffer &buffer, int row, const Dataset &set, int nradd)
{
    if (row < 0 || row >= RowBuffer::kRows)
        return;
    const auto fill = [&](int pos) {
        const QString field = catalogue::recordField(pos);
        QString text = QStringLiteral(" ");
        try {
            // The "No." column is the record number, never the stored order key.
            if (pos == catalogue::kPosCount && set.hasField(field))
                text = QString::number(set.recordNumber());
            else if (set.hasField(field))
                text = set.asString(field);
        } catch (const StoreError &) {
            // the cell keeps the blank
        }
        buffer.cells[row][pos] = text;
    };
    for (int pos = catalogue::kPosDate; pos <= catalogue::kPosComments; ++pos)
        fill(pos);
    for (int pos = 0; pos < qBound(0, nradd, catalogue::kExtraFields); ++pos)
        fill(pos);
}

} // namespace tav::store
