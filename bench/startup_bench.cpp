// Measures the start-up path in a cold process: StartApplication up to the main window shown, which windows it
// loaded, and what the first reading's copy from the colour catalogue costs afterwards. One process measures
// one cold start, so it runs itself again for each round. Run with QT_QPA_PLATFORM=offscreen or under a display.
#include "reading/catalogue.h"
#include "shell/app.h"
#include "shell/effects.h"
#include "shell/singleinstance.h"
#include "ui/common/controls.h"
#include "ui/main/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
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

// One cold start; prints "start_ms first_copy_ms loaded_windows".
int measureOnce()
{
    QElapsedTimer clock;
    clock.start();
    QTemporaryDir dir;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
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

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--once") == 0)
        return measureOnce();

    const int rounds = 15;
    std::vector<double> starts;
    std::vector<double> copies;
    int maxLoaded = 0;
    for (int i = 0; i < rounds; ++i) {
        QProcess child;
        child.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--once")});
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            std::printf("round %d failed\n", i + 1);
            return 1;
        }
        double start = 0;
        double copy = 0;
        int loaded = 0;
        if (std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %d", &start, &copy, &loaded) != 3) {
            std::printf("round %d gave no figures\n", i + 1);
            return 1;
        }
        starts.push_back(start);
        copies.push_back(copy);
        maxLoaded = std::max(maxLoaded, loaded);
    }
    std::printf("cold StartApplication to the main window shown, median of %d: %.2f ms (worst %.2f ms)\n", rounds,
                median(starts), *std::max_element(starts.begin(), starts.end()));
    std::printf("first reading's copy from the catalogue, median: %.3f ms (worst %.3f ms)\n", median(copies),
                *std::max_element(copies.begin(), copies.end()));
    std::printf("windows loaded by start-up, at most: %d (the main window alone is 1)\n", maxLoaded);
    return 0;
}
