#pragma once
// Replaces a group of files as one: each new file is written under a temporary name beside
// its destination, and install() moves them all into place. The files they replace are
// kept aside until every new file is in and are put back when a move fails, so a database
// never ends up with records of one copy beside the memo file of another.

#include <QString>
#include <QVector>

namespace tav::exchange {

class FileSetSwap
{
public:
    FileSetSwap() = default;
    ~FileSetSwap(); // removes what was staged and not installed
    FileSetSwap(const FileSetSwap &) = delete;
    FileSetSwap &operator=(const FileSetSwap &) = delete;

    // A free temporary name beside `destination`, to write its new content to.
    QString stage(const QString &destination);
    // Registers `temp`, a file the caller writes itself (a table's .mb beside its staged .db),
    // as the new content of `destination`.
    void stageAs(const QString &temp, const QString &destination);
    // `destination` is removed when the set is installed (and comes back on failure).
    void removeOnInstall(const QString &destination);
    // Moves the staged files into place; StoreError, with every destination as it was, when
    // one of them cannot be replaced.
    void install();

private:
    struct Entry {
        QString temp; // empty: the destination is only removed
        QString destination;
    };
    QVector<Entry> m_entries;
    bool m_installed = false;
};

// A free name beside `path` for a temporary file ("." + base + random + suffix).
QString temporarySibling(const QString &path, const QString &suffix);

} // namespace tav::exchange
