#include "shell/settingscodec.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace tintwise {
namespace {

QString codes(int from, int to)
{
    QString text;
    for (int code = from; code <= to; ++code)
        text.append(QChar(code));
    return text;
}

TEST(SettingCodec, EveryCodeUpToTheLimitComesBack)
{
    const QString text = codes(0, 255 - kSettingOffset);
    const QString encoded = EncodeSettingText(text);
    EXPECT_EQ(encoded.size(), text.size());
    EXPECT_NE(encoded, text);
    EXPECT_EQ(DecodeSettingText(encoded), text);
    // Digits and the date separator must survive whatever the offset.
    EXPECT_EQ(DecodeSettingText(EncodeSettingText(codes(45, 57))), codes(45, 57));
}

TEST(SettingCodec, CodesThatCannotBeShiftedAreDroppedNotTurnedIntoErrors)
{
    for (int code = 256 - kSettingOffset; code <= 255; ++code) {
        EXPECT_TRUE(EncodeSettingText(QString(QChar(code))).isEmpty()) << code;
        EXPECT_EQ(DecodeSettingText(EncodeSettingText(QStringLiteral("a") + QChar(code) + QStringLiteral("b"))),
                  QStringLiteral("ab"))
            << code;
    }
    EXPECT_TRUE(DecodeSettingText(codes(0, kSettingOffset - 1)).isEmpty());
    EXPECT_TRUE(EncodeSettingText(QString()).isEmpty());
    EXPECT_TRUE(DecodeSettingText(QString()).isEmpty());

    // Outside the single-byte code page there is no code at all. Just above 255 a plain shift back
    // would land inside the page, so these must be dropped as well, not decoded.
    const QString foreign = QString(QChar(0x100)) + QChar(0x100 + kSettingOffset - 1) + QChar(0x20AC) +
                            QString::fromUtf8("\xF0\x9F\x8E\xA8");
    EXPECT_TRUE(DecodeSettingText(foreign).isEmpty());
    EXPECT_TRUE(EncodeSettingText(foreign).isEmpty());
}

TEST(SettingCodec, StoredKeyNameStaysTheSameAcrossVersions)
{
    // Changing the offset would make every date stored by an earlier version unreadable, which silences
    // the reminder for good.
    const QString key = EncodeSettingText(QStringLiteral("Duration"));
    EXPECT_EQ(key, QStringLiteral("Izwfynts"));
    EXPECT_FALSE(key.contains(QLatin1Char('/')) || key.contains(QLatin1Char('\\')));
}

TEST(SettingDate, SameDayComesBackInEveryLocale)
{
    const QDate dates[] = {{2026, 12, 8}, {2000, 2, 29}, {1999, 12, 31}, {2038, 1, 19}, {2100, 3, 1}, {999, 7, 4}};
    const char *locales[] = {"en_US", "de_DE", "fr_FR", "ja_JP", "ar_EG", "fa_IR", "hi_IN", "C"};
    const QLocale before;
    for (const QDate date : dates) {
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        const QString reference = settingDateText(date);
        for (const char *name : locales) {
            QLocale::setDefault(QLocale(QLatin1String(name)));
            const QString text = settingDateText(date);
            EXPECT_EQ(text, reference) << name;
            EXPECT_EQ(text.size(), 10) << name;
            EXPECT_EQ(settingDate(text), date) << name << ' ' << text.toStdString();
            // The store holds the encoded form: it must come back as the same day too.
            EXPECT_EQ(settingDate(DecodeSettingText(EncodeSettingText(text))), date) << name;
        }
    }
    QLocale::setDefault(before);
}

TEST(SettingDate, AnythingButTheStoredFormIsNoDate)
{
    const char *texts[] = {
        "",           "2026-12-8",     "26-12-08",    "2026-13-01", "2026-02-30", "2025-02-29",
        "2026-00-10", "2026-12-08 ",   " 2026-12-08", "12/08/2026", "2026/12/08", "08.12.2026",
        "+026-12-08", "2026-12-08T10", "2026_12_08",  "abcd-ef-gh", "0000-01-01",
    };
    for (const char *text : texts)
        EXPECT_FALSE(settingDate(QString::fromUtf8(text))) << text;
    // Digits of other scripts are digits to Unicode, not to the stored form.
    EXPECT_FALSE(settingDate(QString::fromUtf8("\u0662\u0660\u0662\u0666-\u0661\u0662-\u0660\u0668")));
    EXPECT_TRUE(settingDateText(QDate()).isEmpty());
    EXPECT_TRUE(settingDateText(QDate(10000, 1, 1)).isEmpty());
}

} // namespace
} // namespace tintwise
