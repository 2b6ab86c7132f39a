#pragma once
// The four report file layouts: NotePad (one block per record), WordPad (a padded table),
// Excel (a tab-separated table) and HTML. Files are UTF-8 and every line ends with CR LF,
// line breaks inside values included.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

class QIODevice;

namespace tav::reports {

// Item indexes of the format list.
enum ReportFormat : int {
    FormatScreenPreview = 0,
    FormatNotePad = 1,
    FormatWordPad = 2,
    FormatExcel = 3,
    FormatHtml = 4,
};

struct FormatFile {
    QString fixedFile;     // written by "Generate and Open": "c:\report.txt", ...
    QString extension;     // added to a saved name that lacks testExtension
    QString testExtension; // ".htm" for HTML (".html" contains it), else the extension
    QString program;       // the program that opens the file
    int filterIndex = 1;   // the save dialog's filter for the format
};
// Formats 1..4; an empty FormatFile for any other index.
FormatFile formatFile(int format);
// The save dialog's filter, in "description|pattern|..." form.
QString reportSaveFilter();
// The name a report is saved under: the typed name, with the format's extension appended
// unless the name already contains the test extension anywhere (case-sensitive).
QString savedReportName(const QString &typed, int format);

// The records of a report, walked once from the first.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual bool next() = 0; // moves to the next record (the first on the first call)
    virtual QByteArrayView value(int column) const = 0; // UTF-8 text of the current record
};

// Writes the layout of `format` (1..4) for the columns titled `captions`, one line or block
// per record of `rows`. The WordPad layout pads every column to its widest text among the
// caption and the first ten records, except `commentsColumn` (width 1). False when a write
// failed (`error` then says why); a failure of the row source propagates as its exception.
bool writeReport(int format, QIODevice &out, const QStringList &captions, RowSource &rows,
                 QString *error, int commentsColumn = -1);

} // namespace tav::reports
