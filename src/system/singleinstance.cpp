#include "system/singleinstance.h"

#include "system/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tintwise {
namespace {

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString fallbackFolder()
{
    return QDir::tempPath() + QStringLiteral("/%1-%2").arg(SettingsStore::executableBaseName()).arg(geteuid());
}

// A folder only this user can enter: anyone else able to write there could take the lock first.
bool isPrivateFolder(int fd)
{
    struct stat st;
    return fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

} // namespace

SingleInstance::SingleInstance(const QString &lockPath)
    : m_explicitPath(lockPath)
{
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QStringList SingleInstance::lockFolders()
{
    QStringList folders;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime))
        folders << runtime;
    folders << fallbackFolder();
    return folders;
}

SingleInstance::Outcome SingleInstance::lockFile(int folder, const QByteArray &name, const QString &path)
{
    // Whatever sits there is only a handle for the lock: an old lock's text, garbage or a folder all serve.
    // Links are not followed, and a FIFO or a device is never opened.
    int fd = -1;
    struct stat st;
    if (fstatat(folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) {
            m_problem += QStringLiteral("%1: %2; ").arg(path, errorText(errno));
            return Outcome::Failed;
        }
        fd = openat(folder, name.constData(), O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        // A copy starting at the same moment may have made it first.
        if (fd < 0 && errno == EEXIST)
            fd = openat(folder, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } else if (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) {
        fd = openat(folder, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } else {
        m_problem += QStringLiteral("%1: neither a file nor a folder; ").arg(path);
        return Outcome::Failed;
    }
    if (fd < 0) {
        m_problem += QStringLiteral("%1: %2; ").arg(path, errorText(errno));
        return Outcome::Failed;
    }
    if (fstat(fd, &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) {
        ::close(fd);
        m_problem += QStringLiteral("%1: neither a file nor a folder; ").arg(path);
        return Outcome::Failed;
    }
    // Every open above is close-on-exec: a browser started from here must not inherit the lock and keep it.
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        m_heldPath = path;
        return Outcome::Held;
    }
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK)
        return Outcome::HeldByOther;
    m_problem += QStringLiteral("%1: %2; ").arg(path, errorText(error));
    return Outcome::Failed;
}

SingleInstance::Outcome SingleInstance::lockIn(const QString &folderPath, bool create)
{
    const QByteArray folderName = QFile::encodeName(folderPath);
    if (create && mkdir(folderName.constData(), 0700) != 0 && errno != EEXIST) {
        m_problem += QStringLiteral("%1: %2; ").arg(folderPath, errorText(errno));
        return Outcome::Failed;
    }
    const int folder = open(folderName.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        m_problem += QStringLiteral("%1: %2; ").arg(folderPath, errorText(errno));
        return Outcome::Failed;
    }
    Outcome outcome = Outcome::Failed;
    if (!isPrivateFolder(folder)) {
        m_problem += QStringLiteral("%1: not a folder of this user alone; ").arg(folderPath);
    } else {
        const QString name = SettingsStore::executableBaseName() + QStringLiteral(".lock");
        outcome = lockFile(folder, QFile::encodeName(name), folderPath + QLatin1Char('/') + name);
    }
    ::close(folder);
    return outcome;
}

bool SingleInstance::otherInstanceRunning()
{
    if (m_fd >= 0)
        return false;
    m_problem.clear();
    Outcome outcome = Outcome::Failed;
    if (!m_explicitPath.isEmpty()) {
        const QFileInfo file(m_explicitPath);
        const int folder = open(QFile::encodeName(file.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0) {
            m_problem = QStringLiteral("%1: %2; ").arg(file.path(), errorText(errno));
        } else {
            outcome = lockFile(folder, QFile::encodeName(file.fileName()), m_explicitPath);
            ::close(folder);
        }
    } else {
        const QStringList folders = lockFolders();
        for (qsizetype i = 0; i < folders.size() && outcome == Outcome::Failed; ++i)
            outcome = lockIn(folders.at(i), i == folders.size() - 1);
    }
    if (outcome != Outcome::Failed) {
        m_problem.clear();
        return outcome == Outcome::HeldByOther;
    }
    m_problem.chop(2);
    if (!std::exchange(m_warned, true))
        std::fprintf(stderr, "%s: starting without the single-instance lock (%s)\n",
                     qPrintable(SettingsStore::executableBaseName()), qPrintable(m_problem));
    return false;
}

} // namespace tintwise
