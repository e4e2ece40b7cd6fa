#pragma once

#include <QString>

#include <optional>

namespace tintwise {

/// The per-user settings store: one small file per application name in the user's configuration folder,
/// "<folder>/Arcanel/<name>.conf", holding text values in the section "Settings". Keys and values are kept exactly
/// as given; encoding them is the caller's business.
///
/// The file cannot hurt the program, nor the program the file. Only a regular file (a link to one will do) that
/// belongs to the user and is at most kMaxFileSize bytes is read; a FIFO, a device or a socket is never opened.
/// The file is read, and replaced, only when it is empty or holds exactly what write() puts there: the section
/// line, then one "key=value" line. Anything else (other sections, comments, bytes that are not UTF-8, typed
/// values) is not ours: it reads as unreadable and is left byte for byte. The text is settingsfile.h's.
class SettingsStore
{
public:
    /// Far more than the one date written, far less than would slow a start.
    static constexpr qint64 kMaxFileSize = 4096;

    /// `applicationName` empty: the executable's file name without its extension, so a renamed program
    /// starts with fresh settings.
    explicit SettingsStore(const QString &applicationName = {});

    QString applicationName() const { return m_applicationName; }
    QString filePath() const;

    /// The text under `key`; empty when the key or the file is absent. A file of ours holding another key can
    /// be read but not written, since writing would drop that key. No value when the file cannot be read
    /// or is not ours (see above). `key` holds only ASCII letters, digits, '_', '-' and '.'; any other key
    /// reads as no value and is never written.
    std::optional<QString> read(const QString &key) const;

    /// Writes the text and brings it to disk before returning, since the process may end at any moment
    /// afterwards: a new file in the same folder, then renamed over the old one. False when nothing was
    /// written: a file that is not ours, no access, an unwritable place, or text holding a NUL character.
    bool write(const QString &key, const QString &value);

    /// The executable's real file name without its extension, links resolved; the name of the settings file
    /// and of the single-instance lock.
    static QString executableBaseName();

    /// The folder that holds the user's configuration; empty: the platform's own. For tests and benchmarks.
    static void setConfigFolder(const QString &folder);

private:
    QString m_applicationName;
};

} // namespace tintwise
