#pragma once
// Export of a records table to delimited text: one line per record in record order, the
// fields Date, the record number, ID .. Reserved5, then the first `nradd` extra fields, each
// followed by the separator. A blank field is written as one blank; nothing is quoted, so a
// separator inside a value splits it for any reader. The record number is the record's
// position, never the stored Count.
//
// The table is read through a read-only connection of its own: the window's table, its
// current record and any pending edit are never touched.

#include "Progress.h"

#include <QChar>
#include <QString>

namespace tav::exchange {

enum class ExportStatus {
    Done,
    CannotOpenOutput, // nothing written
    WriteFailed,      // the output could not be written; a file there before is unchanged
};

struct ExportResult {
    ExportStatus status = ExportStatus::Done;
    int records = 0;
    QString error; // the system's reason when writing failed
};

// Writes the records of the table at `recordsPath` to `outputPath` (replaced only when the
// whole file is written). Dates use the display date pattern. Progress counts records.
// StoreError when the table cannot be read.
ExportResult exportRecords(const QString &recordsPath, int nradd, QChar separator,
                           const QString &outputPath, const Progress &progress = {});

} // namespace tav::exchange
