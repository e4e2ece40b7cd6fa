#pragma once

#include <QString>

namespace tintwise {

/// Tells whether this program already runs for this user. The lock is an flock() on a file in a folder that
/// belongs to the user alone: the kernel drops it when the process ends, however it ends, and the file's content
/// means nothing. The file is named after the executable's real name, the name the settings use, so a copy
/// started through a link or with another argv[0] still finds the running one.
class SingleInstance
{
public:
    /// `lockPath` empty: the file named after the executable in lockFolders(), first that works.
    /// Otherwise exactly that file, with no check of its folder.
    explicit SingleInstance(const QString &lockPath = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    /// True when another live instance holds the lock. Where no lock can be made at all, false: the program
    /// starts as it always did, and problem() says why (also written once as one line on standard error).
    bool otherInstanceRunning();

    /// Why no lock could be made; empty while this instance holds it or another one does.
    QString problem() const { return m_problem; }
    /// The file locked; empty until a lock is held.
    QString lockPath() const { return m_heldPath; }

    /// Where the lock may live, best first: $XDG_RUNTIME_DIR, then "<temp>/<name>-<uid>". Each is used only if
    /// it is a folder, not a link, owned by the user and closed to everyone else; the second is made so if absent.
    static QStringList lockFolders();

private:
    enum class Outcome
    {
        Held,
        HeldByOther,
        Failed,
    };
    Outcome lockFile(int folder, const QByteArray &name, const QString &path);
    Outcome lockIn(const QString &folder, bool create);

    QString m_explicitPath;
    QString m_heldPath;
    QString m_problem;
    int m_fd = -1;
    bool m_warned = false;
};

} // namespace tintwise
