#include "shell/singleinstance.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tintwise {
namespace {

TEST(SingleInstance, SecondHolderOfTheSameLockSeesTheFirst)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("app.lock"));
    SingleInstance first(path);
    EXPECT_FALSE(first.otherInstanceRunning());
    EXPECT_FALSE(first.otherInstanceRunning()) << "asking again keeps our own lock";
    EXPECT_TRUE(SingleInstance(path).otherInstanceRunning());
}

TEST(SingleInstance, LockLeftByAKilledInstanceDoesNotBlockTheNextStart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("app.lock"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance dying(path);
        // Ends without unlocking, as a killed process would.
        _exit(dying.otherInstanceRunning() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(path)) << "the killed instance left its lock behind";

    SingleInstance next(path);
    EXPECT_FALSE(next.otherInstanceRunning());
}

TEST(SingleInstance, LockThatCannotBeMadeIsNotMistakenForAnotherInstance)
{
    QTemporaryDir dir;
    EXPECT_FALSE(SingleInstance(dir.filePath(QStringLiteral("no/such/folder/app.lock"))).otherInstanceRunning());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner); // root writes there all the same
    EXPECT_FALSE(SingleInstance(dir.filePath(QStringLiteral("app.lock"))).otherInstanceRunning());
}

} // namespace
} // namespace tintwise
