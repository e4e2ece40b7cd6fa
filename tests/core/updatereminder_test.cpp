#include "links/sitelinks.h"
#include "shell/settingscodec.h"
#include "shell/settingsstore.h"
#include "shell/updatereminder.h"
#include "support/fakeeffects.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tintwise {
namespace {

const QString kQuestion = QStringLiteral("There maybe an update to this software available\r"
                                         "Do you want to check for an update?");

TEST(ReminderRule, AsksOnlyWhenTheStoredDayIsMoreThanFourteenDaysAway)
{
    struct Row
    {
        const char *stored;
        QDate today;
        ReminderStep expected;
    };
    const QDate today(2026, 12, 8);
    const Row rows[] = {
        {"", today, ReminderStep::RecordToday},
        {"2026-12-08", today, ReminderStep::Nothing},
        {"2026-11-23", today, ReminderStep::Ask},     // 15 days ago
        {"2026-11-24", today, ReminderStep::Nothing}, // 14 days ago
        {"2026-12-22", today, ReminderStep::Nothing}, // 14 days ahead
        {"2026-12-23", today, ReminderStep::Ask},     // 15 days ahead, as after the clock was set back
        {"2036-12-08", today, ReminderStep::Ask},
        {"1970-01-01", today, ReminderStep::Ask},
        // Month ends, leap days and daylight-saving changes count as whole calendar days.
        {"2024-02-15", QDate(2024, 3, 1), ReminderStep::Ask},     // 15: leap year
        {"2023-02-15", QDate(2023, 3, 1), ReminderStep::Nothing}, // 14: common year
        {"2026-12-21", QDate(2027, 1, 5), ReminderStep::Ask},
        {"2026-03-15", QDate(2026, 3, 29), ReminderStep::Nothing},  // spring forward in Europe
        {"2026-03-08", QDate(2026, 3, 23), ReminderStep::Ask},      // spring forward in America
        {"2026-10-11", QDate(2026, 10, 25), ReminderStep::Nothing}, // fall back in Europe
        {"2024-03-16", QDate(2024, 2, 29), ReminderStep::Ask},
        // Text that is not a date leaves the reminder silent.
        {"08/12/2026", today, ReminderStep::Nothing},
        {"garbage", today, ReminderStep::Nothing},
        {"2026-12-08", QDate(), ReminderStep::Nothing},
    };
    for (const Row &row : rows)
        EXPECT_EQ(decideReminder(QLatin1String(row.stored), row.today), row.expected)
            << row.stored << " on " << row.today.toString(Qt::ISODate).toStdString();
}

class RemindOfUpdateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(m_home.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_home.path());
        QDir(m_home.path()).mkpath(QStringLiteral("Arcanel"));
    }

    QString file() const { return m_home.filePath(QStringLiteral("Arcanel/Tintwise.conf")); }

    QByteArray fileBytes() const
    {
        QFile in(file());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    void writeFileBytes(const QByteArray &bytes)
    {
        QFile::remove(file()); // a new file, so no cached copy of the old one is served
        QFile out(file());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    // What a fresh reader finds in the file, decoded.
    QString storedDate()
    {
        const QString copy = m_home.filePath(QStringLiteral("copy%1.conf").arg(++m_copies));
        QFile::copy(file(), copy);
        const QSettings settings(copy, QSettings::IniFormat);
        return DecodeSettingText(
            settings.value(QStringLiteral("Settings/") + EncodeSettingText(QStringLiteral("Duration"))).toString());
    }

    void run() { RemindOfUpdate(m_effects, m_store); }

    QTemporaryDir m_home;
    int m_copies = 0;
    test::FakeEffects m_effects;
    SettingsStore m_store{QStringLiteral("Tintwise")};
};

TEST_F(RemindOfUpdateTest, FirstRunRemembersTodayThenFifteenDaysLaterAsksAndRemembersThatDay)
{
    for (const bool yes : {false, true}) {
        QFile::remove(file());
        m_effects = test::FakeEffects();
        m_effects.answerYes = yes;
        m_effects.todayValue = QDate(2026, 2, 20);
        run();
        EXPECT_TRUE(m_effects.messages.isEmpty());
        EXPECT_EQ(storedDate(), QStringLiteral("2026-02-20"));
        // The key and the value are both stored encoded.
        EXPECT_FALSE(fileBytes().contains("Duration"));
        EXPECT_FALSE(fileBytes().contains("2026"));

        m_effects.todayValue = QDate(2026, 3, 7); // 15 days on, past the month end
        bool storedWhileAsking = false;
        m_effects.onAsk = [&](const QString &) { storedWhileAsking = storedDate() == QStringLiteral("2026-03-07"); };
        run();
        EXPECT_EQ(m_effects.messages, QStringList{QStringLiteral("ask:") + kQuestion});
        EXPECT_FALSE(storedWhileAsking) << "the day is written after the answer";
        EXPECT_EQ(storedDate(), QStringLiteral("2026-03-07"));
        const QList<QUrl> expected =
            yes ? QList<QUrl>{sitePageUrl(QStringLiteral("download-web-page"))} : QList<QUrl>{};
        EXPECT_EQ(m_effects.opened, expected) << "answer " << yes;

        // The next start that same day is silent again.
        run();
        EXPECT_EQ(m_effects.messages.size(), 1);
    }
}

TEST_F(RemindOfUpdateTest, QuietDaysWriteNothing)
{
    for (const int days : {-14, -1, 0, 1, 14}) {
        m_effects.todayValue = QDate(2026, 12, 8);
        QFile::remove(file());
        run();
        const QByteArray before = fileBytes();
        m_effects.todayValue = QDate(2026, 12, 8).addDays(-days);
        run();
        EXPECT_TRUE(m_effects.messages.isEmpty()) << days;
        EXPECT_EQ(fileBytes(), before) << days;
        EXPECT_EQ(storedDate(), QStringLiteral("2026-12-08")) << days;
    }
}

TEST_F(RemindOfUpdateTest, BadStoredValuesStaySilentAndAreLeftAsTheyAre)
{
    const QString key = EncodeSettingText(QStringLiteral("Duration"));
    const QByteArray prefix = "[Settings]\n" + key.toLatin1() + '=';
    const QByteArray longValue(1 << 20, 'x');
    const QByteArray values[] = {
        EncodeSettingText(QStringLiteral("12/08/2026")).toLatin1(), // another date form
        EncodeSettingText(QStringLiteral("2026-02-30")).toLatin1(), // no such day
        "2026-11-01",                                               // a date, but not encoded
        "one, two",                                                 // a list
        "@ByteArray(abc)",
        "@Invalid()",
        "\"unterminated",
        "\\x7f\\x80\\0", // control codes, code 0 among them
        longValue,
        "%FF%FE\xc3\xa9\xe2\x82\xac",
    };
    for (const QByteArray &value : values) {
        writeFileBytes(prefix + value + '\n');
        const QByteArray before = fileBytes();
        m_effects.todayValue = QDate(2026, 12, 8);
        run();
        EXPECT_TRUE(m_effects.messages.isEmpty()) << value.left(40).toStdString();
        EXPECT_TRUE(m_effects.opened.isEmpty());
        EXPECT_EQ(fileBytes(), before) << value.left(40).toStdString();
    }
}

TEST_F(RemindOfUpdateTest, StoredTextThatDecodesToNothingCountsAsAFirstRun)
{
    // Every character decodes below code 0, so nothing is left: the same as no setting at all.
    writeFileBytes("[Settings]\n" + EncodeSettingText(QStringLiteral("Duration")).toLatin1() + "=\\x1\\x2\n");
    m_effects.todayValue = QDate(2026, 12, 8);
    run();
    EXPECT_TRUE(m_effects.messages.isEmpty());
    EXPECT_EQ(storedDate(), QStringLiteral("2026-12-08"));
}

TEST_F(RemindOfUpdateTest, StoreThatCannotBeReadOrWrittenIsSilent)
{
    // Not a settings file: left untouched, nothing asked.
    const QByteArray broken("[Settings\n\xff\xfe garbage");
    writeFileBytes(broken);
    run();
    EXPECT_TRUE(m_effects.messages.isEmpty());
    EXPECT_EQ(fileBytes(), broken);

    // The configuration folder cannot be made: every start is a first run that cannot be remembered.
    QFile blocker(m_home.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker.fileName() + QStringLiteral("/config"));
    SettingsStore nowhere(QStringLiteral("Tintwise"));
    for (int start = 0; start < 2; ++start)
        RemindOfUpdate(m_effects, nowhere);
    EXPECT_TRUE(m_effects.messages.isEmpty());
    EXPECT_TRUE(m_effects.opened.isEmpty());
}

} // namespace
} // namespace tintwise
