#include "FileVersion.h"

#include "Sqlite.h"
#include "TableFormat.h"

#include <QFileInfo>

namespace tav::store {

bool writtenByNewerVersion(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    try {
        sql::Connection db(path, sql::Connection::Mode::ReadOnly);
        return format::fileVersion(db) > format::kUserVersion;
    } catch (const StoreError &) {
        return false;
    }
}

} // namespace tav::store
