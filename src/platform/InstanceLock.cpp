#include "InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace tav {

InstanceLock::InstanceLock(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_path = QDir(dir).filePath(name + QStringLiteral(".lock"));
    m_lock = std::make_unique<QLockFile>(m_path);
    m_lock->setStaleLockTime(0); // only a dead owner makes a lock stale
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::tryLock() { return m_lock->tryLock(0); }

} // namespace tav
