#include "support/fakeeffects.h"
#include "system/settingscodec.h"
#include "system/settingsfile.h"
#include "system/settingsstore.h"
#include "system/updatereminder.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cctype>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace tintwise {
namespace {

QByteArray readAll(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

// What the platform's own settings format writes for one text value; the files of earlier versions.
QByteArray platformWritten(const QString &folder, const QString &key, const QString &value)
{
    const QString path = folder + QStringLiteral("/platform.conf");
    QFile::remove(path);
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Settings/") + key, value);
    }
    return readAll(path);
}

const QString kKey = EncodeSettingText(QStringLiteral("Duration"));

TEST(SettingsFile, WritesEachTextAsEarlierVersionsDidAndReadsItBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SettingsStore::setConfigFolder(dir.path());
    SettingsStore store(QStringLiteral("Codec"));

    QStringList values = {
        EncodeSettingText(QStringLiteral("2026-12-08")), // quoted: '8' becomes '='
        EncodeSettingText(QStringLiteral("2025-01-01")), // bare
        QString(),
        QStringLiteral(" leading and trailing "),
        QStringLiteral("@at the start"),
        QStringLiteral("a\"quote\\and\tcontrols\r\n\x01"
                       "1\x1f"
                       "F"),
        QStringLiteral("Grüße, 日本語; =x"),
    };
    QString everyCode; // each followed by a hex digit, which an escape before it must not swallow
    for (int code = 1; code < 256; ++code)
        everyCode += QString(QChar(code)) + QStringLiteral("a0");
    values << everyCode;
    for (const QString &value : std::as_const(values)) {
        const QByteArray expected = platformWritten(dir.path(), kKey, value);
        const std::string what = expected.toStdString();
        EXPECT_EQ(settingsFileContent(kKey, value), expected) << what;
        ASSERT_TRUE(store.write(kKey, value)) << what;
        EXPECT_EQ(readAll(store.filePath()), expected) << what;
        EXPECT_EQ(store.read(kKey), value) << what;
    }
    SettingsStore::setConfigFolder({});
}

TEST(SettingsFile, RefusesWritesThatWouldDropOrCorruptTheStoredValue)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SettingsStore::setConfigFolder(dir.path());
    SettingsStore store(QStringLiteral("Codec"));
    const QString stored = EncodeSettingText(QStringLiteral("2026-12-08"));
    ASSERT_TRUE(store.write(kKey, stored));
    // Another key is absent; writing it would drop the one there.
    EXPECT_EQ(store.read(QStringLiteral("Other")), QString());
    EXPECT_FALSE(store.write(QStringLiteral("Other"), QStringLiteral("x")));
    EXPECT_FALSE(store.write(QStringLiteral("Bad/Key"), QStringLiteral("x")));
    EXPECT_FALSE(store.write(kKey, QString::fromUtf8("nul\0inside", 10)));
    EXPECT_EQ(store.read(kKey), stored);
    SettingsStore::setConfigFolder({});
}

// What a start finds in place of the settings file, and what it must make of it.
struct Case
{
    const char *name;
    std::function<bool(const QString &path, const QString &scratch)> make; // false: cannot be made here
    bool ours;     // read and rewritten with today's date; otherwise left exactly as it was, nothing asked
    bool question; // the stored date is 15 days old
};

bool fileWith(const QString &path, const QByteArray &bytes)
{
    return writeAll(path, bytes);
}

QByteArray ourFile(QDate date)
{
    return settingsFileContent(kKey, EncodeSettingText(settingDateText(date)));
}

// 50 000 levels of lists in lists, as the platform's settings format stores a typed value.
QByteArray nestedValue(int levels)
{
    QByteArray value = "[Settings]\n" + kKey.toLatin1() + "=@Variant(";
    for (int i = 0; i < levels; ++i)
        value += "\\0\\0\\0\\t\\0\\0\\0\\0\\x1";
    return value + ")\n";
}

const Case kCases[] = {
    {"absent", [](const QString &, const QString &) { return true; }, true, false},
    {"empty", [](const QString &p, const QString &) { return fileWith(p, {}); }, true, false},
    {"ours, 15 days old",
     [](const QString &p, const QString &) {
         return fileWith(p, ourFile({2026, 11, 23}));
     },
     true, true},
    {"link to ours",
     [](const QString &p, const QString &s) {
         return fileWith(s + "/real.conf", ourFile({2026, 11, 23})) && QFile::link(s + "/real.conf", p);
     },
     true, true},
    {"garbage",
     [](const QString &p, const QString &) {
         return fileWith(p, "\x7f"
                            "ELF\x02\x01\x01\0\0\xff\xfe");
     },
     false, false},
    {"comments and bytes that are not UTF-8",
     [](const QString &p, const QString &) {
         return fileWith(p, "; note: Gr\xf6\xdf"
                            "e\nk\xff=v\xfe\n");
     },
     false, false},
    {"another section beside ours",
     [](const QString &p, const QString &) {
         return fileWith(p, "[General]\nx=1\n\n" + ourFile({2026, 11, 23}));
     },
     false, false},
    {"a comment after ours",
     [](const QString &p, const QString &) {
         return fileWith(p, ourFile({2026, 11, 23}) + "; mine\n");
     },
     false, false},
    {"typed value nested 50 000 deep",
     [](const QString &p, const QString &) { return fileWith(p, nestedValue(50000)); }, false, false},
    {"typed value nested within the size limit",
     [](const QString &p, const QString &) { return fileWith(p, nestedValue(200)); }, false, false},
    {"huge sparse file",
     [](const QString &p, const QString &) { return fileWith(p, {}) && truncate(QFile::encodeName(p), 1 << 30) == 0; },
     false, false},
    {"FIFO", [](const QString &p, const QString &) { return mkfifo(QFile::encodeName(p), 0600) == 0; }, false, false},
    {"socket",
     [](const QString &p, const QString &) {
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         const QByteArray name = QFile::encodeName(p);
         if (size_t(name.size()) >= sizeof address.sun_path)
             return false;
         std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
         const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
         const bool bound = bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
         ::close(fd); // the socket file stays
         return bound;
     },
     false, false},
    {"link to /dev/null", [](const QString &p, const QString &) { return QFile::link("/dev/null", p); }, false, false},
    {"link to a device node of its own",
     [](const QString &p, const QString &s) {
         return geteuid() == 0 && mknod(QFile::encodeName(s + "/null"), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
                QFile::link(s + "/null", p);
     },
     false, false},
    {"file of another user",
     [](const QString &p, const QString &) {
         return geteuid() == 0 && fileWith(p, ourFile({2026, 11, 23})) &&
                chown(QFile::encodeName(p), 65534, 65534) == 0;
     },
     false, false},
    {"dangling link", [](const QString &p, const QString &s) { return QFile::link(s + "/nowhere", p); }, false, false},
    {"folder", [](const QString &p, const QString &) { return QDir().mkdir(p); }, false, false},
};

// Test names show the case, not its bytes.
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

class SettingsFileCases : public ::testing::TestWithParam<Case>
{
};

TEST_P(SettingsFileCases, NothingHurtsTheStartAndOnlyOurFileIsEverWritten)
{
    const Case &c = GetParam();
    QTemporaryDir config, scratch;
    ASSERT_TRUE(config.isValid() && scratch.isValid());
    SettingsStore::setConfigFolder(config.path());
    SettingsStore store(QStringLiteral("Tintwise"));
    const QString path = store.filePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    if (!c.make(path, scratch.path()))
        GTEST_SKIP() << c.name << " cannot be made here (needs root)";

    struct stat before;
    const bool existed = lstat(QFile::encodeName(path), &before) == 0;
    const bool regularBefore = existed && S_ISREG(before.st_mode) && before.st_size < (1 << 20);
    const QByteArray bytesBefore = regularBefore ? readAll(path) : QByteArray();

    // A FIFO opened for reading would wait for a writer for ever: end the test rather than hang.
    alarm(60);
    test::FakeEffects effects;
    RemindOfUpdate(effects, store);
    alarm(0);

    EXPECT_EQ(effects.messages.size(), c.question ? 1 : 0);
    const QFileInfo file(path);
    if (c.ours) {
        EXPECT_EQ(readAll(path), ourFile(effects.todayValue));
        EXPECT_EQ(file.isSymLink(), QByteArray(c.name).startsWith("link")) << "a link stays a link";
        EXPECT_EQ(QDir(file.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file left";
    } else {
        struct stat after;
        ASSERT_EQ(lstat(QFile::encodeName(path), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << "not replaced";
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_size, before.st_size);
        EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
        if (regularBefore) {
            EXPECT_EQ(readAll(path), bytesBefore);
        }
        EXPECT_EQ(store.read(kKey), std::nullopt);
        EXPECT_FALSE(store.write(kKey, QStringLiteral("x")));
    }
    SettingsStore::setConfigFolder({});
}

INSTANTIATE_TEST_SUITE_P(Start,
                         SettingsFileCases,
                         ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             std::string name;
                             for (const char *c = info.param.name; *c; ++c)
                                 name += std::isalnum(uchar(*c)) ? *c : '_';
                             return name;
                         });

} // namespace
} // namespace tintwise
