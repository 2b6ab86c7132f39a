#include "DriveRoot.h"

#include <QDir>

namespace tav {

QString mapDrivePath(const QString &path)
{
    QString p = path;
    p.replace('\\', '/');
    if (p.size() >= 2 && p.at(1) == ':' && p.at(0).toLower() == 'c') {
        QString rest = p.mid(2);
        while (rest.startsWith('/'))
            rest.remove(0, 1);
        return rest.isEmpty() ? QDir::homePath() : QDir(QDir::homePath()).filePath(rest);
    }
    return p;
}

} // namespace tav
