#pragma once
// Import of a delimited text file into one database, replacing its records. Each line is one
// record: the separator always separates (double quotes are dropped and protect nothing),
// columns 1..15 fill ID .. Reserved5 and columns 16..93 the extra fields in catalogue order;
// an empty column is stored as one blank. Extra fields are filled up to the widest line read
// so far (counted from lines of 16 columns on), and Nradd becomes that line's column count
// minus 15. Every record is dated `today`. Files are read as UTF-8, a line that is not valid
// UTF-8 as Latin-1.
//
// The whole file is read into new table files beside the target's; only when every line is
// in are the target's records, memo and labels files replaced together (and its attachments
// table removed when asked), the catalogue row of a new database written last. On any
// failure the target is exactly as it was.

#include "Progress.h"

#include <QChar>
#include <QDate>
#include <QString>

namespace tav::exchange {

struct ImportRequest {
    QString dataDir;
    QString textFile;
    QString target;       // database name, taken in upper case
    QChar separator = QLatin1Char('\t');
    QString labelsSource; // full path of the labels table copied to the target
    bool keepAttachments = true;
    QDate today = QDate::currentDate();
};

enum class ImportStatus {
    Done,
    CannotOpenFile, // nothing changed
    NameTaken,      // a new name whose files already lie in the data directory; nothing changed
};

struct ImportResult {
    ImportStatus status = ImportStatus::Done;
    int records = 0;   // records of the target now
    int nradd = 0;
    int valuesCut = 0; // values longer than their field, cut to its width
    int linesCut = 0;  // lines of more than 93 columns, of which the first 93 were read
    bool newDatabase = false; // the target was added to the catalogue
};

// Line and column limits.
constexpr int kImportColumns = 93;

// StoreError when the name is not valid or a table or file operation fails. Progress
// counts bytes of the text file.
ImportResult importText(const ImportRequest &request, const Progress &progress = {});

} // namespace tav::exchange
