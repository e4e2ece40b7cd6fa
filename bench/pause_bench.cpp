// Measures the wait routine: wall time of each one-second pause with a window shown, and the CPU the
// process spends meanwhile. Run under a display (xvfb-run) or QT_QPA_PLATFORM=offscreen.
#include "shell/app.h"
#include "shell/qteffects.h"
#include "ui/main/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>
#include <ctime>

static double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    tintwise::QtEffects effects;
    tintwise::MainWindow window(effects);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    const double cpuBefore = cpuMs();
    QElapsedTimer total;
    total.start();
    double worst = 0;
    for (int i = 0; i < 4; ++i) {
        QElapsedTimer clock;
        clock.start();
        effects.pause(1);
        const double ms = clock.nsecsElapsed() / 1e6;
        worst = std::max(worst, std::abs(ms - 1000.0));
        std::printf("pause %d: %.2f ms\n", i + 1, ms);
    }
    const double cpu = cpuMs() - cpuBefore;
    const double waited = total.nsecsElapsed() / 1e9;
    std::printf("worst deviation from 1 s: %.2f ms (target < 20)\n", worst);
    std::printf("CPU: %.2f ms over %.2f s = %.2f ms per second of waiting (target < 20)\n", cpu, waited, cpu / waited);
    return 0;
}
