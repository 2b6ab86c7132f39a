#pragma once
// The field catalogue: for each catalogue position 0..95 the record field, the names of the
// controls that show it and the labels-table field holding its caption.
//   0..77  extra fields (only the first Nradd are shown)
//   78     Date, 79 Count, 80..94 the fixed text fields, 95 Comments

#include <QString>
#include <QVector>
#include <array>

namespace tav::store {

class Dataset;

namespace catalogue {

constexpr int kPositions = 96;
constexpr int kExtraFields = 78;
constexpr int kPosDate = 78;
constexpr int kPosCount = 79;
constexpr int kFirstFixed = 80;
constexpr int kLastFixed = 94;
constexpr int kPosComments = 95;
constexpr int kControlTableSize = 100;

// All look-ups take a position 0..95; an empty text means "no such control".
QString recordField(int pos);     // "Res7", "Res19", "Date", "Comments", ...
QString editBoxName(int pos);     // "EditReserved6", "EditDate"; none for 95
QString captionBoxName(int pos);  // "LabelR6", "LabelID"; none for 78, 79, 95
QString labelsField(int pos);     // "Res6", "Created", "Comments", ...
QString criteriaEditName(int pos);  // "Edit18", "Edit1"; none for 95
QString criteriaCheckName(int pos); // "CheckBox18", "CheckBox1"; none for 95
QString outputCheckName(int pos);   // "CheckBoxO19", "CheckBoxO1", "CheckBoxO18" for 95

// The position whose record field is `field`, or -1.
int positionOfRecordField(const QString &field);

// Order on the Database page: 78, 79 (beside 78 on the same row), 80..86, then in the scroll
// box 87..94 followed by 0..77.
QVector<int> databasePageOrder();
// Report page: criteria rows 78, 79, 80..94, 0..77; output boxes 78..94, 95, 0..77.
QVector<int> criteriaOrder();
QVector<int> outputOrder();

} // namespace catalogue

// 11 rows of 100 texts filled by report generation.
struct RowBuffer {
    static constexpr int kRows = 11;
    std::array<std::array<QString, catalogue::kControlTableSize>, kRows> cells;
};

// The copied record of Copy Record / Paste Record (record fields 2..17 after Date, Count).
using RecordClipboard = std::array<QString, 16>;

// Fills one row of the buffer from the current record of `set`: positions 78..95, then
// 0..nradd-1. A field the set cannot give becomes a single blank " ". Cells of positions
// nradd..77 are left as they were. The Count cell (79, "No.") holds the record number
// (Dataset::recordNumber), not the stored order key.
void FillRowBuffer(RowBuffer &buffer, int row, const Dataset &set, int nradd);

} // namespace tav::store
