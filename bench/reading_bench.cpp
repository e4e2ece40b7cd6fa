// Measures one reading's costs: loading and filling the result window, the reveal's timing and CPU use,
// and emptying the clipboard while another program holds it and does not answer (it is stopped).
// Run under a display: xvfb-run -a bench/reading_bench. Offscreen runs all but the clipboard part.
#include "reading/catalogue.h"
#include "shell/qteffects.h"
#include "ui/common/fonts.h"
#include "ui/common/frame.h"
#include "ui/common/picturebox.h"
#include "ui/result/resultwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>

static double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static double ms(const QElapsedTimer &clock)
{
    return clock.nsecsElapsed() / 1e6;
}

// The other program: takes the clipboard, says so, then serves it until it is stopped or killed.
static int holdClipboard()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("held by another program"));
    std::printf("holding\n");
    std::fflush(stdout);
    return QApplication::exec();
}

static void measureClipboard(tintwise::QtEffects &effects, const char *self)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::printf("clipboard: skipped on the %s platform (needs a display)\n",
                    qPrintable(QGuiApplication::platformName()));
        return;
    }
    QProcess holder;
    holder.start(QString::fromLocal8Bit(self), {QStringLiteral("--hold-clipboard")});
    if (!holder.waitForReadyRead(5000)) {
        std::printf("clipboard: the holding program did not start\n");
        return;
    }
    ::kill(pid_t(holder.processId()), SIGSTOP); // holds the clipboard and answers nothing
    // As a running program would, learn of the new owner (and its later time stamp) before emptying.
    QTest::qWait(200);
    double worst = 0;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer clock;
        clock.start();
        effects.clearClipboard();
        worst = std::max(worst, ms(clock));
    }
    std::printf("clipboard: 20 emptyings with a stopped owner, slowest %.2f ms; now holds \"%s\"\n", worst,
                qPrintable(QGuiApplication::clipboard()->text()));
    ::kill(pid_t(holder.processId()), SIGKILL);
    holder.waitForFinished();
}

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--hold-clipboard") == 0)
        return holdClipboard();
    tintwise::registerFontSubstitutes();
    tintwise::QtEffects effects;

    QElapsedTimer clock;
    clock.start();
    tintwise::ResultWindow window(effects);
    const double load = ms(clock);
    tintwise::SelectionRecord record;
    record.DayColorIndex = 15;
    record.ProblemColorIndex = 7;
    record.SolutionColorIndex = 15;
    tintwise::FillSelectionRecord(record);
    clock.restart();
    window.fillReading(record);
    window.openOnDayPanel();
    const double fill = ms(clock);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    std::printf("result window: load %.2f ms, fill and open on the Day panel %.2f ms\n", load, fill);

    // One reveal: when each mark comes up and when the Problem panel is in front, sampled every 2 ms.
    double marks[4] = {-1, -1, -1, -1};
    double panel = -1;
    QTimer sampler;
    sampler.setTimerType(Qt::PreciseTimer);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        for (int i = 0; i < 4; ++i)
            if (marks[i] < 0 && window.waitStrip().marks[i]->isVisible())
                marks[i] = ms(clock);
        if (panel < 0 && window.frontPanel() == window.problemPanel())
            panel = ms(clock);
    });
    sampler.start(2);
    clock.restart();
    window.findChild<QPushButton *>(QStringLiteral("cmdChoosenColor"))->click();
    while (panel < 0 && clock.elapsed() < 8000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    sampler.stop();
    std::printf("reveal: marks at %.0f, %.0f, %.0f, %.0f ms; Problem panel at %.0f ms (design: 0, 1000, 2000, 3000; "
                "4000)\n",
                marks[0], marks[1], marks[2], marks[3], panel);

    // The second reveal unobserved, for the CPU it costs.
    const double cpuBefore = cpuMs();
    clock.restart();
    window.findChild<QPushButton *>(QStringLiteral("cmdProblemColor"))->click();
    while (window.frontPanel() != window.solutionPanel() && clock.elapsed() < 8000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("reveal: %.0f ms, CPU %.1f ms\n", ms(clock), cpuMs() - cpuBefore);

    measureClipboard(effects, argv[0]);
    return 0;
}
