#include "system/settingsstore.h"
#include "system/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tintwise {
namespace {

// A copy of this test program started with TINTWISE_LOCK_CHILD set asks for the lock as the program does at
// start-up, says on its first line what it got, then: "hold" keeps it until killed; "exit" ends at once, as the
// quit routine does; "spawn" starts a long-lived program first, as opening a browser does, says its pid, and ends.
[[maybe_unused]] const bool kRanAsLockHolder = [] {
    const QByteArray mode = qgetenv("TINTWISE_LOCK_CHILD");
    if (mode.isEmpty())
        return false;
    SingleInstance instance;
    const bool other = instance.otherInstanceRunning();
    std::printf("%s", other ? "other" : instance.lockPath().isEmpty() ? "none" : "held");
    if (mode == "spawn") {
        // The pipe closes when the new program is in place, and not before.
        int started[2];
        if (pipe2(started, O_CLOEXEC) != 0)
            std::_Exit(1);
        const pid_t browser = fork();
        if (browser == 0) {
            execlp("sleep", "sleep", "60", static_cast<char *>(nullptr));
            _exit(127);
        }
        ::close(started[1]);
        char c;
        while (::read(started[0], &c, 1) > 0) {
        }
        std::printf(" %d", int(browser));
    }
    std::printf("\n");
    std::fflush(stdout);
    if (mode == "hold")
        for (;;)
            pause();
    std::_Exit(0);
}();

QString executable()
{
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

struct Child
{
    pid_t pid = -1;
    QByteArray line; // its first line of output
};

// Starts this test program as `program` (a link to it under another name) in the given mode.
Child startChild(const QString &program, const char *mode)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    Child child;
    child.pid = fork();
    if (child.pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        setenv("TINTWISE_LOCK_CHILD", mode, 1);
        const QByteArray path = QFile::encodeName(program);
        execl(path.constData(), path.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    ::close(out[1]);
    char c;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
        child.line += c;
    ::close(out[0]);
    return child;
}

// Scratch runtime and temporary folders, set in the environment the way a session sets them.
class LockFolders : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        m_savedTemp = qgetenv("TMPDIR");
        ASSERT_TRUE(QDir().mkdir(m_runtime) && QDir().mkdir(m_temp));
        chmod(QFile::encodeName(m_runtime), 0700);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime));
        qputenv("TMPDIR", QFile::encodeName(m_temp));
    }
    void TearDown() override
    {
        qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
        qputenv("TMPDIR", m_savedTemp);
        chmod(QFile::encodeName(m_runtime), 0700);
    }

    QString lockName() const { return SettingsStore::executableBaseName() + QStringLiteral(".lock"); }
    QString fallback() const
    {
        return m_temp + QStringLiteral("/%1-%2").arg(SettingsStore::executableBaseName()).arg(geteuid());
    }

    QTemporaryDir m_root;
    QString m_runtime = m_root.filePath(QStringLiteral("runtime"));
    QString m_temp = m_root.filePath(QStringLiteral("tmp"));
    QByteArray m_savedRuntime;
    QByteArray m_savedTemp;
};

enum class Where
{
    Runtime,
    Fallback,
    Nowhere,
};

struct LockCase
{
    const char *name;
    // Prepares the scratch folders; false when the case cannot be made here (needs root).
    std::function<bool(const QString &runtime, const QString &lock, const QString &fallback)> make;
    Where where;
};

bool fileWith(const QString &path, const QByteArray &bytes)
{
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

bool runtimeUnset()
{
    return qunsetenv("XDG_RUNTIME_DIR");
}

const LockCase kLockCases[] = {
    {"nothing there yet", [](auto, auto, auto) { return true; }, Where::Runtime},
    {"empty lock file", [](auto, const QString &lock, auto) { return fileWith(lock, {}); }, Where::Runtime},
    {"garbage", [](auto, const QString &lock, auto) { return fileWith(lock, "\xff\xfe\0garbage\n"); }, Where::Runtime},
    {"lock naming a dead process",
     [](auto, const QString &lock, auto) { return fileWith(lock, "2\nZorvelFreeTintwise\nthis-host\n"); },
     Where::Runtime},
    {"lock from another host",
     [](auto, const QString &lock, auto) { return fileWith(lock, "1\nZorvelFreeTintwise\nother-host.example\n"); },
     Where::Runtime},
    {"folder in place of the lock", [](auto, const QString &lock, auto) { return QDir().mkdir(lock); }, Where::Runtime},
    {"FIFO in place of the lock",
     [](auto, const QString &lock, auto) { return mkfifo(QFile::encodeName(lock), 0600) == 0; }, Where::Fallback},
    {"runtime folder open to others",
     [](const QString &runtime, auto, auto) { return chmod(QFile::encodeName(runtime), 01777) == 0; }, Where::Fallback},
    {"runtime folder read-only",
     [](const QString &runtime, auto, auto) {
         // Root writes there all the same.
         return geteuid() != 0 && chmod(QFile::encodeName(runtime), 0500) == 0;
     },
     Where::Fallback},
    {"runtime folder unset", [](auto, auto, auto) { return runtimeUnset(); }, Where::Fallback},
    {"runtime unset, private folder already there",
     [](auto, auto, const QString &fallback) {
         return runtimeUnset() && mkdir(QFile::encodeName(fallback), 0700) == 0;
     },
     Where::Fallback},
    {"runtime unset, folder made by another user",
     [](auto, auto, const QString &fallback) {
         return geteuid() == 0 && runtimeUnset() && mkdir(QFile::encodeName(fallback), 0700) == 0 &&
                chown(QFile::encodeName(fallback), 65534, 65534) == 0;
     },
     Where::Nowhere},
    {"runtime unset, folder open to others",
     [](auto, auto, const QString &fallback) {
         return runtimeUnset() && mkdir(QFile::encodeName(fallback), 0700) == 0 &&
                chmod(QFile::encodeName(fallback), 0777) == 0;
     },
     Where::Nowhere},
    {"runtime unset, link in place of the folder",
     [](const QString &runtime, auto, const QString &fallback) {
         return runtimeUnset() && QFile::link(runtime, fallback);
     },
     Where::Nowhere},
    {"no folder at all",
     [](const QString &runtime, auto, const QString &fallback) {
         // Files where the folders should be: nothing can be made, even by root.
         return QDir(runtime).removeRecursively() && fileWith(runtime, "x") &&
                QDir(QFileInfo(fallback).path()).removeRecursively() && fileWith(QFileInfo(fallback).path(), "x");
     },
     Where::Nowhere},
};

// Test names show the case, not its bytes.
void PrintTo(const LockCase &c, std::ostream *out)
{
    *out << c.name;
}

class LockCases : public LockFolders, public ::testing::WithParamInterface<LockCase>
{
};

TEST_P(LockCases, SecondCopySeesTheFirstWhateverLiesThereOrStartsWithAWarning)
{
    const LockCase &c = GetParam();
    if (!c.make(m_runtime, m_runtime + QLatin1Char('/') + lockName(), fallback()))
        GTEST_SKIP() << c.name << " cannot be made here";

    SingleInstance first;
    EXPECT_FALSE(first.otherInstanceRunning());
    EXPECT_FALSE(first.otherInstanceRunning()) << "asking again keeps our own lock";
    SingleInstance second;
    switch (c.where) {
    case Where::Runtime:
    case Where::Fallback: {
        const QString folder = c.where == Where::Runtime ? m_runtime : fallback();
        EXPECT_EQ(first.lockPath(), folder + QLatin1Char('/') + lockName());
        EXPECT_TRUE(first.problem().isEmpty()) << first.problem().toStdString();
        EXPECT_TRUE(second.otherInstanceRunning());
        struct stat st;
        ASSERT_EQ(lstat(QFile::encodeName(folder), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0);
        break;
    }
    case Where::Nowhere:
        EXPECT_TRUE(first.lockPath().isEmpty());
        EXPECT_FALSE(first.problem().isEmpty());
        EXPECT_FALSE(second.otherInstanceRunning()) << "no lock at all: every copy starts";
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Start,
                         LockCases,
                         ::testing::ValuesIn(kLockCases),
                         [](const ::testing::TestParamInfo<LockCase> &info) {
                             std::string name;
                             for (const char *c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

TEST_F(LockFolders, OtherProcessesFindTheLockByTheExecutableNotByHowTheyWereStarted)
{
    const QString link = m_root.filePath(QStringLiteral("another-name"));
    ASSERT_TRUE(QFile::link(executable(), link));

    // Running under another name: both see each other; killed with SIGKILL, it leaves no lock behind.
    Child holder = startChild(link, "hold");
    ASSERT_GT(holder.pid, 0);
    EXPECT_EQ(holder.line, "held");
    EXPECT_TRUE(SingleInstance().otherInstanceRunning());
    Child second = startChild(executable(), "exit");
    EXPECT_EQ(second.line, "other");
    waitpid(second.pid, nullptr, 0);
    kill(holder.pid, SIGKILL);
    waitpid(holder.pid, nullptr, 0);
    EXPECT_FALSE(SingleInstance().otherInstanceRunning());

    // The quit routine's immediate end: nothing to clean up, so nothing is left.
    Child quitting = startChild(link, "exit");
    EXPECT_EQ(quitting.line, "held");
    waitpid(quitting.pid, nullptr, 0);
    EXPECT_FALSE(SingleInstance().otherInstanceRunning());

    // A program it started (the browser) lives on after it: the lock does not pass to it.
    Child opener = startChild(link, "spawn");
    const QList<QByteArray> words = opener.line.split(' ');
    ASSERT_EQ(words.size(), 2) << opener.line.toStdString();
    EXPECT_EQ(words.at(0), "held");
    waitpid(opener.pid, nullptr, 0);
    EXPECT_FALSE(SingleInstance().otherInstanceRunning());
    kill(pid_t(words.at(1).toInt()), SIGKILL);
}

TEST(SingleInstance, ExplicitLockFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("app.lock"));
    SingleInstance first(path);
    EXPECT_FALSE(first.otherInstanceRunning());
    EXPECT_TRUE(SingleInstance(path).otherInstanceRunning());
    // A lock that cannot be made is not mistaken for another instance.
    EXPECT_FALSE(SingleInstance(dir.filePath(QStringLiteral("no/such/folder/app.lock"))).otherInstanceRunning());
}

} // namespace
} // namespace tintwise
