// Measures the start-up path in a cold process: StartApplication up to the main window shown, which windows it
// loaded, and what the first reading's copy from the colour catalogue costs afterwards. One process measures
// one cold start, so it runs itself again for each round. Run with QT_QPA_PLATFORM=offscreen or under a display.
#include "reading/catalogue.h"
#include "shell/app.h"
#include "system/effects.h"
#include "system/settingscodec.h"
#include "system/settingsfile.h"
#include "system/settingsstore.h"
#include "system/singleinstance.h"
#include "ui/common/fonts.h"
#include "ui/main/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace {

// Answers nothing and opens nothing: a start-up that asked a question would wait for no one.
class QuietEffects : public tintwise::Effects
{
public:
    void pause(int) override {}
    void inform(const QString &) override {}
    bool askYesNo(const QString &) override { return false; }
    void critical(const QString &) override {}
    void openWebAddress(const QUrl &) override {}
    void clearClipboard() override {}
    QDate today() override { return QDate::currentDate(); }
    void seedRandom() override {}
    double random() override { return 0.5; }
    void endProcess() override {}
};

double ms(const QElapsedTimer &clock)
{
    return clock.nsecsElapsed() / 1e6;
}

// What a start finds in place of the settings file: the kinds a user or another program may leave there.
const char *const kSettingFiles[] = {"none",        "ours",         "garbage", "fifo",
                                     "sparse-1GiB", "nested-950KB", "2M-keys", "link-to-dev-null"};

bool makeSettingFile(const QString &path, const char *kind)
{
    const QByteArray name = QFile::encodeName(path);
    const QByteArray key = tintwise::EncodeSettingText(QStringLiteral("Duration")).toLatin1();
    QFile out(path);
    if (std::strcmp(kind, "none") == 0)
        return true;
    if (std::strcmp(kind, "fifo") == 0)
        return mkfifo(name.constData(), 0600) == 0;
    if (std::strcmp(kind, "link-to-dev-null") == 0)
        return QFile::link(QStringLiteral("/dev/null"), path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (std::strcmp(kind, "ours") == 0)
        out.write(tintwise::settingsFileContent(
            QString::fromLatin1(key), tintwise::EncodeSettingText(tintwise::settingDateText(QDate::currentDate()))));
    else if (std::strcmp(kind, "garbage") == 0)
        out.write(QByteArray(3000, '\xfe'));
    else if (std::strcmp(kind, "sparse-1GiB") == 0)
        out.resize(qint64(1) << 30);
    else if (std::strcmp(kind, "nested-950KB") == 0)
        out.write("[Settings]\n" + key + "=@Variant(" + QByteArray("\\0\\0\\0\\t\\0\\0\\0\\0\\x1").repeated(50000) +
                  ")\n");
    else if (std::strcmp(kind, "2M-keys") == 0) {
        QByteArray keys;
        for (int i = 0; i < 2'000'000; ++i)
            keys += 'k' + QByteArray::number(i) + "=v\n";
        out.write("[Settings]\n" + keys);
    }
    return true;
}

// One cold start with the given settings file; prints "start_ms first_copy_ms loaded_windows".
int measureOnce(const char *settingFile)
{
    QElapsedTimer clock;
    clock.start();
    QTemporaryDir dir;
    QStandardPaths::setTestModeEnabled(true);
    tintwise::SettingsStore::setConfigFolder(dir.path());
    const QString settings = tintwise::SettingsStore().filePath();
    QDir().mkpath(QFileInfo(settings).path());
    if (!makeSettingFile(settings, settingFile))
        return 2;
    tintwise::registerFontSubstitutes();
    QuietEffects effects;
    tintwise::App app(effects);
    tintwise::SingleInstance instance(dir.filePath(QStringLiteral("app.lock")));
    clock.restart();
    app.StartApplication(instance);
    QApplication::processEvents();
    const double start = ms(clock);
    const QWidgetList windows = QApplication::topLevelWidgets();
    const int loaded = int(app.isMainWindowLoaded()) + int(app.isResultWindowLoaded()) + int(app.isExitWindowLoaded()) +
                       int(std::count_if(windows.cbegin(), windows.cend(),
                                         [](auto *w) { return w->objectName() == QLatin1String("frmAbout"); }));

    tintwise::SelectionRecord record;
    record.DayColorIndex = 3;
    record.ProblemColorIndex = 7;
    record.SolutionColorIndex = 11;
    clock.restart();
    tintwise::FillSelectionRecord(record);
    const double firstCopy = ms(clock);
    std::printf("%.3f %.3f %d\n", start, firstCopy, loaded);
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Median and worst of cold starts, one process each.
struct Figures
{
    double startMedian = 0;
    double startWorst = 0;
    double copyMedian = 0;
    double copyWorst = 0;
    int maxLoaded = 0;
};

std::optional<Figures> measure(const char *program, const char *settingFile, int rounds)
{
    std::vector<double> starts;
    std::vector<double> copies;
    Figures figures;
    for (int i = 0; i < rounds; ++i) {
        QProcess child;
        child.start(QString::fromLocal8Bit(program), {QStringLiteral("--once"), QString::fromLatin1(settingFile)});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            std::printf("%s: round %d failed\n", settingFile, i + 1);
            return std::nullopt;
        }
        double start = 0;
        double copy = 0;
        int loaded = 0;
        if (std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %d", &start, &copy, &loaded) != 3) {
            std::printf("%s: round %d gave no figures\n", settingFile, i + 1);
            return std::nullopt;
        }
        starts.push_back(start);
        copies.push_back(copy);
        figures.maxLoaded = std::max(figures.maxLoaded, loaded);
    }
    figures.startMedian = median(starts);
    figures.startWorst = *std::max_element(starts.begin(), starts.end());
    figures.copyMedian = median(copies);
    figures.copyWorst = *std::max_element(copies.begin(), copies.end());
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    if (argc > 2 && std::strcmp(argv[1], "--once") == 0)
        return measureOnce(argv[2]);

    const int rounds = 15;
    const std::optional<Figures> plain = measure(argv[0], "ours", rounds);
    if (!plain)
        return 1;
    std::printf("cold StartApplication to the main window shown, median of %d: %.2f ms (worst %.2f ms)\n", rounds,
                plain->startMedian, plain->startWorst);
    std::printf("first reading's copy from the catalogue, median: %.3f ms (worst %.3f ms)\n", plain->copyMedian,
                plain->copyWorst);
    std::printf("windows loaded by start-up, at most: %d (the main window alone is 1)\n", plain->maxLoaded);

    std::printf("the same with each kind of settings file, median of 5 (worst), target < 500 ms:\n");
    double worst = 0;
    for (const char *kind : kSettingFiles) {
        const std::optional<Figures> figures = measure(argv[0], kind, 5);
        if (!figures)
            return 1;
        std::printf("  %-18s %8.2f ms (%.2f ms)\n", kind, figures->startMedian, figures->startWorst);
        worst = std::max(worst, figures->startWorst);
    }
    std::printf("worst start with any settings file: %.2f ms\n", worst);
    return 0;
}
