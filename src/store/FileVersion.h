#pragma once
// Whether this build can read a table file: the file's format version against the highest
// version this build understands.

#include <QString>

namespace tav::store {

// Whether the table file at `path` was written by a newer version of the program than this
// one (which refuses to open it). False when the file is missing or not a table file.
bool writtenByNewerVersion(const QString &path);

} // namespace tav::store
