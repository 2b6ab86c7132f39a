#pragma once
// Keeps a second copy of Tavrionex4 from running: a lock file in the user's runtime
// folder. A lock left by a crashed run is taken over.

#include <QString>
#include <memory>

class QLockFile;

namespace tav {

class InstanceLock
{
public:
    explicit InstanceLock(const QString &name = QStringLiteral("tavrionex"));
    ~InstanceLock();
    // True when this process now holds the lock; false when another live process does.
    bool tryLock();
    QString path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tav
