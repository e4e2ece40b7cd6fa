#include "shell/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tintwise {
namespace {

class SettingsStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(m_home.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_home.path());
        QDir(m_home.path()).mkpath(QStringLiteral("Arcanel"));
    }

    QString file(const QString &application = QStringLiteral("Tintwise")) const
    {
        return m_home.filePath(QStringLiteral("Arcanel/%1.conf").arg(application));
    }

    // Reads through a copy under a new name, so what comes back was parsed from the file on disk,
    // not served from the settings cache of this process.
    QVariant readFromDisk(const QString &key)
    {
        const QString copy = m_home.filePath(QStringLiteral("copy%1.conf").arg(++m_copies));
        if (!QFile::copy(file(), copy))
            return {};
        return QSettings(copy, QSettings::IniFormat).value(QStringLiteral("Settings/") + key);
    }

    QTemporaryDir m_home;
    int m_copies = 0;
};

TEST_F(SettingsStoreTest, KeysAndValuesThatNeedEscapingComeBackExactly)
{
    QString latin1;
    for (int code = 128; code <= 255; ++code)
        latin1.append(QChar(code));
    QString control;
    for (int code = 0; code < 32; ++code)
        control.append(QChar(code));
    control.append(QChar(127));
    const QString texts[] = {
        QStringLiteral("a=b"),
        QStringLiteral(";comment"),
        QStringLiteral("#hash"),
        QStringLiteral("[Settings]"),
        QStringLiteral("\"quoted\""),
        QStringLiteral("100%25 %41"),
        QStringLiteral("  spaced  "),
        QStringLiteral("@Variant(x)"),
        QStringLiteral("@"),
        QStringLiteral("one, two"),
        QStringLiteral("line\r\nnext\rlast"),
        latin1,
        control.mid(1), // a key cannot hold code 0; a value can, below
        QStringLiteral("757;2672 5="),
    };
    SettingsStore store(QStringLiteral("Tintwise"));
    for (const QString &text : texts) {
        const QString value = text + QStringLiteral("\\") + control;
        ASSERT_TRUE(store.write(text, value)) << text.toStdString();
        EXPECT_EQ(store.read(text), value) << text.toStdString();
        EXPECT_EQ(readFromDisk(text), QVariant(value)) << text.toStdString();
    }
    // Every key is still there, none swallowed by another's escaping.
    for (const QString &text : texts)
        EXPECT_EQ(store.read(text), text + QStringLiteral("\\") + control) << text.toStdString();
    ASSERT_TRUE(store.write(QStringLiteral("k"), QString()));
    EXPECT_EQ(store.read(QStringLiteral("k")), QString());
}

TEST_F(SettingsStoreTest, AbsentKeyReadsAsEmptyTextAndEachProgramNameHasItsOwnFile)
{
    SettingsStore store(QStringLiteral("Tintwise"));
    EXPECT_EQ(store.read(QStringLiteral("Izwfynts")), QString());
    ASSERT_TRUE(store.write(QStringLiteral("Izwfynts"), QStringLiteral("x")));
    EXPECT_TRUE(QFile::exists(file()));
    EXPECT_EQ(readFromDisk(QStringLiteral("Izwfynts")), QVariant(QStringLiteral("x")));

    // A renamed executable starts with fresh settings.
    SettingsStore renamed(QStringLiteral("Tintwise2"));
    EXPECT_EQ(renamed.read(QStringLiteral("Izwfynts")), QString());
    ASSERT_TRUE(renamed.write(QStringLiteral("Izwfynts"), QStringLiteral("y")));
    EXPECT_TRUE(QFile::exists(file(QStringLiteral("Tintwise2"))));
    EXPECT_EQ(store.read(QStringLiteral("Izwfynts")), QStringLiteral("x"));
}

TEST_F(SettingsStoreTest, ValuesThatAreNotTextAreNotRead)
{
    const char *lines[] = {"k=one, two", "k=@ByteArray(abc)", "k=@Rect(1 2 3 4)", "k=@Invalid()",
                           "k=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x4QFoo)"};
    SettingsStore store(QStringLiteral("Tintwise"));
    for (const char *line : lines) {
        QFile::remove(file());
        QFile out(file());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << line;
        out.write(QByteArray("[Settings]\n") + line + '\n');
        out.close();
        EXPECT_EQ(store.read(QStringLiteral("k")), std::nullopt) << line;
    }
}

TEST_F(SettingsStoreTest, StoreThatCannotBeReadOrWrittenFailsQuietlyAndKeepsTheFile)
{
    SettingsStore store(QStringLiteral("Tintwise"));
    ASSERT_TRUE(store.write(QStringLiteral("k"), QStringLiteral("v")));

    // Not a settings file: reported, and reading it does not rewrite it.
    const QByteArray broken("[Settings\nk=v\n\xff\xfe\x00garbage", 28);
    {
        QFile out(file());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(broken);
    }
    EXPECT_EQ(store.read(QStringLiteral("k")), std::nullopt);
    QFile in(file());
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), broken);

    // The settings file is a folder.
    SettingsStore folder(QStringLiteral("Folder"));
    ASSERT_TRUE(QDir(m_home.path()).mkpath(QStringLiteral("Arcanel/Folder.conf")));
    EXPECT_FALSE(folder.write(QStringLiteral("k"), QStringLiteral("v")));

    // The configuration folder cannot be made: a plain file stands in its place.
    QFile blocker(m_home.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker.fileName() + QStringLiteral("/config"));
    SettingsStore nowhere(QStringLiteral("Tintwise"));
    EXPECT_EQ(nowhere.read(QStringLiteral("k")), QString());
    EXPECT_FALSE(nowhere.write(QStringLiteral("k"), QStringLiteral("v")));
}

} // namespace
} // namespace tintwise
