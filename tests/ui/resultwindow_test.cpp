#include "links/sitelinks.h"
#include "reading/catalogue.h"
#include "support/fakeeffects.h"
#include "ui/result/resultwindow.h"

#include <QAction>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace tintwise;

class ResultWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowIsFixedWithFivePanelsInOneRectangle();
    void storedStackingAndWhatStartsHidden();
    void onlyTheFrontPanelShowsAndTheBandsStayInFront();
    void footerAndMenus();
    void longTextsWrapOrScrollAndBoxesAreLocked();
    void escAndEnterPressShowAll_data();
    void escAndEnterPressShowAll();
    void revealRunsTheWaitThenBringsTheNextPanel();
    void escDuringARevealShowsShowAllThenTheTarget();
    void coveredNextButtonsDoNothing();
    void aClosedWindowEndsItsReveal_data();
    void aClosedWindowEndsItsReveal();
    void clipboardIsEmptiedByChangeAndMouseOverTheBoxes_data();
    void clipboardIsEmptiedByChangeAndMouseOverTheBoxes();
    void menusAndLabelsOpenTheirPages_data();
    void menusAndLabelsOpenTheirPages();

private:
    template <typename T = QWidget> T *child(const char *name) const
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    void click(const char *button) { QTest::mouseClick(child(button), Qt::LeftButton); }
    void reveal(const char *button);
    static SelectionRecord reading(int day, int problem, int solution);

    test::FakeEffects m_effects;
    QPointer<ResultWindow> m_window;
};

SelectionRecord ResultWindowTest::reading(int day, int problem, int solution)
{
    SelectionRecord record;
    record.DayColorIndex = std::int16_t(day);
    record.ProblemColorIndex = std::int16_t(problem);
    record.SolutionColorIndex = std::int16_t(solution);
    FillSelectionRecord(record);
    return record;
}

void ResultWindowTest::reveal(const char *button)
{
    click(button);
    QCoreApplication::processEvents(); // the reveal runs from the event loop
}

void ResultWindowTest::initTestCase()
{
    registerFontSubstitutes();
}

void ResultWindowTest::init()
{
    m_effects = test::FakeEffects();
    m_window = new ResultWindow(m_effects);
    m_window->fillReading(reading(15, 7, 15));
    m_window->openOnDayPanel();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_effects.clipboardClears = 0;
}

void ResultWindowTest::cleanup()
{
    delete m_window.data();
}

void ResultWindowTest::windowIsFixedWithFivePanelsInOneRectangle()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("frmDisplay"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Zorvel Tintwise v1.25"));
    QCOMPARE(m_window->centralWidget()->size(), QSize(628, 376));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(!(m_window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    for (const char *panel : {"fraMsg", "fraProblemColor", "fraSolutionColor", "fraCoosenColor", "frmShowAll"})
        QCOMPARE(child(panel)->geometry(), QRect(0, 48, 628, 273));
    QCOMPARE(child("picMessage")->geometry(), QRect(208, 120, 225, 33));
}

void ResultWindowTest::storedStackingAndWhatStartsHidden()
{
    const ResultWindow fresh(m_effects);
    const QObjectList order = fresh.centralWidget()->children();
    QStringList names;
    for (QObject *o : order)
        if (o->isWidgetType())
            names.prepend(o->objectName());
    QCOMPARE(names, (QStringList{"Frame2", "Frame5", "fraMsg", "fraProblemColor", "fraSolutionColor", "fraCoosenColor",
                                 "frmShowAll"}));
    for (const char *name : {"fraMsg", "picMessage", "shp1", "shp2", "shp3", "shp4", "frmShowAll"})
        QVERIFY2(fresh.findChild<QWidget *>(QLatin1String(name))->isHidden(), name);
    QCOMPARE(fresh.frontPanel(), fresh.problemPanel());
}

void ResultWindowTest::onlyTheFrontPanelShowsAndTheBandsStayInFront()
{
    // Show All lies visible behind the Day panel: none of its white boxes may show through.
    child("frmShowAll")->show();
    child("frmShowAll")->lower();
    const QImage shot = m_window->centralWidget()->grab().toImage();
    QCOMPARE(QColor(shot.pixel(20, 48 + 200)), QColor(0x40, 0x40, 0x40));
    QCOMPARE(QColor(shot.pixel(300, 48)), QColor(0x80, 0x00, 0x80));  // banner over the panels' top edge
    QCOMPARE(QColor(shot.pixel(300, 320)), QColor(0x80, 0x00, 0x80)); // footer over their bottom edge

    click("cmdShowAll");
    const QImage front = m_window->centralWidget()->grab().toImage();
    QCOMPARE(QColor(front.pixel(20, 48 + 200)), QColor(Qt::white));
    QCOMPARE(QColor(front.pixel(300, 48)), QColor(0x80, 0x00, 0x80));
}

void ResultWindowTest::footerAndMenus()
{
    QCOMPARE(child("cmdExit")->geometry(), QRect(480, 16, 68, 31));
    QCOMPARE(child("cmdBack")->geometry(), QRect(552, 16, 68, 31));
    QVERIFY(child("lblCobrand")->parent()->children().indexOf(child("lblCobrand")) >
            child("lblFullBrand")->parent()->children().indexOf(child("lblFullBrand")));

    QStringList tree;
    for (QAction *top : m_window->menuBar()->actions()) {
        tree << top->text() + (top->isEnabled() ? "" : " (off)");
        if (top->menu())
            for (QAction *entry : top->menu()->actions())
                tree << "- " + (entry->isSeparator() ? "-" : entry->text()) + (entry->isEnabled() ? "" : " (off)");
    }
    QCOMPARE(tree, (QStringList{"&File", "- &Show All (off)", "- &Back", "- E&xit", "&Help", "- &Online Help",
                                "- &Visit Us Online", "- -", "- &Check for Software Update", "- -", "- &About Software",
                                "&Donate", "Make Money &Online (off)"}));
}

void ResultWindowTest::longTextsWrapOrScrollAndBoxesAreLocked()
{
    for (int i = 0; i < kColourCount; ++i) {
        m_window->fillReading(reading(i, i, i));
        for (const char *name :
             {"lblChoosenColorInterpretation", "lblProblemColorInterpretation", "lblSolutionColorInterpretation"}) {
            auto *label = child<QLabel>(name);
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
        }
        auto *name = child<QLabel>("lblShowAllProblemColor");
        QVERIFY(name->width() >= name->fontMetrics().horizontalAdvance(name->text())); // auto-size follows
    }
    click("cmdShowAll");
    auto *box = child<QPlainTextEdit>("txtShowAllSolutionColorDesc");
    QVERIFY(box->verticalScrollBar()->maximum() > 0);
    box->setFocus();
    QTest::keyClicks(box, "typed");
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->toPlainText(), colourCatalogue()[15].text);
}

void ResultWindowTest::escAndEnterPressShowAll_data()
{
    QTest::addColumn<int>("nexts");
    QTest::addColumn<int>("key");
    QTest::newRow("Esc on the Day panel") << 0 << int(Qt::Key_Escape);
    QTest::newRow("Esc on the Problem panel") << 1 << int(Qt::Key_Escape);
    QTest::newRow("Enter on the Day panel, no focused button") << 0 << int(Qt::Key_Return);
    QTest::newRow("keypad Enter on the Solution panel") << 2 << int(Qt::Key_Enter);
}

void ResultWindowTest::escAndEnterPressShowAll()
{
    QFETCH(int, nexts);
    QFETCH(int, key);
    if (nexts >= 1)
        reveal("cmdChoosenColor");
    if (nexts >= 2)
        reveal("cmdProblemColor");
    if (QWidget *focused = m_window->focusWidget())
        focused->clearFocus();
    QTest::keyClick(m_window, Qt::Key(key));
    QCOMPARE(m_window->frontPanel(), m_window->showAllPanel());
    QCOMPARE(m_effects.pauses.size(), std::size_t(4 * nexts)); // no wait of its own

    // A focused button takes Enter for itself.
    QSignalSpy back(m_window, &ResultWindow::backRequested);
    child("cmdBack")->setFocus();
    QTest::keyClick(m_window, Qt::Key_Return);
    QCOMPARE(back.count(), 1);
}

void ResultWindowTest::revealRunsTheWaitThenBringsTheNextPanel()
{
    // At the n-th pause of each wait the wait panel is in front with exactly the first n marks up.
    QStringList seen;
    m_effects.onPause = [&](int n) {
        const int k = (n - 1) % 4 + 1;
        QString state = m_window->frontPanel()->objectName();
        for (QWidget *mark : m_window->waitStrip().marks)
            state += mark->isHidden() ? " -" : " o";
        seen << QStringLiteral("%1 %2").arg(k).arg(state) + (child("picMessage")->isHidden() ? " no strip" : "");
    };
    reveal("cmdChoosenColor");
    QCOMPARE(m_window->frontPanel(), m_window->problemPanel());
    reveal("cmdProblemColor");
    QCOMPARE(m_window->frontPanel(), m_window->solutionPanel());
    const QStringList wait{"1 fraMsg o - - -", "2 fraMsg o o - -", "3 fraMsg o o o -", "4 fraMsg o o o o"};
    QCOMPARE(seen, wait + wait);
    QVERIFY(child("fraMsg")->isHidden() && child("picMessage")->isHidden());
    QCOMPARE(m_effects.pauses, std::vector<int>(8, 1));
}

void ResultWindowTest::escDuringARevealShowsShowAllThenTheTarget()
{
    QWidget *frontDuringWait = nullptr;
    m_effects.onPause = [&](int n) {
        if (n == 2) {
            QTest::keyClick(m_window, Qt::Key_Escape);
            frontDuringWait = m_window->frontPanel();
        }
    };
    reveal("cmdChoosenColor");
    QCOMPARE(frontDuringWait, m_window->showAllPanel());
    QCOMPARE(m_window->frontPanel(), m_window->problemPanel());
    QVERIFY(!m_window->showAllPanel()->isHidden());
}

void ResultWindowTest::coveredNextButtonsDoNothing()
{
    // Keys still reach a focused button that a panel covers.
    auto *dayNext = child<QPushButton>("cmdChoosenColor");
    dayNext->setFocus();
    m_effects.onPause = [&](int n) {
        if (n == 1)
            QTest::keyClick(dayNext, Qt::Key_Space); // under the wait panel
    };
    reveal("cmdChoosenColor");
    QTest::keyClick(dayNext, Qt::Key_Space); // under the Problem panel
    QCoreApplication::processEvents();
    QCOMPARE(m_effects.pauses.size(), std::size_t(4));
    QCOMPARE(m_window->frontPanel(), m_window->problemPanel());
    QCOMPARE(m_window->focusWidget(), child("cmdProblemColor")); // the keyboard goes on from the front panel
}

void ResultWindowTest::aClosedWindowEndsItsReveal_data()
{
    QTest::addColumn<bool>("deleted");
    QTest::newRow("closed") << false;
    QTest::newRow("closed and deleted") << true;
}

void ResultWindowTest::aClosedWindowEndsItsReveal()
{
    QFETCH(bool, deleted);
    m_window->setAttribute(Qt::WA_DeleteOnClose, deleted);
    QSignalSpy unloading(m_window.data(), &ResultWindow::unloading);
    m_effects.onPause = [&](int n) {
        if (n == 2)
            click("cmdExit"); // deferred deletes run inside the waits
    };
    reveal("cmdChoosenColor");
    QCOMPARE(unloading.count(), 1);
    QCOMPARE(m_effects.pauses.size(), std::size_t(2));
    QCOMPARE(m_window.isNull(), deleted);
    if (!deleted) // left exactly as the close found it
        QCOMPARE(m_window->frontPanel(), m_window->waitPanel());
}

void ResultWindowTest::clipboardIsEmptiedByChangeAndMouseOverTheBoxes_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("empties");
    for (const char *box : {"txtShowAllDayColorDesc", "txtShowAllProblemColorDesc", "txtShowAllSolutionColorDesc"}) {
        for (const char *action : {"press", "release", "right press", "move"})
            QTest::addRow("%s %s", box, action) << box << action << true;
        QTest::addRow("%s keys", box) << box << "keys" << false;
    }
    QTest::newRow("move over a heading") << "Label5"
                                         << "move" << false;
    QTest::newRow("click on a name") << "lblShowAllDayColor"
                                     << "press" << false;
}

void ResultWindowTest::clipboardIsEmptiedByChangeAndMouseOverTheBoxes()
{
    QFETCH(QString, target);
    QFETCH(QString, action);
    QFETCH(bool, empties);
    click("cmdShowAll");
    auto *box = child<QPlainTextEdit>(qPrintable(target));
    QWidget *surface = box ? box->viewport() : child(qPrintable(target));
    const QPoint at(10, 10);
    if (action == "press")
        QTest::mousePress(surface, Qt::LeftButton, {}, at);
    else if (action == "release")
        QTest::mouseRelease(surface, Qt::LeftButton, {}, at);
    else if (action == "right press")
        QTest::mousePress(surface, Qt::RightButton, {}, at);
    else if (action == "move") // through the window, which finds the control under the pointer
        QTest::mouseMove(m_window->windowHandle(), surface->mapTo(m_window, at));
    else
        QTest::keyClick(box, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(m_effects.clipboardClears > 0, empties);

    // Writing a reading is a change, even of the same texts: once per box.
    m_effects.clipboardClears = 0;
    m_window->fillReading(reading(15, 7, 15));
    QCOMPARE(m_effects.clipboardClears, 3);
}

void ResultWindowTest::menusAndLabelsOpenTheirPages_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("key");
    QTest::newRow("Online Help") << "mnuOnline"
                                 << "help-web-page";
    QTest::newRow("Visit Us Online") << "mnuVisit"
                                     << "home-page";
    QTest::newRow("Check for Software Update") << "mnuUpdate"
                                               << "download-web-page";
    QTest::newRow("Donate") << "mnuDonate"
                            << "donate";
    QTest::newRow("advertising line") << "Label61"
                                      << "home-page";
    QTest::newRow("co-branding offer") << "lblCobrand"
                                       << "co-brand";
    QTest::newRow("full-branding offer") << "lblFullBrand"
                                         << "fully-branded";
    QTest::newRow("Show All day heading") << "Label1"
                                          << "fully-branded";
    QTest::newRow("Show All other heading") << "Label15" << QString();
    QTest::newRow("Show All name") << "lblShowAllSolutionColor" << QString();
}

void ResultWindowTest::menusAndLabelsOpenTheirPages()
{
    QFETCH(QString, control);
    QFETCH(QString, key);
    click("cmdShowAll");
    if (auto *action = m_window->findChild<QAction *>(control)) {
        action->trigger();
    } else {
        auto *label = child<QLabel>(qPrintable(control));
        label->raise(); // the full-branding offer lies behind the other
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    }
    QCOMPARE(m_effects.opened, key.isEmpty() ? QList<QUrl>{} : QList<QUrl>{sitePageUrl(key)});
    QCOMPARE(m_window->frontPanel(), m_window->showAllPanel());
}

QTEST_MAIN(ResultWindowTest)
#include "resultwindow_test.moc"
