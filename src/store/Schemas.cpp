#include "Schemas.h"

namespace tav::store {

namespace {

FieldDef text(const QString &name, int size)
{
    return FieldDef{name, FieldType::Text, size};
}
FieldDef typed(const QString &name, FieldType type, int size = 0)
{
    return FieldDef{name, type, size};
}

void appendTexts(TableSchema &schema, const QString &prefix, int from, int to, int size)
{
    for (int n = from; n <= to; ++n)
        schema.append(text(prefix + QString::number(n), size));
}

TableSchema buildRecords()
{
    TableSchema s;
    s << typed(QStringLiteral("Date"), FieldType::Date)
      << typed(QStringLiteral("Count"), FieldType::AutoInc);
    for (const char *name : {"ID", "FirstName", "LastName", "Phone", "Fax", "Email", "URLWebsite"})
        s << text(QLatin1String(name), 100);
    s << typed(QStringLiteral("Comments"), FieldType::Memo, 240);
    appendTexts(s, QStringLiteral("Address"), 1, 3, 100);
    appendTexts(s, QStringLiteral("Reserved"), 1, 5, 100);
    s << text(QStringLiteral("Res6"), 100) << typed(QStringLiteral("Image"), FieldType::Graphic);
    appendTexts(s, QStringLiteral("Res"), 7, 16, 100);
    s << typed(QStringLiteral("Res17"), FieldType::Graphic)
      << typed(QStringLiteral("Res18"), FieldType::Memo, 240);
    appendTexts(s, QStringLiteral("Res"), 19, 86, 100);
    return s;
}

TableSchema buildLabels()
{
    TableSchema s;
    s << typed(QStringLiteral("Count"), FieldType::AutoInc);
    for (const char *name :
         {"Created", "No", "ID", "First", "Last", "Phone", "Fax", "Email", "URL", "Add1", "Add2",
          "Add3", "Res1", "Res2", "Res3", "Res4", "Res5", "Comments"})
        s << text(QLatin1String(name), 40);
    appendTexts(s, QStringLiteral("Res"), 6, 83, 100);
    s << typed(QStringLiteral("Nradd"), FieldType::Integer) << text(QStringLiteral("Res85"), 100)
      << text(QStringLiteral("Res86"), 100);
    return s;
}

} // namespace

namespace schemas {

const TableSchema &records()
{
    static const TableSchema schema = buildRecords();
    return schema;
}

const TableSchema &labels()
{
    static const TableSchema schema = buildLabels();
    return schema;
}

const TableSchema &attachments()
{
    static const TableSchema schema{typed(QStringLiteral("Number"), FieldType::Number),
                                    text(QStringLiteral("FileName"), 255)};
    return schema;
}

const TableSchema &catalogue()
{
    static const TableSchema schema{text(QStringLiteral("Name"), 50)};
    return schema;
}

// Input and Output hold code lists of up to 374 characters; a criteria text is two dates
// joined by "_" or the 100 characters of a criteria edit box.
const TableSchema &masterConfig()
{
    static const TableSchema schema{text(QStringLiteral("DataName"), 50),
                                    text(QStringLiteral("ConfigName"), 100),
                                    typed(QStringLiteral("Sort"), FieldType::Integer),
                                    typed(QStringLiteral("ByField"), FieldType::Integer),
                                    typed(QStringLiteral("Format"), FieldType::Integer),
                                    typed(QStringLiteral("Action"), FieldType::Integer),
                                    text(QStringLiteral("Input"), 400),
                                    text(QStringLiteral("Output"), 400)};
    return schema;
}

const TableSchema &detailsCriteria()
{
    static const TableSchema schema{text(QStringLiteral("DataName"), 50),
                                    text(QStringLiteral("ConfigName"), 100),
                                    text(QStringLiteral("Criteria"), 255)};
    return schema;
}

} // namespace schemas

bool hasMemoFields(const TableSchema &schema)
{
    for (const FieldDef &field : schema) {
        if (field.type == FieldType::Memo || field.type == FieldType::Graphic)
            return true;
    }
    return false;
}

} // namespace tav::store
