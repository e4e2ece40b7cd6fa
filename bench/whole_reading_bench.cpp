// One whole reading with the real waits: the draw's wait and two reveals, twelve one-second pauses.
// Prints the wall time of every pause and the CPU the process used for the whole reading.
// Run under a display: xvfb-run -a build/bench/whole_reading_bench
#include "shell/app.h"
#include "shell/qteffects.h"
#include "ui/common/fonts.h"
#include "ui/common/frame.h"
#include "ui/common/picturebox.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

// The real effects, timing each wait.
class TimedEffects : public tintwise::QtEffects
{
public:
    void pause(int seconds) override
    {
        QElapsedTimer clock;
        clock.start();
        QtEffects::pause(seconds);
        pauses.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::vector<double> pauses;
};

template <typename Done> bool waitFor(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    tintwise::registerFontSubstitutes();
    TimedEffects effects;
    tintwise::App app(effects);
    tintwise::MainWindow *main = app.mainWindow();
    main->show();
    if (!QTest::qWaitForWindowExposed(main))
        return 1;
    // Load the windows first, so the figures are the reading's own.
    app.resultWindow();
    app.hideExitScreen();
    QTest::qWait(200);

    const double cpuBefore = cpuMs();
    QElapsedTimer total;
    total.start();
    QTest::mouseClick(main->patch(0), Qt::LeftButton);
    if (!waitFor([&] { return app.isResultWindowLoaded() && app.resultWindow()->isVisible(); }))
        return 1;
    tintwise::ResultWindow *result = app.resultWindow();
    result->findChild<QPushButton *>(QStringLiteral("cmdChoosenColor"))->click();
    if (!waitFor([&] { return result->frontPanel() == result->problemPanel(); }))
        return 1;
    result->findChild<QPushButton *>(QStringLiteral("cmdProblemColor"))->click();
    if (!waitFor([&] { return result->frontPanel() == result->solutionPanel(); }))
        return 1;
    const double cpu = cpuMs() - cpuBefore;
    const double wall = total.nsecsElapsed() / 1e6;

    double worst = 0;
    for (std::size_t i = 0; i < effects.pauses.size(); ++i) {
        std::printf("pause %2zu: %.2f ms\n", i + 1, effects.pauses[i]);
        worst = std::max(worst, std::abs(effects.pauses[i] - 1000.0));
    }
    std::printf("pauses: %zu, worst deviation from 1 s: %.2f ms (target < 20)\n", effects.pauses.size(), worst);
    std::printf("whole reading: %.0f ms wall, %.2f ms CPU (target < 100)\n", wall, cpu);
    return effects.pauses.size() == 12 ? 0 : 1;
}
