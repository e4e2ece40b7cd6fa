#include "system/settingsstore.h"

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
constexpr char kSectionLine[] = "[Settings]\n";

QString &configFolderOverride()
{
    static QString folder;
    return folder;
}

bool validKey(const QString &key)
{
    if (key.isEmpty())
        return false;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
                           u == '-' || u == '.';
        if (!plain)
            return false;
    }
    return true;
}

bool isHexDigit(char16_t u)
{
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// Control characters written as a backslash and a letter, both ways.
struct LetterEscape
{
    char16_t character;
    char letter;
};
constexpr LetterEscape kLetterEscapes[] = {
    {u'\a', 'a'}, {u'\b', 'b'}, {u'\f', 'f'}, {u'\n', 'n'}, {u'\r', 'r'}, {u'\t', 't'}, {u'\v', 'v'},
};

const LetterEscape *letterEscapeOf(char16_t character)
{
    for (const LetterEscape &escape : kLetterEscapes)
        if (escape.character == character)
            return &escape;
    return nullptr;
}

const LetterEscape *letterEscapeFor(char letter)
{
    for (const LetterEscape &escape : kLetterEscapes)
        if (escape.letter == letter)
            return &escape;
    return nullptr;
}

// A text value as the platform's settings files write it: C-style escapes, other characters in UTF-8, and the
// whole in double quotes when it holds ';', ',' or '=' or starts or ends with a space.
std::optional<QByteArray> escapedValue(const QString &value)
{
    QString text = value;
    if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@')); // a single '@' would start a typed value
    QByteArray out;
    bool quote = false;
    bool escapeNextIfHexDigit = false;
    for (const QChar c : std::as_const(text)) {
        const char16_t u = c.unicode();
        if (u == 0 || c.isSurrogate())
            return std::nullopt;
        if (u == ';' || u == ',' || u == '=')
            quote = true;
        if (escapeNextIfHexDigit && isHexDigit(u)) {
            out += "\\x" + QByteArray::number(u, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        if (const LetterEscape *escape = letterEscapeOf(u)) {
            out += '\\';
            out += escape->letter;
            continue;
        }
        switch (u) {
        case '"':
        case '\\':
            out += '\\';
            out += char(u);
            break;
        default:
            if (u <= 0x1f) {
                out += "\\x" + QByteArray::number(u, 16);
                escapeNextIfHexDigit = true;
            } else {
                out += QString(c).toUtf8();
            }
        }
    }
    if (quote || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

// The inverse of escapedValue for what it writes. Other input gives some text or none; the caller keeps it only
// when writing it back gives the very same bytes.
std::optional<QString> unescapedValue(QByteArrayView bytes)
{
    QString text;
    QByteArray plain; // UTF-8 bytes not yet decoded
    const auto flush = [&] {
        text += QString::fromUtf8(plain);
        plain.clear();
    };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char b = bytes.at(i);
        if (b == '"')
            continue;
        if (b != '\\') {
            plain += b;
            continue;
        }
        if (++i == bytes.size())
            return std::nullopt;
        flush();
        const char e = bytes.at(i);
        if (const LetterEscape *escape = letterEscapeFor(e)) {
            text += QChar(escape->character);
            continue;
        }
        switch (e) {
        case '"':
        case '\\':
            text += QLatin1Char(e);
            break;
        case 'x': {
            uint code = 0;
            qsizetype digits = 0;
            while (i + 1 < bytes.size() && isHexDigit(char16_t(uchar(bytes.at(i + 1)))) && digits < 4) {
                code = code * 16 + uint(QByteArray(1, bytes.at(++i)).toUInt(nullptr, 16));
                ++digits;
            }
            if (digits == 0)
                return std::nullopt;
            text += QChar(char16_t(code));
            break;
        }
        default:
            return std::nullopt;
        }
    }
    flush();
    if (text.startsWith(QLatin1String("@@")))
        text.remove(0, 1);
    return text;
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

struct Entry
{
    QString key;
    QString value;
};

// What a file of ours holds: nothing (empty file), or one key and its text. No value for any other content.
std::optional<std::optional<Entry>> parse(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return std::optional<Entry>();
    if (!bytes.startsWith(kSectionLine) || !bytes.endsWith('\n'))
        return std::nullopt;
    const QByteArray line = bytes.mid(qsizetype(sizeof kSectionLine) - 1).chopped(1);
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    const QString key = QString::fromLatin1(line.left(equals));
    const std::optional<QString> value = unescapedValue(QByteArrayView(line).sliced(equals + 1));
    if (!value || SettingsStore::fileContent(key, *value) != bytes)
        return std::nullopt;
    return std::optional<Entry>(Entry{key, *value});
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

QByteArray SettingsStore::fileContent(const QString &key, const QString &value)
{
    const std::optional<QByteArray> escaped = escapedValue(value);
    if (!validKey(key) || !escaped)
        return {};
    return kSectionLine + key.toLatin1() + '=' + *escaped + '\n';
}

std::optional<QString> SettingsStore::read(const QString &key) const
{
    if (!validKey(key))
        return std::nullopt;
    const Inspection file = inspect(filePath());
    if (file.state == FileState::Absent)
        return QString();
    if (file.state != FileState::Readable)
        return std::nullopt;
    const auto content = parse(file.bytes);
    if (!content)
        return std::nullopt;
    if (!*content || (*content)->key != key)
        return QString();
    return (*content)->value;
}

bool SettingsStore::write(const QString &key, const QString &value)
{
    const QByteArray bytes = fileContent(key, value);
    if (bytes.isEmpty())
        return false;
    const QString path = filePath();
    const Inspection file = inspect(path);
    if (file.state == FileState::NotOurs)
        return false;
    if (file.state == FileState::Readable) {
        const auto content = parse(file.bytes);
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
