#include "reading/catalogue.h"
#include "shell/app.h"
#include "support/fakeeffects.h"
#include "ui/common/fonts.h"
#include "ui/common/frame.h"
#include "ui/common/labels.h"
#include "ui/common/picturebox.h"
#include "ui/exit/exitwindow.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QtTest>

using namespace tintwise;

/// Whole readings through the shell: the main window's draw, the result window, Back and the next reading.
class ReadingFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }
    void init()
    {
        m_effects = test::FakeEffects();
        m_app = new App(m_effects);
        m_main = m_app->mainWindow();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
    }

    void cleanup() { delete std::exchange(m_app, nullptr); }

    void readingThenAnotherAfterBack_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("backByMenu");
        QTest::newRow("left on the Day panel") << 0 << false;
        QTest::newRow("left on the Problem panel, menu Back") << 1 << true;
        QTest::newRow("left on the Solution panel") << 2 << false;
        QTest::newRow("left on Show All, menu Back") << 3 << true;
    }

    void readingThenAnotherAfterBack()
    {
        QFETCH(int, steps);
        QFETCH(bool, backByMenu);
        m_effects.randoms = {0.8};
        // At each pause: which wait shows, and how many of its marks are up. During the first, the user clicks
        // and presses Space on a patch under the wait panel (they reach it all the same): one click, one result.
        QStringList waits;
        m_effects.onPause = [&](int n) {
            const bool onMain = !m_main->waitPanel()->isHidden();
            const WaitStrip &strip = onMain ? m_main->waitStrip() : result()->waitStrip();
            const auto up =
                std::count_if(strip.marks.begin(), strip.marks.end(), [](QWidget *m) { return !m->isHidden(); });
            const bool inFront = onMain || result()->frontPanel() == result()->waitPanel();
            waits << QStringLiteral("%1%2%3").arg(onMain ? "main" : "result").arg(up).arg(inFront ? "" : " behind");
            if (n == 1) {
                QTest::keyClick(m_main->patch(9), Qt::Key_Space);
                QTest::mouseClick(m_main->patch(9), Qt::LeftButton);
            }
        };
        draw(15, 24);
        QCoreApplication::processEvents();
        verifyShows(15, 7, 15); // Black, Olive Green, Black
        const char *buttons[] = {"cmdChoosenColor", "cmdProblemColor", "cmdShowAll"};
        QWidget *panels[] = {result()->problemPanel(), result()->solutionPanel(), result()->showAllPanel()};
        for (int i = 0; i < steps; ++i) {
            click(buttons[i]);
            QCOMPARE(result()->frontPanel(), panels[i]);
        }
        if (backByMenu)
            result()->findChild<QAction *>(QStringLiteral("mnuFileBack"))->trigger();
        else
            click("cmdBack");
        QVERIFY(result()->isHidden() && m_main->isVisible());
        QCOMPARE(m_main->numberChooser()->currentText(), QStringLiteral("24"));

        draw(5, 12);
        verifyShows(5, 1, 13); // Turquoise, Pink, Brown
        const QString mainWait = QStringLiteral("main1 main2 main3 main4");
        QStringList expected{mainWait};
        for (int i = 0; i < std::min(steps, 2); ++i)
            expected << QStringLiteral("result1 result2 result3 result4");
        QCOMPARE(waits.join(' '), (expected << mainWait).join(' '));
    }

    void firstReadingPreparesTheExitScreenThatClosingTheResultShows_data() { readingThenAnotherAfterBack_data(); }
    void firstReadingPreparesTheExitScreenThatClosingTheResultShows()
    {
        QFETCH(int, steps);
        QFETCH(bool, backByMenu);
        m_effects.randoms = {0.8};
        draw(15, 24);
        // The first reading loads the exit screen, which picks its support message then, and leaves it hidden.
        const QPointer<ExitWindow> exit = m_app->exitWindow();
        QVERIFY(exit->isHidden() && exit->supportMessageNumber() == 3);
        const char *buttons[] = {"cmdChoosenColor", "cmdProblemColor", "cmdShowAll"};
        for (int i = 0; i < steps; ++i)
            click(buttons[i]);
        if (backByMenu)
            result()->findChild<QAction *>(QStringLiteral("mnuFileBack"))->trigger();
        else
            click("cmdBack");
        QVERIFY(exit->isHidden());
        draw(5, 12);

        result()->close(); // the exit screen comes up: the same window and message, not prepared again
        QVERIFY(m_app->exitWindow() == exit.data() && exit->isVisible() && exit->supportMessageNumber() == 3);
        QVERIFY(m_effects.seeds == 1 && m_effects.ends == 0); // the run goes on until the exit screen is left
    }

    void mainWindowClosedAndDeletedDuringTheDraw()
    {
        m_main->setAttribute(Qt::WA_DeleteOnClose); // deferred deletes run inside the waits
        m_effects.onPause = [&](int n) {
            if (n == 2)
                QTest::keyClick(m_main, Qt::Key_Escape); // presses Exit
        };
        draw(3, 5);
        QCOMPARE(m_effects.pauses.size(), std::size_t(2));
        QVERIFY(m_app->isExitWindowLoaded() && m_app->exitWindow()->isVisible()); // the way out, not a result
        QVERIFY(m_main.isNull() && m_effects.ends == 0);
        QVERIFY(!m_app->isMainWindowLoaded() && !m_app->isResultWindowLoaded()); // nothing loaded afresh
        QCOMPARE(m_app->selection().ChosenNumber, 0);
    }

    void backDuringARevealThenANewReading_data()
    {
        QTest::addColumn<bool>("drawnInsideTheReveal");
        QTest::newRow("the reveal ends on the hidden window, then the reading") << false;
        QTest::newRow("the reading runs all its waits inside the reveal's second one") << true;
    }
    void backDuringARevealThenANewReading()
    {
        QFETCH(bool, drawnInsideTheReveal);
        draw(0, 1);
        m_effects.onPause = [&](int n) {
            if (n == 6) {
                click("cmdBack");
                if (drawnInsideTheReveal)
                    draw(9, 3);
            }
        };
        click("cmdChoosenColor");
        if (!drawnInsideTheReveal) { // the next reading resets it
            QVERIFY(m_effects.pauses.size() == 8 && result()->isHidden());
            QCOMPARE(result()->frontPanel(), result()->problemPanel());
            draw(9, 3);
        }
        verifyShows(9, 12, 15); // Yellow, Grey, Black
    }

    void resultWindowClosedDuringARevealHandsOverOnce_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("File menu Exit") << true;
        QTest::newRow("close control, the window kept to look at") << false;
    }
    void resultWindowClosedDuringARevealHandsOverOnce()
    {
        QFETCH(bool, byMenu);
        draw(4, 4);
        const QPointer<ResultWindow> window = result();
        window->setAttribute(Qt::WA_DeleteOnClose, byMenu);
        m_effects.onPause = [&](int n) {
            if (n == 6 && byMenu)
                window->findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
            else if (n == 6)
                window->close();
        };
        click("cmdChoosenColor");
        QCOMPARE(m_effects.pauses.size(), std::size_t(6));
        QVERIFY(m_app->isExitWindowLoaded() && m_app->exitWindow()->isVisible());
        QVERIFY(m_main->isHidden() && m_app->isMainWindowLoaded()); // only the quit routine unloads it
        QVERIFY(m_effects.ends == 0 && window.isNull() == byMenu && !m_app->isResultWindowLoaded());
        if (!byMenu) // left exactly as the close found it
            QCOMPARE(window->frontPanel(), window->waitPanel());
        delete window.data();
    }

    // Work queued by a patch or a Next meets a window that closed, or a modal box that came up, before the event
    // loop got to it: each row a sequence the soak once found.
    void revealQueuedWhenTheResultWindowClosedIsDropped()
    {
        draw(2, 1);
        const QPointer<ResultWindow> window = result();
        QVERIFY(window && window->isVisible());
        const auto pausesBefore = m_effects.pauses.size();
        QTest::mouseClick(window->findChild<QWidget *>(QStringLiteral("cmdChoosenColor")), Qt::LeftButton);
        window->close(); // Exit before the event loop reached the queued reveal
        QCoreApplication::processEvents();
        QCOMPARE(m_effects.pauses.size(), pausesBefore); // no wait played on the closed window
        QVERIFY(!window || (window->isHidden() && window->frontPanel() == window->dayPanel()));
    }

    void workQueuedUnderAModalBoxIsDropped_data()
    {
        QTest::addColumn<bool>("reveal");
        QTest::newRow("a patch, then the About box before the draw began") << false;
        QTest::newRow("Next, then the About box before the reveal began") << true;
    }
    void workQueuedUnderAModalBoxIsDropped()
    {
        QFETCH(bool, reveal);
        QWidget *window = m_main;
        QWidget *press = m_main->patch(4);
        if (reveal) {
            draw(2, 1);
            window = result();
            QVERIFY(window && window->isVisible());
            press = window->findChild<QWidget *>(QStringLiteral("cmdChoosenColor"));
        }
        const auto pausesBefore = m_effects.pauses.size();
        qsizetype pausesInsideTheBox = -1;
        QTimer::singleShot(0, [&] { // runs inside the box's own loop, after the queued work would have
            QTimer::singleShot(0, [&] {
                pausesInsideTheBox = m_effects.pauses.size() - pausesBefore;
                if (QWidget *box = QApplication::activeModalWidget())
                    box->close();
            });
        });
        QTest::mouseClick(press, Qt::LeftButton);
        window->findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger(); // returns once the box closed
        QCoreApplication::processEvents();
        QCOMPARE(pausesInsideTheBox, 0);
        QCOMPARE(m_effects.pauses.size(), pausesBefore); // dropped, not merely put off
        QVERIFY(window->isVisible());
    }

private:
    ResultWindow *result() const { return m_app->isResultWindowLoaded() ? m_app->resultWindow() : nullptr; }
    void draw(int patch, int number)
    {
        m_main->numberChooser()->setCurrentText(QString::number(number));
        QTest::mouseClick(m_main->patch(patch), Qt::LeftButton);
        QCoreApplication::processEvents(); // the draw runs from the event loop
    }
    void click(const char *resultButton)
    {
        QTest::mouseClick(result()->findChild<QWidget *>(QLatin1String(resultButton)), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void verifyShows(int day, int problem, int solution);

    test::FakeEffects m_effects;
    App *m_app = nullptr;
    QPointer<MainWindow> m_main;
};

void ReadingFlowTest::verifyShows(int day, int problem, int solution)
{
    const SelectionRecord &r = m_app->selection();
    QCOMPARE((QList<int>{r.DayColorIndex, r.ProblemColorIndex, r.SolutionColorIndex}),
             (QList<int>{day, problem, solution}));
    // The twelve controls the draw fills: names, then texts, each in day, problem, solution order.
    const QStringList controls = QStringLiteral("lblChoosenColor lblProblemColor lblSolutionColor lblShowAllDayColor "
                                                "lblShowAllProblemColor lblShowAllSolutionColor "
                                                "lblChoosenColorInterpretation lblProblemColorInterpretation "
                                                "lblSolutionColorInterpretation txtShowAllDayColorDesc "
                                                "txtShowAllProblemColorDesc txtShowAllSolutionColorDesc")
                                     .split(' ');
    const int colours[] = {day, problem, solution};
    for (int i = 0; i < 12; ++i) {
        QWidget *w = result()->findChild<QWidget *>(controls[i]);
        auto *box = qobject_cast<QPlainTextEdit *>(w);
        const ColourEntry &entry = colourCatalogue()[colours[i % 3]];
        QCOMPARE(box ? box->toPlainText() : qobject_cast<QLabel *>(w)->text(), i < 6 ? entry.name : entry.text);
    }
    QVERIFY(result()->isVisible() && m_main->isHidden());
    QCOMPARE(result()->frontPanel(), result()->dayPanel());
    QVERIFY(result()->showAllPanel()->isHidden() && result()->waitPanel()->isHidden());
    QVERIFY(m_main->waitPanel()->isHidden() && m_main->waitStrip().picMessage->isHidden());
}

QTEST_MAIN(ReadingFlowTest)
#include "reading_flow_test.moc"
