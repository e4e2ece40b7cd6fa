#include "system/settingscodec.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace tintwise {
namespace {

TEST(SettingCodec, CodesUpToTheLimitComeBackAndTheRestIsDroppedWithoutError)
{
    QString text;
    for (int code = 0; code <= 255 - kSettingOffset; ++code)
        text.append(QChar(code));
    const QString encoded = EncodeSettingText(text);
    EXPECT_EQ(encoded.size(), text.size());
    EXPECT_EQ(DecodeSettingText(encoded), text);

    for (int code = 256 - kSettingOffset; code <= 255; ++code)
        EXPECT_EQ(DecodeSettingText(EncodeSettingText(QStringLiteral("a") + QChar(code) + QStringLiteral("b"))),
                  QStringLiteral("ab"))
            << code;
    EXPECT_TRUE(DecodeSettingText(QString(kSettingOffset, QChar(kSettingOffset - 1))).isEmpty());
    EXPECT_TRUE(EncodeSettingText(QString()).isEmpty());
    EXPECT_TRUE(DecodeSettingText(QString()).isEmpty());
    // No single-byte code at all: dropped, although a plain shift would land back inside the page.
    const QString foreign = QString(QChar(0x100)) + QChar(0x20AC) + QString::fromUtf8("\xF0\x9F\x8E\xA8");
    EXPECT_TRUE(DecodeSettingText(foreign).isEmpty());
    EXPECT_TRUE(EncodeSettingText(foreign).isEmpty());
}

TEST(SettingCodec, ShiftsByTheOffsetEarlierVersionsStored)
{
    // Another offset would make every stored date unreadable, which silences the reminder for good.
    EXPECT_EQ(EncodeSettingText(QStringLiteral("Duration")), QStringLiteral("Izwfynts"));
}

TEST(SettingDate, SameDayComesBackInEveryLocale)
{
    const std::pair<QDate, const char *> rows[] = {
        {{2026, 12, 8}, "2026-12-08"}, {{2000, 2, 29}, "2000-02-29"}, {{999, 7, 4}, "0999-07-04"}};
    const QLocale before;
    for (const char *name : {"en_US", "de_DE", "ja_JP", "ar_EG", "fa_IR", "C"}) {
        QLocale::setDefault(QLocale(QLatin1String(name)));
        for (const auto &[date, text] : rows) {
            EXPECT_EQ(settingDateText(date), QLatin1String(text)) << name;
            EXPECT_EQ(settingDate(DecodeSettingText(EncodeSettingText(QLatin1String(text)))), date) << name;
        }
    }
    QLocale::setDefault(before);
}

TEST(SettingDate, AnythingButTheStoredFormIsNoDate)
{
    const QString texts = QStringLiteral("|2026-12-8|26-12-08|2026-13-01|2026-02-30|2025-02-29|12/08/2026|2026-12-08 |"
                                         "+026-12-08|2026-12-08T10|0000-01-01|2026_12_08|08.12.2026|"
                                         "\u0662\u0660\u0662\u0666-\u0661\u0662-\u0660\u0668");
    for (const QString &text : texts.split('|'))
        EXPECT_FALSE(settingDate(text)) << text.toStdString();
    EXPECT_TRUE(settingDateText(QDate()).isEmpty());
}

} // namespace
} // namespace tintwise
