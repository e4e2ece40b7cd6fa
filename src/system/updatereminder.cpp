#include "system/updatereminder.h"

#include "links/sitelinks.h"
#include "system/effects.h"
#include "system/settingscodec.h"
#include "system/settingsstore.h"

#include <cstdlib>

namespace tintwise {

ReminderStep decideReminder(const QString &storedText, QDate today)
{
    if (!today.isValid())
        return ReminderStep::Nothing;
    if (storedText.isEmpty())
        return ReminderStep::RecordToday;
    const std::optional<QDate> stored = settingDate(storedText);
    if (!stored)
        return ReminderStep::Nothing;
    // Calendar days, so time of day and clock changes play no part; a date ahead counts like one behind.
    const qint64 days = today.daysTo(*stored);
    return std::llabs(days) <= kReminderQuietDays ? ReminderStep::Nothing : ReminderStep::Ask;
}

void RemindOfUpdate(Effects &effects, SettingsStore &store)
{
    const QString key = EncodeSettingText(QLatin1String(kReminderSettingName));
    const std::optional<QString> stored = store.read(key);
    if (!stored)
        return;
    const QDate today = effects.today();
    const QString todayText = EncodeSettingText(settingDateText(today));
    switch (decideReminder(DecodeSettingText(*stored), today)) {
    case ReminderStep::Nothing:
        return;
    case ReminderStep::RecordToday:
        store.write(key, todayText);
        return;
    case ReminderStep::Ask: {
        const bool check = effects.askYesNo(QLatin1String(kUpdateQuestion));
        store.write(key, todayText);
        if (check)
            OpenSitePage(effects, QLatin1String(PageKey::DownloadWebPage));
        return;
    }
    }
}

} // namespace tintwise
