#pragma once

#include <QString>

#include <optional>

namespace tintwise {

/// The per-user settings store: the platform's native place for this user, one file per application name,
/// text values in the section "Settings". Keys and values are kept exactly as given; encoding them is the
/// caller's business.
class SettingsStore
{
public:
    /// `applicationName` empty: the executable's file name without its extension, so a renamed program
    /// starts with fresh settings.
    explicit SettingsStore(const QString &applicationName = {});

    QString applicationName() const { return m_applicationName; }

    /// The text under `key`; empty when the key is absent. No value when the store cannot be read (no access,
    /// not a settings file: seen on the first parse of the file in a process) or what is stored there is not
    /// text. `key` must not hold '/' or '\'.
    std::optional<QString> read(const QString &key) const;

    /// Writes the text and flushes it to disk before returning, since the process may end at any moment
    /// afterwards. False when it did not reach the disk (no access, unwritable place). Read first: a file
    /// that does not parse would be rewritten with only what was understood, and once this process has
    /// parsed it, only read() reports that.
    bool write(const QString &key, const QString &value);

    static QString executableBaseName();

private:
    QString m_applicationName;
};

} // namespace tintwise
