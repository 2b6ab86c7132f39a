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
        sql::Stmt version = db.prepare(QStringLiteral("PRAGMA main.user_version"));
        return version.step() && version.int64(0) > format::kUserVersion;
    } catch (const StoreError &) {
        return false;
    }
}

} // namespace tav::store
