#include "system/settingsstore.h"

#include "system/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintwise {
namespace {

// The store's path needs an organisation level; the maker's program family groups its programs' files.
const QString kOrganization = QStringLiteral("Arcanel");

QString &configFolderOverride()
{
    static QString folder;
    return folder;
}

enum class FileState
{
    Absent,
    Readable,
    NotOurs,
};

struct Inspection
{
    FileState state = FileState::NotOurs;
    QByteArray bytes;
};

// Reads the file only if it is a regular file of this user's and small. Checked before opening, so a FIFO or a
// device is never opened, and again on the open file, in case it was swapped in between.
Inspection inspect(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (lstat(name.constData(), &st) != 0)
        return {errno == ENOENT ? FileState::Absent : FileState::NotOurs, {}};
    // stat follows a link: a link to a file of ours is fine, a dangling one is not ours to replace.
    if (stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid() ||
        st.st_size > SettingsStore::kMaxFileSize)
        return {};
    const int fd = open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    Inspection result;
    struct stat opened;
    if (fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_dev == st.st_dev &&
        opened.st_ino == st.st_ino) {
        QByteArray bytes(SettingsStore::kMaxFileSize + 1, Qt::Uninitialized);
        qsizetype size = 0;
        for (;;) {
            const ssize_t got = ::read(fd, bytes.data() + size, size_t(bytes.size() - size));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                size = -1;
                break;
            }
            size += got;
            if (got == 0 || size == bytes.size())
                break;
        }
        if (size >= 0 && size <= SettingsStore::kMaxFileSize) {
            bytes.truncate(size);
            result = {FileState::Readable, bytes};
        }
    }
    ::close(fd);
    return result;
}

} // namespace

SettingsStore::SettingsStore(const QString &applicationName)
    : m_applicationName(applicationName.isEmpty() ? executableBaseName() : applicationName)
{
}

QString SettingsStore::executableBaseName()
{
    // The kernel's link names the real file, whatever link or argv[0] started it.
    QString path = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    // A program replaced on disk while it runs still has its name.
    const QLatin1String deleted(" (deleted)");
    if (path.endsWith(deleted))
        path.chop(deleted.size());
    if (path.isEmpty() && QCoreApplication::instance())
        path = QCoreApplication::applicationFilePath();
    QString name = QFileInfo(path).completeBaseName();
    if (name.isEmpty())
        name = QCoreApplication::applicationName();
    return name;
}

void SettingsStore::setConfigFolder(const QString &folder)
{
    configFolderOverride() = folder;
}

QString SettingsStore::filePath() const
{
    QString folder = configFolderOverride();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + QLatin1Char('/') + kOrganization + QLatin1Char('/') + m_applicationName + QStringLiteral(".conf");
}

std::optional<QString> SettingsStore::read(const QString &key) const
{
    if (!isValidSettingsKey(key))
        return std::nullopt;
    const Inspection file = inspect(filePath());
    if (file.state == FileState::Absent)
        return QString();
    if (file.state != FileState::Readable)
        return std::nullopt;
    const auto content = parseSettingsFile(file.bytes);
    if (!content)
        return std::nullopt;
    if (!*content || (*content)->key != key)
        return QString();
    return (*content)->value;
}

bool SettingsStore::write(const QString &key, const QString &value)
{
    const QByteArray bytes = settingsFileContent(key, value);
    if (bytes.isEmpty())
        return false;
    const QString path = filePath();
    const Inspection file = inspect(path);
    if (file.state == FileState::NotOurs)
        return false;
    if (file.state == FileState::Readable) {
        const auto content = parseSettingsFile(file.bytes);
        if (!content || (*content && (*content)->key != key))
            return false;
    }
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    // Written beside the old file and renamed over it: a crash or a full disk never leaves half a file.
    // A link is followed, so the file it names is replaced and the link stays.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return false;
    return out.commit();
}

} // namespace tintwise
