#pragma once
// The five control tables: the main window's controls per catalogue position, filled by
// name from the field catalogue when the main window is created. Positions without such a
// control (see FieldCatalogue.h) stay nullptr; every loop over a table skips them.

#include "FieldCatalogue.h"

#include <array>

class QCheckBox;
class QLineEdit;

namespace tav
{

class DBEdit;

struct ControlTables {
    template <typename T> using Table = std::array<T *, store::catalogue::kControlTableSize>;

    Table<DBEdit> recordEdits;       // 0..94
    Table<DBEdit> captionBoxes;      // 0..94 except 78, 79
    Table<QCheckBox> criteriaChecks; // 0..94
    Table<QCheckBox> outputChecks;   // 0..95
    Table<QLineEdit> criteriaEdits;  // 0..94

    ControlTables()
    {
        recordEdits.fill(nullptr);
        captionBoxes.fill(nullptr);
        criteriaChecks.fill(nullptr);
        outputChecks.fill(nullptr);
        criteriaEdits.fill(nullptr);
    }
};

} // namespace tav
