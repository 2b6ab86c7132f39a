#pragma once
// The text side of a remote directory: parsing the server's LIST output (Unix and DOS
// style), the listing line shown in the remote list, turning a line back into a name,
// and the parent-directory rule of "Up One Level". No network here.

#include <QList>
#include <QString>

namespace tav::upload
{

// Attribute values as the listing lines encode them.
enum FileAttribute : int {
    AttrReadOnly = 1,
    AttrHidden = 2,
    AttrSystem = 4,
    AttrDirectory = 16,
    AttrArchive = 32,
    AttrNormal = 128,
    AttrTemporary = 256,
    AttrCompressed = 2048,
};

struct RemoteEntry {
    QString name; // exact remote name, never containing '/' and never "." or ".."
    qint64 size = 0;
    int attributes = AttrNormal;

    bool isDirectory() const { return attributes & AttrDirectory; }
};

// "D" for 16, "N" for 128, ...; any other value (a combination such as 17) in decimal.
QString attributeCode(int attributes);

// Code in column 1, the name from column 6 and the size from column 25, padded with
// blanks. A name that reaches column 24 or beyond is followed by one blank and the size,
// so the size never lands inside the name.
QString listingLine(const RemoteEntry &entry);

// The name recovered from a listing line by its text alone: the characters after the
// first five up to the first blank; empty when no blank follows.
QString customToFileName(const QString &line);

// True when the line's attribute code marks a directory ("D", or a number with the
// directory bit such as 17).
bool isDirectoryLine(const QString &line);

// The parent of a directory by the "Up One Level" rule: the directory without its last
// non-empty component and the separator before it. "/pub/site/images" gives
// "/pub/site", "/pub" and "/" give "", "/pub/" gives "/".
QString parentDirectory(const QString &dir);

// One line of LIST output, Unix style ("drwxr-xr-x 2 u g 4096 Jan 1 12:00 name") or DOS
// style ("01-16-02 11:14AM <DIR> name"). False for lines that name no entry ("total 8",
// ".", "..", blank or unparsable lines, names with '/').
bool parseListLine(const QString &line, RemoteEntry *entry);
// Every entry of a LIST answer, in the server's order.
QList<RemoteEntry> parseListing(const QByteArray &listing);

// Text from a server or a file: UTF-8, or Latin-1 when the bytes are not valid UTF-8.
QString decodeText(const QByteArray &bytes);

} // namespace tav::upload
