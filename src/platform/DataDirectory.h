#pragma once
// Where both programs keep their files. The first that applies wins:
//   1. the --data-dir option,
//   2. the TAVRIONEX_DATA environment variable,
//   3. the working directory, when it already holds the catalogue "databases.db",
//   4. the folder "Tavrionex" in the home folder.
// A program started from a desktop menu or a file manager therefore keeps its databases
// in one place instead of wherever it happened to be started.

#include <QString>

namespace tav
{

struct DataDirectoryInputs {
    QString option;           // value of --data-dir; empty when not given
    QString variable;         // value of TAVRIONEX_DATA; empty when unset
    QString workingDirectory; // absolute
    QString home;             // absolute
};

// The inputs of the running process: its environment, working and home folders.
DataDirectoryInputs currentDataDirectoryInputs(const QString &option);

// The folder the rule picks, absolute and cleaned; a relative option or variable is taken
// from the working directory. Only looks for the catalogue, creates nothing.
QString chooseDataDirectory(const DataDirectoryInputs &inputs);

struct DataDirectory {
    QString path;  // absolute; empty on failure
    QString error; // the message for the user; empty on success
};

// The chosen folder, created with its parents when missing. A path that exists but is no
// writable folder is refused with a message that names it.
DataDirectory prepareDataDirectory(const DataDirectoryInputs &inputs);

} // namespace tav
