#include "OpsFixture.h"

#include "Schemas.h"
#include "TableFiles.h"

#include <QDir>

#include <algorithm>

using namespace tav::store;

namespace tav::test {

namespace {

void openTable(Table &table, const QString &path)
{
    table.setTableName(path);
    table.open();
}

QVector<QVariantList> readRows(const QString &path)
{
    Table table;
    openTable(table, path);
    QVector<QVariantList> rows;
    for (table.first(); !table.eof(); table.next()) {
        QVariantList row;
        for (int i = 0; i < table.fieldCount(); ++i)
            row << table.value(i);
        rows << row;
    }
    return rows;
}

} // namespace

OpsFixture::OpsFixture() = default;

QString OpsFixture::path(const QString &fileName) const
{
    return QDir(m_dir.path()).filePath(fileName);
}

QString OpsFixture::valueOf(const QString &field, int number)
{
    return field + QLatin1Char(' ') + QString::number(number);
}

QByteArray OpsFixture::pictureOf(int number)
{
    return QByteArray("picture ") + QByteArray::number(number);
}

void OpsFixture::writeRecords(const QString &fileName, int count) const
{
    createTable(path(fileName), schemas::records());
    Table table;
    openTable(table, path(fileName));
    for (int n = 1; n <= count; ++n) {
        table.append();
        for (const FieldDef &field : schemas::records()) {
            switch (field.type) {
            case FieldType::Date:
                table.setValue(field.name, dateOf(n));
                break;
            case FieldType::AutoInc:
                break;
            case FieldType::Graphic:
                table.setValue(field.name, pictureOf(n));
                break;
            default:
                table.setValue(field.name, valueOf(field.name, n));
            }
        }
        table.post();
    }
}

void OpsFixture::writeLabels(const QString &fileName, int nradd) const
{
    createTable(path(fileName), schemas::labels());
    Table table;
    openTable(table, path(fileName));
    table.append();
    for (const FieldDef &field : schemas::labels()) {
        if (field.type == FieldType::Text)
            table.setValue(field.name, captionOf(field.name));
    }
    table.setAsInteger(QStringLiteral("Nradd"), nradd);
    table.post();
}

void OpsFixture::writeAttachments(const QString &fileName, const AttachmentRows &rows) const
{
    createTable(path(fileName), schemas::attachments());
    Table table;
    openTable(table, path(fileName));
    for (const auto &[number, file] : rows) {
        table.append();
        table.setValue(QStringLiteral("Number"), number);
        table.setValue(QStringLiteral("FileName"), file);
        table.post();
    }
}

AttachmentRows OpsFixture::readAttachments(const QString &fileName) const
{
    AttachmentRows rows;
    for (const QVariantList &row : readRows(path(fileName)))
        rows << qMakePair(row[0].toInt(), row[1].toString());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    return rows;
}

QVector<QVariantList> OpsFixture::readAll(const QString &fileName) const
{
    return readRows(path(fileName));
}

QVariantList OpsFixture::readLabels(const QString &fileName) const
{
    const QVector<QVariantList> rows = readRows(path(fileName));
    return rows.size() == 1 ? rows.first() : QVariantList();
}

void OpsFixture::execute(const QString &fileName, const QString &sql) const
{
    Table table;
    openTable(table, path(fileName));
    table.execute(sql);
}

} // namespace tav::test
