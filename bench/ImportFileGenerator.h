#pragma once
// Writes a delimited text file for the import benchmark: `lines` lines of `columns`
// tab-separated values such as "c17 v4711", every line ending with a line feed.

#include <QFile>
#include <QString>

namespace tav::bench
{

inline bool writeImportFile(const QString &path, int lines, int columns = 93)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    for (int line = 1; line <= lines; ++line) {
        for (int column = 1; column <= columns; ++column) {
            chunk += 'c';
            chunk += QByteArray::number(column);
            chunk += " v";
            chunk += QByteArray::number(line);
            chunk += column < columns ? '\t' : '\n';
        }
        if (chunk.size() > (1 << 20)) {
            if (file.write(chunk) != chunk.size())
                return false;
            chunk.clear();
        }
    }
    return file.write(chunk) == chunk.size();
}

} // namespace tav::bench
