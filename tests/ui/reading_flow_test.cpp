#include "reading/catalogue.h"
#include "shell/app.h"
#include "shell/qteffects.h"
#include "support/fakeeffects.h"
#include "ui/exit/exitwindow.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

using namespace tintwise;

/// Whole readings through the shell: the main window's draw, the result window, Back and the next reading.
class ReadingFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }
    void init();
    void cleanup() { delete m_app; }

    void readingByMouseThenAnotherAfterBack_data();
    void readingByMouseThenAnotherAfterBack();
    void readingByKeyboard();
    void mainWindowClosedDuringTheDraw_data();
    void mainWindowClosedDuringTheDraw();
    void onePatchClickGivesOneResult();
    void backDuringARevealThenANewReading_data();
    void backDuringARevealThenANewReading();
    void resultWindowClosedDuringARevealHandsOverOnce_data();
    void resultWindowClosedDuringARevealHandsOverOnce();
    void marksAndPanelFollowTheClock();
    void readingAndBackKeepTheExitScreenHidden();
    void resultWindowCloseControlHandsOverToTheExitScreen();

private:
    ResultWindow *result() const { return m_app->isResultWindowLoaded() ? m_app->resultWindow() : nullptr; }
    QWidget *resultChild(const char *name) const { return result()->findChild<QWidget *>(QLatin1String(name)); }
    void draw(int patch, int number)
    {
        m_main->numberChooser()->setCurrentText(QString::number(number));
        QTest::mouseClick(m_main->patch(patch), Qt::LeftButton);
        QCoreApplication::processEvents(); // the draw runs from the event loop
    }
    void click(const char *resultButton)
    {
        QTest::mouseClick(resultChild(resultButton), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void verifyShows(int day, int problem, int solution);

    test::FakeEffects m_effects;
    App *m_app = nullptr;
    QPointer<MainWindow> m_main;
};

void ReadingFlowTest::init()
{
    m_effects = test::FakeEffects();
    m_app = new App(m_effects);
    m_main = m_app->mainWindow();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
}

void ReadingFlowTest::verifyShows(int day, int problem, int solution)
{
    const SelectionRecord &r = m_app->selection();
    QCOMPARE((QList<int>{r.DayColorIndex, r.ProblemColorIndex, r.SolutionColorIndex}),
             (QList<int>{day, problem, solution}));
    // The twelve controls the draw fills, each from the colour it names.
    const std::pair<const char *, int> names[] = {
        {"lblChoosenColor", day},    {"lblProblemColor", problem},        {"lblSolutionColor", solution},
        {"lblShowAllDayColor", day}, {"lblShowAllProblemColor", problem}, {"lblShowAllSolutionColor", solution}};
    const std::pair<const char *, int> texts[] = {
        {"lblChoosenColorInterpretation", day},       {"lblProblemColorInterpretation", problem},
        {"lblSolutionColorInterpretation", solution}, {"txtShowAllDayColorDesc", day},
        {"txtShowAllProblemColorDesc", problem},      {"txtShowAllSolutionColorDesc", solution}};
    for (const auto &[name, colour] : names)
        QCOMPARE(qobject_cast<QLabel *>(resultChild(name))->text(), colourCatalogue()[colour].name);
    for (const auto &[name, colour] : texts) {
        QWidget *w = resultChild(name);
        auto *box = qobject_cast<QPlainTextEdit *>(w);
        QCOMPARE(box ? box->toPlainText() : qobject_cast<QLabel *>(w)->text(), colourCatalogue()[colour].text);
    }
    QVERIFY(result()->isVisible() && m_main->isHidden());
    QCOMPARE(result()->frontPanel(), result()->dayPanel());
    QVERIFY(result()->showAllPanel()->isHidden() && result()->waitPanel()->isHidden());
    QVERIFY(m_main->waitPanel()->isHidden() && m_main->waitStrip().picMessage->isHidden());
}

void ReadingFlowTest::readingByMouseThenAnotherAfterBack_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<bool>("backByMenu");
    QTest::newRow("left on the Day panel") << 0 << false;
    QTest::newRow("left on the Problem panel, menu Back") << 1 << true;
    QTest::newRow("left on the Solution panel") << 2 << false;
    QTest::newRow("left on Show All, menu Back") << 3 << true;
}

void ReadingFlowTest::readingByMouseThenAnotherAfterBack()
{
    QFETCH(int, steps);
    QFETCH(bool, backByMenu);
    // At each pause: which wait shows, and how many of its marks are up.
    QStringList waits;
    m_effects.onPause = [&](int) {
        const bool onMain = !m_main->waitPanel()->isHidden();
        const WaitStrip &strip = onMain ? m_main->waitStrip() : result()->waitStrip();
        const auto up =
            std::count_if(strip.marks.begin(), strip.marks.end(), [](QWidget *m) { return !m->isHidden(); });
        const bool inFront = onMain || result()->frontPanel() == result()->waitPanel();
        waits << QStringLiteral("%1 %2%3").arg(onMain ? "main" : "result").arg(up).arg(inFront ? "" : " behind");
    };
    draw(15, 24);
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

    m_effects.clipboardClears = 0;
    draw(5, 12);
    verifyShows(5, 1, 13); // Turquoise, Pink, Brown
    QVERIFY(m_effects.clipboardClears >= 3);
    const QStringList mainWait{"main 1", "main 2", "main 3", "main 4"};
    const QStringList resultWait{"result 1", "result 2", "result 3", "result 4"};
    QStringList expected = mainWait;
    for (int i = 0; i < std::min(steps, 2); ++i)
        expected += resultWait;
    QCOMPARE(waits, expected + mainWait);
}

void ReadingFlowTest::readingByKeyboard()
{
    QTest::keyClick(m_main->patch(0), Qt::Key_Space);
    QCoreApplication::processEvents();
    verifyShows(0, 1, 2);                       // Red, Pink, Purple with the chooser's "1"
    resultChild("cmdChoosenColor")->setFocus(); // as by Tab
    for (QWidget *panel : {result()->problemPanel(), result()->solutionPanel(), result()->showAllPanel()}) {
        QTest::keyClick(result()->focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(result()->frontPanel(), panel);
    }
    QTest::keyClick(resultChild("cmdBack"), Qt::Key_Space);
    QVERIFY(m_main->isVisible() && result()->isHidden());
}

void ReadingFlowTest::mainWindowClosedDuringTheDraw_data()
{
    QTest::addColumn<bool>("deleted");
    QTest::newRow("closed") << false;
    QTest::newRow("closed and deleted") << true;
}

void ReadingFlowTest::mainWindowClosedDuringTheDraw()
{
    QFETCH(bool, deleted);
    m_main->setAttribute(Qt::WA_DeleteOnClose, deleted); // deferred deletes run inside the waits
    m_effects.onPause = [&](int n) {
        if (n == 2)
            QTest::keyClick(m_main, Qt::Key_Escape); // presses Exit
    };
    draw(3, 5);
    QCOMPARE(m_effects.pauses.size(), std::size_t(2));
    QVERIFY(m_app->isExitWindowLoaded() && m_app->exitWindow()->isVisible()); // the way out, not a result
    QCOMPARE(m_effects.ends, 0);
    QCOMPARE(m_main.isNull(), deleted);
    QVERIFY(!m_app->isMainWindowLoaded() && !m_app->isResultWindowLoaded()); // nothing loaded afresh
    QCOMPARE(m_app->selection().ChosenNumber, 0);
}

void ReadingFlowTest::onePatchClickGivesOneResult()
{
    m_effects.onPause = [this](int n) {
        if (n == 1) {
            QTest::keyClick(m_main->patch(9), Qt::Key_Space);    // a focused patch under the wait panel
            QTest::mouseClick(m_main->patch(9), Qt::LeftButton); // reaches a covered patch all the same
            m_app->picColor_Click(9);
        }
    };
    draw(2, 4);
    QCoreApplication::processEvents();
    QCOMPARE(m_effects.pauses.size(), std::size_t(4));
    verifyShows(2, 6, 10);
}

void ReadingFlowTest::backDuringARevealThenANewReading_data()
{
    QTest::addColumn<bool>("newReading");
    QTest::newRow("Back only") << false;
    QTest::newRow("Back, then a new reading") << true;
}

void ReadingFlowTest::backDuringARevealThenANewReading()
{
    QFETCH(bool, newReading);
    draw(0, 1);
    m_effects.onPause = [&](int n) {
        if (n == 6) {
            click("cmdBack");
            if (newReading)
                draw(9, 3); // runs all its waits inside the reveal's second one
        }
    };
    click("cmdChoosenColor");
    if (!newReading) { // the reveal finished on the hidden window; the next reading resets it
        QCOMPARE(m_effects.pauses.size(), std::size_t(8));
        QVERIFY(result()->isHidden());
        QCOMPARE(result()->frontPanel(), result()->problemPanel());
        draw(9, 3);
    }
    verifyShows(9, 12, 15); // Yellow, Grey, Black
}

void ReadingFlowTest::resultWindowClosedDuringARevealHandsOverOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("Exit button") << "cmdExit" << true;
    QTest::newRow("File menu Exit") << "mnuExit" << true;
    QTest::newRow("close control, not yet deleted") << "" << false;
}

void ReadingFlowTest::resultWindowClosedDuringARevealHandsOverOnce()
{
    QFETCH(QString, how);
    QFETCH(bool, deleted);
    draw(4, 4);
    const QPointer<ResultWindow> window = result();
    window->setAttribute(Qt::WA_DeleteOnClose, deleted);
    m_effects.onPause = [&](int n) {
        if (n != 6)
            return;
        if (how.isEmpty())
            window->close();
        else if (auto *exit = window->findChild<QAction *>(how))
            exit->trigger();
        else
            click(qPrintable(how));
    };
    click("cmdChoosenColor");
    QCOMPARE(m_effects.pauses.size(), std::size_t(6));
    QVERIFY(m_app->isExitWindowLoaded() && m_app->exitWindow()->isVisible());
    QVERIFY(m_main->isHidden());
    QCOMPARE(m_effects.ends, 0);
    QCOMPARE(window.isNull(), deleted);
    QVERIFY(!m_app->isResultWindowLoaded());
    if (!deleted) // left exactly as the close found it
        QCOMPARE(window->frontPanel(), window->waitPanel());
    delete window.data();
}

void ReadingFlowTest::marksAndPanelFollowTheClock()
{
    QtEffects real;
    App app(real);
    MainWindow *main = app.mainWindow();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));

    // Sample every few milliseconds when each mark comes up and when the result window replaces the main one.
    QElapsedTimer clock;
    QList<qint64> marksUp(4, -1);
    qint64 shown = -1;
    QTimer sampler;
    sampler.setTimerType(Qt::PreciseTimer);
    connect(&sampler, &QTimer::timeout, [&] {
        for (int i = 0; i < 4; ++i)
            if (marksUp[i] < 0 && main->waitStrip().marks[i]->isVisible())
                marksUp[i] = clock.elapsed();
        if (shown < 0 && app.isResultWindowLoaded() && app.resultWindow()->isVisible())
            shown = clock.elapsed();
    });
    sampler.start(5);
    clock.start();
    QTest::mouseClick(main->patch(6), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(shown >= 0, 8000);
    for (int i = 0; i < 4; ++i)
        QVERIFY2(qAbs(marksUp[i] - 1000 * i) <= 300,
                 qPrintable(QStringLiteral("mark %1 at %2 ms").arg(i + 1).arg(marksUp[i])));
    QVERIFY2(qAbs(shown - 4000) <= 300, qPrintable(QStringLiteral("result at %1 ms").arg(shown)));
}

QTEST_MAIN(ReadingFlowTest)
void ReadingFlowTest::readingAndBackKeepTheExitScreenHidden()
{
    QVERIFY(!m_app->isExitWindowLoaded());
    draw(1, 2);
    // The first reading loads the exit screen (its support message is picked then) and leaves it hidden.
    QVERIFY(m_app->isExitWindowLoaded());
    QVERIFY(m_app->exitWindow()->isHidden());
    QVERIFY(result()->isVisible());

    m_app->exitWindow()->show(); // as if it had come up meanwhile
    click("cmdBack");
    QVERIFY(m_app->exitWindow()->isHidden());
    QVERIFY(m_main->isVisible());
    QCOMPARE(m_effects.ends, 0);
}

void ReadingFlowTest::resultWindowCloseControlHandsOverToTheExitScreen()
{
    draw(6, 6);
    QVERIFY(result()->close());
    QVERIFY(!m_app->isResultWindowLoaded());
    QVERIFY(m_app->exitWindow()->isVisible());
    QVERIFY(m_main->isHidden()); // stays hidden; only the quit routine unloads it
    QVERIFY(m_app->isMainWindowLoaded());

    m_app->exitWindow()->close(); // leaving the exit screen ends the process, unloading the hidden main window
    QCOMPARE(m_effects.ends, 1);
    QVERIFY(!m_app->isMainWindowLoaded());
}

#include "reading_flow_test.moc"
