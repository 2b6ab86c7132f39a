#pragma once
// MASTER filled for the tests of the record commands and the search panel, and what a
// test reads back from the window and the files.

#include "FDFin.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

namespace tav::test
{

// MASTER holding exactly `count` records numbered 1..count, created on 1 March 2001, with
// FirstName "F<n>" and LastName "L<n>"; `fill` may set more fields of record n (the table
// is in Insert state). `nradd` extra fields are shown.
void fillMaster(const QString &dataDir, int count,
                const std::function<void(store::Table &, int n)> &fill = {}, int nradd = 0);
// Files attached to MASTER's records: (position of the record, file name).
void addAttachments(const QString &dataDir, const QList<QPair<int, QString>> &rows);
// MASTER's attachment rows as "position:FileName", position being that of the record each
// belongs to now ("?Number" for a row of no record), ordered by position and file name, comma
// separated.
QString attachmentRows(const QString &dataDir);
// One field of every MASTER record in table order, comma separated; Count must increase
// strictly (no two records share an order key).
QString storedColumn(const QString &dataDir, const QString &field);

// Controls of the main window by name.
QWidget *control(TFDFin *w, const char *name);
QString text(TFDFin *w, const char *name); // the text of an edit box or the memo
void trigger(TFDFin *w, const char *menuItem);
void click(TFDFin *w, const char *button);
// Shows record `number` (the table's own move; what is tested is elsewhere).
void showRecord(TFDFin *w, int number);

} // namespace tav::test
