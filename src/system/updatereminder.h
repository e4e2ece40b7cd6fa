#pragma once

#include <QDate>
#include <QString>

namespace tintwise {

class Effects;
class SettingsStore;

/// The one setting's name before encoding: the date of the last update reminder, or of the first run.
inline constexpr char kReminderSettingName[] = "Duration";

/// A carriage return alone between the two sentences, as the message has always been written.
inline constexpr char kUpdateQuestion[] = "There maybe an update to this software available\r"
                                          "Do you want to check for an update?";

/// Days either side of the stored date within which no reminder comes.
inline constexpr int kReminderQuietDays = 14;

enum class ReminderStep
{
    RecordToday, ///< nothing stored yet: remember today, ask nothing
    Nothing,     ///< within the quiet days, or the stored text is not a date: ask and write nothing
    Ask,         ///< ask about updates, then remember today whatever the answer
};

/// What the reminder does, given the stored text already decoded and today's date. Empty text is a first run;
/// text that is not a date in the stored form, or an invalid `today`, gives Nothing.
ReminderStep decideReminder(const QString &storedText, QDate today);

/// The update reminder of start-up. Reads the stored date, may ask the question, writes today's date as
/// decided above and opens the download page on Yes. Failures of the store are silent; a store that cannot
/// be read is left as it is and nothing is asked.
void RemindOfUpdate(Effects &effects, SettingsStore &store);

} // namespace tintwise
