#pragma once
// Field definitions of every table the program keeps, in file order.

#include <QString>
#include <QVector>

namespace tav::store {

enum class FieldType {
    Date,    // stored as ISO text YYYY-MM-DD
    AutoInc, // integer numbered upwards on append (Count)
    Integer,
    Number,  // integer-valued number (attachments' Number)
    Text,    // at most `size` characters
    Memo,    // text of any length, kept in the table's .mb file
    Graphic, // picture bytes, kept in the table's .mb file
};

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // characters, for Text (and the in-record part of Memo)
};

using TableSchema = QVector<FieldDef>;

namespace schemas {
const TableSchema &records();        // 100 fields: Date, Count, ID ... Res86
const TableSchema &labels();         // Count, Created ... Res83, Nradd, Res85, Res86
const TableSchema &attachments();    // Number, FileName
const TableSchema &catalogue();      // Name
const TableSchema &masterConfig();   // DataName, ConfigName, Sort, ByField, Format, Action, Input, Output
const TableSchema &detailsCriteria();// DataName, ConfigName, Criteria
} // namespace schemas

bool hasMemoFields(const TableSchema &schema); // true when the table needs a .mb file

} // namespace tav::store
