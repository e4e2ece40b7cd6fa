#include "links/sitelinks.h"
#include "support/fakeeffects.h"
#include "system/settingscodec.h"
#include "system/settingsstore.h"
#include "system/updatereminder.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tintwise {
namespace {

TEST(ReminderRule, AsksOnlyWhenTheStoredDayIsMoreThanFourteenDaysAway)
{
    const QDate today(2026, 12, 8);
    const std::tuple<const char *, QDate, ReminderStep> rows[] = {
        {"", today, ReminderStep::RecordToday},
        {"2026-11-23", today, ReminderStep::Ask},     // 15 days ago
        {"2026-11-24", today, ReminderStep::Nothing}, // 14 days ago
        {"2026-12-22", today, ReminderStep::Nothing}, // 14 days ahead
        {"2026-12-23", today, ReminderStep::Ask},     // 15 days ahead, as after the clock was set back
        {"2036-12-08", today, ReminderStep::Ask},
        {"2024-02-15", QDate(2024, 3, 1), ReminderStep::Ask},  // whole calendar days: 15 across a leap day
        {"2026-03-08", QDate(2026, 3, 23), ReminderStep::Ask}, // and across a daylight-saving change
        {"garbage", today, ReminderStep::Nothing},
        {"2026-12-08", QDate(), ReminderStep::Nothing},
    };
    for (const auto &[stored, on, step] : rows)
        EXPECT_EQ(decideReminder(QLatin1String(stored), on), step) << stored << " on " << qPrintable(on.toString());
}

// The store lives in a temporary folder; the user's own file is never touched.
class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(m_home.isValid());
        tintwise::SettingsStore::setConfigFolder(m_home.path());
        QDir(m_home.path()).mkpath(QStringLiteral("Arcanel"));
    }

    QByteArray fileBytes() const
    {
        QFile in(m_file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    void writeFileBytes(const QByteArray &bytes)
    {
        QFile::remove(m_file); // a new file, never a cached copy of the old one
        QFile out(m_file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    }
    // Parsed from disk through a copy under a new name, not served from this process's settings cache.
    QString storedDate()
    {
        const QString copy = m_home.filePath(QStringLiteral("copy%1.conf").arg(++m_copies));
        QFile::copy(m_file, copy);
        return DecodeSettingText(QSettings(copy, QSettings::IniFormat).value("Settings/" + m_key).toString());
    }

    QTemporaryDir m_home;
    QString m_file = m_home.filePath(QStringLiteral("Arcanel/Tintwise.conf"));
    QString m_key = EncodeSettingText(QStringLiteral("Duration"));
    int m_copies = 0;
    SettingsStore m_store{QStringLiteral("Tintwise")};
    test::FakeEffects m_effects;
};

TEST_F(StoreTest, FirstRunRemembersTodayThenFifteenDaysLaterAsksAndRemembersThatDay)
{
    m_effects.answerYes = true;
    m_effects.todayValue = QDate(2026, 2, 20);
    RemindOfUpdate(m_effects, m_store);
    EXPECT_TRUE(m_effects.messages.isEmpty());
    // Encoded: the digit 6 becomes ';', which the file must carry through its own escaping.
    EXPECT_EQ(storedDate(), QStringLiteral("2026-02-20"));
    EXPECT_FALSE(fileBytes().contains("Duration") || fileBytes().contains("2026"));

    m_effects.todayValue = QDate(2026, 3, 6); // 14 days on: silent, nothing written
    const QByteArray before = fileBytes();
    RemindOfUpdate(m_effects, m_store);
    EXPECT_TRUE(m_effects.messages.isEmpty());
    EXPECT_EQ(fileBytes(), before);

    m_effects.todayValue = QDate(2026, 3, 7); // 15 days on
    bool writtenBeforeTheAnswer = true;
    m_effects.onAsk = [&](const QString &) { writtenBeforeTheAnswer = storedDate() == "2026-03-07"; };
    RemindOfUpdate(m_effects, m_store);
    EXPECT_EQ(m_effects.messages, QStringList{QStringLiteral("ask:There maybe an update to this software available\r"
                                                             "Do you want to check for an update?")});
    EXPECT_FALSE(writtenBeforeTheAnswer);
    EXPECT_EQ(storedDate(), QStringLiteral("2026-03-07"));
    EXPECT_EQ(m_effects.opened, QList<QUrl>{sitePageUrl(QStringLiteral("download-web-page"))});
}

TEST_F(StoreTest, AKeyNeverWrittenReadsAsNothingBesideTheStoredDate)
{
    m_effects.todayValue = QDate(2026, 2, 20);
    RemindOfUpdate(m_effects, m_store);
    ASSERT_EQ(storedDate(), QStringLiteral("2026-02-20"));
    EXPECT_EQ(m_store.read(QStringLiteral("absent")), QString());
}

TEST_F(StoreTest, BadStoredValuesAndUnreadableFilesStaySilentAndAreLeftAsTheyAre)
{
    const QByteArray entry = "[Settings]\n" + m_key.toLatin1() + '=';
    const QByteArray files[] = {
        entry + EncodeSettingText(QStringLiteral("12/08/2026")).toLatin1(), // another date form
        entry + EncodeSettingText(QStringLiteral("2026-02-30")).toLatin1(), // no such day
        entry + "2026-11-01",                                               // a date, but not encoded
        entry + "one, two",                                                 // a list
        entry + "@ByteArray(abc)",
        entry + QByteArray(1 << 20, 'x'),
        "[Settings\n\xff\xfe garbage", // not a settings file
    };
    for (const QByteArray &bytes : files) {
        writeFileBytes(bytes);
        RemindOfUpdate(m_effects, m_store);
        EXPECT_TRUE(m_effects.messages.isEmpty()) << bytes.left(40).toStdString();
        EXPECT_EQ(fileBytes(), bytes) << bytes.left(40).toStdString();
    }
    // Text whose every character decodes below code 0 leaves nothing: the same as no setting at all.
    writeFileBytes(entry + "\\x1\\x2\n");
    RemindOfUpdate(m_effects, m_store);
    EXPECT_EQ(storedDate(), QStringLiteral("2026-12-08"));
    EXPECT_TRUE(m_effects.messages.isEmpty());
}

} // namespace
} // namespace tintwise
