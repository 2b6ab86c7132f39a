#include "RecordCommands.h"

#include "RecordOps.h"
#include "Schemas.h"
#include "StoreError.h"
#include "Table.h"

#include <utility>

namespace tav
{

namespace cat = store::catalogue;
using store::DataSetState;

QString insertQuestion(int count, int position)
{
    if (count == 1)
        return QStringLiteral("Are you sure you want to insert a new empty record in position "
                              "no. %1 ?")
            .arg(position);
    return QStringLiteral("Are you sure you want to insert %1 new empty records starting\n"
                          "with position no. %2 ?")
        .arg(count)
        .arg(position);
}

QString deleteQuestion(int from, int to)
{
    if (from == to)
        return QStringLiteral("Are you sure you want to delete completely record no. %1 ?")
            .arg(from);
    return QStringLiteral("Are you sure you want to delete completely records from no. %1 to "
                          "no. %2 ?")
        .arg(from)
        .arg(to);
}

QStringList emptiedFields(int extraFieldCount)
{
    QStringList fields;
    for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
        fields << cat::recordField(pos);
    fields << cat::recordField(cat::kPosComments);
    for (int pos = 0; pos < qBound(0, extraFieldCount, cat::kExtraFields); ++pos)
        fields << cat::recordField(pos);
    return fields;
}

void emptyRecord(store::Dataset &records, int extraFieldCount)
{
    records.edit();
    for (const QString &field : emptiedFields(extraFieldCount))
        records.clearField(field);
}

QStringList recordClipboardFields()
{
    // The fields after Date and Count, in file order.
    const store::TableSchema &schema = store::schemas::records();
    QStringList fields;
    for (int i = 2; i < 2 + int(std::tuple_size<store::RecordClipboard>::value); ++i)
        fields << schema[i].name;
    return fields;
}

store::RecordClipboard copyRecord(const store::Dataset &records)
{
    store::RecordClipboard clipboard;
    const QStringList fields = recordClipboardFields();
    for (int i = 0; i < fields.size(); ++i)
        clipboard[i] = records.asString(fields[i]);
    return clipboard;
}

void pasteRecord(store::Dataset &records, const store::RecordClipboard &clipboard,
                 bool withComments)
{
    records.edit();
    const QStringList fields = recordClipboardFields();
    const QString comments = cat::recordField(cat::kPosComments);
    for (int i = 0; i < fields.size(); ++i)
        if (withComments || fields[i] != comments)
            records.setAsString(fields[i], clipboard[i]);
}

// ---- EmptiedRecordAttachments --------------------------------------------------------------

EmptiedRecordAttachments::EmptiedRecordAttachments(store::Table *records, QObject *parent)
    : QObject(parent), m_records(records)
{
    connect(records, &store::Dataset::stateChanged, this, &EmptiedRecordAttachments::stateChanged);
    connect(records, &store::Dataset::afterPost, this, &EmptiedRecordAttachments::afterPost);
}

void EmptiedRecordAttachments::recordEmptied(int count)
{
    m_emptied = count;
}

// A post and a cancel both end the edit with Browse; only a post goes on to afterPost, at
// once. Any later edit passes through Edit or Insert, which forgets the record.
void EmptiedRecordAttachments::stateChanged()
{
    if (m_records->state() != DataSetState::Browse) {
        m_justSettled = 0;
        if (m_records->state() == DataSetState::Inactive)
            m_emptied = 0;
        return;
    }
    if (m_emptied == 0)
        return;
    m_justSettled = std::exchange(m_emptied, 0);
    emit settled(); // after a cancel this is all; a post removes the rows right after
}

void EmptiedRecordAttachments::afterPost()
{
    const int count = std::exchange(m_justSettled, 0);
    if (count == 0)
        return;
    try {
        store::ops::removeAttachments(store::ops::attachmentsPathFor(*m_records),
                                      store::ops::attachmentNumber(*m_records, count));
    } catch (const store::StoreError &e) {
        emit removalFailed(e.message());
    }
    emit settled();
}

} // namespace tav
