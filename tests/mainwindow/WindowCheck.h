#pragma once
// One check a test can run after any command: what the main window says about the records
// agrees with the records table's file and with the rules of navigation and editing.

#include "FDFin.h"

#include <QString>

namespace tav::test
{

// Empty when the window tells the truth, otherwise every disagreement found, one per line:
// - the list names the database whose tables are open, and the status bar names it too;
// - status panel 1 gives the records in the file (one more while a record is being added);
// - the "No." box shows the position of the current record in the table's order (empty on a
//   record being added or in an empty table), and the boxes show that record's stored values
//   while nothing is pending;
// - First/Previous/Next/Last: button and menu item agree; all off while adding; otherwise
//   First and Previous are off only on the first record and Next and Last only on the last;
// - Add is on exactly while browsing; Insert, Delete and Empty Record are off exactly while
//   adding; the Save, Cancel and Undo commands are always on.
QString windowDisagreements(TFDFin *w);

} // namespace tav::test
