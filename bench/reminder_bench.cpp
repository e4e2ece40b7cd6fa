// Measures what the update reminder adds to start-up: one read of the settings store, and for a first run or
// a reminder one write flushed to disk. Runs against a temporary store, never the user's own.
#include "system/effects.h"
#include "system/settingscodec.h"
#include "system/settingsfile.h"
#include "system/settingsstore.h"
#include "system/updatereminder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

class QuietEffects : public tintwise::Effects
{
public:
    void pause(int) override {}
    void inform(const QString &) override {}
    bool askYesNo(const QString &) override
    {
        ++questions;
        return false;
    }
    void critical(const QString &) override {}
    void openWebAddress(const QUrl &) override {}
    void clearClipboard() override {}
    QDate today() override { return todayValue; }
    void seedRandom() override {}
    double random() override { return 0.0; }
    void endProcess() override {}

    QDate todayValue{2026, 12, 8};
    int questions = 0;
};

// Median of `runs` starts, each prepared by `prepare` outside the timing.
double medianMs(int runs, const std::function<void()> &prepare, const std::function<void()> &start)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        start();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir home;
    tintwise::SettingsStore::setConfigFolder(home.path());

    QuietEffects effects;
    const QString key = tintwise::EncodeSettingText(QStringLiteral("Duration"));
    // Each start gets a store and a file of its own name, as a fresh start-up finds it.
    int name = 0;
    std::unique_ptr<tintwise::SettingsStore> store;
    auto freshStore = [&](const QString &value) {
        store = std::make_unique<tintwise::SettingsStore>(QStringLiteral("ReminderBench%1").arg(++name));
        if (!value.isNull()) {
            // Written directly, as a file left by an earlier start.
            QDir().mkpath(home.filePath(QStringLiteral("Arcanel")));
            QFile out(home.filePath(QStringLiteral("Arcanel/ReminderBench%1.conf").arg(name)));
            if (out.open(QIODevice::WriteOnly))
                out.write(tintwise::settingsFileContent(key, value));
        }
    };
    auto encodedDate = [](QDate date) { return tintwise::EncodeSettingText(tintwise::settingDateText(date)); };
    auto remind = [&] { tintwise::RemindOfUpdate(effects, *store); };
    constexpr int runs = 200;

    const double firstRun = medianMs(
        runs, [&] { freshStore(QString()); }, remind);
    const double quiet = medianMs(
        runs, [&] { freshStore(encodedDate(QDate(2026, 12, 1))); }, remind);
    const double asked = medianMs(
        runs, [&] { freshStore(encodedDate(QDate(2026, 11, 1))); }, remind);
    const QString huge(1 << 20, QLatin1Char('x'));
    const double garbage = medianMs(
        20, [&] { freshStore(huge); }, remind);

    std::printf("update reminder, median of %d starts (target < 10 ms each):\n", runs);
    std::printf("  first run (read, write, flush):     %.3f ms\n", firstRun);
    std::printf("  within 14 days (read only):         %.3f ms\n", quiet);
    std::printf("  reminder answered (read, write):    %.3f ms\n", asked);
    std::printf("  1 MiB value that is no date (read): %.3f ms\n", garbage);
    return 0;
}
