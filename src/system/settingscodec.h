#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace tintwise {

/// Shift applied to every character code of a stored key name and value. Small enough that digits and
/// '-' (codes 45 to 57) survive, and it keeps the encoded key "Duration" free of '/' and '\', which the
/// store would read as section separators.
inline constexpr int kSettingOffset = 5;

/// Adds kSettingOffset to each character's Latin-1 code. A character whose shifted code passes 255, or that
/// has no Latin-1 code at all, is dropped without error. Empty text gives empty text.
QString EncodeSettingText(const QString &text);

/// Subtracts kSettingOffset from each character's Latin-1 code. A character whose shifted code falls below 0,
/// or that has no Latin-1 code at all, is dropped without error. Empty text gives empty text.
QString DecodeSettingText(const QString &text);

/// The stored form of a date: "yyyy-MM-dd" whatever the user's locale, so it always reads back as the same
/// day. An invalid date or a year outside 0..9999 gives empty text.
QString settingDateText(QDate date);

/// Reads the form written by settingDateText, and only that: exactly ten characters, ASCII digits, a real
/// calendar day. Anything else gives no date.
std::optional<QDate> settingDate(const QString &text);

} // namespace tintwise
