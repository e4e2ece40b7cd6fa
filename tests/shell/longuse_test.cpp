#include "shell/app.h"
#include "support/fakeeffects.h"
#include "ui/common/fonts.h"
#include "ui/common/picturebox.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QtTest>

#include <ctime>
#include <fstream>
#include <unistd.h>

using namespace tintwise;

namespace {

qint64 residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

} // namespace

/// A long session: reading after reading through the shell, each with both reveals, Show All and Back.
/// Resident memory must not keep growing, and once the user stops the program must go quiet.
class LongUseTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }

    void hundredFiftyReadingsLeaveNoGrowthAndNoIdleWork()
    {
        test::FakeEffects effects;
        App app(effects);
        MainWindow *main = app.mainWindow();
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main));

        constexpr int kReadings = 150;
        QList<qint64> samples;
        for (int reading = 1; reading <= kReadings; ++reading) {
            QTest::mouseClick(main->patch(reading % 16), Qt::LeftButton);
            QTRY_VERIFY(app.isResultWindowLoaded() && app.resultWindow()->isVisible());
            ResultWindow *result = app.resultWindow();
            for (const char *button : {"cmdChoosenColor", "cmdProblemColor", "cmdShowAll", "cmdBack"}) {
                QTest::mouseClick(result->findChild<QWidget *>(QLatin1String(button)), Qt::LeftButton);
                QCoreApplication::processEvents();
            }
            QTRY_VERIFY(main->isVisible() && result->isHidden());
            if (reading % 10 == 0) {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                samples << residentKiB();
            }
        }
        QStringList figures;
        for (qint64 kib : samples)
            figures << QString::number(kib);
        qInfo("resident KiB every 10 readings: %s", qPrintable(figures.join(QLatin1Char(' '))));

#if !defined(__SANITIZE_ADDRESS__) // its quarantine holds freed memory; LeakSanitizer covers that build
        // A leak of one window, panel or text per reading would add well over 1 MiB over 120 readings.
        constexpr int kWarmUp = 30; // caches of fonts, glyphs and styles fill during the first readings
        const qint64 afterWarmUp = samples[kWarmUp / 10 - 1];
        const qint64 growth = samples.last() - afterWarmUp;
        QVERIFY2(growth < 1024, qPrintable(QStringLiteral("grew by %1 KiB after the warm-up").arg(growth)));
#endif

        // Quiet when left alone: no timer or animation keeps running.
        QEventLoop idleLoop; // sleeps, unlike QTest::qWait, which polls
        QTimer::singleShot(1000, &idleLoop, &QEventLoop::quit);
        const double before = cpuMs();
        idleLoop.exec();
        const double idle = cpuMs() - before;
        qInfo("CPU while idle for 1 s: %.2f ms", idle);
        QVERIFY2(idle < 5, qPrintable(QStringLiteral("%1 ms of CPU while idle").arg(idle)));
    }
};

QTEST_MAIN(LongUseTest)
#include "longuse_test.moc"
