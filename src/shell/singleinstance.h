#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace tintwise {

/// Tells whether this program already runs for this user. The lock lives in the user's runtime folder;
/// a lock left by a killed instance is taken over, since its process no longer exists.
class SingleInstance
{
public:
    /// `lockPath` empty: the per-user runtime folder and the application name.
    explicit SingleInstance(const QString &lockPath = {});
    ~SingleInstance();

    /// True when another live instance holds the lock. A lock that cannot be created at all
    /// (unwritable folder) does not count as another instance.
    bool otherInstanceRunning();

    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tintwise
