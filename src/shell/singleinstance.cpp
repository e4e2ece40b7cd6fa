#include "shell/singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

namespace tintwise {

SingleInstance::SingleInstance(const QString &lockPath)
    : m_lock(std::make_unique<QLockFile>(lockPath.isEmpty() ? defaultLockPath() : lockPath))
{
    // Only a dead owner makes a lock stale, never its age: a long-running instance keeps its lock.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::otherInstanceRunning()
{
    if (m_lock->isLocked() || m_lock->tryLock(0))
        return false;
    return m_lock->error() == QLockFile::LockFailedError;
}

QString SingleInstance::defaultLockPath()
{
    const QString name = QCoreApplication::applicationName() + QStringLiteral(".lock");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return QDir::tempPath() + QStringLiteral("/%1-%2").arg(getuid()).arg(name);
    return folder + QLatin1Char('/') + name;
}

} // namespace tintwise
