#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tintwise {

// The text of a settings file as the platform's own settings format writes it, so existing files stay valid:
// the section line "[Settings]", then one "key=value" line, the value with C-style escapes, other characters in
// UTF-8, and in double quotes when it holds ';', ',' or '=' or starts or ends with a space.

struct SettingsEntry
{
    QString key;
    QString value;
};

/// Keys hold only ASCII letters, digits, '_', '-' and '.'.
bool isValidSettingsKey(const QString &key);

/// The bytes of a file holding only `key` with `value`; empty for a key or value it refuses (a NUL character,
/// half a surrogate pair).
QByteArray settingsFileContent(const QString &key, const QString &value);

/// What a file holds: nothing (an empty file), or one entry. No value for any other content, that is, for
/// anything settingsFileContent would not write byte for byte.
std::optional<std::optional<SettingsEntry>> parseSettingsFile(const QByteArray &bytes);

} // namespace tintwise
